#include "UserInterface/Dialogs/NoteModalSheet.h"

#include "UserInterface/Dialogs/ModalSheetConstruction.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(NoteModalSheet, wxDialog);

wxBEGIN_EVENT_TABLE(NoteModalSheet, wxDialog)
    EVT_BUTTON(wxID_OK, NoteModalSheet::OnOkButton)
    EVT_BUTTON(wxID_CANCEL, NoteModalSheet::OnCancelButton)
wxEND_EVENT_TABLE()

NoteModalSheet::NoteModalSheet() { Init(); }

NoteModalSheet::NoteModalSheet(boost::function<void()> onOk, wxWindow* parent, wxString* target, int id,
                               const wxString& labelText, bool singleLine, const wxString& caption, const wxPoint& pos,
                               const wxSize& size, long style)
    : onOk_(std::move(onOk)), labelText_(labelText), singleLine_(singleLine)
{
    Init();
    Create(parent, id, caption, pos, size, style);
    target_ = target;
    if (target_) textField_->SetValue(*target_);
}

NoteModalSheet::~NoteModalSheet() = default;

void NoteModalSheet::Init()
{
    label_ = nullptr;
    textField_ = nullptr;
    okButton_ = nullptr;
}

bool NoteModalSheet::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                            const wxSize& size, long style)
{
    Orbisk::CreateSheet(*this, parent, id, caption, pos, size, style, [this] { CreateControls(); });
    return true;
}

void NoteModalSheet::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    top->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    row->Add(column, 0, wxALL, 2);
    label_ = new wxStaticText(this, LabelId, _("Note:"), wxDefaultPosition, wxDefaultSize, 0, "Description Label");
    column->Add(label_, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxTOP | wxBOTTOM, 5);
    textField_ = new wxTextCtrl(this, TextFieldId, wxEmptyString, wxDefaultPosition, wxSize(400, 100), wxTE_MULTILINE);
    row->Add(textField_, 0, wxALL, 5);

    okButton_ = Orbisk::AddCancelAndOkButtons(this, top);

    if (!labelText_.empty()) label_->SetLabel(labelText_);
    if (singleLine_) {
        row->Detach(textField_);
        textField_->Destroy();
        textField_ = new wxTextCtrl(this, TextFieldId, wxEmptyString, wxDefaultPosition, wxSize(400, 100), 0);
        row->Add(textField_, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    }
}

void NoteModalSheet::OnOkButton(wxCommandEvent&)
{
    if (target_) *target_ = textField_->GetValue();
    if (onOk_) onOk_();
    Orbisk::EndSheetWithCode(*this, wxID_OK);
}

void NoteModalSheet::OnCancelButton(wxCommandEvent&) { Orbisk::EndSheetWithCode(*this, wxID_CANCEL); }

wxBitmap NoteModalSheet::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon NoteModalSheet::GetIconResource(const wxString&) { return wxNullIcon; }
bool NoteModalSheet::ShowToolTips() { return true; }

int NoteModalSheetBox(wxWindow* parent, wxString* target, boost::function<void()> onOk, wxString labelText,
                      bool singleLine)
{
    auto* sheet = new NoteModalSheet(std::move(onOk), parent, target, wxID_ANY, labelText, singleLine);
    sheet->ShowWindowModal();
    return wxID_CANCEL;
}

int NoteModalSheetBox(wxWindow* parent, wxString* target, int id)
{
    auto* sheet = new NoteModalSheet(boost::function<void()>(), parent, target, id);
    sheet->ShowWindowModal();
    return wxID_CANCEL;
}

int NoteModalSheetBox(wxWindow* parent, wxString* target, boost::function<void()> onOk)
{
    return NoteModalSheetBox(parent, target, std::move(onOk), wxEmptyString, false);
}
