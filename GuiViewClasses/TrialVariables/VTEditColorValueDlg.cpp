#include "VTEditColorValueDlg.h"

#include "ValueDialogParts.h"

#include <wx/clrpicker.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTEditColorValueDlg, wxDialog);

wxBEGIN_EVENT_TABLE(VTEditColorValueDlg, wxDialog)
    EVT_UPDATE_UI(wxID_OK, VTEditColorValueDlg::OnUpdateOK)
wxEND_EVENT_TABLE()

VTEditColorValueDlg::VTEditColorValueDlg() { Init(); }

VTEditColorValueDlg::VTEditColorValueDlg(wxWindow* parent, const wxStringList& usedNames, int id,
                                         const wxString& caption, const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    Create(parent, id, caption, pos, size, style);
    m_UsedNames = usedNames;
    m_Name->SetValidator(wxTextValidator(wxFILTER_NONE, &m_NameText));
    m_Name->SetFocus();
    m_Name->SelectAll();
}

bool VTEditColorValueDlg::Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos,
                                 const wxSize& size, long style)
{
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH | wxCENTRE_ON_SCREEN);
    return true;
}

void VTEditColorValueDlg::Init()
{
    m_Name = nullptr;
    m_Picker = nullptr;
}

void VTEditColorValueDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* grid = new wxFlexGridSizer(0, 2, 0, 0);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, ID_NAME_LABEL, _("Color Name:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_Name = new wxTextCtrl(this, ID_NAME);
    grid->Add(m_Name, 1, wxEXPAND | wxALL, 5);
    grid->Add(new wxStaticText(this, wxID_STATIC, _("Select Color:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_Picker = new wxColourPickerCtrl(this, ID_PICKER, *wxBLACK, wxDefaultPosition, wxDefaultSize,
                                      wxCLRP_DEFAULT_STYLE | wxCLRP_USE_TEXTCTRL);
    grid->Add(m_Picker, 1, wxEXPAND | wxALL, 5);
    top->Add(grid, 1, wxEXPAND | wxALL, 5);

    ValueDialogParts::AddCancelOkRow(this, top);
}

void VTEditColorValueDlg::SetColor(const wxColour& colour) { m_Picker->SetColour(colour); }

wxColour VTEditColorValueDlg::GetColor() const { return m_Picker->GetColour(); }

void VTEditColorValueDlg::OnUpdateOK(wxUpdateUIEvent& event)
{
    const wxString name = m_Name->GetValue();
    event.Enable(ValueDialogParts::NameIsUsable(name, m_UsedNames));
}

wxBitmap VTEditColorValueDlg::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon VTEditColorValueDlg::GetIconResource(const wxString&) { return wxNullIcon; }
bool VTEditColorValueDlg::ShowToolTips() { return true; }

}  // namespace Vantrel
