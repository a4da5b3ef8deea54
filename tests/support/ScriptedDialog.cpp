#include "ScriptedDialog.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/xrc/xmlres.h>

ScriptedDialog::ScriptedDialog(std::function<void(wxDialog&)> script) : script_(std::move(script)) { Register(); }

ScriptedDialog::~ScriptedDialog() { Unregister(); }

int ScriptedDialog::Enter(wxDialog* dialog)
{
    ++opened_;
    lastTitle_ = dialog->GetTitle();
    ScriptWhenShown(dialog, script_);
    return wxID_NONE;  // show it for real
}

void ScriptedDialog::ScriptWhenShown(wxDialog* dialog, std::function<void(wxDialog&)> script)
{
    TestSupport::ScriptShownDialog(dialog, std::move(script));
}

void ScriptedDialog::Click(wxDialog& dialog, const char* xrcName)
{
    wxWindow* window = dialog.FindWindow(XRCID(xrcName));
    ASSERT_NE(window, nullptr) << xrcName;
    TestSupport::ClickWindow(window);
}

void ScriptedDialog::Click(wxDialog& dialog, int id)
{
    wxWindow* window = dialog.FindWindow(id);
    ASSERT_NE(window, nullptr) << id;
    TestSupport::ClickWindow(window);
}
