#pragma once
// Works a dialog that runs modally the way a user does: controls found by their
// resource name, real clicks, typed text, and time for the update-UI handlers.

#include <wx/string.h>

class wxDialog;
class wxTextCtrl;
class wxWindow;

namespace EditorDriver {

// The program's images and dialog resources, with the list views' resource handler; once.
void LoadProgramResources();

wxWindow* Find(wxDialog& dialog, const char* name);
wxTextCtrl* NameCtrl(wxDialog& dialog);
// Types the text into the control (replacing what is there) and lets the
// update-UI handlers see it.
void Enter(wxDialog& dialog, const char* control, const wxString& text);
// Clicks the button with the pointer once it is shown and enabled.
void Click(wxDialog& dialog, const char* name);
// Whether the named control is shown and enabled once the update-UI handlers ran.
bool ShownAndEnabled(wxDialog& dialog, const char* name);
// Gives the update-UI handlers of the dialog time to run.
void Settle();

}  // namespace EditorDriver
