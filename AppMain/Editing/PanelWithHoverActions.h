#pragma once
// A clickable list entry of the welcome dialog: an icon and two lines of text
// that light up together while the mouse is over any of them (hover icon,
// blue first line). A left click on any part reaches the entry's parent as a
// button event carrying the entry's window identifier, so the parent treats
// the entry like a button.

#include <wx/panel.h>

class wxBoxSizer;
class StaticBitmapWithHoverNotification;
class LabelOne;
class LabelTwo;

class PanelWithHoverActions : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(PanelWithHoverActions);
    wxDECLARE_EVENT_TABLE();

public:
    PanelWithHoverActions() { Init(); }
    PanelWithHoverActions(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                          const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    // Shows `first` on the first line and `second` on the second (an empty
    // second text hides that line for good); `tooltip` becomes the tooltip and
    // the file name the entry stands for. The entry must be in a sizer.
    void SetTextLabelsAndTooltip(wxString first, wxString second, wxString tooltip);
    wxString GetFullFilenameFromPanel() const { return m_FullFilename; }
    // Shortens a line wider than `width` pixels to that width: the first line
    // loses its end, the second (a folder) its middle; "..." marks the cut.
    void LimitTextWidth(int width);
    // The width of the wider shown line, in pixels.
    int GetTextWidth() const;
    // 1 to 4: the numbered recent-file icons; 5: the open-file icon.
    void SetBitmapsAccordingToFileNumber(unsigned int number);
    // Forces the lit look on or off at once, painted before this returns.
    void OverrideHoverState(bool on);
    void OnNotifiedSomethingInPanelWasClicked();

    bool IsLit() const { return m_GroupHover; }
    StaticBitmapWithHoverNotification* GetNormalImage() const { return m_NormalImage; }
    StaticBitmapWithHoverNotification* GetHoverImage() const { return m_HoverImage; }
    LabelOne* GetFirstLabel() const { return m_FirstLabel; }
    LabelTwo* GetSecondLabel() const { return m_SecondLabel; }

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

private:
    void OnIdle(wxIdleEvent& event);
    void OnMouseEvent(wxMouseEvent& event);

    wxBoxSizer* m_IconSizer;
    StaticBitmapWithHoverNotification* m_NormalImage;
    StaticBitmapWithHoverNotification* m_HoverImage;
    LabelOne* m_FirstLabel;
    LabelTwo* m_SecondLabel;
    bool m_GroupHover;
    bool m_OwnHover;
    int m_Id = wxID_ANY;
    wxString m_FullFilename;
};
