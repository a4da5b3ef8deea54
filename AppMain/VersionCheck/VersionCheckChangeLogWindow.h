#pragma once
// Shows the newest release's change log, filled in by its creator.

#include <wx/dialog.h>

class wxFlexGridSizer;
class wxStaticText;
class wxTextCtrl;
class wxButton;

class VersionCheckChangeLogWindow : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(VersionCheckChangeLogWindow);
    wxDECLARE_EVENT_TABLE();

public:
    VersionCheckChangeLogWindow() { Init(); }
    VersionCheckChangeLogWindow(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                const wxSize& size, long style)
    {
        Init();
        Create(parent, id, caption, pos, size, style);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void Init();
    void CreateControls();

    void SetChangeLogHeaderContents(const wxString& version);
    void SetChangeLogContents(const wxString& text);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

    void OnOK(wxCommandEvent& event);
    void OnGoToDownloadPage(wxCommandEvent& event);

private:
    wxFlexGridSizer* m_TopSizer = nullptr;
    wxStaticText* m_Header = nullptr;
    wxTextCtrl* m_ChangeLogText = nullptr;
    wxFlexGridSizer* m_ButtonRow = nullptr;
    wxButton* m_DownloadButton = nullptr;
    wxButton* m_OkButton = nullptr;
};
