#include "UserInterface/Dialogs/FeedbackTimeLimitModalSheet.h"

#include "UserInterface/Dialogs/ModalSheetConstruction.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <climits>

wxIMPLEMENT_DYNAMIC_CLASS(FeedbackTimeLimitModalSheet, wxDialog);

wxBEGIN_EVENT_TABLE(FeedbackTimeLimitModalSheet, wxDialog)
    EVT_BUTTON(wxID_OK, FeedbackTimeLimitModalSheet::OnOkButton)
    EVT_TEXT_ENTER(FeedbackTimeLimitModalSheet::TextFieldId, FeedbackTimeLimitModalSheet::OnOkButton)
    EVT_BUTTON(wxID_CANCEL, FeedbackTimeLimitModalSheet::OnCancelButton)
wxEND_EVENT_TABLE()

FeedbackTimeLimitModalSheet::FeedbackTimeLimitModalSheet() { Init(); }

FeedbackTimeLimitModalSheet::FeedbackTimeLimitModalSheet(wxWindow* parent, int* result, int id, const wxString& caption,
                                                         const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    Create(parent, id, caption, pos, size, style);
    result_ = result;
}

FeedbackTimeLimitModalSheet::~FeedbackTimeLimitModalSheet() = default;

void FeedbackTimeLimitModalSheet::Init()
{
    label_ = nullptr;
    textField_ = nullptr;
    okButton_ = nullptr;
}

bool FeedbackTimeLimitModalSheet::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                         const wxSize& size, long style)
{
    Orbisk::CreateSheet(*this, parent, id, caption, pos, size, style, [this] { CreateControls(); });
    return true;
}

void FeedbackTimeLimitModalSheet::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    top->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    label_ =
        new wxStaticText(this, LabelId, _("Reaction time:"), wxDefaultPosition, wxDefaultSize, 0, "Description Label");
    row->Add(label_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, 5);
    textField_ = new wxTextCtrl(this, TextFieldId, wxEmptyString, wxDefaultPosition, wxSize(60, -1), wxTE_PROCESS_ENTER,
                                wxTextValidator(wxFILTER_NUMERIC));
    row->Add(textField_, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* unit = new wxStaticText(this, wxID_STATIC, _("milliseconds"));
    row->Add(unit, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 5);

    okButton_ = Orbisk::AddCancelAndOkButtons(this, top);
}

void FeedbackTimeLimitModalSheet::OnOkButton(wxCommandEvent&)
{
    long number = 0;
    if (!textField_->GetValue().ToLong(&number, 10) || number < INT_MIN || number > INT_MAX) number = 0;
    if (value_) *value_ = static_cast<int>(number);
    if (result_) *result_ = static_cast<int>(number);
    Orbisk::EndSheetWithCode(*this, wxID_OK);
}

void FeedbackTimeLimitModalSheet::OnCancelButton(wxCommandEvent&) { Orbisk::EndSheetWithCode(*this, wxID_CANCEL); }

wxBitmap FeedbackTimeLimitModalSheet::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon FeedbackTimeLimitModalSheet::GetIconResource(const wxString&) { return wxNullIcon; }
bool FeedbackTimeLimitModalSheet::ShowToolTips() { return true; }

int FeedbackTimeLimitModalSheetBox(wxWindow* parent, int& value, wxString what, int id, int* result)
{
    auto* sheet =
        new FeedbackTimeLimitModalSheet(parent, result, id, _("Enter ") + what, wxDefaultPosition, wxSize(400, 300));
    sheet->SetValueLocation(&value);
    sheet->GetTextField()->ChangeValue(wxString::Format("%d", value));
    sheet->GetDescriptionLabel()->SetLabel(what + ":");
    sheet->ShowWindowModal();
    return wxID_CANCEL;
}
