#include "MediaTestSupport.h"

#include <wx/gdicmn.h>
#include <wx/log.h>

#include <gst/base/gstbasesink.h>
#include <gst/gst.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>
#include <mutex>

#include "TestSupport.h"
#include "VTPlugInCommon/VTTimer.h"

namespace MediaTest {

namespace {

std::mutex g_Mutex;
std::map<int, SinkRecord> g_Records;
int g_NextSerial = 0;

}  // namespace

}  // namespace MediaTest

// ---- The recording sink: a GstBaseSink that keeps the clock (sync) and notes what
// it renders, per instance.
extern "C" {
typedef struct
{
    GstBaseSink parent;
    int serial;
} VantrelRecordingSink;
typedef struct
{
    GstBaseSinkClass parentClass;
} VantrelRecordingSinkClass;
}

G_DEFINE_TYPE(VantrelRecordingSink, vantrel_recording_sink, GST_TYPE_BASE_SINK)

static GstFlowReturn vantrel_recording_sink_render(GstBaseSink* base, GstBuffer* buffer)
{
    const unsigned long long now = Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
    auto* sink = reinterpret_cast<VantrelRecordingSink*>(base);
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ)) return GST_FLOW_ERROR;
    const auto* samples = reinterpret_cast<const gint16*>(map.data);
    const size_t count = map.size / 2;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    gst_buffer_unmap(buffer, &map);
    std::lock_guard<std::mutex> lock(MediaTest::g_Mutex);
    MediaTest::SinkRecord& record = MediaTest::g_Records[sink->serial];
    if (record.samples == 0) record.firstRenderMicroseconds = now;
    record.lastRenderMicroseconds = now;
    record.samples += count;
    record.peak = std::max(record.peak, peak);
    return GST_FLOW_OK;
}

static void vantrel_recording_sink_class_init(VantrelRecordingSinkClass* klass)
{
    static GstStaticPadTemplate sinkTemplate =
        GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS,
                                GST_STATIC_CAPS("audio/x-raw,format=S16LE,channels=1,rate=44100,layout=interleaved"));
    GstElementClass* element = GST_ELEMENT_CLASS(klass);
    gst_element_class_set_static_metadata(element, "Recording test sink", "Sink/Audio",
                                          "Notes what it renders, in time", "Study Station tests");
    gst_element_class_add_static_pad_template(element, &sinkTemplate);
    GST_BASE_SINK_CLASS(klass)->render = vantrel_recording_sink_render;
}

static void vantrel_recording_sink_init(VantrelRecordingSink* sink)
{
    gst_base_sink_set_sync(GST_BASE_SINK(sink), TRUE);
    std::lock_guard<std::mutex> lock(MediaTest::g_Mutex);
    sink->serial = MediaTest::g_NextSerial++;
}

namespace MediaTest {

void Init()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // One registry for all test processes: each has a fresh home, and rebuilding
        // the registry in each would cost seconds.
        const std::string registry = TestSupport::BinaryDir() + "/gstreamer-test-registry.bin";
        setenv("GST_REGISTRY", registry.c_str(), 0);
        gst_init(nullptr, nullptr);
        gst_element_register(nullptr, "vantrelrecordingsink", GST_RANK_NONE, vantrel_recording_sink_get_type());
    });
}

bool RunPipeline(const wxString& description, wxString& error)
{
    Init();
    GError* gerror = nullptr;
    GstElement* pipeline = gst_parse_launch(description.utf8_str(), &gerror);
    if (!pipeline) {
        error = gerror ? wxString::FromUTF8(gerror->message) : wxString("no pipeline");
        if (gerror) g_error_free(gerror);
        return false;
    }
    if (gerror) g_error_free(gerror);
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message =
        gst_bus_timed_pop_filtered(bus, 60 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (!ok) {
        error = "the pipeline did not finish";
        if (message) {
            GError* failure = nullptr;
            gst_message_parse_error(message, &failure, nullptr);
            if (failure) {
                error = wxString::FromUTF8(failure->message);
                g_error_free(failure);
            }
        }
    }
    if (message) gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return ok;
}

bool MakeTone(const wxString& path, int ms, const wxString& container)
{
    // 441 samples per buffer: 10 ms each, so the length is exact.
    const wxString source =
        wxString::Format("audiotestsrc wave=sine freq=440 volume=0.5 samplesperbuffer=441 num-buffers=%d ! "
                         "audio/x-raw,format=S16LE,rate=44100,channels=1 ! ",
                         ms / 10);
    const wxString encoder = container == "ogg" ? "audioconvert ! vorbisenc ! oggmux" : "wavenc";
    wxString error;
    const bool ok = RunPipeline(source + encoder + " ! filesink location=\"" + path + "\"", error);
    if (!ok) wxLogError("Making the tone %s failed: %s", path, error);
    return ok;
}

bool MakeFilm(const wxString& path, const std::vector<wxString>& patterns, int framesEach, int width, int height,
              int fps)
{
    wxString description =
        "concat name=c ! videoconvert ! vp8enc deadline=1 ! webmmux ! filesink location=\"" + path + "\" ";
    for (const wxString& pattern : patterns)
        description << wxString::Format(
            "videotestsrc pattern=%s num-buffers=%d ! video/x-raw,width=%d,height=%d,framerate=%d/1 ! c. ", pattern,
            framesEach, width, height, fps);
    wxString error;
    const bool ok = RunPipeline(description, error);
    if (!ok) wxLogError("Making the film %s failed: %s", path, error);
    return ok;
}

wxString RecordingSinkDescription()
{
    return "audioconvert ! audioresample ! audio/x-raw,format=S16LE,channels=1,rate=44100 ! vantrelrecordingsink";
}

std::vector<SinkRecord> SinkRecords()
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    std::vector<SinkRecord> records;
    for (const auto& entry : g_Records) records.push_back(entry.second);
    return records;
}

void ClearSinkRecords()
{
    std::lock_guard<std::mutex> lock(g_Mutex);
    g_Records.clear();
}

wxColour ReadScreenPixel(int x, int y)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return wxNullColour;
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    wxColour colour;
    if (image) {
        const unsigned long pixel = XGetPixel(image, 0, 0);
        colour = wxColour((pixel >> 16) & 0xff, (pixel >> 8) & 0xff, pixel & 0xff);
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return colour;
}

}  // namespace MediaTest
