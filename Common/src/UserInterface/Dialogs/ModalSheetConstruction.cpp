#include "UserInterface/Dialogs/ModalSheetConstruction.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace Orbisk {

void CreateSheet(wxDialog& sheet, wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                 const wxSize& size, long style, const std::function<void()>& createControls)
{
    sheet.SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    sheet.wxDialog::Create(parent, id, caption, pos, size, style);
    createControls();
    if (sheet.GetSizer()) sheet.GetSizer()->SetSizeHints(&sheet);
    sheet.Centre(wxBOTH);
}

void EndSheetWithCode(wxDialog& sheet, int code)
{
    if (sheet.IsModal()) {
        sheet.EndModal(code);
    } else {
        sheet.SetReturnCode(code);
        sheet.Hide();
    }
}

wxButton* NewSheetOkButton(wxDialog* sheet)
{
    auto* ok =
        new wxButton(sheet, wxID_OK, _("OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Okay Button");
    ok->SetDefault();
    return ok;
}

wxButton* AddCancelAndOkButtons(wxDialog* sheet, wxSizer* top)
{
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    top->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* cancel = new wxButton(sheet, wxID_CANCEL, _("Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                wxDefaultValidator, "Cancel Button");
    buttons->Add(cancel, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    wxButton* ok = NewSheetOkButton(sheet);
    buttons->Add(ok, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    return ok;
}

}  // namespace Orbisk
