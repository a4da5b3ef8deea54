#include "VTPlugInCommon/VTSdkPicturePreviewControl.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>

namespace VantrelSDK {

VTSdkPicturePreviewControl::VTSdkPicturePreviewControl() {}

VTSdkPicturePreviewControl::VTSdkPicturePreviewControl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                       const wxSize& size)
{
    Create(parent, id, pos, size);
}

bool VTSdkPicturePreviewControl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
{
    if (!wxControl::Create(parent, id, pos, size, wxBORDER_NONE)) return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &VTSdkPicturePreviewControl::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Refresh();
        event.Skip();
    });
    return true;
}

void VTSdkPicturePreviewControl::SetPreview(const wxBitmap& bitmap)
{
    m_Bitmap = bitmap;
    m_Text.clear();
    Refresh();
}

void VTSdkPicturePreviewControl::SetPreviewText(const wxString& text)
{
    m_Bitmap = wxBitmap();
    m_Text = text;
    Refresh();
}

void VTSdkPicturePreviewControl::ClearPreview()
{
    m_Bitmap = wxBitmap();
    m_Text.clear();
    Refresh();
}

wxSize VTSdkPicturePreviewControl::DoGetBestSize() const { return wxSize(160, 120); }

void VTSdkPicturePreviewControl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    const wxSize area = GetClientSize();
    if (m_Bitmap.IsOk() && area.x > 0 && area.y > 0) {
        const double scale =
            std::min(1.0, std::min(double(area.x) / m_Bitmap.GetWidth(), double(area.y) / m_Bitmap.GetHeight()));
        const int w = std::max(1, int(m_Bitmap.GetWidth() * scale)), h = std::max(1, int(m_Bitmap.GetHeight() * scale));
        // Scaled per paint: previews are small and painted rarely.
        const wxBitmap shown =
            scale < 1.0 ? wxBitmap(m_Bitmap.ConvertToImage().Scale(w, h, wxIMAGE_QUALITY_HIGH)) : m_Bitmap;
        dc.DrawBitmap(shown, (area.x - w) / 2, (area.y - h) / 2);
    } else if (!m_Text.empty()) {
        dc.SetTextForeground(GetForegroundColour());
        dc.DrawLabel(m_Text, wxRect(area), wxALIGN_CENTER);
    }
}

}  // namespace VantrelSDK
