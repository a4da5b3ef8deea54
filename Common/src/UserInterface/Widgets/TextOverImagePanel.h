#pragma once
// Draws a short text (typically a count) centred over a three-piece badge
// (left cap, stretchable middle, right cap), or a separate "zero" artwork when
// the text is "0". The artwork, of the kinds "Children" and "Rules", is the
// plug-in support library's badge artwork; other kinds have none and draw nothing.

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>

class TextOverImagePanel : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(TextOverImagePanel);
    wxDECLARE_EVENT_TABLE();

public:
    TextOverImagePanel();
    TextOverImagePanel(const wxString& kind, wxWindow* parent, wxWindowID id = wxID_ANY,
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                       long style = wxTAB_TRAVERSAL);
    ~TextOverImagePanel() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
    void Init() {}
    void CreateControls() {}

    // Repaints at once when the text changed; nothing when it is the same.
    void SetString(wxString newText);
    const wxString& GetString() const { return text_; }

    static bool ShowToolTips();
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);

private:
    void PaintEvent(wxPaintEvent& event);

    wxBitmap leftBitmap_, middleBitmap_, rightBitmap_, zeroBitmap_;
    wxString text_;
};
