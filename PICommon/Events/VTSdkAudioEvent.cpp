#include "VTSdkAudioEvent.h"

#include <wx/intl.h>

#include "EventPlugInEntry.h"
#include "Media/MediaPlayer.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"

namespace VantrelSDK {

namespace {

const VTSdkFileEventPlugIn::Strings kStrings = {
    "Sound",
    "Sound Files (*.wav;*.ogg;*.oga;*.mp3;*.flac;*.m4a;*.aac;*.opus)|*.wav;*.ogg;*.oga;*.mp3;*.flac;*.m4a;*.aac;"
    "*.opus|All Files (*.*)|*.*",
    "Select a Sound File"};

class AudioInstance : public VTSdkEventInstance
{
public:
    using VTSdkEventInstance::VTSdkEventInstance;

    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface&, wxString& problem) override
    {
        return VTSdkFileEventPlugIn::CheckFileBasics(stimulus.path, problem) &&
               m_Player.Preroll(stimulus.path, VantrelMedia::Streams::Audio, problem);
    }
    bool IsPrepared(wxString& problem) override { return m_Player.PollPreroll(problem) == 1; }
    unsigned long long StartPresentation(Interface_PresentationSurface&) override { return m_Player.Play(); }
    // The runtime stops the run on a playback error and names the sound itself.
    wxString TakePresentationFailure() override { return m_Player.TakeError(); }
    void StopPresentation() override { m_Player.Stop(); }

private:
    VantrelMedia::MediaPlayer m_Player;
};

}  // namespace

VTSdkAudioEvent::VTSdkAudioEvent() : VTSdkFileEventPlugIn(kStrings) {}

bool VTSdkAudioEvent::CanPresentFile(const wxString& path, wxString& problem)
{
    return CheckFileBasics(path, problem) && VantrelMedia::CheckMediaFile(path, VantrelMedia::Streams::Audio, problem);
}

VTSdkEventInstance* VTSdkAudioEvent::NewEventInstance_CallerMustDelete() { return new AudioInstance(*this); }

}  // namespace VantrelSDK

VTSDK_DEFINE_EVENT_PLUGIN_ENTRY(VantrelSDK::VTSdkAudioEvent)
