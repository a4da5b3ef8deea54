#pragma once
// The About window: picture, product texts, version and the result of a fresh
// version check in its status line. Its creator fills and centres it.

#include <wx/dialog.h>

class wxStaticText;

class AboutVantrelPopup : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(AboutVantrelPopup);

public:
    AboutVantrelPopup() = default;
    AboutVantrelPopup(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                      long style)
    {
        Create(parent, id, caption, pos, size, style);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

    // Reached directly by the main frame.
    wxStaticText* m_SecondHeading = nullptr;
    wxStaticText* m_VersionText = nullptr;
    wxStaticText* m_StatusText = nullptr;
    wxStaticText* m_NoticeText = nullptr;
};
