#pragma once
// Answers the modal dialogs the code under test opens, with real clicks on the
// dialog's controls, and counts how many were opened.

#include <wx/modalhook.h>
#include <wx/string.h>

#include <functional>

class wxDialog;

class ScriptedDialog : public wxModalDialogHook
{
public:
    // `script` runs inside the dialog's modal loop once it is on screen; it
    // should end the dialog. A dialog still open 5 s later is cancelled and
    // the test fails, so a broken script never hangs the run.
    explicit ScriptedDialog(std::function<void(wxDialog&)> script);
    ~ScriptedDialog() override;

    int Opened() const { return opened_; }
    wxString LastTitle() const { return lastTitle_; }

    // Runs `script` inside the modal loop of `dialog` once it is on screen, with
    // the same 5 s guard; for hooks that show some dialogs and answer others.
    static void ScriptWhenShown(wxDialog* dialog, std::function<void(wxDialog&)> script);

    // Clicks the control with that XRC name (or standard id) in the dialog.
    static void Click(wxDialog& dialog, const char* xrcName);
    static void Click(wxDialog& dialog, int id);

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::function<void(wxDialog&)> script_;
    int opened_ = 0;
    wxString lastTitle_;
};
