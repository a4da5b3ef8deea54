#pragma once
// Event type 320: one film file, its frames drawn on the display as they fall due
// and its sound played through the audio output (GStreamer).

#include "VTSdkFileEventPlugIn.h"

namespace VantrelSDK {

class VTSdkMovieEvent : public VTSdkFileEventPlugIn
{
public:
    VTSdkMovieEvent();
    int GetPlugInID() override { return kMovies; }
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
    bool CanPresentFile(const wxString& path, wxString& problem) override;
};

}  // namespace VantrelSDK
