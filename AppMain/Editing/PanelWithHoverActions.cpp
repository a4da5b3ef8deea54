#include "AppMain/Editing/PanelWithHoverActions.h"

#include "AppMain/Editing/HoverPanelChildren.h"

#include <Resources/BitmapRsrc.h>

#include <wx/dcclient.h>
#include <wx/icon.h>
#include <wx/intl.h>
#include <wx/sizer.h>

#include <algorithm>
#include <utility>

wxIMPLEMENT_DYNAMIC_CLASS(PanelWithHoverActions, wxPanel);

wxBEGIN_EVENT_TABLE(PanelWithHoverActions, wxPanel)
    EVT_IDLE(PanelWithHoverActions::OnIdle)
    EVT_MOUSE_EVENTS(PanelWithHoverActions::OnMouseEvent)
wxEND_EVENT_TABLE()

PanelWithHoverActions::PanelWithHoverActions(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                             long style)
{
    Init();
    m_Id = id;
    Create(parent, id, pos, size, style);
}

bool PanelWithHoverActions::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style, wxASCII_STR(wxPanelNameStr));
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
    return true;
}

void PanelWithHoverActions::Init()
{
    m_IconSizer = nullptr;
    m_NormalImage = nullptr;
    m_HoverImage = nullptr;
    m_FirstLabel = nullptr;
    m_SecondLabel = nullptr;
    m_GroupHover = false;
    m_OwnHover = false;
}

void PanelWithHoverActions::CreateControls()
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(top);
    m_IconSizer = new wxBoxSizer(wxHORIZONTAL);
    top->Add(m_IconSizer, 0, wxALIGN_CENTER_VERTICAL, 0);

    m_NormalImage = new StaticBitmapWithHoverNotification(this, wxID_ANY, GetBitmapResource("icon_mru1_std.png"),
                                                          wxDefaultPosition, wxSize(28, 28), 0);
    m_IconSizer->Add(m_NormalImage, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, 5);
    m_HoverImage = new StaticBitmapWithHoverNotification(this, wxID_ANY, GetBitmapResource("icon_mru1_hover.png"),
                                                         wxDefaultPosition, wxSize(28, 28), 0);
    m_IconSizer->Add(m_HoverImage, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, 5);

    auto* text = new wxBoxSizer(wxVERTICAL);
    top->Add(text, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_FirstLabel = new LabelOne(this, 10012, _("Letter Rotation.vt4   %s"));
    text->Add(m_FirstLabel, 0, wxLEFT | wxRIGHT, 5);
    text->Add(5, 2, 0, wxALIGN_CENTER_HORIZONTAL, 0);
    m_SecondLabel = new LabelTwo(this, 10013, _("In \"My Documents/Vantrel Experiments/\" \"%s\""));
    text->Add(m_SecondLabel, 0, wxLEFT | wxRIGHT, 5);

    m_HoverImage->Hide();
    m_NormalImage->Show();
    m_IconSizer->Layout();
}

void PanelWithHoverActions::SetTextLabelsAndTooltip(wxString first, wxString second, wxString tooltip)
{
    // File and folder names are shown as they are: an ampersand is no mnemonic here.
    m_FirstLabel->SetLabelText(first);
    m_FullFilename = tooltip;
    if (!second.empty())
        m_SecondLabel->SetLabelText(second);
    else
        m_SecondLabel->Hide();
    SetToolTip(tooltip);
    if (wxSizer* containing = GetContainingSizer()) containing->Layout();
}

void PanelWithHoverActions::LimitTextWidth(int width)
{
    const std::pair<wxStaticText*, wxEllipsizeMode> lines[] = {{m_FirstLabel, wxELLIPSIZE_END},
                                                               {m_SecondLabel, wxELLIPSIZE_MIDDLE}};
    for (const auto& [label, mode] : lines) {
        if (!label->IsShown()) continue;
        const wxString full = label->GetLabelText();
        wxClientDC dc(label);
        dc.SetFont(label->GetFont());
        // The toolkit's text may come out wider than the drawing context measures
        // it: cut again, by what is still too much, until the label fits.
        int measure = width;
        for (int tries = 0; tries < 8 && measure > 0; ++tries) {
            const int excess = label->GetBestSize().x - width;
            if (excess <= 0) break;
            measure -= tries == 0 ? 0 : excess;
            label->SetLabelText(wxControl::Ellipsize(full, dc, mode, std::max(measure, 1)));
        }
    }
    if (GetSizer()) GetSizer()->Fit(this);
    if (wxSizer* containing = GetContainingSizer()) containing->Layout();
}

int PanelWithHoverActions::GetTextWidth() const
{
    int width = 0;
    for (const wxStaticText* label :
         {static_cast<const wxStaticText*>(m_FirstLabel), static_cast<const wxStaticText*>(m_SecondLabel)})
        if (label->IsShown()) width = std::max(width, label->GetBestSize().x);
    return width;
}

void PanelWithHoverActions::SetBitmapsAccordingToFileNumber(unsigned int number)
{
    static const char* const kPictures[][2] = {{"icon_mru1_std.png", "icon_mru1_hover.png"},
                                               {"icon_mru2_std.png", "icon_mru2_hover.png"},
                                               {"icon_mru3_std.png", "icon_mru3_hover.png"},
                                               {"icon_mru4_std.png", "icon_mru4_hover.png"},
                                               {"icon_open_file_std.png", "icon_open_file_hover.png"}};
    const bool known = number >= 1 && number <= 5;
    m_NormalImage->SetBitmap(GetBitmapResource(known ? kPictures[number - 1][0] : ""));
    m_HoverImage->SetBitmap(GetBitmapResource(known ? kPictures[number - 1][1] : ""));
}

void PanelWithHoverActions::OverrideHoverState(bool on)
{
    m_OwnHover = on;
    wxIdleEvent idle;
    OnIdle(idle);
}

void PanelWithHoverActions::OnNotifiedSomethingInPanelWasClicked()
{
    // Posted, so the click is handled after the mouse event that caused it.
    auto* click = new wxCommandEvent(wxEVT_BUTTON, m_Id);
    click->SetEventObject(this);
    wxQueueEvent(this, click);
}

void PanelWithHoverActions::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    m_NormalImage->ForgetHoverUnlessPointerIsOver();
    m_HoverImage->ForgetHoverUnlessPointerIsOver();
    m_FirstLabel->ForgetHoverUnlessPointerIsOver();
    m_SecondLabel->ForgetHoverUnlessPointerIsOver();
    const bool hovered = m_NormalImage->HasOurHover() || m_HoverImage->HasOurHover() || m_FirstLabel->HasOurHover() ||
                         m_SecondLabel->HasOurHover() || m_OwnHover;
    if (hovered != m_GroupHover) {
        m_FirstLabel->NotifyGroupState(hovered);
        if (hovered) {
            m_NormalImage->SetHover(false);
            m_NormalImage->Hide();
            m_HoverImage->Show();
        } else {
            m_HoverImage->SetHover(false);
            m_HoverImage->Hide();
            m_NormalImage->Show();
        }
        m_IconSizer->Layout();
        Refresh(true);
        Update();
    }
    m_GroupHover = hovered;
}

void PanelWithHoverActions::OnMouseEvent(wxMouseEvent& event)
{
    event.Skip();
    m_OwnHover = !event.Leaving();
    if (event.LeftUp() || event.LeftDClick()) OnNotifiedSomethingInPanelWasClicked();
}

wxBitmap PanelWithHoverActions::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }
wxIcon PanelWithHoverActions::GetIconResource(const wxString&) { return wxNullIcon; }
