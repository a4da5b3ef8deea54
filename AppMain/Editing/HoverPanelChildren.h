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

// What each part keeps: its entry (the parent, when that is a hover entry) and
// whether the mouse is over the part.
class HoverNote
{
public:
    explicit HoverNote(wxWindow* parent);
    bool IsOn() const { return m_Hover; }
    void Set(bool hover) { m_Hover = hover; }
    // Notes whether the mouse is over the part and passes left clicks (release
    // or double click) on to the entry; the event goes on to other handlers.
    void Note(wxMouseEvent& event, bool overPart);
    void ForgetUnlessPointerIsOver(const wxWindow* part);

private:
    PanelWithHoverActions* m_Owner;
    bool m_Hover = false;
};

class StaticBitmapWithHoverNotification : public wxStaticBitmap
{
    wxDECLARE_CLASS(StaticBitmapWithHoverNotification);
    wxDECLARE_EVENT_TABLE();

public:
    StaticBitmapWithHoverNotification(wxWindow* parent, int id, const wxBitmap& bitmap,
                                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                      long style = 0);

    bool HasOurHover() const { return m_Note.IsOn(); }
    void ForgetHoverUnlessPointerIsOver() { m_Note.ForgetUnlessPointerIsOver(this); }
    void SetHover(bool hover) { m_Note.Set(hover); }
    void NotifyGroupState(bool) {}

private:
    void OnMouseEvent(wxMouseEvent& event);

    HoverNote m_Note;
};

// The first line: turns blue while its entry is lit.
class LabelOne : public wxStaticText
{
    wxDECLARE_CLASS(LabelOne);
    wxDECLARE_EVENT_TABLE();

public:
    LabelOne(wxWindow* parent, int id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0);

    bool HasOurHover() const { return m_Note.IsOn(); }
    void ForgetHoverUnlessPointerIsOver() { m_Note.ForgetUnlessPointerIsOver(this); }
    void NotifyGroupState(bool hovered);

private:
    void OnMouseEvent(wxMouseEvent& event);

    HoverNote m_Note;
};

// The second line: grey, in a slightly smaller font.
class LabelTwo : public wxStaticText
{
    wxDECLARE_CLASS(LabelTwo);
    wxDECLARE_EVENT_TABLE();

public:
    LabelTwo(wxWindow* parent, int id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = 0);

    bool HasOurHover() const { return m_Note.IsOn(); }
    void ForgetHoverUnlessPointerIsOver() { m_Note.ForgetUnlessPointerIsOver(this); }
    void NotifyGroupState(bool) {}

    // The second line's font: the default GUI font at 0.95 of its size.
    static wxFont SmallFont();

private:
    void CreateControls();
    void OnMouseEvent(wxMouseEvent& event);

    HoverNote m_Note;
};
