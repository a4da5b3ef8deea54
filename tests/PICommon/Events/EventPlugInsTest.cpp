// The event-type plug-ins as the plug-in manager loads them: ids, strings, exports,
// and the file checks that keep a run with a bad stimulus from starting.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>

#include "FixtureExperiment.h"
#include "MediaTestSupport.h"
#include "TestSupport.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTSdkPicturePreviewControl.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"

using namespace Vantrel;
using VantrelSDK::VTSdkEventPlugin;

namespace {

struct PlugInCase
{
    const char* fileName;
    int id;
    const char* name;
    bool fileBased;
    bool visual;
    const char* wildcardPattern;  // "" when the type takes no files
};

const PlugInCase kPlugIns[] = {
    {"ev-pictures Event", 300, "Picture", true, true, "*.png"},
    {"ev-audio Event", 311, "Sound", true, false, "*.wav"},
    {"ev-movies Event", 320, "Movie", true, true, "*.webm"},
    {"ev-text Event", 330, "Text", false, true, ""},
    {"ev-spr Event", 340, "Self-Paced Reading", false, true, ""},
    {"ev-rsvp Event", 341, "RSVP", false, true, ""},
};

class EventPlugIns : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        MediaTest::Init();
        ASSERT_TRUE(VTPlugIn::LocateAllInFolder(STUDYSTATION_PLUGIN_DIR, nullptr)) << TestSupport::LogAsText();
    }
    static void TearDownTestSuite() { VTPlugIn::DeleteAllObjects(); }
    void SetUp() override { TestSupport::ClearLog(); }

    static VTSdkEventPlugin* PlugIn(int id) { return VTPlugIn::GetSdkBaseEventPtr(id); }
    static wxString Path(const wxString& folder, const char* name) { return wxFileName(folder, name).GetFullPath(); }
    static void WriteBytes(const wxString& path, const char* bytes)
    {
        wxFFile file(path, "wb");
        file.Write(bytes, strlen(bytes));
    }
};

}  // namespace

TEST_F(EventPlugIns, EachLoadsThroughTheManagerAndAnswersItsIdStringsAndRoles)
{
    std::vector<VTPlugIn*> events;
    EXPECT_EQ(VTPlugIn::GetPlugInsList(events, VantrelSDK::VT_PLUGIN_KIND_EVENT), 6u);
    for (const PlugInCase& c : kPlugIns) {
        SCOPED_TRACE(c.fileName);
        VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(c.id);
        ASSERT_NE(plugin, nullptr);
        EXPECT_EQ(wxFileName(plugin->GetLibraryPath()).GetName(), c.fileName);
        EXPECT_EQ(plugin->GetKind(), VantrelSDK::VT_PLUGIN_KIND_EVENT);
        EXPECT_EQ(plugin->GetName(), c.name);
        VTSdkEventPlugin* event = plugin->GetSdkBaseEventPtr();
        ASSERT_NE(event, nullptr);
        EXPECT_EQ(event->GetPlugInID(), c.id);
        wxString key, wildcard, title;
        EXPECT_TRUE(event->GetString(5001, key));
        EXPECT_EQ(key, c.name);
        EXPECT_EQ(event->GetString(101, wildcard), c.fileBased);
        EXPECT_EQ(event->GetString(102, title), c.fileBased);
        if (c.fileBased) {
            EXPECT_TRUE(wildcard.Contains(c.wildcardPattern)) << wildcard;
            // Descriptions and patterns alternate; the last pair takes every file.
            EXPECT_EQ(wxStringTokenize(wildcard, "|", wxTOKEN_RET_EMPTY_ALL).size() % 2, 0u);
            EXPECT_TRUE(wildcard.EndsWith("|*.*"));
            EXPECT_FALSE(title.empty());
        }
        EXPECT_FALSE(event->GetString(4242, title));
        EXPECT_EQ(event->IsFileBased(), c.fileBased);
        EXPECT_EQ(event->TakesStimulusFiles(), c.fileBased);
        EXPECT_EQ(event->PresentsVisually(), c.visual);
        EXPECT_EQ(event->GetDeclaredListKind(), c.id == 341 ? 340 : c.id);

        VantrelSDK::VTSdkEventInstance* instance = event->NewEventInstance_CallerMustDelete();
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(instance->GetPlugInID(), c.id);
        EXPECT_EQ(&instance->GetOwningPlugIn(), event);
        event->DeleteEventInstance(instance);
    }
}

TEST_F(EventPlugIns, EachLibraryExportsOnlyItsEntryPoint)
{
    for (const PlugInCase& c : kPlugIns) {
        SCOPED_TRACE(c.fileName);
        const wxString library = wxFileName(STUDYSTATION_PLUGIN_DIR, wxString(c.fileName) + ".so").GetFullPath();
        wxArrayString output, errors;
        ASSERT_EQ(wxExecute("nm -D --defined-only \"" + library + "\"", output, errors, wxEXEC_SYNC | wxEXEC_NOEVENTS),
                  0);
        std::vector<wxString> symbols;
        for (const wxString& line : output) symbols.push_back(line.AfterLast(' '));
        EXPECT_EQ(symbols, std::vector<wxString>{"VTSdkGetObjectPtr"});
    }
}

TEST_F(EventPlugIns, FileChecksNameWhatCannotBePresented)
{
    const wxString folder = TestSupport::MakeTempFolder("media");
    wxImage picture(40, 30);
    picture.SetRGB(wxRect(0, 0, 40, 30), 200, 40, 40);
    ASSERT_TRUE(picture.SaveFile(Path(folder, "red.png"), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(MediaTest::MakeTone(Path(folder, "tone.wav"), 200, "wav"));
    ASSERT_TRUE(MediaTest::MakeTone(Path(folder, "tone.ogg"), 200, "ogg"));
    ASSERT_TRUE(MediaTest::MakeFilm(Path(folder, "film.webm"), {"red"}, 5, 64, 48, 25));
    for (const char* name : {"broken.png", "broken.wav", "broken.webm"})
        WriteBytes(Path(folder, name), "these bytes are no picture, sound or film at all\n");

    struct Case
    {
        int id;
        const char* file;
        const char* problem;  // "" = presentable
    } cases[] = {
        {300, "red.png", ""},
        {300, "missing.png", "does not exist"},
        {300, "broken.png", "cannot be read as a picture"},
        {311, "tone.wav", ""},
        {311, "tone.ogg", ""},
        {311, "film.webm", "holds no sound"},
        {311, "missing.wav", "does not exist"},
        {311, "broken.wav", "cannot be decoded"},
        {320, "film.webm", ""},
        {320, "tone.ogg", "holds no film"},
        {320, "red.png", "holds no film"},
        {320, "broken.webm", "cannot be decoded"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("%d %s", c.id, c.file));
        wxString problem;
        EXPECT_EQ(PlugIn(c.id)->CanPresentFile(Path(folder, c.file), problem), *c.problem == 0);
        EXPECT_TRUE(problem.Contains(c.problem)) << problem;
    }

    // The list check names each file it cannot present, and only those.
    std::vector<wxString> problems;
    EXPECT_TRUE(VTSdkEventPlugin::DetectedLoadabilityProblemInListOfFiles(
        PlugIn(311), {Path(folder, "tone.wav"), Path(folder, "broken.wav"), Path(folder, "missing.wav")}, true,
        &problems));
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_TRUE(problems[0].StartsWith(Path(folder, "broken.wav") + ": "));
    EXPECT_TRUE(problems[1].StartsWith(Path(folder, "missing.wav") + ": "));
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << "quiet checks log nothing";
    EXPECT_FALSE(
        VTSdkEventPlugin::DetectedLoadabilityProblemInListOfFiles(PlugIn(311), {Path(folder, "tone.ogg")}, false));
}

TEST_F(EventPlugIns, PicturePreviewShowsTheFileAndClears)
{
    const wxString folder = TestSupport::MakeTempFolder("preview");
    wxImage picture(80, 60);
    ASSERT_TRUE(picture.SaveFile(Path(folder, "black.png"), wxBITMAP_TYPE_PNG));
    wxFrame frame(nullptr, wxID_ANY, "Preview");
    auto* panel = new wxPanel(&frame);
    auto* control = new VantrelSDK::VTSdkPicturePreviewControl(panel, wxID_ANY, wxDefaultPosition, wxSize(40, 40));
    frame.Show();
    VTSdkEventPlugin* pictures = PlugIn(300);
    ASSERT_TRUE(pictures->OffersPreviews());
    EXPECT_TRUE(pictures->PreviewFileIntoControl(Path(folder, "black.png"), *control));
    ASSERT_TRUE(control->HasPreview());
    EXPECT_LE(control->GetPreviewBitmap().GetWidth(), 40);  // scaled into the control, aspect kept
    EXPECT_EQ(control->GetPreviewBitmap().GetWidth() * 3, control->GetPreviewBitmap().GetHeight() * 4);
    pictures->ClearPreviewControl(*control);
    EXPECT_FALSE(control->HasPreview());
    EXPECT_FALSE(pictures->PreviewFileIntoControl(Path(folder, "missing.png"), *control));
    EXPECT_FALSE(control->HasPreview());
    EXPECT_TRUE(control->GetPreviewText().Contains("does not exist"));
}

TEST_F(EventPlugIns, AMissingAndACorruptFileAreNamedBeforeTheRunWhichDoesNotStart)
{
    const wxString folder = TestSupport::MakeTempFolder("study");
    WriteBytes(Path(folder, "corrupt.ogg"), "OggS but nothing after it\n");
    VTExperiment experiment;
    experiment.SetTitle("Broken Stimuli");
    VTTrial* trial = Fixture::Add<VTTrial>(experiment, ElementType::Trial, "T1");
    trial->AddUsedEvent(Fixture::TextEvent(experiment, "Ready", "Ready?", 50));
    const struct
    {
        const char* name;
        int type;
        wxString file;
    } events[] = {{"Picture", 300, Path(folder, "gone.png")}, {"Sound", 311, Path(folder, "corrupt.ogg")}};
    for (const auto& e : events) {
        VTEvent* event = Fixture::Add<VTEvent>(experiment, ElementType::Event, e.name);
        event->SetPlugInID(e.type);
        event->AddStimFile(e.file);
        event->AcceptInputSettingsForEditor(true, true, 0, 50, -1);
        event->AcceptEndEventSettings(false, true, false, true);
        trial->AddUsedEvent(event);
    }
    Fixture::Add<VTBlock>(experiment, ElementType::Block, "B1")->AddUsedTrial(trial);
    const wxString data = Path(folder, "data.txt");
    experiment.GetRunOptions().SetSaveCollectedDataFlag(true, data);

    VTCompiledExperiment compiled({});
    ASSERT_NE(experiment.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr);
    bool windowShown = false;
    wxTheApp->CallAfter([&] { windowShown = VantrelSDK::GetPresenter()->IsVisible(); });
    EXPECT_FALSE(compiled.Run(false, false));
    EXPECT_EQ(compiled.GetLastOutcome(), VTRunOutcome::NotStarted);
    EXPECT_TRUE(VantrelSDK::GetPresenter()->WasLastRunCanceled());
    EXPECT_FALSE(windowShown);
    EXPECT_FALSE(wxFileName::FileExists(data));
    // One message names both files and why.
    size_t messages = 0;
    for (const TestSupport::LoggedRecord& record : TestSupport::RecordedLog()) {
        if (!record.text.Contains("cannot be presented")) continue;
        ++messages;
        EXPECT_TRUE(record.text.Contains(Path(folder, "gone.png") + ": the file does not exist")) << record.text;
        EXPECT_TRUE(record.text.Contains(Path(folder, "corrupt.ogg") + ": it cannot be decoded")) << record.text;
    }
    EXPECT_EQ(messages, 1u) << TestSupport::LogAsText();
}

namespace {
// A surface that draws nothing: the reading instance only needs somewhere to show words.
class BlankSurface : public VantrelSDK::Interface_PresentationSurface
{
public:
    wxSize GetSurfaceSize() const override { return wxSize(800, 600); }
    void ShowBlank() override {}
    void ShowText(const wxString&) override {}
    void ShowBitmap(const wxBitmap&) override {}
    void PaintNow() override {}
};
}  // namespace

TEST_F(EventPlugIns, APressMadeBeforeAWordWasShownIsNotItsReadingTime)
{
    VTSdkEventPlugin* reading = PlugIn(340);
    ASSERT_NE(reading, nullptr);
    std::unique_ptr<VantrelSDK::VTSdkEventInstance, std::function<void(VantrelSDK::VTSdkEventInstance*)>> instance(
        reading->NewEventInstance_CallerMustDelete(),
        [reading](VantrelSDK::VTSdkEventInstance* p) { reading->DeleteEventInstance(p); });
    ASSERT_TRUE(instance);
    // The words are stamped by the run's clock: start it at zero and let it stand at 5 s.
    VTTimer& timer = VTTimer::GetTimer();
    unsigned long long clockNow = 0;
    timer.SetMicrosecondClockForTesting([&clockNow] { return clockNow; });
    clockNow = 5000000;
    struct RestoreClock
    {
        ~RestoreClock() { VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
    } restore;
    BlankSurface surface;
    VantrelSDK::VTSdkStimulus stimulus;
    stimulus.text = "one two";
    wxString problem;
    ASSERT_TRUE(instance->PrepareStimulus(stimulus, surface, problem)) << problem;
    const unsigned long long onset = instance->StartPresentation(surface);
    ASSERT_EQ(onset, 5000000u);

    // Stamped while the first word was still being drawn: ignored, the word stays.
    instance->OnStepResponse(surface, onset - 1000, "early", true);
    std::vector<VantrelSDK::VTSdkSegmentTime> times = instance->GetSegmentTimes();
    ASSERT_EQ(times.size(), 1u);
    EXPECT_FALSE(times[0].answered);

    instance->OnStepResponse(surface, onset + 300000, "press", true);
    times = instance->GetSegmentTimes();
    ASSERT_EQ(times.size(), 2u);
    EXPECT_TRUE(times[0].answered);
    EXPECT_EQ(times[0].responseName, "press");
    EXPECT_EQ(times[0].onsetMicroseconds, onset);
    EXPECT_EQ(times[0].responseMicroseconds, onset + 300000);
    EXPECT_FALSE(instance->IsFinished());
}

namespace {

std::string Big32(unsigned long value)
{
    return std::string{char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A PNG of a few bytes whose header declares `width` x `height` pixels (CRCs left
// zero: the header is all a size check may read).
std::string PngDeclaring(unsigned long width, unsigned long height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + Big32(13) + "IHDR" + Big32(width) + Big32(height) +
           std::string("\x08\x02\x00\x00\x00", 5) + Big32(0) + Big32(0) + "IEND" + Big32(0);
}

}  // namespace

TEST_F(EventPlugIns, PictureSizesComeFromTheHeaderAndTooLargeOnesAreRefusedUndecoded)
{
    const wxString folder = TestSupport::MakeTempFolder("pictures");
    // Every format the picture type offers is read, and its size found in its header.
    wxImage picture(37, 23);
    picture.SetRGB(wxRect(0, 0, 37, 23), 10, 120, 200);
    const struct
    {
        const char* file;
        wxBitmapType type;
    } formats[] = {{"p.png", wxBITMAP_TYPE_PNG},
                   {"p.jpg", wxBITMAP_TYPE_JPEG},
                   {"p.bmp", wxBITMAP_TYPE_BMP},
                   {"p.tif", wxBITMAP_TYPE_TIFF}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.file);
        ASSERT_TRUE(picture.SaveFile(Path(folder, f.file), f.type));
        wxString problem;
        EXPECT_TRUE(PlugIn(300)->CanPresentFile(Path(folder, f.file), problem)) << problem;
    }

    // Sizes at and around the limit of 64 megapixels; the bodies are empty, so only a
    // check made before decoding can say "too large".
    const struct
    {
        unsigned long width, height;
        const char* problem;
    } sizes[] = {
        {8000, 8000, "cannot be read as a picture"},  // at the limit: decoding is tried, and fails
        {8001, 8000, "the picture is too large"},
        {64000001, 1, "the picture is too large"},
        {4000000000UL, 4000000000UL, "the picture is too large"},  // would overflow a careless product
    };
    // A GIF's header is read as well (wx cannot write one to try the readable side).
    {
        const wxString path = Path(folder, "declared.gif");
        wxFFile file(path, "wb");
        file.Write(std::string("GIF89a\xff\xff\xff\xff\0\0\0", 13).data(), 13);
        file.Close();
        wxString problem;
        EXPECT_FALSE(PlugIn(300)->CanPresentFile(path, problem));
        EXPECT_TRUE(problem.Contains("the picture is too large")) << problem;
    }
    for (const auto& s : sizes) {
        SCOPED_TRACE(wxString::Format("%lu x %lu", s.width, s.height));
        const wxString path = Path(folder, "declared.png");
        wxFFile file(path, "wb");
        const std::string bytes = PngDeclaring(s.width, s.height);
        file.Write(bytes.data(), bytes.size());
        file.Close();
        wxString problem;
        EXPECT_FALSE(PlugIn(300)->CanPresentFile(path, problem));
        EXPECT_TRUE(problem.Contains(s.problem)) << problem;
    }
}
