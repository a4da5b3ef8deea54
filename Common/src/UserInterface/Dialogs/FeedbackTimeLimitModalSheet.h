#pragma once
// A sheet that asks for a time limit in milliseconds. OK (or Enter in the
// field) writes the number, 0 when the text is not a whole number, into both
// the value and the result locations; Cancel writes nothing.

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

class wxButton;
class wxStaticText;
class wxTextCtrl;

class FeedbackTimeLimitModalSheet : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(FeedbackTimeLimitModalSheet);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int LabelId = 10026;
    static constexpr int TextFieldId = 10022;

    FeedbackTimeLimitModalSheet();
    // result (may be null) must stay valid until the sheet has closed.
    FeedbackTimeLimitModalSheet(wxWindow* parent, int* result, int id = wxID_ANY,
                                const wxString& caption = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxSize(400, 300),
                                long style = wxCAPTION | wxSYSTEM_MENU | wxTAB_TRAVERSAL);
    ~FeedbackTimeLimitModalSheet() override;

    void Init();
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();

    // The second location written on OK (may be null); it must outlive the sheet's answer.
    void SetValueLocation(int* value) { value_ = value; }

    void OnOkButton(wxCommandEvent& event);
    void OnCancelButton(wxCommandEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    wxStaticText* GetDescriptionLabel() const { return label_; }
    wxTextCtrl* GetTextField() const { return textField_; }
    wxButton* GetOkButton() const { return okButton_; }

private:
    wxStaticText* label_;
    wxTextCtrl* textField_;
    wxButton* okButton_;
    int* value_ = nullptr;
    int* result_ = nullptr;
};

// Shows the sheet window-modally with caption "Enter <what>", label "<what>:"
// and the value in the field; returns wxID_CANCEL, the answer comes in
// wxEVT_WINDOW_MODAL_DIALOG_CLOSED. value and result must outlive the answer.
int FeedbackTimeLimitModalSheetBox(wxWindow* parent, int& value, wxString what, int id, int* result);
