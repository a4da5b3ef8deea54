#pragma once
// Construction and closing shared by the edit and message sheets.

#include <functional>

#include <wx/defs.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxButton;
class wxDialog;
class wxSizer;
class wxWindow;

namespace Orbisk {

// Second-step creation: events stay inside the sheet, the controls are made
// by createControls, then the sheet is sized to them and centred.
void CreateSheet(wxDialog& sheet, wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                 const wxSize& size, long style, const std::function<void()>& createControls);

// A sheet shown without a modal loop (as tests do) is hidden with the code set,
// since EndModal would assert there.
void EndSheetWithCode(wxDialog& sheet, int code);

// The default wxID_OK button "Okay Button".
wxButton* NewSheetOkButton(wxDialog* sheet);

// A centred Cancel/OK row added to top; returns the OK button.
wxButton* AddCancelAndOkButtons(wxDialog* sheet, wxSizer* top);

}  // namespace Orbisk
