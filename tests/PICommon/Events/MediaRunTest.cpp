// Runs that present sound, film, pictures and reading stimuli through the
// event-type plug-ins: what reaches the sound output and the display, and what the
// data file records.

#include <gtest/gtest.h>

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>

#include <cmath>

#include "FixtureExperiment.h"
#include "MediaTestSupport.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "TimeScale.h"
#include "TestPlugInAccess.h"
#include "VTPlugInCommon/VTTimer.h"
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
    wxImage green(64, 48);
    green.SetRGB(wxRect(0, 0, 64, 48), 0, 200, 0);
    ASSERT_TRUE(green.SaveFile(Path("green.png"), wxBITMAP_TYPE_PNG));
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
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    ASSERT_TRUE(wxCopyFile(VT_TEST_INPUT_PLUGIN_PATH, folder + "/libTestInput.so"));
    ASSERT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr));
    TestPlugInAccess access;
    ASSERT_TRUE(access.Attach(std::string((folder + "/libTestInput.so").fn_str())));

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
        {"self-paced, a press before the word's onset", 340, "The cat sat", {300, 1050, 1850}, {"The", "cat", "sat"},
         {300, 750, 800}, {300}},
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
                EXPECT_EQ(row.correctness, "NR");
            } else {
                EXPECT_EQ(row.response, "key 7 port 1 press");
                EXPECT_EQ(row.correctness, "C");
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
