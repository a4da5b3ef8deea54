// Sound onset and film presentation, measured through the real playback code.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/MediaBench [--system-output]
//
// Sound: 200 tones, each prerolled, then played; the time from the play request to
// the first sample rendered by the test sink (a sink that keeps the clock without a
// sound card), and the error of the onset the player reports. With --system-output
// (or a sound card present) the same player on the system's output reports the onset
// it computes from the device clock and latency.
// Film: a 30 s 720p film through the movie plug-in onto a window, counting the frames
// drawn, their rate against the film's, and the frames dropped.
// Large picture: while an event runs, the picture plug-in prepares the next stimulus,
// a 54-megapixel JPEG; how long the GUI thread is held (the call that starts the
// preparation, and the longest gap between two turns of the loop until the picture is
// decoded and scaled), and the bitmap made from it afterwards, before its own onset.

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gst/base/gstbasesink.h>
#include <gst/gst.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Media/MediaPlayer.h"
#include "MediaTestSupport.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"

#include <gtest/gtest.h>

namespace {

double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size() - 1) + 0.5));
    return values[index];
}

void Report(const char* what, const std::vector<double>& values)
{
    std::printf("%-46s n=%zu  p50=%.3f  p99=%.3f  max=%.3f ms\n", what, values.size(), Percentile(values, 50),
                Percentile(values, 99), values.empty() ? 0.0 : *std::max_element(values.begin(), values.end()));
}

void PumpOnce()
{
    if (wxTheApp) wxTheApp->ProcessPendingEvents();
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        if (loop->Pending())
            loop->Dispatch();
        else
            loop->DispatchTimeout(1);
    }
}

bool Prerolled(VantrelMedia::MediaPlayer& player)
{
    wxString problem;
    wxStopWatch watch;
    int state = 0;
    while ((state = player.PollPreroll(problem)) == 0 && watch.Time() < 5000) wxMilliSleep(1);
    if (state != 1) std::printf("preroll failed: %s\n", problem.utf8_str().data());
    return state == 1;
}

// A window that counts the frames drawn on it.
class CountingSurface : public wxFrame, public VantrelSDK::Interface_PresentationSurface
{
public:
    CountingSurface() : wxFrame(nullptr, wxID_ANY, "Media Bench", wxPoint(0, 0), wxSize(1280, 720), wxBORDER_NONE)
    {
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            if (m_Bitmap.IsOk()) dc.DrawBitmap(m_Bitmap, 0, 0);
        });
    }
    wxSize GetSurfaceSize() const override { return GetClientSize(); }
    void ShowBlank() override {}
    void ShowText(const wxString&) override {}
    void ShowBitmap(const wxBitmap& bitmap) override { m_Bitmap = bitmap; }
    void PaintNow() override
    {
        Refresh(false);
        Update();
        drawn.push_back(Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds());
    }
    std::vector<unsigned long long> drawn;

private:
    wxBitmap m_Bitmap;
};

}  // namespace

TEST(MediaBench, SoundOnsetAndFilmFrameRate)
{
    MediaTest::Init();
    const wxString folder = TestSupport::MakeTempFolder("bench");
    const wxString tone = folder + "/tone.wav";
    ASSERT_TRUE(MediaTest::MakeTone(tone, 100, "wav"));
    Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
    timer.Reset();

    // ---- Sound onset on the test sink.
    wxSetEnv("VANTREL_AUDIO_SINK", MediaTest::RecordingSinkDescription());
    std::vector<double> toFirstSample, reportedError;
    for (int i = 0; i < 200; ++i) {
        MediaTest::ClearSinkRecords();
        VantrelMedia::MediaPlayer player;
        wxString problem;
        ASSERT_TRUE(player.Preroll(tone, VantrelMedia::Streams::Audio, problem)) << problem;
        ASSERT_TRUE(Prerolled(player));
        const unsigned long long requested = timer.GetElapsedMicroseconds();
        const unsigned long long reported = player.Play();
        wxStopWatch watch;
        while (MediaTest::SinkRecords().empty() && watch.Time() < 2000) wxMicroSleep(50);
        ASSERT_FALSE(MediaTest::SinkRecords().empty());
        const unsigned long long rendered = MediaTest::SinkRecords()[0].firstRenderMicroseconds;
        toFirstSample.push_back(double(rendered - requested) / 1000.0);
        reportedError.push_back(std::abs(double(rendered) - double(reported)) / 1000.0);
        player.Stop();
    }
    std::printf("\nSound (test sink: %s)\n", MediaTest::RecordingSinkDescription().utf8_str().data());
    Report("request to first sample at the sink", toFirstSample);
    Report("|reported onset - first sample|", reportedError);

    // ---- The system's own output, when there is one.
    wxUnsetEnv("VANTREL_AUDIO_SINK");
    {
        VantrelMedia::MediaPlayer player;
        wxString problem;
        bool present = player.Preroll(tone, VantrelMedia::Streams::Audio, problem) && Prerolled(player);
        GstElement* sink = player.GetAudioSink();
        gchar* name = nullptr;
        if (present && sink && GST_IS_BIN(sink)) {
            // autoaudiosink names its chosen child after the real sink's factory.
            GstIterator* children = gst_bin_iterate_recurse(GST_BIN(sink));
            GValue item = G_VALUE_INIT;
            while (gst_iterator_next(children, &item) == GST_ITERATOR_OK) {
                GstElementFactory* factory = gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
                if (factory && GST_IS_BASE_SINK(g_value_get_object(&item))) {
                    g_free(name);
                    name = g_strdup(gst_plugin_feature_get_name(factory));
                }
                g_value_reset(&item);
            }
            gst_iterator_free(children);
        }
        const bool real = present && name && !g_str_has_prefix(name, "fake");
        std::printf("\nSystem output: %s\n", real ? name : "none on this machine (no sound device)");
        if (real) {
            std::vector<double> computed;
            for (int i = 0; i < 50; ++i) {
                VantrelMedia::MediaPlayer p;
                if (!p.Preroll(tone, VantrelMedia::Streams::Audio, problem) || !Prerolled(p)) break;
                const unsigned long long requested = timer.GetElapsedMicroseconds();
                computed.push_back(double(p.Play() - requested) / 1000.0);
                wxMilliSleep(120);
            }
            Report("request to computed device onset", computed);
        }
        g_free(name);
    }

    // ---- Film: 30 s of 720p at 30 frames per second through the movie plug-in.
    const wxString film = folder + "/film.webm";
    wxString error;
    ASSERT_TRUE(MediaTest::RunPipeline(
        "videotestsrc pattern=ball num-buffers=900 ! video/x-raw,width=1280,height=720,framerate=30/1 ! "
        "videoconvert ! vp8enc deadline=1 cpu-used=8 ! webmmux ! filesink location=\"" +
            film + "\"",
        error))
        << error;
    Vantrel::VTPlugIn::EnsureEventPlugInsLoaded();
    VantrelSDK::VTSdkEventPlugin* movies = Vantrel::VTPlugIn::GetSdkBaseEventPtr(320);
    ASSERT_NE(movies, nullptr);
    auto* surface = new CountingSurface;
    surface->Show();
    VantrelSDK::VTSdkEventInstance* instance = movies->NewEventInstance_CallerMustDelete();
    VantrelSDK::VTSdkStimulus stimulus;
    stimulus.path = film;
    wxString problem;
    ASSERT_TRUE(instance->PrepareStimulus(stimulus, *surface, problem)) << problem;
    wxStopWatch wait;
    while (!instance->IsPrepared(problem) && wait.Time() < 10000) PumpOnce();
    const unsigned long long onset = instance->StartPresentation(*surface);
    while (timer.GetElapsedMicroseconds() < onset + 30500000ULL) {
        instance->OnTick(*surface, timer.GetElapsedMicroseconds());
        PumpOnce();
    }
    instance->StopPresentation();
    const std::vector<unsigned long long>& drawn = surface->drawn;
    const double seconds = drawn.size() > 1 ? double(drawn.back() - drawn.front()) / 1e6 : 0;
    const double rate = seconds > 0 ? double(drawn.size() - 1) / seconds : 0;
    std::vector<double> gaps;
    for (size_t i = 1; i < drawn.size(); ++i) gaps.push_back(double(drawn[i] - drawn[i - 1]) / 1000.0);
    std::printf("\nFilm 1280x720, 30 fps, 900 frames\n");
    std::printf("frames drawn %zu, dropped %lu, presented rate %.3f fps (%.2f %% off the film's)\n", drawn.size(),
                instance->GetDroppedFrameCount(), rate, std::abs(rate - 30.0) / 30.0 * 100.0);
    Report("gap between drawn frames", gaps);
    movies->DeleteEventInstance(instance);
    surface->Destroy();
}

TEST(MediaBench, RunningEventWhileALargePictureIsPrepared)
{
    const wxString folder = TestSupport::MakeTempFolder("bench");
    const wxString path = folder + "/large.jpg";
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxInitAllImageHandlers();
    {
        wxImage large(9000, 6000);
        unsigned char* data = large.GetData();
        for (size_t i = 0; i < size_t(9000) * 6000 * 3; ++i) data[i] = static_cast<unsigned char>(i * 7919 >> 3);
        ASSERT_TRUE(large.SaveFile(path, wxBITMAP_TYPE_JPEG));
    }
    Vantrel::VTPlugIn::EnsureEventPlugInsLoaded();
    VantrelSDK::VTSdkEventPlugin* pictures = Vantrel::VTPlugIn::GetSdkBaseEventPtr(300);
    ASSERT_NE(pictures, nullptr);
    auto* surface = new CountingSurface;
    surface->SetSize(1920, 1080);
    surface->Show();
    Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
    std::vector<double> startCall, longestGap, bitmapMs, decodeMs;
    for (int i = 0; i < 10; ++i) {
        VantrelSDK::VTSdkEventInstance* instance = pictures->NewEventInstance_CallerMustDelete();
        VantrelSDK::VTSdkStimulus stimulus;
        stimulus.path = path;
        wxString problem;
        const unsigned long long begin = timer.GetElapsedMicroseconds();
        ASSERT_TRUE(instance->PrepareStimulus(stimulus, *surface, problem)) << problem;
        unsigned long long last = timer.GetElapsedMicroseconds();
        startCall.push_back(double(last - begin) / 1000.0);
        // The running event's loop: it turns until the decode is done; the call that
        // finds it done also makes the bitmap, which the runtime does after the event ends.
        double gap = 0;
        for (;;) {
            const unsigned long long before = timer.GetElapsedMicroseconds();
            const bool ready = instance->IsPrepared(problem);
            const unsigned long long after = timer.GetElapsedMicroseconds();
            if (ready) {
                bitmapMs.push_back(double(after - before) / 1000.0);
                decodeMs.push_back(double(before - begin) / 1000.0);
                break;
            }
            ASSERT_TRUE(problem.empty()) << problem;
            PumpOnce();
            const unsigned long long now = timer.GetElapsedMicroseconds();
            gap = std::max(gap, double(now - last) / 1000.0);
            last = now;
        }
        longestGap.push_back(gap);
        pictures->DeleteEventInstance(instance);
    }
    // The same loop with nothing being prepared, as long as one decode took: what the
    // machine's load alone does to it.
    std::vector<double> baseline;
    for (int i = 0; i < 3; ++i) {
        const unsigned long long end = timer.GetElapsedMicroseconds() +
                                       static_cast<unsigned long long>(decodeMs.empty() ? 1000.0 : decodeMs[0] * 1000);
        unsigned long long last = timer.GetElapsedMicroseconds();
        double gap = 0;
        while (last < end) {
            PumpOnce();
            const unsigned long long now = timer.GetElapsedMicroseconds();
            gap = std::max(gap, double(now - last) / 1000.0);
            last = now;
        }
        baseline.push_back(gap);
    }
    std::printf("\nLarge picture 9000x6000 JPEG prepared while an event runs (display 1920x1080)\n");
    Report("start of the preparation (GUI thread)", startCall);
    Report("longest GUI loop gap while it decodes", longestGap);
    Report("longest GUI loop gap, nothing prepared", baseline);
    Report("decode and scale (background)", decodeMs);
    Report("bitmap before the onset (GUI thread)", bitmapMs);
    surface->Destroy();
}
