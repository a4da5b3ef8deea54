#include "VTSdkMovieEvent.h"

#include <wx/bitmap.h>
#include <wx/intl.h>

#include "EventPlugInEntry.h"
#include "Media/MediaPlayer.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"

namespace VantrelSDK {

namespace {

const VTSdkFileEventPlugIn::Strings kStrings = {
    "Movie",
    "Movies (*.webm;*.mp4;*.m4v;*.mov;*.mkv;*.avi;*.ogv;*.mpg;*.mpeg)|*.webm;*.mp4;*.m4v;*.mov;*.mkv;*.avi;*.ogv;"
    "*.mpg;*.mpeg|All Files (*.*)|*.*",
    "Select a Movie File"};

class MovieInstance : public VTSdkEventInstance
{
public:
    using VTSdkEventInstance::VTSdkEventInstance;

    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface& surface,
                         wxString& problem) override
    {
        m_Area = surface.GetSurfaceSize();
        return VTSdkFileEventPlugIn::CheckFileBasics(stimulus.path, problem) &&
               m_Player.Preroll(stimulus.path, VantrelMedia::Streams::Film, problem);
    }

    bool IsPrepared(wxString& problem) override
    {
        if (m_First.IsOk()) return true;
        if (m_Player.PollPreroll(problem) != 1) return false;
        if (!m_Player.TakePrerollFrame(m_Frame)) {
            problem = "its first frame could not be decoded (or is larger than a frame may be)";
            return false;
        }
        m_First = ToBitmap(m_Frame);
        return true;
    }

    // The prerolled first frame goes up at once; the film then plays on from it.
    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override
    {
        surface.ShowBitmap(m_First);
        surface.PaintNow();
        const unsigned long long onset = Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
        m_Player.Play();
        return onset;
    }

    void OnTick(Interface_PresentationSurface& surface, unsigned long long) override
    {
        unsigned long skipped = 0;
        if (m_Player.TakeNewFrame(m_Frame, skipped)) {
            m_Dropped += skipped;
            surface.ShowBitmap(ToBitmap(m_Frame));
            surface.PaintNow();
        }
    }
    // The runtime stops the run on a playback error and names the film itself.
    wxString TakePresentationFailure() override { return m_Player.TakeError(); }

    void StopPresentation() override { m_Player.Stop(); }
    unsigned long GetDroppedFrameCount() const override { return m_Dropped; }

private:
    wxBitmap ToBitmap(const wxImage& frame) const
    {
        return wxBitmap(FitInto(frame, m_Area, false, wxIMAGE_QUALITY_NORMAL));
    }

    VantrelMedia::MediaPlayer m_Player;
    wxSize m_Area;
    wxImage m_Frame;
    wxBitmap m_First;
    unsigned long m_Dropped = 0;
};

}  // namespace

VTSdkMovieEvent::VTSdkMovieEvent() : VTSdkFileEventPlugIn(kStrings) {}

bool VTSdkMovieEvent::CanPresentFile(const wxString& path, wxString& problem)
{
    return CheckFileBasics(path, problem) && VantrelMedia::CheckMediaFile(path, VantrelMedia::Streams::Film, problem);
}

VTSdkEventInstance* VTSdkMovieEvent::NewEventInstance_CallerMustDelete() { return new MovieInstance(*this); }

}  // namespace VantrelSDK

VTSDK_DEFINE_EVENT_PLUGIN_ENTRY(VantrelSDK::VTSdkMovieEvent)
