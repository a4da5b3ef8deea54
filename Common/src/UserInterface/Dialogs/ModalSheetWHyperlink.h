#pragma once
// A sheet with an icon, a message and a clickable link, closed with OK.

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

class wxButton;
class wxHyperlinkCtrl;
class wxStaticBitmap;
class wxStaticText;

class ModalSheetWHyperlink : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(ModalSheetWHyperlink);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int MessageId = 10026;
    static constexpr int HyperlinkId = 10023;
    static constexpr int MessageWrapWidth = 500;

    ModalSheetWHyperlink();
    ModalSheetWHyperlink(wxWindow* parent, int id = wxID_ANY, const wxString& caption = wxEmptyString,
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(500, 100),
                         long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~ModalSheetWHyperlink() override;

    void Init();
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();

    void SetMessageLabel(const wxString& message);  // wrapped at 500 pixels
    void SetHyperlinkLabel(const wxString& label);
    void SetHyperlinkUrl(const wxString& url);
    void SetIconBitmap(const wxBitmap& bitmap);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    wxStaticBitmap* GetIcon() const { return icon_; }
    wxStaticText* GetMessage() const { return message_; }
    wxHyperlinkCtrl* GetHyperlink() const { return link_; }
    wxButton* GetOkButton() const { return okButton_; }

private:
    wxStaticBitmap* icon_;
    wxStaticText* message_;
    wxHyperlinkCtrl* link_;
    wxButton* okButton_;
};

// Shows the sheet window-modally and returns wxID_CANCEL; OK answers wxID_OK
// in wxEVT_WINDOW_MODAL_DIALOG_CLOSED. artId names a wxArtProvider bitmap.
int ModalSheetWHyperlinkBox(wxWindow* parent, wxString message, wxString linkLabel, wxString url, int id,
                            wxString artId);
