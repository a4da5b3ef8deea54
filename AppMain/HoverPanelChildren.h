#pragma once
// The parts of a PanelWithHoverActions entry: its two icon images and its two
// lines of text. Each only records whether the mouse is over it and reports
// left clicks to its owner, the entry it was created in; the entry combines
// the parts' states into one look.
//
// The text lines have no window of their own under GTK and are sent no event
// when the mouse leaves them; ForgetHoverUnlessPointerIsOver lets the entry
// drop a hover that the pointer has left.

#include <wx/statbmp.h>
#include <wx/stattext.h>

class PanelWithHoverActions;

class StaticBitmapWithHoverNotification : public wxStaticBitmap
{
    wxDECLARE_CLASS(StaticBitmapWithHoverNotification);
    wxDECLARE_EVENT_TABLE();

public:
    StaticBitmapWithHoverNotification(wxWindow* parent, int id, const wxBitmap& bitmap,
                                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                      long style = 0);

    bool HasOurHover() const { return m_Hover; }
    void ForgetHoverUnlessPointerIsOver();
    void SetHover(bool hover) { m_Hover = hover; }
    void NotifyGroupState(bool) {}

private:
    void OnMouseEvent(wxMouseEvent& event);

    PanelWithHoverActions* m_Owner = nullptr;
    bool m_Hover = false;
};

// The first line: turns blue while its entry is lit.
class LabelOne : public wxStaticText
{
    wxDECLARE_CLASS(LabelOne);
    wxDECLARE_EVENT_TABLE();

public:
    LabelOne(wxWindow* parent, int id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0);

    bool HasOurHover() const { return m_Hover; }
    void ForgetHoverUnlessPointerIsOver();
    void NotifyGroupState(bool hovered);

private:
    void OnMouseEvent(wxMouseEvent& event);

    PanelWithHoverActions* m_Owner = nullptr;
    bool m_Hover = false;
};

// The second line: grey, in a slightly smaller font.
class LabelTwo : public wxStaticText
{
    wxDECLARE_CLASS(LabelTwo);
    wxDECLARE_EVENT_TABLE();

public:
    LabelTwo(wxWindow* parent, int id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0);

    bool HasOurHover() const { return m_Hover; }
    void ForgetHoverUnlessPointerIsOver();
    void NotifyGroupState(bool) {}

    // The second line's font: the default GUI font at 0.95 of its size.
    static wxFont SmallFont();

private:
    void CreateControls();
    void OnMouseEvent(wxMouseEvent& event);

    PanelWithHoverActions* m_Owner = nullptr;
    bool m_Hover = false;
};
