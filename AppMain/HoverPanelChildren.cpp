#include "AppMain/HoverPanelChildren.h"

#include "AppMain/PanelWithHoverActions.h"

#include <wx/settings.h>
#include <wx/utils.h>

namespace {

PanelWithHoverActions* OwnerOf(wxWindow* parent) { return wxDynamicCast(parent, PanelWithHoverActions); }

bool IsClick(const wxMouseEvent& event) { return event.LeftUp() || event.LeftDClick(); }

// What every part does with a mouse event: remember whether the mouse is over
// it and pass left clicks on to the entry.
void NoteMouse(wxMouseEvent& event, bool& hover, bool overUs, PanelWithHoverActions* owner)
{
    event.Skip();
    hover = overUs;
    if (owner && IsClick(event)) owner->OnNotifiedSomethingInPanelWasClicked();
}

void ForgetHoverUnlessPointerIsOver(const wxWindow* part, bool& hover)
{
    if (hover && !(part->IsShownOnScreen() && part->GetScreenRect().Contains(wxGetMousePosition()))) hover = false;
}

}  // namespace

wxIMPLEMENT_CLASS(StaticBitmapWithHoverNotification, wxStaticBitmap);
wxBEGIN_EVENT_TABLE(StaticBitmapWithHoverNotification, wxStaticBitmap)
    EVT_MOUSE_EVENTS(StaticBitmapWithHoverNotification::OnMouseEvent)
wxEND_EVENT_TABLE()

StaticBitmapWithHoverNotification::StaticBitmapWithHoverNotification(wxWindow* parent, int id, const wxBitmap& bitmap,
                                                                     const wxPoint& pos, const wxSize& size, long style)
    : m_Owner(OwnerOf(parent))
{
    Create(parent, id, bitmap, pos, size, style, wxASCII_STR(wxStaticBitmapNameStr));
}

void StaticBitmapWithHoverNotification::ForgetHoverUnlessPointerIsOver()
{
    ::ForgetHoverUnlessPointerIsOver(this, m_Hover);
}

void StaticBitmapWithHoverNotification::OnMouseEvent(wxMouseEvent& event)
{
    // A hidden image keeps no hover: only the one on screen stands for the entry.
    NoteMouse(event, m_Hover, !event.Leaving() && IsShownOnScreen(), m_Owner);
}

wxIMPLEMENT_CLASS(LabelOne, wxStaticText);
wxBEGIN_EVENT_TABLE(LabelOne, wxStaticText)
    EVT_MOUSE_EVENTS(LabelOne::OnMouseEvent)
wxEND_EVENT_TABLE()

LabelOne::LabelOne(wxWindow* parent, int id, const wxString& label, const wxPoint& pos, const wxSize& size, long style)
    : m_Owner(OwnerOf(parent))
{
    Create(parent, id, label, pos, size, style, wxASCII_STR(wxStaticTextNameStr));
}

void LabelOne::NotifyGroupState(bool hovered)
{
    SetForegroundColour(hovered ? wxColour(0, 0, 255) : wxColour(0, 0, 0));
}

void LabelOne::ForgetHoverUnlessPointerIsOver() { ::ForgetHoverUnlessPointerIsOver(this, m_Hover); }

void LabelOne::OnMouseEvent(wxMouseEvent& event) { NoteMouse(event, m_Hover, !event.Leaving(), m_Owner); }

wxIMPLEMENT_CLASS(LabelTwo, wxStaticText);
wxBEGIN_EVENT_TABLE(LabelTwo, wxStaticText)
    EVT_MOUSE_EVENTS(LabelTwo::OnMouseEvent)
wxEND_EVENT_TABLE()

LabelTwo::LabelTwo(wxWindow* parent, int id, const wxString& label, const wxPoint& pos, const wxSize& size, long style)
    : m_Owner(OwnerOf(parent))
{
    Create(parent, id, label, pos, size, style, wxASCII_STR(wxStaticTextNameStr));
    CreateControls();
}

wxFont LabelTwo::SmallFont()
{
    const wxFont base = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    return wxFont(static_cast<int>(base.GetPointSize() * 0.95), base.GetFamily(), base.GetStyle(), base.GetWeight(),
                  base.GetUnderlined(), base.GetFaceName());
}

void LabelTwo::CreateControls()
{
    SetForegroundColour(wxColour(80, 80, 80));
    SetFont(SmallFont());
}

void LabelTwo::ForgetHoverUnlessPointerIsOver() { ::ForgetHoverUnlessPointerIsOver(this, m_Hover); }

void LabelTwo::OnMouseEvent(wxMouseEvent& event) { NoteMouse(event, m_Hover, !event.Leaving(), m_Owner); }
