#include "SheetDialogObjectNameOrRename.h"

#include <UserInterface/Dialogs/ModalSheetConstruction.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(SheetDialogObjectNameOrRename, wxDialog);

wxBEGIN_EVENT_TABLE(SheetDialogObjectNameOrRename, wxDialog)
    EVT_BUTTON(wxID_OK, SheetDialogObjectNameOrRename::OnOkButton)
    EVT_BUTTON(wxID_CANCEL, SheetDialogObjectNameOrRename::OnCancelButton)
    EVT_UPDATE_UI(wxID_OK, SheetDialogObjectNameOrRename::OnUpdateOKButton)
wxEND_EVENT_TABLE()

namespace {
// Blanks, tabs and line breaks at either end.
wxString Trimmed(wxString text) { return text.Trim(true).Trim(false); }
}  // namespace

SheetDialogObjectNameOrRename::SheetDialogObjectNameOrRename() { Init(); }

SheetDialogObjectNameOrRename::SheetDialogObjectNameOrRename(wxWindow* parent, wxWindowID id, const wxString& caption,
                                                             const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    Create(parent, id, caption, pos, size, style);
}

void SheetDialogObjectNameOrRename::Init()
{
    m_Prompt = nullptr;
    m_Name = nullptr;
    m_NoteSizer = nullptr;
    m_Note = nullptr;
    m_Cancel = nullptr;
    m_OK = nullptr;
}

bool SheetDialogObjectNameOrRename::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                           const wxSize& size, long style)
{
    Orbisk::CreateSheet(*this, parent, id, caption, pos, size, style, [this] { CreateControls(); });
    return true;
}

void SheetDialogObjectNameOrRename::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* grid = new wxFlexGridSizer(2, 0, 0);
    grid->AddGrowableCol(1);
    top->Add(grid, 0, wxEXPAND | wxALL, 5);
    m_Prompt =
        new wxStaticText(this, ID_PROMPT, _("Rule Name:"), wxDefaultPosition, wxDefaultSize, 0, "Description Label");
    grid->Add(m_Prompt, 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, 5);
    auto* field = new wxBoxSizer(wxHORIZONTAL);
    grid->Add(field, 0, wxEXPAND, 0);
    m_Name = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(250, -1));
    field->Add(m_Name, 1, wxALL, 5);
    field->Add(10, 5);
    grid->Add(5, 5);
    grid->Add(5, 5);
    grid->Add(5, 5);
    m_NoteSizer = new wxBoxSizer(wxHORIZONTAL);
    grid->Add(m_NoteSizer, 0, wxEXPAND, 0);
    m_Note = new wxStaticText(this, wxID_STATIC, _("Once created, a rule can be used with any trial."));
    m_Note->SetForegroundColour(wxColour(80, 80, 80));
    m_NoteSizer->Add(m_Note, 0, wxALL, 0);
    m_NoteSizer->Add(5, 5, 1);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    top->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_Cancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    m_Cancel->SetName("Cancel Button");
    buttons->Add(m_Cancel, 0, wxALL, 5);
    m_OK = new wxButton(this, wxID_OK, _("OK"));
    m_OK->SetName("Okay Button");
    m_OK->SetDefault();
    buttons->Add(m_OK, 0, wxALL, 5);
}

void SheetDialogObjectNameOrRename::ReinitializeForNextUse(const wxString& initialText, const wxString& note,
                                                           boost::function<void()> onOk)
{
    m_InitialText = Trimmed(initialText);
    m_OnOk = std::move(onOk);
    m_Name->ChangeValue(m_InitialText);
    Orbisk::HelperFunctionChangeStaticTextIfNew(m_Note, m_NoteSizer, nullptr, note, -999);
    if (GetSizer()) GetSizer()->Fit(this);
}

void SheetDialogObjectNameOrRename::ShowWindowModal()
{
    m_Name->SetFocus();
    m_Name->SelectAll();
    wxDialog::ShowWindowModal();
}

wxString SheetDialogObjectNameOrRename::GetNameText() const { return Trimmed(m_Name->GetValue()); }

bool SheetDialogObjectNameOrRename::DidTheTextChangeAtAll() const { return GetNameText() != m_InitialText; }

void SheetDialogObjectNameOrRename::OnOkButton(wxCommandEvent&)
{
    if (m_OnOk) m_OnOk();
    Orbisk::EndSheetWithCode(*this, wxID_OK);
}

void SheetDialogObjectNameOrRename::OnCancelButton(wxCommandEvent&) { Orbisk::EndSheetWithCode(*this, wxID_CANCEL); }

void SheetDialogObjectNameOrRename::OnUpdateOKButton(wxUpdateUIEvent& event) { event.Enable(!GetNameText().empty()); }

wxBitmap SheetDialogObjectNameOrRename::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon SheetDialogObjectNameOrRename::GetIconResource(const wxString&) { return wxNullIcon; }
bool SheetDialogObjectNameOrRename::ShowToolTips() { return true; }
