#include "AppMain/VersionCheck/VersionCheckChangeLogWindow.h"

#include "AppMain/WebAddresses.h"

#include <wx/button.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {
enum
{
    ID_CHANGELOG_TEXT = 10028,
    ID_CHANGELOG_HEADER = 10030,
    ID_DOWNLOAD_PAGE = 10031
};
}

wxIMPLEMENT_DYNAMIC_CLASS(VersionCheckChangeLogWindow, wxDialog);

wxBEGIN_EVENT_TABLE(VersionCheckChangeLogWindow, wxDialog)
    EVT_BUTTON(wxID_CANCEL, VersionCheckChangeLogWindow::OnOK)
    EVT_BUTTON(ID_DOWNLOAD_PAGE, VersionCheckChangeLogWindow::OnGoToDownloadPage)
wxEND_EVENT_TABLE()

void VersionCheckChangeLogWindow::Init()
{
    m_TopSizer = nullptr;
    m_Header = nullptr;
    m_ChangeLogText = nullptr;
    m_ButtonRow = nullptr;
    m_DownloadButton = nullptr;
    m_OkButton = nullptr;
}

bool VersionCheckChangeLogWindow::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                         const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void VersionCheckChangeLogWindow::CreateControls()
{
    m_TopSizer = new wxFlexGridSizer(3, 1, 0, 0);
    SetSizer(m_TopSizer);

    m_Header = new wxStaticText(this, ID_CHANGELOG_HEADER, _("Changes in Vantrel"), wxDefaultPosition, wxDefaultSize, 0,
                                "Changelog Header");
    m_TopSizer->Add(m_Header, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT | wxTOP, 5);

    m_ChangeLogText =
        new wxTextCtrl(this, ID_CHANGELOG_TEXT, _("Changes to Vantrel in the latest release."), wxDefaultPosition,
                       wxSize(425, 450), wxTE_MULTILINE | wxTE_READONLY, wxDefaultValidator, "Changelog Text");
    m_TopSizer->Add(m_ChangeLogText, 0, wxGROW | wxALL, 5);

    m_ButtonRow = new wxFlexGridSizer(1, 3, 0, 0);
    m_TopSizer->Add(m_ButtonRow, 0, wxGROW | wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_DownloadButton = new wxButton(this, ID_DOWNLOAD_PAGE, _("Go to download page"), wxDefaultPosition, wxDefaultSize,
                                    0, wxDefaultValidator, "Download Page Button");
    m_ButtonRow->Add(m_DownloadButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_ButtonRow->Add(5, 5, 0, wxGROW | wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_OkButton =
        new wxButton(this, wxID_CANCEL, _("OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ok button");
    m_OkButton->SetDefault();
    m_ButtonRow->Add(m_OkButton, 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_ButtonRow->AddGrowableCol(1);
    m_TopSizer->AddGrowableRow(1);
    m_TopSizer->AddGrowableCol(0);
    m_DownloadButton->SetFocus();
}

void VersionCheckChangeLogWindow::SetChangeLogHeaderContents(const wxString& version)
{
    if (m_Header) m_Header->SetLabel(wxString::Format(_("Changes in Vantrel %s"), version));
}

void VersionCheckChangeLogWindow::SetChangeLogContents(const wxString& text)
{
    if (m_ChangeLogText) m_ChangeLogText->ChangeValue(text);
}

wxBitmap VersionCheckChangeLogWindow::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon VersionCheckChangeLogWindow::GetIconResource(const wxString&) { return wxNullIcon; }

void VersionCheckChangeLogWindow::OnOK(wxCommandEvent&) { EndModal(0); }

void VersionCheckChangeLogWindow::OnGoToDownloadPage(wxCommandEvent&)
{
    wxLaunchDefaultBrowser(Vantrel::kUpdatePageUrl);
}
