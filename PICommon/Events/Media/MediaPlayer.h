#pragma once
// Sound and film playback with GStreamer for the audio and movie event plug-ins.
//
// One player plays one file once. Preroll() builds the pipeline and lets it decode
// up to its first sample or frame in the background; Play() then starts it at once.
// Callers check that the file exists first. Sound goes to the audio sink that
// AudioSinkDescription() names; film frames come
// back as RGB images for the caller to draw (TakePrerollFrame, TakeNewFrame).
//
// Threads: every call on one thread (the GUI thread during a run); GStreamer's own
// streaming threads stay inside.

#include <wx/image.h>
#include <wx/string.h>

#include <memory>

typedef struct _GstElement GstElement;

namespace VantrelMedia {

enum class Streams
{
    Audio,  // sound only (a film's picture is not decoded)
    Film,   // picture, and the film's sound when it has one
};

// The audio output as a GStreamer bin description: the environment variable
// VANTREL_AUDIO_SINK when set, else "autoaudiosink" (the system's output). Tests use
// a sink that keeps the clock without a sound card, e.g. "fakesink sync=true".
wxString AudioSinkDescription();

// Film frames larger than this are refused, like pictures (64 megapixels): a frame
// is decoded and copied whole, several at a time.
constexpr long long kMaximumFramePixels = 64LL * 1000 * 1000;
bool FrameSizeAllowed(long long width, long long height);
// "its frames are too large (W x H pixels; ...)".
wxString FrameTooLargeProblem(long long width, long long height);

// Starts GStreamer once per process; false (with `problem`) when it cannot.
bool EnsureGStreamer(wxString& problem);

class MediaPlayer
{
public:
    MediaPlayer();
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // Builds the pipeline for `path` and starts prerolling. False with `problem` when
    // the pipeline cannot be made (GStreamer or an element missing, bad sink description).
    bool Preroll(const wxString& path, Streams streams, wxString& problem);
    // 1 prerolled, 0 still going, -1 failed (`problem` filled).
    int PollPreroll(wxString& problem);

    // Film: the first frame, available once prerolled.
    bool TakePrerollFrame(wxImage& frame);
    // Starts output now. Returns the run-timer microseconds at which the first sample
    // is handed to the output, from the pipeline clock, its base time and latency.
    unsigned long long Play();
    // Film: the newest frame the sink has released since the last call; `skipped`
    // counts the older ones released meanwhile that were never taken.
    bool TakeNewFrame(wxImage& frame, unsigned long& skipped);
    // The end of the file was played out.
    bool ReachedEnd();
    // A playback error since the last call, or "".
    wxString TakeError();
    void Stop();

    // The audio sink element in the pipeline (for measurements), or null.
    GstElement* GetAudioSink();

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
};

// Checks that `path` decodes to the needed streams, in bounded time. Callers check
// first that the file exists and may be read (GStreamer's own messages for that are
// less plain).
bool CheckMediaFile(const wxString& path, Streams streams, wxString& problem);

}  // namespace VantrelMedia
