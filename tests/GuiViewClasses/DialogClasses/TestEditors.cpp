#include "TestEditors.h"

#include "EditorDriver.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

void LoadTestEditorResources()
{
    static bool loaded = false;
    if (loaded) return;
    // The program's own resources too: the list dialogs use its "dlg_edit_list".
    EditorDriver::LoadProgramResources();
    loaded =
        wxXmlResource::Get()->Load(TestSupport::SourceDir() + "/tests/GuiViewClasses/DialogClasses/editor_test.xrc");
    ASSERT_TRUE(loaded);
}
