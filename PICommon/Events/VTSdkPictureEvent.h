#pragma once
// Event type 300: one picture file, shown at its own size in the middle of the display
// (moved by the event's position), scaled down with its aspect kept only when it is
// larger than the display. Pictures over 64 megapixels (read from the header) are refused.

#include "VTSdkFileEventPlugIn.h"

namespace VantrelSDK {

class VTSdkPictureEvent : public VTSdkFileEventPlugIn
{
public:
    VTSdkPictureEvent();
    int GetPlugInID() override { return kPictures; }
    bool OffersPreviews() override { return true; }
    bool PreviewFileIntoControl(const wxString& path, VTSdkPicturePreviewControl& control) override;
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
    bool CanPresentFile(const wxString& path, wxString& problem) override;

    // Reads the picture (any thread: the image handlers are set up when the plug-in is
    // made); false with `problem` when it is not a readable picture or too large.
    static bool LoadPicture(const wxString& path, wxImage& image, wxString& problem);
};

}  // namespace VantrelSDK
