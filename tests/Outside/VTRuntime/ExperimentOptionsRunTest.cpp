// The experiment's options as a run with the run tool honours them: what the screen
// shows (background, light-sensor patch, read back from the X server) and what the
// data file holds (codes, columns, header) and where it goes (folder modes).

#include <gtest/gtest.h>

#include <wx/config.h>
#include <wx/dir.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/regex.h>
#include <wx/stdpaths.h>
#include <wx/uiaction.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "FixtureExperiment.h"
#include "TestSupport.h"
#include "ToolProcess.h"
#include "XPixelProbe.h"
#include "VTRuntime/VTDataFolder.h"

using namespace Vantrel;

namespace {

constexpr long kPatchColour = XPixelProbe::Rgb(255, 0, 0);
const wxRect kPatch(0, 0, 20, 20);

std::vector<wxString> ReadLines(const wxString& path)
{
    std::vector<wxString> lines;
    std::ifstream in(path.utf8_string());
    for (std::string line; std::getline(in, line);) lines.push_back(wxString::FromUTF8(line));
    return lines;
}

std::string Joined(const std::vector<wxString>& lines)
{
    std::string all;
    for (const wxString& l : lines) all += l.utf8_string() + "|\n";
    return all;
}

// An experiment whose events ask for keys A (correct) and B (incorrect), each
// followed by a blank gap, so the sensor patch marks every question's onset:
//   Right: ends on any response; Wrong: the same; Fixed: ends only on a correct
//   response, so B then A is a self-correction; Silent: 300 ms, nobody answers.
struct QuestionsExperiment
{
    VTExperiment experiment;

    QuestionsExperiment()
    {
        using namespace Fixture;
        experiment.SetTitle("Questions");
        VTResponse* a = KeyResponse(experiment, "A", 'A');
        VTResponse* b = KeyResponse(experiment, "B", 'B');
        VTBlock* block = Add<VTBlock>(experiment, ElementType::Block, "Only block");
        VTTrial* trial = Add<VTTrial>(experiment, ElementType::Trial, "Only trial");
        block->AddUsedTrial(trial);
        const struct
        {
            const char* name;
            const char* text;
            bool endsOnAny;
            int limitMs;
        } questions[] = {{"Right", "R?", true, 8000},
                         {"Wrong", "W?", true, 8000},
                         {"Fixed", "F?", false, 8000},
                         {"Silent", "S?", true, 300}};
        for (const auto& q : questions) {
            VTEvent* event = TextEvent(experiment, q.name, q.text, q.limitMs);
            event->AcceptEndEventSettings(false, q.endsOnAny, !q.endsOnAny, true);
            event->GetUsedResponses().AddChildElement(a);
            event->GetUsedResponses().AddChildElement(b);
            event->EditorRequestingSetResponseTypeInZeroethCollection(CorrectKind::Chosen);
            event->LinkCorrectResponse(2, -1, a);
            trial->AddUsedEvent(event);
            trial->AddUsedEvent(Gap(wxString("After ") + q.name, 250));
        }
        VTSensorPatch& patch = *experiment.GetSensorPatch();
        patch.SetSensorPatchDisable(false);
        patch.SetSensorPatchPosX(kPatch.x);
        patch.SetSensorPatchPosY(kPatch.y);
        patch.SetSensorPatchSize(kPatch.width);
        patch.SetSensorPatchColour(wxColour(255, 0, 0));
    }

    // A blank event that records nothing.
    VTEvent* Gap(const wxString& name, int ms)
    {
        VTEvent* gap = Fixture::Add<VTEvent>(experiment, ElementType::Event, name);
        gap->SetPlugInID(EventPlugIn::Pictures);  // no picture: nothing is drawn
        gap->AcceptInputSettingsForEditor(false, true, 0, ms, -1);
        gap->AcceptEndEventSettings(false, false, false, true);
        return gap;
    }
};

class ToolRuns : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        ASSERT_TRUE(m_Probe.IsOpen());
    }

    // Saves the experiment in a folder of its own and returns the file.
    wxString Save(VTExperiment& experiment, const std::string& folder = "experiment")
    {
        const wxString file = wxFileName(TestSupport::MakeTempFolder(folder), "options.vt6").GetFullPath();
        EXPECT_TRUE(experiment.OnSaveDocument(file)) << TestSupport::LogAsText();
        return file;
    }

    // Starts the tool; `whileRunning` is called over and over until it ends.
    int RunTool(const wxString& experimentFile, std::vector<std::string> extra,
                const std::function<void()>& whileRunning = {})
    {
        std::vector<std::string> args = {VT_RUN_TOOL_PATH, experimentFile.utf8_string(), "--plugins",
                                         TestSupport::MakeTempFolder("no-plugins")};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_TRUE(m_Tool.Start(args, TestSupport::MakeTempFolder("log") + "/tool.log"));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(40);
        while (m_Tool.Running() && std::chrono::steady_clock::now() < end) {
            if (whileRunning) whileRunning();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return m_Tool.Wait(1000);
    }

    bool PatchShown()
    {
        return m_Probe.PixelAt(kPatch.x + kPatch.width / 2, kPatch.y + kPatch.height / 2) == kPatchColour;
    }

    // Waits (up to 10 s) until the sensor patch is shown or hidden.
    bool WaitForPatch(bool shown)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (PatchShown() != shown) {
            if (std::chrono::steady_clock::now() > end || !m_Tool.Running()) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        return true;
    }

    // Answers the questions of QuestionsExperiment, each after its onset: A, B, B then A, nothing.
    std::function<void()> Participant(long* backgroundSeen)
    {
        return [this, backgroundSeen, done = false]() mutable {
            if (done) return;
            done = true;
            const std::vector<std::vector<char>> answers = {{'a'}, {'b'}, {'b', 'a'}, {}};
            wxUIActionSimulator sim;
            for (size_t i = 0; i < answers.size(); ++i) {
                ASSERT_TRUE(WaitForPatch(true)) << "question " << i << "\n" << m_Tool.Output();
                if (i == 0) {
                    *backgroundSeen = m_Probe.PixelAt(m_Probe.ScreenWidth() - 3, m_Probe.ScreenHeight() - 3);
                    sim.MouseMove(m_Probe.ScreenWidth() / 2, m_Probe.ScreenHeight() / 2);
                    sim.MouseClick();
                    wxYield();
                }
                for (char key : answers[i]) sim.Char(key);
                wxYield();
                ASSERT_TRUE(WaitForPatch(false)) << "question " << i << "\n" << m_Tool.Output();
            }
        };
    }

    XPixelProbe m_Probe;
    ToolProcess m_Tool;
};

// A row pattern: fields separated by tabs; "<time>" is a time in ms with three
// decimals, "<n>" a whole number, anything else must match exactly.
bool RowMatches(const wxString& row, const wxString& pattern)
{
    const wxArrayString got = wxSplit(row, '\t', 0), want = wxSplit(pattern, '\t', 0);
    if (got.size() != want.size()) return false;
    static wxRegEx time("^[0-9]+\\.[0-9]{3}$"), number("^-?[0-9]+$");
    for (size_t i = 0; i < got.size(); ++i) {
        if (want[i] == "<time>" ? !time.Matches(got[i])
            : want[i] == "<n>"  ? !number.Matches(got[i])
                                : got[i] != want[i])
            return false;
    }
    return true;
}

}  // namespace

TEST_F(ToolRuns, OptionSetsDecideCodesColumnsHeaderAndBackground)
{
    struct Case
    {
        const char* what;
        std::function<void(VTExperiment&)> set;
        long background;
        std::vector<wxString> columns;  // empty: no header at all
        std::vector<wxString> rows;
    };
    auto codes = [](VTExperiment& x, const char* c, const char* e, const char* sc, const char* nr) {
        VTErrorCodes& codes = x.GetErrorCodes();
        codes.SetCodeWithString(VTErrorCodes::VTCorrectness(0), c);
        codes.SetCodeWithString(VTErrorCodes::VTCorrectness(1), e);
        codes.SetCodeWithString(VTErrorCodes::VTCorrectness(2), sc);
        codes.SetCodeWithString(VTErrorCodes::VTCorrectness(3), nr);
    };
    auto columns = [](VTExperiment& x, std::initializer_list<int> on) {
        for (int i = 0; i < VTSaveDataOptions::kCount; ++i)
            if (i != VTSaveDataOptions::Header) x.GetSaveDataOptions().SetSaveOption(i, false);
        for (int i : on) x.GetSaveDataOptions().SetSaveOption(i, true);
    };
    const Case cases[] = {
        {"a new experiment's options",
         [](VTExperiment&) {},
         XPixelProbe::Rgb(0, 0, 0),
         {"Block\tTrial\tEvent\tStimulus\tResponse\tRT_ms\tCorrectness\tOnset_ms"},
         {"Only block\tOnly trial\tRight\tR?\tA\t<time>\tC\t<time>",
          "Only block\tOnly trial\tAfter Right\t\t\t\t\t<time>",
          "Only block\tOnly trial\tWrong\tW?\tB\t<time>\tE\t<time>",
          "Only block\tOnly trial\tAfter Wrong\t\t\t\t\t<time>",
          "Only block\tOnly trial\tFixed\tF?\tA\t<time>\tSC\t<time>",
          "Only block\tOnly trial\tAfter Fixed\t\t\t\t\t<time>", "Only block\tOnly trial\tSilent\tS?\t\t\tNR\t<time>",
          "Only block\tOnly trial\tAfter Silent\t\t\t\t\t<time>"}},
        {"grey, own codes, every column",
         [&](VTExperiment& x) {
             x.m_BackgroundColour = wxColour(128, 128, 128);
             codes(x, "yes", "no", "fixed", "");
             for (int i = 0; i < VTSaveDataOptions::kCount; ++i) x.GetSaveDataOptions().SetSaveOption(i, true);
         },
         XPixelProbe::Rgb(128, 128, 128),
         {"Participant\tGroup\tSession\tBlock\tBlockNumber\tTrial\tTrialNumber\tEvent\tEventNumber\tStimulus\t"
          "StimulusX\tStimulusY\tStimulusWidth\tStimulusHeight\tResponse\tRT_ms\tCorrectness\tOnset_ms\t"
          "CorrectResponse"},
         {"p7\t\ts9\tOnly block\t1\tOnly trial\t1\tRight\t1\tR?\t<n>\t<n>\t<n>\t<n>\tA\t<time>\tyes\t<time>\tA",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tAfter Right\t2\t\t\t\t\t\t\t\t\t<time>\t",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tWrong\t3\tW?\t<n>\t<n>\t<n>\t<n>\tB\t<time>\tno\t<time>\tA",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tAfter Wrong\t4\t\t\t\t\t\t\t\t\t<time>\t",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tFixed\t5\tF?\t<n>\t<n>\t<n>\t<n>\tA\t<time>\tfixed\t<time>\tA",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tAfter Fixed\t6\t\t\t\t\t\t\t\t\t<time>\t",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tSilent\t7\tS?\t<n>\t<n>\t<n>\t<n>\t\t\t\t<time>\tA",
          "p7\t\ts9\tOnly block\t1\tOnly trial\t1\tAfter Silent\t8\t\t\t\t\t\t\t\t\t<time>\t"}},
        {"a reduced column set",
         [&](VTExperiment& x) {
             x.m_BackgroundColour = wxColour(255, 255, 255);
             codes(x, "1", "0", "2", "9");
             columns(x, {VTSaveDataOptions::TrialNumberColumn, VTSaveDataOptions::EventNameColumn});
         },
         XPixelProbe::Rgb(255, 255, 255),
         {"TrialNumber\tEvent\tStimulus\tResponse\tRT_ms\tCorrectness"},
         {"1\tRight\tR?\tA\t<time>\t1", "1\tAfter Right\t\t\t\t", "1\tWrong\tW?\tB\t<time>\t0",
          "1\tAfter Wrong\t\t\t\t", "1\tFixed\tF?\tA\t<time>\t2", "1\tAfter Fixed\t\t\t\t", "1\tSilent\tS?\t\t\t9",
          "1\tAfter Silent\t\t\t\t"}},
        {"no header",
         [&](VTExperiment& x) {
             columns(x, {VTSaveDataOptions::EventNameColumn});
             x.GetSaveDataOptions().SetSaveOption(VTSaveDataOptions::Header, false);
         },
         XPixelProbe::Rgb(0, 0, 0),
         {},
         {"Right\tR?\tA\t<time>\tC", "After Right\t\t\t\t", "Wrong\tW?\tB\t<time>\tE", "After Wrong\t\t\t\t",
          "Fixed\tF?\tA\t<time>\tSC", "After Fixed\t\t\t\t", "Silent\tS?\t\t\tNR", "After Silent\t\t\t\t"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuestionsExperiment q;
        c.set(q.experiment);
        const wxString file = Save(q.experiment);
        const wxString data = wxFileName(TestSupport::MakeTempFolder("data"), "p7.txt").GetFullPath();
        long background = -1;
        ASSERT_EQ(RunTool(file, {"--data", data.utf8_string(), "--subject", "p7", "--session", "s9"},
                          Participant(&background)),
                  0)
            << m_Tool.Output();
        EXPECT_EQ(background, c.background) << m_Tool.Output();

        const std::vector<wxString> lines = ReadLines(data);
        const size_t headerLines = c.columns.empty() ? 0 : 9;
        ASSERT_EQ(lines.size(), headerLines + c.rows.size()) << Joined(lines);
        if (!c.columns.empty()) {
            EXPECT_EQ(lines[0], "Study Station data file");
            EXPECT_EQ(lines[2], "Subject\tp7");
            EXPECT_EQ(lines[8], c.columns[0]);
        }
        for (size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_TRUE(RowMatches(lines[headerLines + i], c.rows[i]))
                << "row " << i << ": " << lines[headerLines + i] << "\nwanted: " << c.rows[i];
    }
}

TEST_F(ToolRuns, SensorPatchMarksEveryOnsetAtItsPlaceAndColourAndNothingWhenDisabled)
{
    const wxRect patch(100, 50, 30, 30);
    const long green = XPixelProbe::Rgb(0, 255, 0), blue = XPixelProbe::Rgb(0, 0, 255);
    for (bool disabled : {false, true}) {
        SCOPED_TRACE(disabled ? "disabled" : "enabled");
        QuestionsExperiment q;
        VTTrial* trial = Fixture::Add<VTTrial>(q.experiment, ElementType::Trial, "Flashes");
        for (int i = 0; i < 4; ++i) {
            trial->AddUsedEvent(Fixture::TextEvent(q.experiment, "Word", "word", 300));
            trial->AddUsedEvent(q.Gap("Gap", 300));
        }
        dynamic_cast<VTBlock*>(q.experiment.GetElementsOfType(ElementType::Block)[0])
            ->GetUsedTrials()
            .RemoveAllElements();
        dynamic_cast<VTBlock*>(q.experiment.GetElementsOfType(ElementType::Block)[0])->AddUsedTrial(trial);
        q.experiment.m_BackgroundColour = wxColour(0, 0, 255);
        VTSensorPatch& sensor = *q.experiment.GetSensorPatch();
        sensor.SetSensorPatchPosX(patch.x);
        sensor.SetSensorPatchPosY(patch.y);
        sensor.SetSensorPatchSize(patch.width);
        sensor.SetSensorPatchColour(wxColour(0, 255, 0));
        sensor.SetSensorPatchDisable(disabled);
        const wxString file = Save(q.experiment);

        int onsets = 0, backgroundSeen = 0;
        bool shown = false, wellPlaced = true;
        // The patch with a one-pixel frame around it, read at once: green inside, blue around.
        auto placedRight = [&] {
            const int w = patch.width + 2, h = patch.height + 2;
            const std::vector<long> pixels = m_Probe.Pixels(patch.x - 1, patch.y - 1, w, h);
            if (pixels.size() != size_t(w * h)) return false;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool frame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                    const long pixel = pixels[size_t(y * w + x)];
                    // A read as the patch goes away again sees background only: not a misplacement.
                    if (pixel != (frame ? blue : green) && !(pixel == blue && !frame)) return false;
                }
            return true;
        };
        ASSERT_EQ(RunTool(file, {"--no-save"},
                          [&] {
                              const long inside = m_Probe.PixelAt(patch.x + 15, patch.y + 15);
                              if (inside == blue) ++backgroundSeen;
                              const bool now = inside == green;
                              if (now && !shown) {
                                  ++onsets;
                                  wellPlaced = wellPlaced && placedRight();
                              }
                              shown = now;
                          }),
                  0)
            << m_Tool.Output();
        EXPECT_GT(backgroundSeen, 0) << m_Tool.Output();  // the run's window was on screen
        EXPECT_EQ(onsets, disabled ? 0 : 4);
        EXPECT_TRUE(wellPlaced);
    }
}

TEST_F(ToolRuns, DataFileGoesToTheFolderItsModeDesignates)
{
    // The tool shares the program's configuration file (XDG layout, "Study Station").
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString configFile = wxFileConfig::GetLocalFileName("Study Station");
    auto previousFolder = [&] {
        wxFileConfig config("Study Station", "Orbisk", configFile, "", wxCONFIG_USE_LOCAL_FILE);
        return config.Read(VTDataFolder::kPreviousFolderKey, "");
    };
    auto onlyFileIn = [](const wxString& folder) {
        wxArrayString files;
        if (wxDir::Exists(folder)) wxDir::GetAllFiles(folder, &files, "*.txt", wxDIR_FILES);
        return files.size() == 1 ? files[0] : wxString::Format("%zu files", files.size());
    };

    VTExperiment experiment;
    experiment.SetTitle("Folders");
    VTBlock* block = Fixture::Add<VTBlock>(experiment, ElementType::Block, "B");
    VTTrial* trial = Fixture::Add<VTTrial>(experiment, ElementType::Trial, "T");
    trial->AddUsedEvent(Fixture::TextEvent(experiment, "E", "e", 30));
    block->AddUsedTrial(trial);
    VTSaveDataOptions& options = experiment.GetSaveDataOptions();

    // Mode 3 before any run has recorded a folder: the default folder.
    {
        options.m_FolderMode = VTSaveDataOptions::PreviousFolder;
        const wxString file = Save(experiment, "mode3-first");
        ASSERT_EQ(RunTool(file, {"--subject", "first"}), 0) << m_Tool.Output();
        const wxString written = onlyFileIn(VTDataFolder::DefaultFolder());
        EXPECT_TRUE(written.Contains("first")) << written;
        EXPECT_EQ(previousFolder(), wxFileName(VTDataFolder::DefaultFolder(), "").GetPathWithSep());
    }
    const wxString other = TestSupport::MakeTempFolder("chosen folder");
    struct Case
    {
        const char* what;
        int mode;
        wxString folderString, subFolder;
        std::function<wxString(const wxString& experimentFolder)> expected;
    };
    const Case cases[] = {
        {"the experiment's folder", VTSaveDataOptions::ExperimentFolder, "$(ExperimentFolder)", "",
         [](const wxString& f) { return f; }},
        {"a folder inside it", VTSaveDataOptions::SubFolderOfExperiment, "$(ExperimentFolder)/Results", "Results",
         [](const wxString& f) { return f + "/Results"; }},
        {"another folder", VTSaveDataOptions::AnotherFolder, other, "", [&](const wxString&) { return other; }},
        {"the previous run's folder", VTSaveDataOptions::PreviousFolder, "", "",
         [&](const wxString&) { return other; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        options.m_FolderMode = c.mode;
        options.m_Folder = wxFileName(c.folderString);
        options.m_SubFolderName = wxFileName(c.subFolder);
        const wxString file = Save(experiment, "mode");
        const wxString folder = c.expected(wxFileName(file).GetPath());
        const wxString subject = wxString::Format("mode%d", c.mode);
        ASSERT_EQ(RunTool(file, {"--subject", subject.utf8_string()}), 0) << m_Tool.Output();
        const wxString written = onlyFileIn(folder);
        EXPECT_EQ(wxFileName(written).GetPath(), folder) << written;
        EXPECT_TRUE(wxFileName(written).GetName().Contains(subject)) << written;
        // Each run remembers its folder for the next "previous time" run.
        EXPECT_EQ(previousFolder(), wxFileName(folder, "").GetPathWithSep());
        wxRemoveFile(written);
    }

    // A named data file in another place is written there and changes nothing remembered.
    const wxString named = wxFileName(TestSupport::MakeTempFolder("named"), "exact.txt").GetFullPath();
    ASSERT_EQ(RunTool(Save(experiment, "named-run"), {"--data", named.utf8_string()}), 0) << m_Tool.Output();
    EXPECT_TRUE(wxFileExists(named));
    EXPECT_EQ(previousFolder(), wxFileName(other, "").GetPathWithSep());
}

TEST(DataFolder, AnExperimentNeverSavedUsesTheDefaultFolderInEveryExperimentFolderMode)
{
    VTExperiment experiment;
    for (int mode : {VTSaveDataOptions::ExperimentFolder, VTSaveDataOptions::SubFolderOfExperiment}) {
        experiment.GetSaveDataOptions().m_FolderMode = mode;
        experiment.GetSaveDataOptions().m_Folder = wxFileName("$(ExperimentFolder)/Results");
        experiment.GetSaveDataOptions().m_SubFolderName = wxFileName("Results");
        EXPECT_EQ(VTDataFolder::PreferredFolder(experiment), VTDataFolder::DefaultFolder()) << mode;
    }
    // A relative folder string in mode 2 has nothing to be relative to either.
    experiment.GetSaveDataOptions().m_FolderMode = VTSaveDataOptions::AnotherFolder;
    experiment.GetSaveDataOptions().m_Folder = wxFileName("relative/folder");
    EXPECT_EQ(VTDataFolder::PreferredFolder(experiment), VTDataFolder::DefaultFolder());
}

// The default folder is "Study Station Data" in the documents folder the XDG user
// folders name (a folder that exists), and in ~/Documents when they name none or
// the home folder itself.
TEST(DataFolder, TheDefaultFolderIsInTheDocumentsFolderAlsoWithoutXdgUserFolders)
{
    const wxString home = wxFileName::GetHomeDir();
    wxString configHome;
    if (!wxGetEnv("XDG_CONFIG_HOME", &configHome) || configHome.empty()) configHome = home + "/.config";
    const wxString userDirs = configHome + "/user-dirs.dirs";
    ASSERT_FALSE(wxFileExists(userDirs)) << "the test's home starts without user folders";
    ASSERT_TRUE(wxFileName::Mkdir(home + "/Papers", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    const struct
    {
        const char* what;
        const char* file;  // user-dirs.dirs, or null for none
        wxString expected;
    } cases[] = {
        {"no user folders", nullptr, home + "/Documents/Study Station Data"},
        {"documents named", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", home + "/Papers/Study Station Data"},
        {"documents set to the home folder", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", home + "/Documents/Study Station Data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file) {
            wxFileName::Mkdir(wxFileName(userDirs).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
            ASSERT_TRUE(TestSupport::WriteWholeFile(userDirs, c.file));
        }
        EXPECT_EQ(VTDataFolder::DefaultFolder(), c.expected);
        wxRemoveFile(userDirs);
    }
}
