#include "EditorDriver.h"

#include "TestSupport.h"

#include <Resources/EmbeddedResources.h>

#include <GuiViewClasses/DialogClasses/ElementEditorCore.h>
#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace EditorDriver {

void LoadProgramResources()
{
    static bool loaded = false;
    if (loaded) return;
    wxInitAllImageHandlers();
    wxXmlResource::Get()->InitAllHandlers();
    wxXmlResource::Get()->InsertHandler(new Vantrel::VTListViewXmlHandler);
    Init_bitmaps_XRC();
    Init_ui_db_XRC();
    loaded = true;
}

wxWindow* Find(wxDialog& dialog, const char* name) { return Vantrel::ElementEditorCore::FindByXrcName(&dialog, name); }

wxTextCtrl* NameCtrl(wxDialog& dialog) { return dynamic_cast<wxTextCtrl*>(Find(dialog, "text_name")); }

void Settle()
{
    // Update-UI handlers run when the loop is idle.
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(60);
    wxTheApp->ProcessIdle();
}

void Enter(wxDialog& dialog, const char* control, const wxString& text)
{
    auto* field = dynamic_cast<wxTextCtrl*>(Find(dialog, control));
    ASSERT_NE(field, nullptr) << control;
    field->SetFocus();
    field->SetValue(text);
    Settle();
}

void Click(wxDialog& dialog, const char* name)
{
    wxWindow* button = Find(dialog, name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return button->IsShownOnScreen() && button->IsEnabled(); }, 3000))
        << name << " is not offered";
    TestSupport::ClickWindow(button);
}

bool ShownAndEnabled(wxDialog& dialog, const char* name)
{
    Settle();
    wxWindow* window = Find(dialog, name);
    return window && window->IsShown() && window->IsEnabled();
}

}  // namespace EditorDriver
