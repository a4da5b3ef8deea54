#include "MediaPlayer.h"

#include <wx/utils.h>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>
#include <gst/video/video.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "VTPlugInCommon/VTTimer.h"

namespace VantrelMedia {

namespace {

// playbin's flags (GstPlayFlags): what it decodes and renders.
constexpr guint kPlayVideo = 1u << 0;
constexpr guint kPlayAudio = 1u << 1;
constexpr guint kPlaySoftVolume = 1u << 4;

wxString FromUtf8(const char* text) { return text ? wxString::FromUTF8(text) : wxString(); }

wxString FileUri(const wxString& path, wxString& problem)
{
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.utf8_str(), &error);
    if (!uri) {
        problem = error ? FromUtf8(error->message) : wxString("the path cannot be made into a URI");
        if (error) g_error_free(error);
        return wxString();
    }
    const wxString result = FromUtf8(uri);
    g_free(uri);
    return result;
}

bool SampleToImage(GstSample* sample, wxImage& image, GstClockTime* ptsOrNull)
{
    GstVideoInfo info;
    if (!sample || !gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) return false;
    // A frame beyond the limit is never copied (CheckMediaFile refuses such films first).
    if (!FrameSizeAllowed(info.width, info.height)) return false;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    GstVideoFrame frame;
    if (!buffer || !gst_video_frame_map(&frame, &info, buffer, GST_MAP_READ)) return false;
    const int width = GST_VIDEO_FRAME_WIDTH(&frame), height = GST_VIDEO_FRAME_HEIGHT(&frame);
    const int stride = GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0);
    const auto* source = static_cast<const unsigned char*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0));
    if (!image.IsOk() || image.GetWidth() != width || image.GetHeight() != height) image.Create(width, height, false);
    unsigned char* target = image.GetData();
    for (int y = 0; y < height; ++y)
        memcpy(target + size_t(y) * size_t(width) * 3, source + size_t(y) * size_t(stride), size_t(width) * 3);
    if (ptsOrNull) *ptsOrNull = GST_BUFFER_PTS(buffer);
    gst_video_frame_unmap(&frame);
    return true;
}

}  // namespace

bool FrameSizeAllowed(long long width, long long height)
{
    return width > 0 && height > 0 && width * height <= kMaximumFramePixels;
}

wxString FrameTooLargeProblem(long long width, long long height)
{
    return wxString::Format("its frames are too large (%lld x %lld pixels; at most %lld megapixels are shown)", width,
                            height, kMaximumFramePixels / 1000000);
}

wxString AudioSinkDescription()
{
    wxString description;
    if (wxGetEnv("VANTREL_AUDIO_SINK", &description) && !description.Trim().Trim(false).empty()) return description;
    return "autoaudiosink";
}

bool EnsureGStreamer(wxString& problem)
{
    static std::once_flag once;
    static bool ok = false;
    static wxString why;
    std::call_once(once, [] {
        GError* error = nullptr;
        ok = gst_init_check(nullptr, nullptr, &error);
        if (!ok) why = error ? FromUtf8(error->message) : wxString("GStreamer could not be started");
        if (error) g_error_free(error);
    });
    if (!ok) problem = why;
    return ok;
}

struct MediaPlayer::Impl
{
    GstElement* pipeline = nullptr;
    GstElement* audioSink = nullptr;  // owned by the pipeline
    GstElement* frameSink = nullptr;  // appsink, owned by the pipeline
    bool ended = false;
    Streams streams = Streams::Audio;
    // Buffers that reached the audio output (counted on GStreamer's streaming thread).
    std::atomic<unsigned long> audioBuffers{0};
    wxString error;
    GstClockTime shownPts = GST_CLOCK_TIME_NONE;

    ~Impl() { Release(); }

    void Release()
    {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
        }
        pipeline = audioSink = frameSink = nullptr;
    }

    // Takes the messages that matter off the bus.
    void DrainBus()
    {
        if (!pipeline) return;
        GstBus* bus = gst_element_get_bus(pipeline);
        while (GstMessage* message = gst_bus_pop_filtered(bus, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS))) {
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
                ended = true;
            } else if (error.empty()) {
                GError* gerror = nullptr;
                gst_message_parse_error(message, &gerror, nullptr);
                error = gerror ? FromUtf8(gerror->message) : wxString("playback failed");
                if (gerror) g_error_free(gerror);
            }
            gst_message_unref(message);
        }
        gst_object_unref(bus);
    }
};

MediaPlayer::MediaPlayer() : m_Impl(new Impl) {}
MediaPlayer::~MediaPlayer() {}

bool MediaPlayer::Preroll(const wxString& path, Streams streams, wxString& problem)
{
    m_Impl->Release();
    if (!EnsureGStreamer(problem)) return false;
    const wxString uri = FileUri(path, problem);
    if (uri.empty()) return false;

    GstElement* pipeline = gst_element_factory_make("playbin", nullptr);
    if (!pipeline) {
        problem = "the GStreamer element \"playbin\" is not installed";
        return false;
    }
    m_Impl->pipeline = GST_ELEMENT(gst_object_ref_sink(pipeline));

    GError* error = nullptr;
    GstElement* audioSink = gst_parse_bin_from_description(AudioSinkDescription().utf8_str(), TRUE, &error);
    if (!audioSink) {
        problem = wxString::Format("the audio output \"%s\" cannot be made: %s", AudioSinkDescription(),
                                   error ? FromUtf8(error->message) : wxString("unknown error"));
        if (error) g_error_free(error);
        m_Impl->Release();
        return false;
    }
    if (error) g_error_free(error);
    m_Impl->audioSink = audioSink;
    m_Impl->streams = streams;
    m_Impl->audioBuffers = 0;
    if (GstPad* pad = gst_element_get_static_pad(audioSink, "sink")) {
        gst_pad_add_probe(
            pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
            [](GstPad*, GstPadProbeInfo*, gpointer counter) {
                ++*static_cast<std::atomic<unsigned long>*>(counter);
                return GST_PAD_PROBE_OK;
            },
            &m_Impl->audioBuffers, nullptr);
        gst_object_unref(pad);
    }

    guint flags = kPlayAudio | kPlaySoftVolume;
    if (streams == Streams::Film) {
        flags |= kPlayVideo;
        GstElement* frameSink = gst_element_factory_make("appsink", nullptr);
        if (!frameSink) {
            problem = "the GStreamer element \"appsink\" is not installed";
            gst_object_unref(audioSink);
            m_Impl->Release();
            return false;
        }
        GstCaps* caps = gst_caps_from_string("video/x-raw,format=RGB,pixel-aspect-ratio=1/1");
        // Frames are released at their presentation time and wait for the GUI thread.
        g_object_set(frameSink, "caps", caps, "sync", TRUE, "max-buffers", 64u, "drop", FALSE, "enable-last-sample",
                     FALSE, nullptr);
        gst_caps_unref(caps);
        g_object_set(m_Impl->pipeline, "video-sink", frameSink, nullptr);
        m_Impl->frameSink = frameSink;
    }
    g_object_set(m_Impl->pipeline, "uri", static_cast<const char*>(uri.utf8_str()), "audio-sink", audioSink, "flags",
                 flags, nullptr);

    if (gst_element_set_state(m_Impl->pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE) {
        m_Impl->DrainBus();
        problem = m_Impl->error.empty() ? wxString("it cannot be played") : m_Impl->error;
        m_Impl->Release();
        return false;
    }
    return true;
}

int MediaPlayer::PollPreroll(wxString& problem)
{
    if (!m_Impl->pipeline) {
        problem = "nothing is loaded";
        return -1;
    }
    m_Impl->DrainBus();
    if (!m_Impl->error.empty()) {
        problem = m_Impl->error;
        return -1;
    }
    GstState state = GST_STATE_NULL;
    switch (gst_element_get_state(m_Impl->pipeline, &state, nullptr, 0)) {
        case GST_STATE_CHANGE_SUCCESS:
        case GST_STATE_CHANGE_NO_PREROLL:
            if (state < GST_STATE_PAUSED) return 0;
            // A sink prerolls on its first sample, or on the end of a stream that has
            // none: a sound with a header and no samples would play as silence.
            if (m_Impl->streams == Streams::Audio && m_Impl->audioBuffers.load() == 0) {
                problem = "it holds nothing to play (no samples after its header)";
                return -1;
            }
            return 1;
        case GST_STATE_CHANGE_ASYNC: return 0;
        case GST_STATE_CHANGE_FAILURE:
        default:
            m_Impl->DrainBus();
            problem = m_Impl->error.empty() ? wxString("it cannot be played") : m_Impl->error;
            return -1;
    }
}

bool MediaPlayer::TakePrerollFrame(wxImage& frame)
{
    if (!m_Impl->frameSink) return false;
    GstSample* sample = gst_app_sink_try_pull_preroll(GST_APP_SINK(m_Impl->frameSink), 0);
    if (!sample) return false;
    const bool ok = SampleToImage(sample, frame, &m_Impl->shownPts);
    gst_sample_unref(sample);
    return ok;
}

unsigned long long MediaPlayer::Play()
{
    Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
    if (!m_Impl->pipeline) return timer.GetElapsedMicroseconds();
    if (gst_element_set_state(m_Impl->pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        m_Impl->DrainBus();
        if (m_Impl->error.empty()) m_Impl->error = "the output would not start";
    }
    GstClock* clock = gst_element_get_clock(m_Impl->pipeline);
    const unsigned long long requested = timer.GetElapsedMicroseconds();
    if (!clock) return requested;
    // The sinks render running time 0 at base time + latency on the pipeline clock.
    GstClockTime latency = 0;
    GstQuery* query = gst_query_new_latency();
    if (gst_element_query(m_Impl->pipeline, query)) {
        gboolean live = FALSE;
        GstClockTime minimum = 0, maximum = 0;
        gst_query_parse_latency(query, &live, &minimum, &maximum);
        if (GST_CLOCK_TIME_IS_VALID(minimum)) latency = minimum;
    }
    gst_query_unref(query);
    const GstClockTime due = gst_element_get_base_time(m_Impl->pipeline) + latency;
    const GstClockTime clockNow = gst_clock_get_time(clock);
    const unsigned long long runNow = timer.GetElapsedMicroseconds();
    gst_object_unref(clock);
    const long long aheadMicroseconds = (static_cast<long long>(due) - static_cast<long long>(clockNow)) / 1000;
    if (aheadMicroseconds < 0 && static_cast<unsigned long long>(-aheadMicroseconds) > runNow) return 0;
    return static_cast<unsigned long long>(static_cast<long long>(runNow) + aheadMicroseconds);
}

bool MediaPlayer::TakeNewFrame(wxImage& frame, unsigned long& skipped)
{
    skipped = 0;
    if (!m_Impl->frameSink) return false;
    GstSample* newest = nullptr;
    while (GstSample* sample = gst_app_sink_try_pull_sample(GST_APP_SINK(m_Impl->frameSink), 0)) {
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        const GstClockTime pts = buffer ? GST_BUFFER_PTS(buffer) : GST_CLOCK_TIME_NONE;
        // The prerolled frame is released again when playing starts; it is on screen already.
        if (GST_CLOCK_TIME_IS_VALID(m_Impl->shownPts) && GST_CLOCK_TIME_IS_VALID(pts) && pts <= m_Impl->shownPts) {
            gst_sample_unref(sample);
            continue;
        }
        if (newest) {
            ++skipped;
            gst_sample_unref(newest);
        }
        newest = sample;
    }
    if (!newest) return false;
    const bool ok = SampleToImage(newest, frame, &m_Impl->shownPts);
    gst_sample_unref(newest);
    return ok;
}

bool MediaPlayer::ReachedEnd()
{
    m_Impl->DrainBus();
    return m_Impl->ended;
}

wxString MediaPlayer::TakeError()
{
    m_Impl->DrainBus();
    wxString error;
    error.swap(m_Impl->error);
    return error;
}

void MediaPlayer::Stop() { m_Impl->Release(); }

GstElement* MediaPlayer::GetAudioSink() { return m_Impl->audioSink; }

bool CheckMediaFile(const wxString& path, Streams streams, wxString& problem)
{
    if (!EnsureGStreamer(problem)) return false;
    const wxString uri = FileUri(path, problem);
    if (uri.empty()) return false;
    GError* error = nullptr;
    GstDiscoverer* discoverer = gst_discoverer_new(5 * GST_SECOND, &error);
    if (!discoverer) {
        problem = error ? FromUtf8(error->message) : wxString("GStreamer cannot examine files");
        if (error) g_error_free(error);
        return false;
    }
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.utf8_str(), &error);
    bool ok = false;
    const GstDiscovererResult result = info ? gst_discoverer_info_get_result(info) : GST_DISCOVERER_ERROR;
    switch (result) {
        case GST_DISCOVERER_OK: {
            GList* audio = gst_discoverer_info_get_audio_streams(info);
            GList* video = gst_discoverer_info_get_video_streams(info);
            bool moving = false;
            long long width = 0, height = 0;
            for (GList* item = video; item; item = item->next) {
                auto* stream = GST_DISCOVERER_VIDEO_INFO(item->data);
                if (gst_discoverer_video_info_is_image(stream)) continue;
                moving = true;
                width = std::max<long long>(width, gst_discoverer_video_info_get_width(stream));
                height = std::max<long long>(height, gst_discoverer_video_info_get_height(stream));
            }
            if (streams == Streams::Audio && !audio)
                problem = "it holds no sound";
            else if (streams == Streams::Film && !moving)
                problem = "it holds no film";
            else if (streams == Streams::Film && !FrameSizeAllowed(width, height))
                problem = FrameTooLargeProblem(width, height);
            else
                ok = true;
            gst_discoverer_stream_info_list_free(audio);
            gst_discoverer_stream_info_list_free(video);
            break;
        }
        case GST_DISCOVERER_TIMEOUT: problem = "it could not be examined within 5 seconds"; break;
        case GST_DISCOVERER_MISSING_PLUGINS: problem = "no decoder for its format is installed"; break;
        case GST_DISCOVERER_URI_INVALID: problem = "its path is not valid"; break;
        default:
            problem = wxString::Format("it cannot be decoded (%s)",
                                       error ? FromUtf8(error->message) : wxString("unknown format"));
            break;
    }
    if (error) g_error_free(error);
    if (info) g_object_unref(info);
    g_object_unref(discoverer);
    return ok;
}

}  // namespace VantrelMedia
