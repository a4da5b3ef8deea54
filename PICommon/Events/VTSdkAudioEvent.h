#pragma once
// Event type 311: one sound file, played through the audio output (GStreamer). The
// display keeps what it showed.

#include "VTSdkFileEventPlugIn.h"

namespace VantrelSDK {

class VTSdkAudioEvent : public VTSdkFileEventPlugIn
{
public:
    VTSdkAudioEvent();
    int GetPlugInID() override { return kAudio; }
    bool PresentsVisually() override { return false; }
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
    bool CanPresentFile(const wxString& path, wxString& problem) override;
};

}  // namespace VantrelSDK
