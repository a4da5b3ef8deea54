#pragma once
// Test media made with GStreamer itself, a recording audio sink that keeps the
// clock without a sound card, and pixels read back from the X server.

#include <wx/colour.h>
#include <wx/string.h>

#include <vector>

namespace MediaTest {

// Starts GStreamer in the test process (before any plug-in does) and registers
// the recording sink. Call once per process; later calls do nothing.
void Init();

// A 440 Hz sine tone, mono, 44.1 kHz, `ms` long, as WAV ("wav") or Ogg Vorbis ("ogg").
bool MakeTone(const wxString& path, int ms, const wxString& container);
// A WebM (VP8) film, width x height at `fps`, showing each videotestsrc pattern of
// `patterns` ("red", "green", "blue", ...) for `framesEach` frames in turn.
bool MakeFilm(const wxString& path, const std::vector<wxString>& patterns, int framesEach, int width, int height,
              int fps);
// Runs a gst-launch style pipeline to its end (bounded); false with `error`.
bool RunPipeline(const wxString& description, wxString& error);

// The audio output description that routes sound into the recording sink.
wxString RecordingSinkDescription();

// What one recording sink received.
struct SinkRecord
{
    unsigned long long firstRenderMicroseconds = 0;  // run timer, when its first buffer was rendered
    unsigned long long lastRenderMicroseconds = 0;
    unsigned long long samples = 0;  // at 44.1 kHz, mono
    int peak = 0;                    // largest absolute sample
};
// One record per sink that rendered anything, in the order they were made.
std::vector<SinkRecord> SinkRecords();
void ClearSinkRecords();

// The colour the X server shows at (x, y) of the root window.
wxColour ReadScreenPixel(int x, int y);

}  // namespace MediaTest
