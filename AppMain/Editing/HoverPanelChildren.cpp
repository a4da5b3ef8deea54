#include "AppMain/Editing/HoverPanelChildren.h"

#include "AppMain/Editing/PanelWithHoverActions.h"

#include <wx/settings.h>
#include <wx/utils.h>

HoverNote::HoverNote(wxWindow* parent) : m_Owner(wxDynamicCast(parent, PanelWithHoverActions)) {}

void HoverNote::Note(wxMouseEvent& event, bool overPart)
{
    event.Skip();
    m_Hover = overPart;
    if (m_Owner && (event.LeftUp() || event.LeftDClick())) m_Owner->OnNotifiedSomethingInPanelWasClicked();
}

void HoverNote::ForgetUnlessPointerIsOver(const wxWindow* part)
{
    if (m_Hover && !(part->IsShownOnScreen() && part->GetScreenRect().Contains(wxGetMousePosition()))) m_Hover = false;
}

wxIMPLEMENT_CLASS(StaticBitmapWithHoverNotification, wxStaticBitmap);
wxBEGIN_EVENT_TABLE(StaticBitmapWithHoverNotification, wxStaticBitmap)
    EVT_MOUSE_EVENTS(StaticBitmapWithHoverNotification::OnMouseEvent)
wxEND_EVENT_TABLE()

StaticBitmapWithHoverNotification::StaticBitmapWithHoverNotification(wxWindow* parent, int id, const wxBitmap& bitmap,
                                                                     const wxPoint& pos, const wxSize& size, long style)
    : m_Note(parent)
{
    Create(parent, id, bitmap, pos, size, style, wxASCII_STR(wxStaticBitmapNameStr));
}

void StaticBitmapWithHoverNotification::OnMouseEvent(wxMouseEvent& event)
{
    // A hidden image keeps no hover: only the one on screen stands for the entry.
    m_Note.Note(event, !event.Leaving() && IsShownOnScreen());
}

wxIMPLEMENT_CLASS(LabelOne, wxStaticText);
wxBEGIN_EVENT_TABLE(LabelOne, wxStaticText)
    EVT_MOUSE_EVENTS(LabelOne::OnMouseEvent)
wxEND_EVENT_TABLE()

LabelOne::LabelOne(wxWindow* parent, int id, const wxString& label, const wxPoint& pos, const wxSize& size, long style)
    : m_Note(parent)
{
    Create(parent, id, label, pos, size, style, wxASCII_STR(wxStaticTextNameStr));
}

void LabelOne::NotifyGroupState(bool hovered)
{
    SetForegroundColour(hovered ? wxColour(0, 0, 255) : wxColour(0, 0, 0));
}

void LabelOne::OnMouseEvent(wxMouseEvent& event) { m_Note.Note(event, !event.Leaving()); }

wxIMPLEMENT_CLASS(LabelTwo, wxStaticText);
wxBEGIN_EVENT_TABLE(LabelTwo, wxStaticText)
    EVT_MOUSE_EVENTS(LabelTwo::OnMouseEvent)
wxEND_EVENT_TABLE()

LabelTwo::LabelTwo(wxWindow* parent, int id, const wxString& label, const wxPoint& pos, const wxSize& size, long style)
    : m_Note(parent)
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

void LabelTwo::OnMouseEvent(wxMouseEvent& event) { m_Note.Note(event, !event.Leaving()); }
