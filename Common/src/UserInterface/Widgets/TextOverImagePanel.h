#pragma once
// Draws a short text (typically a count) centred over a three-piece badge
// (left cap, stretchable middle, right cap), or a separate "zero" artwork when
// the text is "0". The artwork comes in the kinds "Children" and "Rules".

#include <boost/function.hpp>

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>

struct TextOverImageArtwork
{
    wxBitmap left, middle, right, zero;
};

class TextOverImagePanel : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(TextOverImagePanel);
    wxDECLARE_EVENT_TABLE();

public:
    // Supplies the artwork of a kind; the application installs one that reads
    // the artwork provider of the plug-in support library. Until then plain
    // badges drawn here are used. Empty bitmaps for unknown kinds.
    using ArtworkSource = boost::function<TextOverImageArtwork(const wxString& kind)>;
    static void SetArtworkSource(ArtworkSource source);

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
