#include "VTEditLocationValueDlg.h"

#include <VTCore/WholeNumberText.h>
#include "ValueDialogParts.h"

#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTEditLocationValueDlg, wxDialog);

wxBEGIN_EVENT_TABLE(VTEditLocationValueDlg, wxDialog)
    EVT_UPDATE_UI(wxID_OK, VTEditLocationValueDlg::OnUpdateOK)
wxEND_EVENT_TABLE()

VTEditLocationValueDlg::VTEditLocationValueDlg() { Init(); }

VTEditLocationValueDlg::VTEditLocationValueDlg(wxWindow* parent, const wxStringList& usedNames, int id,
                                               const wxString& caption, const wxPoint& pos, const wxSize& size,
                                               long style)
{
    Init();
    Create(parent, id, caption, pos, size, style);
    m_UsedNames = usedNames;
    m_X->SetValidator(wxTextValidator(wxFILTER_NUMERIC, &m_XText));
    m_Y->SetValidator(wxTextValidator(wxFILTER_NUMERIC, &m_YText));
    m_Name->SetValidator(wxTextValidator(wxFILTER_NONE, &m_NameText));
    m_Name->SetFocus();
    m_Name->SelectAll();
}

bool VTEditLocationValueDlg::Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos,
                                    const wxSize& size, long style)
{
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    return true;
}

void VTEditLocationValueDlg::Init()
{
    m_Name = nullptr;
    m_X = nullptr;
    m_Y = nullptr;
}

void VTEditLocationValueDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);

    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    nameRow->Add(new wxStaticText(this, ID_NAME_LABEL, _("Name:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_Name = new wxTextCtrl(this, ID_NAME);
    nameRow->Add(m_Name, 2, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    top->Add(nameRow, 0, wxEXPAND | wxALL, 5);
    top->Add(5, 5, 0);

    auto* box = new wxStaticBoxSizer(new wxStaticBox(this, wxID_ANY, _("Location:")), wxVERTICAL);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    auto* grid = new wxFlexGridSizer(2, 3, 5, 5);
    grid->AddGrowableCol(1);
    // Room for six digits, at the dialog's font.
    const wxSize numberSize(GetTextExtent("000000").x, -1);
    grid->Add(new wxStaticText(this, ID_X_LABEL, _("Horizontally (X):")), 0, wxALIGN_CENTER_VERTICAL);
    m_X = new wxTextCtrl(this, ID_X, wxString(), wxDefaultPosition, numberSize);
    grid->Add(m_X, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    grid->Add(new wxStaticText(this, ID_X_UNIT, _("pixels")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(this, ID_Y_LABEL, _("Vertically (Y):")), 0, wxALIGN_CENTER_VERTICAL);
    m_Y = new wxTextCtrl(this, ID_Y, wxString(), wxDefaultPosition, numberSize);
    grid->Add(m_Y, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
    grid->Add(new wxStaticText(this, ID_Y_UNIT, _("pixels")), 0, wxALIGN_CENTER_VERTICAL);
    box->Add(grid, 0, wxEXPAND | wxALL, 5);
    auto* origin = new wxStaticText(this, ID_ORIGIN_NOTE, _("The origin point (0,0) is the center of the screen."));
    origin->SetForegroundColour(wxColour(92, 92, 192));
    box->Add(origin, 0, wxALL, 5);

    ValueDialogParts::AddCancelOkRow(this, top);
}

void VTEditLocationValueDlg::OnUpdateOK(wxUpdateUIEvent& event)
{
    // X and Y must read as whole 32-bit integers: the level stores nothing else,
    // so "1.5" is refused here rather than stored as 0.
    std::int32_t x = 0, y = 0;
    const wxString name = m_Name->GetValue();
    event.Enable(ValueDialogParts::NameIsUsable(name, m_UsedNames) && ParseWholeInt32(m_X->GetValue(), x) &&
                 ParseWholeInt32(m_Y->GetValue(), y));
}

wxBitmap VTEditLocationValueDlg::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon VTEditLocationValueDlg::GetIconResource(const wxString&) { return wxNullIcon; }
bool VTEditLocationValueDlg::ShowToolTips() { return true; }

}  // namespace Vantrel
