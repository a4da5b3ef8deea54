#pragma once
// A sheet that edits a note into the caller's string; OK stores the text and
// then calls the caller's function, Cancel stores nothing.

#include <boost/function.hpp>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

class wxButton;
class wxStaticText;
class wxTextCtrl;

class NoteModalSheet : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(NoteModalSheet);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int LabelId = 10184;
    static constexpr int TextFieldId = 10185;

    NoteModalSheet();
    // target must stay valid until the sheet has closed; it may be null.
    NoteModalSheet(boost::function<void()> onOk, wxWindow* parent, wxString* target, int id = wxID_ANY,
                   const wxString& labelText = wxEmptyString, bool singleLine = false,
                   const wxString& caption = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxSize(400, 300),
                   long style = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~NoteModalSheet() override;

    void Init();
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();

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
    wxString* target_ = nullptr;
    boost::function<void()> onOk_;
    wxString labelText_;
    bool singleLine_ = false;
};

// Each shows a note sheet window-modally and returns wxID_CANCEL; the answer
// (wxID_OK or wxID_CANCEL) comes in wxEVT_WINDOW_MODAL_DIALOG_CLOSED.
int NoteModalSheetBox(wxWindow* parent, wxString* target, int id);
int NoteModalSheetBox(wxWindow* parent, wxString* target, boost::function<void()> onOk);
int NoteModalSheetBox(wxWindow* parent, wxString* target, boost::function<void()> onOk, wxString labelText,
                      bool singleLine);
