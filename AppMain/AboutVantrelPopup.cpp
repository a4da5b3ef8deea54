#include "AppMain/AboutVantrelPopup.h"

#include <Resources/BitmapRsrc.h>

#include <wx/button.h>
#include <wx/icon.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {
enum
{
    ID_VERSION = 10000,
    ID_STATUS = 10001,
    ID_CREDITS = 10002,
    ID_DESCRIPTION = 10004,
    ID_NAME = 10005,
    ID_SHARED = 10009
};
}

wxIMPLEMENT_DYNAMIC_CLASS(AboutVantrelPopup, wxDialog);

bool AboutVantrelPopup::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                               const wxSize& size, long style)
{
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    return true;
}

void AboutVantrelPopup::CreateControls()
{
    SetBackgroundColour(wxColour(255, 255, 255));
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(top);

    auto* picture =
        new wxStaticBitmap(this, ID_SHARED, GetBitmapResource("vt4_about.gif"), wxDefaultPosition, wxSize(313, 384), 0);
    top->Add(picture, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);

    auto* right = new wxBoxSizer(wxVERTICAL);
    top->Add(right, 1, wxGROW | wxALL, 10);
    auto* column = new wxBoxSizer(wxVERTICAL);
    right->Add(column, 1, wxGROW | wxALL, 5);
    auto* heading = new wxBoxSizer(wxHORIZONTAL);
    column->Add(heading, 0, wxLEFT | wxRIGHT, 7);

    const wxFont system = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    const int points = static_cast<int>(system.GetPointSize() * 1.8);
    const wxColour blue(0, 33, 255);

    auto* name = new wxStaticText(this, ID_NAME, _("Vantrel"));
    name->SetForegroundColour(blue);
    name->SetFont(wxFont(points, system.GetFamily(), system.GetStyle(), wxFONTWEIGHT_BOLD, system.GetUnderlined(),
                         system.GetFaceName()));
    heading->Add(name, 0, wxALL, 3);

    m_SecondHeading = new wxStaticText(this, ID_SHARED, _("6"));
    m_SecondHeading->SetForegroundColour(blue);
    m_SecondHeading->SetFont(wxFont(points, system.GetFamily(), system.GetStyle(), system.GetWeight(),
                                    system.GetUnderlined(), system.GetFaceName()));
    heading->Add(m_SecondHeading, 0, wxTOP | wxBOTTOM, 3);

    column->Add(new wxStaticText(this, ID_DESCRIPTION, _("Stimulus Presentation Software")), 0,
                wxLEFT | wxRIGHT | wxBOTTOM, 10);
    column->Add(new wxStaticText(this, ID_CREDITS, _("Developed by\nThe Study Station team")), 0, wxGROW | wxALL, 10);

    m_VersionText = new wxStaticText(this, ID_VERSION, _("(looking up detailed version...)"));
    column->Add(m_VersionText, 0, wxGROW | wxALL, 10);
    m_StatusText = new wxStaticText(this, ID_STATUS, wxEmptyString);
    m_StatusText->SetForegroundColour(wxColour(100, 100, 100));
    column->Add(m_StatusText, 0, wxGROW | wxALL, 10);
    m_NoticeText = new wxStaticText(this, ID_SHARED, _("Notice"));
    column->Add(m_NoticeText, 1, wxGROW | wxALL, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    right->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 10);

    m_SecondHeading->SetLabel(wxString::Format("%s", wxString()));
}

wxBitmap AboutVantrelPopup::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }
wxIcon AboutVantrelPopup::GetIconResource(const wxString&) { return wxNullIcon; }
