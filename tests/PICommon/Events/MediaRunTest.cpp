// Runs that present sound, film, pictures and reading stimuli through the
// event-type plug-ins: what reaches the sound output and the display, and what the
// data file records.

#include <gtest/gtest.h>

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <thread>

#include <VTCore/VTSaveDataOptions.h>

#include "FixtureExperiment.h"
#include "MediaTestSupport.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "TestPlugInAccess.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTTimer.h"
#include "XPixelProbe.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

using namespace Vantrel;

namespace {

class MediaRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        MediaTest::Init();
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
        wxSetEnv("VANTREL_AUDIO_SINK", MediaTest::RecordingSinkDescription());
    }
    void SetUp() override { NewExperiment(); }
    // One block with one trial, in a fresh folder.
    void NewExperiment()
    {
        TestSupport::ClearLog();
        MediaTest::ClearSinkRecords();
        m_Folder = TestSupport::MakeTempFolder("study");
        m_Experiment = std::make_unique<VTExperiment>();
        m_Experiment->SetTitle("Media");
        // Stimulus files are named relative to the document, as a researcher stores them.
        m_Experiment->SetFilename(wxFileName(m_Folder, "Media.vt6").GetFullPath());
        m_Trial = Fixture::Add<VTTrial>(*m_Experiment, ElementType::Trial, "T1");
        Fixture::Add<VTBlock>(*m_Experiment, ElementType::Block, "B1")->AddUsedTrial(m_Trial);
    }
    wxString Path(const char* name) const { return wxFileName(m_Folder, name).GetFullPath(); }
    // The test input device, loaded by the manager from a folder of its own, reset.
    static void LoadTestInput(TestPlugInAccess& access)
    {
        const wxString folder = TestSupport::MakeTempFolder("plugins");
        ASSERT_TRUE(wxCopyFile(VT_TEST_INPUT_PLUGIN_PATH, folder + "/libTestInput.so"));
        ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
        ASSERT_TRUE(access.Attach(std::string((folder + "/libTestInput.so").fn_str())));
        access.reset();
    }
    // A PNG of one colour in the experiment's folder.
    bool SavePicture(const char* name, int width, int height, const wxColour& colour) const
    {
        wxImage picture(width, height);
        picture.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
        return picture.SaveFile(Path(name), wxBITMAP_TYPE_PNG);
    }

    // An event of `type` that records responses without ending on them and lasts `limitMs`.
    VTEvent* AddEvent(const wxString& name, int type, const wxString& fileOrText, int limitMs, bool endOnResponse)
    {
        VTEvent* event = Fixture::Add<VTEvent>(*m_Experiment, ElementType::Event, name);
        event->SetPlugInID(type);
        if (type == 300 || type == 311 || type == 320)
            event->AddStimFile(fileOrText);
        else
            event->SetStimulusText(fileOrText);
        event->AcceptInputSettingsForEditor(true, true, 0, limitMs, -1);
        event->AcceptEndEventSettings(false, endOnResponse, false, limitMs >= 0);
        m_Trial->AddUsedEvent(event);
        return event;
    }

    bool Run(RunDriver& driver)
    {
        VTCompiledExperiment compiled({});
        if (!m_Experiment->InstructCompiledExperimentBuilderToBuild(compiled, false)) return false;
        driver.Begin();
        const bool completed = compiled.Run(false, false);
        driver.Stop();
        m_Report = compiled.GetLastReport();
        return completed;
    }

    static wxPoint ScreenCentre()
    {
        const wxRect area = wxDisplay(0u).GetGeometry();
        return wxPoint(area.x + area.width / 2, area.y + area.height / 2);
    }
    // Mostly red, green or blue (film frames are lossy).
    static bool Dominated(const wxColour& c, char channel)
    {
        const int r = c.Red(), g = c.Green(), b = c.Blue();
        switch (channel) {
            case 'r': return r > 150 && g < 90 && b < 90;
            case 'g': return g > 150 && r < 90 && b < 90;
            default: return b > 150 && r < 90 && g < 90;
        }
    }

    wxString m_Folder;
    std::unique_ptr<VTExperiment> m_Experiment;
    VTTrial* m_Trial = nullptr;
    VTRunReport m_Report;
};

}  // namespace

TEST_F(MediaRun, ToneFilmAndPictureReachTheOutputsAndResponsesDuringEachAreTimed)
{
    ASSERT_TRUE(MediaTest::MakeTone(Path("tone.wav"), 500, "wav"));
    ASSERT_TRUE(MediaTest::MakeTone(Path("tone.ogg"), 400, "ogg"));
    // 0.5 s red, then 0.5 s blue.
    ASSERT_TRUE(MediaTest::MakeFilm(Path("film.webm"), {"red", "blue"}, 15, 320, 240, 30));
    ASSERT_TRUE(SavePicture("green.png", 64, 48, wxColour(0, 200, 0)));
    AddEvent("Tone WAV", 311, "tone.wav", 800, false);
    AddEvent("Tone OGG", 311, "tone.ogg", 700, false);
    AddEvent("Film", 320, "film.webm", 1300, false);
    AddEvent("Picture", 300, "green.png", 600, false);

    const wxPoint centre = ScreenCentre();
    bool sawRed = false, sawBlue = false, sawGreen = false;
    auto sinks = [] { return MediaTest::SinkRecords().size(); };
    auto pixelIs = [&](char channel, bool& seen) {
        return
            [&, channel] { return seen = seen || Dominated(MediaTest::ReadScreenPixel(centre.x, centre.y), channel); };
    };
    // The run timer when each key was sent, to check the recorded reaction times.
    std::vector<double> pressMs;
    auto press = [&](char key) {
        return [&, key] {
            pressMs.push_back(VTTimer::GetTimer().GetElapsedMilliseconds());
            wxUIActionSimulator().Char(key);
        };
    };
    RunDriver driver;
    driver.FocusPresentation();
    driver.Then(
        0, [] {}, [&] { return sinks() >= 1; });
    driver.Then(150, press('a'));
    driver.Then(
        0, [] {}, [&] { return sinks() >= 2; });
    driver.Then(150, press('b'));
    driver.Then(
        0, [] {}, pixelIs('r', sawRed));
    driver.Then(150, press('c'));
    driver.Then(
        0, [] {}, pixelIs('b', sawBlue));
    driver.Then(
        0, [] {}, pixelIs('g', sawGreen));
    driver.Then(150, press('d'));
    ASSERT_TRUE(Run(driver)) << TestSupport::LogAsText();
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(sawRed && sawBlue && sawGreen) << sawRed << sawBlue << sawGreen;

    ASSERT_EQ(m_Report.rows.size(), 4u);
    const char* keys[] = {"A", "B", "C", "D"};
    const char* stimuli[] = {"tone.wav", "tone.ogg", "film.webm", "green.png"};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(stimuli[i]);
        const VTDataFileRow& row = m_Report.rows[i];
        EXPECT_EQ(row.stimulus, stimuli[i]);
        EXPECT_EQ(row.response, keys[i]);
        ASSERT_TRUE(row.hasReactionTime && row.hasOnset);
        ASSERT_EQ(pressMs.size(), 4u);
        EXPECT_GT(row.reactionTimeMs, 100.0);
        // Recorded when the key arrived: after it was sent, within the X server's delivery time.
        EXPECT_GT(row.onsetMs + row.reactionTimeMs, pressMs[i] - 2.0);
        EXPECT_LT(row.onsetMs + row.reactionTimeMs, pressMs[i] + 600.0);
        if (i) EXPECT_GT(row.onsetMs, m_Report.rows[i - 1].onsetMs);
    }

    // Each tone reached the sink whole, in real time, from its recorded onset on.
    const std::vector<MediaTest::SinkRecord> records = MediaTest::SinkRecords();
    ASSERT_EQ(records.size(), 2u);
    const int toneMs[] = {500, 400};
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(stimuli[i]);
        const MediaTest::SinkRecord& sink = records[i];
        EXPECT_NEAR(double(sink.samples), 44.1 * toneMs[i], 44.1 * 25);
        EXPECT_GT(sink.peak, 8000);
        const double spanMs = double(sink.lastRenderMicroseconds - sink.firstRenderMicroseconds) / 1000.0;
        EXPECT_GT(spanMs, toneMs[i] - 120.0);
        EXPECT_LT(spanMs, toneMs[i] + 150.0);
        EXPECT_NEAR(double(sink.firstRenderMicroseconds) / 1000.0, m_Report.rows[i].onsetMs, 25.0);
    }
}

TEST_F(MediaRun, ReadingWordTimesAreOneRowPerWord)
{
    // Presses come from the test input device at exact times after each event's input
    // begins, so the reading times can be checked to the millisecond. They are spaced
    // wider than a busy machine takes to draw a word: a press made before its word is
    // on screen is not taken.
    TestPlugInAccess access;
    ASSERT_NO_FATAL_FAILURE(LoadTestInput(access));

    struct Case
    {
        const char* title;
        int type;
        const char* text;
        std::vector<long> pressAtMs;  // after the event began
        std::vector<wxString> words;
        std::vector<double>
            wordMs;  // reading time (-1: not answered) or, for rapid presentation, onset after the first
        std::vector<long> unansweringPressAtMs = {};  // presses that must answer no word
    } cases[] = {
        {"self-paced words", 340, "The cat sat", {300, 1050, 1850}, {"The", "cat", "sat"}, {300, 750, 800}},
        // The second press comes while "cat" is being drawn, before its onset: it answers nothing.
        {"self-paced, a press before the word's onset",
         340,
         "The cat sat",
         {300, 1050, 1850},
         {"The", "cat", "sat"},
         {300, 750, 800},
         {300}},
        {"self-paced segments", 340, "The old man\\the boat", {400, 1300}, {"The old man", "the boat"}, {400, 900}},
        {"self-paced, time limit before the last word", 340, "one two three", {200}, {"one", "two"}, {200, -1}},
        {"rapid presentation", 341, "one two three four", {}, {"one", "two", "three", "four"}, {0, 250, 500, 750}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        access.reset();
        // The schedule is stretched where drawing a word takes longer than the gaps between presses.
        const long scale = TestSupport::kTimeScale;
        for (const std::vector<long>* presses : {&c.pressAtMs, &c.unansweringPressAtMs})
            for (long at : *presses)
                access.scheduleOnEvent(0, 7, 1, 1, static_cast<unsigned long long>(at * scale) * 1000);
        VTPlannedEvent reading;
        reading.name = "Reading";
        reading.pluginID = c.type;
        reading.kind = VTPlannedEvent::StimulusKind::Text;
        reading.text = c.text;
        reading.stimulusLabel = c.text;
        reading.timeLimitMs = 2500 * scale;
        VTRunPlan plan;
        plan.blocks.resize(1);
        plan.blocks[0].trials.resize(1);
        plan.blocks[0].trials[0].events.push_back(reading);
        VTRunSettings settings;
        settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
        VTRunReport report;
        ASSERT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();

        // One row per word shown, in order, with its onset and its reading time.
        ASSERT_EQ(report.rows.size(), c.words.size());
        for (size_t w = 0; w < c.words.size(); ++w) {
            SCOPED_TRACE(c.words[w]);
            const VTDataFileRow& row = report.rows[w];
            EXPECT_EQ(row.event, "Reading");
            EXPECT_EQ(row.stimulus, c.words[w]);
            ASSERT_TRUE(row.hasOnset);
            if (c.type == 341) {
                // Each word stays its 250 ms from its own onset (drawing may add a little).
                EXPECT_TRUE(row.response.empty());
                if (w) {
                    const double gap = row.onsetMs - report.rows[w - 1].onsetMs;
                    // Drawing may add to a word's time on a busy machine, never take from it.
                    EXPECT_GE(gap, 249.0);
                    EXPECT_LT(gap, 250.0 + 400.0 * scale);
                }
            } else if (c.wordMs[w] < 0) {
                EXPECT_FALSE(row.hasReactionTime);
                EXPECT_EQ(row.correctness, "") << "no responses are defined: nothing is scored";
            } else {
                EXPECT_EQ(row.response, "key 7 port 1 press");
                EXPECT_EQ(row.correctness, "");
                // The reading time ends at the press, which came when it was scheduled.
                const double pressMs = row.onsetMs + row.reactionTimeMs;
                EXPECT_NEAR(pressMs, report.rows[0].onsetMs + c.pressAtMs[w] * scale, 3.0 * scale);
                EXPECT_GT(row.reactionTimeMs, 0.0);
                EXPECT_LE(row.reactionTimeMs, c.wordMs[w] * scale + 3.0 * scale);
                // The next word appears once this one is answered (drawing takes what it takes).
                if (w + 1 < report.rows.size()) {
                    EXPECT_GE(report.rows[w + 1].onsetMs, pressMs);
                    EXPECT_LT(report.rows[w + 1].onsetMs, pressMs + 700.0 * scale);
                }
            }
        }
    }
    VTPlugIn::DeleteAllObjects();
}

TEST_F(MediaRun, ReadingSettingsOfTheEventReachItsPlugIn)
{
    // Stored with the event: rapid presentation at 600 ms per segment (the default is
    // 250), segments cut at "/".
    VTEvent* event = AddEvent("Stream", 341, "red sky/at night/sailor", 5000, false);
    event->SetPlugInSetting("word_duration_ms", "600");
    event->SetPlugInSetting("segment_character", "/");
    EXPECT_EQ(event->GetPlugInSettings().size(), 2u);
    RunDriver driver;
    ASSERT_TRUE(Run(driver)) << TestSupport::LogAsText();
    ASSERT_EQ(m_Report.rows.size(), 3u);
    const wxString segments[] = {"red sky", "at night", "sailor"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(m_Report.rows[i].stimulus, segments[i]);
        if (i) {
            const double gap = m_Report.rows[i].onsetMs - m_Report.rows[i - 1].onsetMs;
            EXPECT_GE(gap, 599.0);
            EXPECT_LT(gap, 1500.0);
        }
    }
}

namespace {

// The lines of a text file.
std::vector<wxString> FileLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

void WriteBytes(const wxString& path, const std::string& bytes)
{
    std::ofstream out(path.utf8_string(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string Big32(unsigned long value)
{
    return std::string{char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A PNG chunk with its CRC.
std::string PngChunk(const std::string& type, const std::string& data)
{
    const std::string body = type + data;
    unsigned long crc = 0xFFFFFFFFUL;
    for (unsigned char byte : body) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320UL & (0UL - (crc & 1UL)));
    }
    return Big32(data.size()) + body + Big32(crc ^ 0xFFFFFFFFUL);
}

// A PNG of a few bytes whose header declares `width` x `height` pixels: decoding it
// would allocate all of them.
std::string PixelBomb(unsigned long width, unsigned long height)
{
    const std::string header = Big32(width) + Big32(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + PngChunk("IEND", "");
}

// A WAV file with its header and no samples.
std::string HeaderOnlyWav()
{
    auto le32 = [](unsigned long v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto le16 = [](unsigned v) { return std::string{char(v), char(v >> 8)}; };
    return "RIFF" + le32(36) + "WAVE" + "fmt " + le32(16) + le16(1) + le16(1) + le32(44100) + le32(88200) + le16(2) +
           le16(16) + "data" + le32(0);
}

VTPlannedEvent PlannedEvent(const wxString& name, int type, const wxString& textOrPath, int limitMs)
{
    VTPlannedEvent e;
    e.name = name;
    e.pluginID = type;
    const bool file = type == 300 || type == 311 || type == 320;
    e.kind = file ? VTPlannedEvent::StimulusKind::File : VTPlannedEvent::StimulusKind::Text;
    (file ? e.path : e.text) = textOrPath;
    e.stimulusLabel = file ? wxFileName(textOrPath).GetFullName() : textOrPath;
    e.timeLimitMs = limitMs;
    return e;
}

VTRunPlan OneTrialPlan(const std::vector<VTPlannedEvent>& events)
{
    VTRunPlan plan;
    plan.experimentName = "Presentation";
    plan.blocks.resize(1);
    plan.blocks[0].name = "B";
    plan.blocks[0].trials.resize(1);
    plan.blocks[0].trials[0].name = "T";
    plan.blocks[0].trials[0].events = events;
    return plan;
}

// Sets an environment variable for one scope.
struct ScopedEnv
{
    wxString name, before;
    bool had;
    ScopedEnv(const wxString& n, const wxString& value) : name(n), had(wxGetEnv(n, &before)) { wxSetEnv(n, value); }
    ~ScopedEnv()
    {
        if (had)
            wxSetEnv(name, before);
        else
            wxUnsetEnv(name);
    }
};

}  // namespace

TEST_F(MediaRun, AStimulusThatFailsAfterTheCheckStopsTheRunAndTheDataFileSaysSo)
{
    ASSERT_TRUE(MediaTest::MakeTone(Path("tone.wav"), 1000, "wav"));
    WriteBytes(Path("empty.wav"), HeaderOnlyWav());
    ASSERT_TRUE(SavePicture("green.png", 64, 48, wxColour(0, 200, 0)));
    WriteBytes(Path("bomb.png"), PixelBomb(100000, 90000));

    struct Case
    {
        const char* what;
        VTPlannedEvent stimulus;
        wxString sink;                    // the audio output
        const char* reason;               // in the message
        VTRunOutcome outcome;             // StimulusFailed, or NotStarted when the check before the run finds it
        std::function<void()> duringRun;  // done while the first event is up
    } cases[] = {
        {"a sound with a header and no samples",
         PlannedEvent("Silence", 311, Path("empty.wav"), 800),
         MediaTest::RecordingSinkDescription(),
         "no samples",
         VTRunOutcome::StimulusFailed,
         {}},
        {"a sound output that cannot be made",
         PlannedEvent("Tone", 311, Path("tone.wav"), 800),
         "no_such_audio_element_here",
         "audio output",
         VTRunOutcome::StimulusFailed,
         {}},
        {"a decoder error while the sound plays",
         PlannedEvent("Tone", 311, Path("tone.wav"), 3000),
         "identity error-after=8 ! fakesink sync=true",
         "",
         VTRunOutcome::StimulusFailed,
         {}},
        {"a picture that became a pixel bomb after the check", PlannedEvent("Picture", 300, Path("swap.png"), 500),
         MediaTest::RecordingSinkDescription(), "too large", VTRunOutcome::StimulusFailed,
         [&] { WriteBytes(Path("swap.png"), PixelBomb(100000, 90000)); }},
        {"a pixel bomb found by the check",
         PlannedEvent("Picture", 300, Path("bomb.png"), 500),
         MediaTest::RecordingSinkDescription(),
         "too large",
         VTRunOutcome::NotStarted,
         {}},
    };
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestSupport::ClearLog();
        ASSERT_TRUE(wxCopyFile(Path("green.png"), Path("swap.png")));
        ScopedEnv sink("VANTREL_AUDIO_SINK", c.sink);
        // Two events before it: the failing stimulus is prepared while the second runs,
        // after anything done during the first.
        VTRunPlan plan = OneTrialPlan(
            {PlannedEvent("First", 330, "first", 300), PlannedEvent("Second", 330, "second", 300), c.stimulus});
        plan.columns = VTDataColumns();
        VTRunSettings settings;
        settings.saveData = true;
        settings.dataFile = Path("data.txt");
        wxRemoveFile(settings.dataFile);
        RunDriver driver;
        if (c.duringRun) driver.Then(0, c.duringRun, [] { return RunDriver::PresentationWindow() != nullptr; });
        VTRunReport report;
        driver.Begin();
        const VTRunOutcome outcome = VTRunEngine::Run(plan, settings, &report);
        driver.Stop();
        EXPECT_EQ(int(outcome), int(c.outcome)) << TestSupport::LogAsText();

        // The message names the event (the check before the run names files) and the
        // file, and says why; it is logged once.
        if (c.outcome == VTRunOutcome::StimulusFailed) {
            EXPECT_TRUE(report.failure.Contains("\"" + c.stimulus.name + "\"")) << report.failure;
        }
        EXPECT_TRUE(report.failure.Contains(c.stimulus.stimulusLabel)) << report.failure;
        EXPECT_TRUE(report.failure.Contains(c.reason)) << report.failure;
        EXPECT_TRUE(presenter->WasLastRunCanceled());
        EXPECT_EQ(presenter->GetLastRunFailure(), report.failure);
        size_t logged = 0;
        for (const TestSupport::LoggedRecord& r : TestSupport::RecordedLog()) {
            EXPECT_FALSE(wxString(r.text).Trim().empty());
            if (r.level <= unsigned(wxLOG_Error) && r.text.Contains(c.stimulus.stimulusLabel)) ++logged;
        }
        EXPECT_EQ(logged, 1u) << TestSupport::LogAsText();

        // Never written as presented.
        for (const VTDataFileRow& row : report.rows) EXPECT_NE(row.event, c.stimulus.name);
        if (c.outcome == VTRunOutcome::StimulusFailed) {
            EXPECT_EQ(report.rows.size(), 2u);
            const std::vector<wxString> lines = FileLines(settings.dataFile);
            ASSERT_FALSE(lines.empty());
            EXPECT_EQ(lines.back(), "Stopped\t" + report.failure);
            EXPECT_TRUE(lines[lines.size() - 2].StartsWith("B\tT\tSecond\tsecond")) << lines[lines.size() - 2];
        }
    }
}

TEST_F(MediaRun, ALargePictureIsPreparedWithoutDelayingTheEventBeforeIt)
{
    // Large enough that decoding and scaling it take far longer than the bound below.
    const int width = 4000, height = 3000;
    {
        wxImage large(width, height);
        unsigned char* data = large.GetData();
        for (size_t i = 0; i < size_t(width) * size_t(height) * 3; ++i)
            data[i] = static_cast<unsigned char>(i * 7919 >> 3);
        large.SetOption(wxIMAGE_OPTION_QUALITY, 95);
        ASSERT_TRUE(large.SaveFile(Path("large.jpg"), wxBITMAP_TYPE_JPEG));
    }
    TestPlugInAccess access;
    ASSERT_NO_FATAL_FAILURE(LoadTestInput(access));
    // The press comes 150 ms into the 300 ms event, while the picture is being prepared.
    access.scheduleOnEvent(0, 4, 1, 1, 150000);

    // The run timer reads an injected clock (a real one); the readings the GUI thread
    // makes show when it was free to notice the time limit and the input.
    struct WatchedClock
    {
        std::thread::id gui = std::this_thread::get_id();
        std::vector<unsigned long long> guiReadings;
        WatchedClock()
        {
            guiReadings.reserve(1 << 20);
            VTTimer::GetTimer().SetMicrosecondClockForTesting([this] {
                const auto now =
                    static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                                        std::chrono::steady_clock::now().time_since_epoch())
                                                        .count());
                if (std::this_thread::get_id() == gui && guiReadings.size() < guiReadings.capacity())
                    guiReadings.push_back(now);
                return now;
            });
        }
        ~WatchedClock() { VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
    };

    VTPlannedEvent before = PlannedEvent("Before", 330, "wait", 300);
    before.anyResponseEnds = false;
    VTPlannedEvent picture = PlannedEvent("Picture", 300, Path("large.jpg"), 200);
    picture.recordsResponses = false;
    VTRunSettings settings;
    settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
    VTRunReport report;
    VTRunOutcome outcome;
    unsigned long long origin = 0;
    std::vector<unsigned long long> readings;
    {
        WatchedClock clock;
        outcome = VTRunEngine::Run(OneTrialPlan({before, picture}), settings, &report);
        origin = VTTimer::GetTimer().GetAbsoluteMicroseconds() - VTTimer::GetTimer().GetElapsedMicroseconds();
        readings = clock.guiReadings;
    }
    ASSERT_EQ(outcome, VTRunOutcome::Completed) << TestSupport::LogAsText();
    ASSERT_EQ(report.rows.size(), 2u);

    // The event before the picture ends at its 300 ms: the GUI thread never stopped
    // looking at the clock for long while the picture was decoded and scaled.
    const double onsetMs = report.rows[0].onsetMs;
    const double boundMs = 60.0 * TestSupport::kTimeScale;
    double longestGapMs = 0, lastMs = -1;
    bool sawTheEnd = false;
    for (unsigned long long reading : readings) {
        if (reading < origin) continue;  // before the run began
        const double ms = double(reading - origin) / 1000.0;
        if (ms < onsetMs) continue;
        if (lastMs >= 0) longestGapMs = std::max(longestGapMs, ms - lastMs);
        lastMs = ms;
        if (ms >= onsetMs + 300.0) {
            sawTheEnd = true;
            EXPECT_LT(ms, onsetMs + 300.0 + boundMs);
            break;
        }
    }
    EXPECT_TRUE(sawTheEnd);
    EXPECT_LT(longestGapMs, boundMs);
    // The press is stamped at its time, 150 ms after the onset.
    EXPECT_EQ(report.rows[0].response, "key 4 port 1 press");
    EXPECT_NEAR(report.rows[0].reactionTimeMs, 150.0, 5.0 * TestSupport::kTimeScale);
    // The picture, larger than the screen, was scaled down to fit it (the presentation
    // window may be given a pixel more than the display).
    const wxSize screen = wxDisplay(0u).GetGeometry().GetSize();
    ASSERT_TRUE(report.rows[1].hasStimulusRect);
    EXPECT_LE(report.rows[1].stimulusRect.width, screen.x + 1);
    EXPECT_LE(report.rows[1].stimulusRect.height, screen.y + 1);
    EXPECT_TRUE(report.rows[1].stimulusRect.width >= screen.x || report.rows[1].stimulusRect.height >= screen.y);
    access.reset();
    VTPlugIn::DeleteAllObjects();
}

TEST_F(MediaRun, ConsecutivePicturesEachRaiseTheSensorPatchFromOff)
{
    ASSERT_TRUE(SavePicture("red.png", 80, 60, wxColour(220, 0, 0)));
    ASSERT_TRUE(SavePicture("blue.png", 80, 60, wxColour(0, 0, 220)));
    VTRunPlan plan = OneTrialPlan({PlannedEvent("Red", 300, Path("red.png"), 400 * TestSupport::kTimeScale),
                                   PlannedEvent("Blue", 300, Path("blue.png"), 400 * TestSupport::kTimeScale)});
    // A colour neither the background nor the root window shows.
    plan.sensorPatch = wxRect(0, 0, 20, 20);
    plan.sensorPatchColour = wxColour(20, 230, 40);

    // Another connection to the X server watches the patch's pixel while the run goes on.
    std::atomic<bool> stop{false};
    std::atomic<int> rises{0}, reads{0};
    std::thread watcher([&] {
        XPixelProbe probe;
        bool on = false;
        while (!stop) {
            const long pixel = probe.PixelAt(10, 10);
            if (pixel < 0) continue;
            ++reads;
            const bool now = pixel == XPixelProbe::Rgb(20, 230, 40);
            if (now && !on) ++rises;
            on = now;
        }
    });
    const VTRunOutcome outcome = VTRunEngine::Run(plan, VTRunSettings());
    stop = true;
    watcher.join();
    ASSERT_EQ(outcome, VTRunOutcome::Completed) << TestSupport::LogAsText();
    EXPECT_GT(reads.load(), 10);
    EXPECT_EQ(rises.load(), 2) << "each picture's onset is an off-to-on transition of the patch";
}

TEST_F(MediaRun, PositionAndCorrectnessColumnsTellWhatWasShownAndScored)
{
    TestPlugInAccess access;
    ASSERT_NO_FATAL_FAILURE(LoadTestInput(access));
    // Event inputs: 0 "Any key" (answered), 1 "Stream" (not).
    access.scheduleOnEvent(0, 5, 1, 1, 100000);

    ASSERT_TRUE(MediaTest::MakeTone(Path("tone.wav"), 200, "wav"));
    ASSERT_TRUE(SavePicture("green.png", 64, 48, wxColour(0, 200, 0)));

    VTPlannedEvent picture = PlannedEvent("Picture", 300, Path("green.png"), 200);
    picture.recordsResponses = false;
    VTPlannedEvent tone = PlannedEvent("Tone", 311, Path("tone.wav"), 300);
    tone.recordsResponses = false;
    VTPlannedEvent anyKey = PlannedEvent("Any key", 330, "press", 2000 * TestSupport::kTimeScale);
    VTPlannedEvent stream = PlannedEvent("Stream", 341, "a mmmmmmmmmm iii", 2000);
    VTPlannedResponse z;
    z.pluginID = InputPlugIn::Keyboard;
    z.key = 'Z';
    z.name = "Z";
    stream.accepted.push_back(z);
    // A location level moves the picture by just what it says.
    VTPlannedEvent moved = picture;
    moved.name = "Moved";
    moved.hasPosition = true;
    moved.position = wxPoint(100, -50);
    VTRunPlan plan = OneTrialPlan({picture, moved, tone, anyKey, stream});
    VTSaveDataOptions options;
    options.SetSaveOption(VTSaveDataOptions::StimulusPositionColumn, true);
    plan.columns = VTDataColumns(options);
    VTRunSettings settings;
    settings.saveData = true;
    settings.dataFile = Path("geometry.txt");
    settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
    VTRunReport report;
    ASSERT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
    access.reset();
    VTPlugIn::DeleteAllObjects();

    const std::vector<wxString> lines = FileLines(settings.dataFile);
    ASSERT_EQ(lines.size(), 9u + 7u);
    ASSERT_EQ(lines[8], "Block\tTrial\tEvent\tStimulus\tStimulusX\tStimulusY\tStimulusWidth\tStimulusHeight\t"
                        "Response\tRT_ms\tCorrectness\tOnset_ms");
    auto fields = [&](size_t i) { return wxSplit(lines[9 + i], '\t', 0); };
    // The picture at its own size, in the middle of the screen.
    const wxSize screen = wxDisplay(0u).GetGeometry().GetSize();
    const wxArrayString pictureRow = fields(0);
    EXPECT_EQ(pictureRow[4], wxString::Format("%d", (screen.x - 64) / 2));
    EXPECT_EQ(pictureRow[5], wxString::Format("%d", (screen.y - 48) / 2));
    EXPECT_EQ(pictureRow[6], "64");
    EXPECT_EQ(pictureRow[7], "48");
    const wxArrayString movedRow = fields(1);
    EXPECT_EQ(movedRow[4], wxString::Format("%d", (screen.x - 64) / 2 + 100));
    EXPECT_EQ(movedRow[5], wxString::Format("%d", (screen.y - 48) / 2 - 50));
    EXPECT_EQ(movedRow[6], "64");
    EXPECT_EQ(movedRow[7], "48");
    // A sound draws nothing, though the picture stays on the screen.
    const wxArrayString toneRow = fields(2);
    EXPECT_EQ(toneRow[2], "Tone");
    for (int i = 4; i < 8; ++i) EXPECT_EQ(toneRow[i], "") << i;
    // No responses defined: the key is recorded, nothing scored.
    const wxArrayString anyRow = fields(3);
    EXPECT_EQ(anyRow[8], "key 5 port 1 press");
    EXPECT_EQ(anyRow[10], "");
    // Each word of the rapid presentation reports its own rectangle, and no response.
    int previousWidth = -1;
    for (size_t w = 0; w < 3; ++w) {
        const wxArrayString row = fields(4 + w);
        SCOPED_TRACE(row[3]);
        ASSERT_FALSE(row[6].empty());
        long wordWidth = 0;
        ASSERT_TRUE(row[6].ToLong(&wordWidth));
        EXPECT_NE(wordWidth, previousWidth);
        previousWidth = int(wordWidth);
        EXPECT_EQ(row[10], "NR");
    }
}

TEST_F(MediaRun, ScreenshotsOfAllTrialsAreSavedBesideTheDataFile)
{
    ASSERT_TRUE(SavePicture("green.png", 64, 48, wxColour(0, 200, 0)));
    AddEvent("Picture", 300, "green.png", 100, false);
    m_Trial->SetRepetitions(2);
    const wxString data = Path("p01.txt");
    struct Case
    {
        bool screenshots;
        bool saveData;
    } cases[] = {{true, true}, {false, true}, {true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("screenshots %d, data %d", c.screenshots, c.saveData));
        for (const char* name : {"p01-T1-1.png", "p01-T1-2.png", "p01-T1-3.png"}) wxRemoveFile(Path(name));
        m_Experiment->GetRunOptions().SetSaveCollectedDataFlag(c.saveData, data);
        m_Experiment->GetRunOptions().SetScreenshotFlag(c.screenshots);
        RunDriver driver;
        ASSERT_TRUE(Run(driver)) << TestSupport::LogAsText();
        const bool expected = c.screenshots && c.saveData;
        EXPECT_EQ(wxFileExists(Path("p01-T1-1.png")), expected);
        EXPECT_EQ(wxFileExists(Path("p01-T1-2.png")), expected);
        EXPECT_FALSE(wxFileExists(Path("p01-T1-3.png")));
        if (!expected) continue;
        // What the screen showed: the picture in the middle of the display's size.
        wxImage shot;
        ASSERT_TRUE(shot.LoadFile(Path("p01-T1-2.png"), wxBITMAP_TYPE_PNG));
        const wxSize screen = wxDisplay(0u).GetGeometry().GetSize();
        // The whole presentation window (the window system may give it a pixel more than the display).
        EXPECT_NEAR(shot.GetWidth(), screen.x, 1);
        EXPECT_NEAR(shot.GetHeight(), screen.y, 1);
        EXPECT_TRUE(
            Dominated(wxColour(shot.GetRed(screen.x / 2, screen.y / 2), shot.GetGreen(screen.x / 2, screen.y / 2),
                               shot.GetBlue(screen.x / 2, screen.y / 2)),
                      'g'));
    }
}
