#pragma once
// The toolkit's alert dialog: an icon, a bold message, a smaller informative
// text and up to four buttons with the caller's labels. Button N (counted over
// the buttons created, empty labels being gaps) ends the dialog with code N.

#include <wx/arrstr.h>
#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

class wxStaticBitmap;
class wxStaticText;

class wxAlert : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(wxAlert);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int MaximumButtons = 4;

    wxAlert();
    wxAlert(wxWindow* parent, const wxString& message, const wxString& informativeText, const wxString& title,
            unsigned int defaultButton, wxArrayString labels, int id, const wxBitmap& art,
            const wxPoint& pos = wxDefaultPosition);
    ~wxAlert() override;

    void Init();
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();

    // True when some label is empty (a gap between buttons).
    bool HasSpacers() const;

    void OnButton0Click(wxCommandEvent& event);
    void OnButton1Click(wxCommandEvent& event);
    void OnButton2Click(wxCommandEvent& event);
    void OnButton3Click(wxCommandEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    int GetButtonsCreated() const { return buttonsCreated_; }
    wxStaticText* GetMessageLabel() const { return messageLabel_; }
    wxStaticText* GetInformativeLabel() const { return informativeLabel_; }
    wxStaticBitmap* GetIcon() const { return icon_; }

private:
    void EndWithCode(int code);

    wxStaticText* messageLabel_;
    wxStaticBitmap* icon_;
    wxStaticText* informativeLabel_;
    wxString message_;
    wxString informativeText_;
    wxString title_;
    unsigned int defaultButton_ = 0;
    wxArrayString labels_;
    wxBitmap art_;
    int buttonsCreated_;
};
