#pragma once
// The area on which a file-based event plug-in draws the preview of one stimulus
// file (the file stimulus-list panel and the event plug-in page host it).

#include <wx/bitmap.h>
#include <wx/control.h>

#include "VTPlugInCommon/VTSdkExport.h"

namespace VantrelSDK {

class VTSDK_API VTSdkPicturePreviewControl : public wxControl
{
public:
    VTSdkPicturePreviewControl();
    VTSdkPicturePreviewControl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxSize(160, 120));
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxSize(160, 120));

    // Shows `bitmap` scaled to fit the control (aspect kept); a null bitmap clears it.
    void SetPreview(const wxBitmap& bitmap);
    // Shows a short text instead of a picture (a sound's or film's description).
    void SetPreviewText(const wxString& text);
    void ClearPreview();

    bool HasPreview() const { return m_Bitmap.IsOk(); }
    const wxBitmap& GetPreviewBitmap() const { return m_Bitmap; }
    const wxString& GetPreviewText() const { return m_Text; }

private:
    void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override;

    wxBitmap m_Bitmap;
    wxString m_Text;
};

}  // namespace VantrelSDK
