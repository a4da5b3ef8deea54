#pragma once
// Event type 300: one picture file, scaled to fill the display with its aspect kept.

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

    // Reads the picture; false with `problem` when it is not a readable picture.
    static bool LoadPicture(const wxString& path, wxImage& image, wxString& problem);
};

}  // namespace VantrelSDK
