// Trial variables in real runs: the levels each run picked, read back from the data
// file's level columns; time limits measured from the onsets; places and colours read
// back from the screen.

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTTrialVariable.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

#include <wx/stopwatch.h>
#include <wx/uiaction.h>

#include <memory>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTRuntime/VTCompiledExperiment.h"

// Last: Xlib's macros would clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace Vantrel;

namespace {

// The data rows of a file as column name -> value, from the line that names the columns.
std::vector<std::map<wxString, wxString>> ReadRows(const wxString& path)
{
    std::vector<std::map<wxString, wxString>> rows;
    std::ifstream in(path.utf8_string());
    std::vector<wxString> columns;
    for (std::string raw; std::getline(in, raw);) {
        const wxString line = wxString::FromUTF8(raw);
        const wxArrayString fields = wxSplit(line, '\t', '\0');
        if (columns.empty()) {
            if (fields.Index("RT_ms") != wxNOT_FOUND) columns.assign(fields.begin(), fields.end());
            continue;
        }
        std::map<wxString, wxString> row;
        for (size_t i = 0; i < fields.size() && i < columns.size(); ++i) row[columns[i]] = fields[i];
        rows.push_back(row);
    }
    return rows;
}

VTTrialVariable* AddVariable(VTExperiment& x, const wxString& name, int type, const std::vector<wxString>& levels,
                             int method, int scope, bool flag)
{
    auto* variable = Fixture::Add<VTTrialVariable>(x, ElementType::TrialVariable, name);
    variable->SetVariableType(type);
    variable->SetLevels(levels);
    variable->GetVariable().SetMethod(method);
    variable->GetVariable().SetScope(scope);
    variable->GetVariable().SetFlag(flag);
    variable->SetSaveToDataFlag(true);
    return variable;
}

class TrialVariableRun : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    wxString DataPath(const wxString& name)
    {
        return wxFileName(TestSupport::MakeTempFolder("levels"), name).GetFullPath();
    }
    // Runs the experiment for `group` with the run's random numbers seeded; the rows written.
    std::vector<std::map<wxString, wxString>> Run(VTExperiment& x, VTParticipantGroup* group, const wxString& who,
                                                  unsigned seed)
    {
        const wxString path = DataPath(who + ".txt");
        x.GetRunOptions().SetGroupID(int(group->GetID()));
        x.GetRunOptions().SetSubjectName(who);
        x.GetRunOptions().SetSaveCollectedDataFlag(true, path);
        Orbisk::RNG_Wrapper::SeedForTesting(seed);
        VTCompiledExperiment compiled({});
        EXPECT_NE(x.InstructCompiledExperimentBuilderToBuild(compiled, false), nullptr) << TestSupport::LogAsText();
        EXPECT_TRUE(compiled.Run(false, false)) << TestSupport::LogAsText();
        return ReadRows(path);
    }
};

// The level column of a variable over the run, blocks separated by '|'.
std::string Levels(const std::vector<std::map<wxString, wxString>>& rows, const wxString& variable)
{
    std::string out;
    wxString block;
    for (const auto& row : rows) {
        if (!out.empty() && row.at("Block") != block) out += '|';
        block = row.at("Block");
        const auto it = row.find(variable);
        out += it == row.end() ? std::string("?") : std::string(it->second.utf8_str());
    }
    return out;
}

bool IsPermutation(const std::string& s)
{
    return s.size() == 3 && std::set<char>(s.begin(), s.end()) == std::set<char>{'A', 'B', 'C'};
}

}  // namespace

TEST_F(TrialVariableRun, EachMethodScopeAndFlagPicksItsLevelsInTheDataFile)
{
    // Block "One" presents two trials, block "Two" three; one event each.
    VTExperiment x;
    x.SetTitle("Levels");
    auto* one = Fixture::Add<VTBlock>(x, ElementType::Block, "One");
    auto* two = Fixture::Add<VTBlock>(x, ElementType::Block, "Two");
    auto* trial = Fixture::Add<VTTrial>(x, ElementType::Trial, "T");
    trial->AddUsedEvent(Fixture::TextEvent(x, "Word", "word", 0));
    auto* trial2 = Fixture::Add<VTTrial>(x, ElementType::Trial, "T2");
    trial2->AddUsedEvent(Fixture::TextEvent(x, "Word2", "word", 0));
    trial->SetRepetitions(2);
    trial2->SetRepetitions(3);
    one->AddUsedTrial(trial);
    two->AddUsedTrial(trial2);
    auto* first = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "First");
    auto* second = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "Second");
    first->m_RunAllBlocks = second->m_RunAllBlocks = true;

    struct Case
    {
        const char* name;
        int method, scope;
        bool flag;
        const char* expected;  // the same in every run, or empty: checked below
    } cases[] = {
        {"seq trial restart", 0, 3, true, "AB|CAB"},
        {"seq trial stay", 0, 3, false, "AB|CCC"},
        {"seq block", 0, 2, true, "AA|BBB"},
        {"seq run", 0, 1, true, "AA|AAA"},
        {"seq group", 0, 0, false, ""},
        {"norepl trial", 1, 3, false, ""},
        {"norepl block", 1, 2, false, ""},
        {"norepl group", 1, 0, false, ""},
        {"repl group", 2, 0, false, ""},
        {"manual", 3, 1, true, "AA|AAA"},
    };
    for (const Case& c : cases) {
        VTTrialVariable* v =
            AddVariable(x, c.name, VariableType::Location, {"(0, 0)", "(1, 1)", "(2, 2)"}, c.method, c.scope, c.flag);
        const char* names[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) v->GetVariable().GetLevels()[size_t(i)]->SetName(names[i]);
    }
    AddVariable(x, "not saved", VariableType::Colour, {"#FF0000"}, 0, 3, true)->SetSaveToDataFlag(false);

    // Two participants of the first group (with different random numbers), one of the second.
    const auto p1 = Run(x, first, "p1", 7);
    const auto p2 = Run(x, first, "p2", 8);
    const auto p3 = Run(x, second, "p3", 7);
    for (const auto* rows : {&p1, &p2, &p3}) {
        ASSERT_EQ(rows->size(), 5u);
        EXPECT_EQ(rows->front().count("not saved"), 0u) << "a variable not saved has no column";
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!*c.expected) continue;
        for (const auto* rows : {&p1, &p2, &p3}) EXPECT_EQ(Levels(*rows, c.name), c.expected);
    }
    // Once per group, sequential: the first group's level, then the second's.
    EXPECT_EQ(Levels(p1, "seq group"), "AA|AAA");
    EXPECT_EQ(Levels(p3, "seq group"), "BB|BBB");
    // Without replacement, each trial: every level once, then the same order again.
    for (const auto* rows : {&p1, &p2, &p3}) {
        const std::string s = Levels(*rows, "norepl trial");
        const std::string picks = s.substr(0, 2) + s.substr(3);
        EXPECT_TRUE(IsPermutation(picks.substr(0, 3))) << s;
        EXPECT_EQ(picks.substr(3), picks.substr(0, 2)) << s;
        const std::string b = Levels(*rows, "norepl block");
        EXPECT_EQ(b.substr(0, 2), std::string(2, b[0])) << b;
        EXPECT_EQ(b.substr(3), std::string(3, b[3])) << b;
        EXPECT_NE(b[0], b[3]) << b;
    }
    // Once per group: the same for both participants of a group, another for the other group.
    for (const char* name : {"norepl group", "repl group"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Levels(p1, name), Levels(p2, name));
        EXPECT_NE(Levels(p1, name), Levels(p3, name));
    }
    const std::string g = Levels(p1, "norepl group");
    EXPECT_EQ(std::set<char>(g.begin(), g.end()).size(), 2u) << g << ": one level for the whole run";
}

namespace {

double Onset(const std::map<wxString, wxString>& row)
{
    for (const char* column : {"Onset_ms", "CumulativeTime_ms"}) {
        const auto it = row.find(column);
        double ms = 0;
        if (it != row.end() && it->second.ToCDouble(&ms)) return ms;
    }
    ADD_FAILURE() << "no onset column";
    return 0;
}

struct OneTrial
{
    VTTrial* trial;
    VTParticipantGroup* group;
};

// The block "B" presenting the trial "T" (no events yet) `repetitions` times, for the group "G".
OneTrial OneTrialBlock(VTExperiment& x, int repetitions)
{
    auto* block = Fixture::Add<VTBlock>(x, ElementType::Block, "B");
    auto* trial = Fixture::Add<VTTrial>(x, ElementType::Trial, "T");
    trial->SetRepetitions(repetitions);
    block->AddUsedTrial(trial);
    auto* group = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "G");
    group->m_RunAllBlocks = true;
    return {trial, group};
}

// The events "Timed", limited by the variable, and "Next" after it.
void AddTimedEvents(VTExperiment& x, VTTrial& trial, const VTTrialVariable& limit)
{
    VTEvent* timed = Fixture::TextEvent(x, "Timed", "timed", 5000);
    // The fixed limit is what the variable replaces: were it used, the run would take far longer.
    timed->AcceptInputSettingsForEditor(true, true, 1, 5000, int(limit.GetID()));
    trial.AddUsedEvent(timed);
    trial.AddUsedEvent(Fixture::TextEvent(x, "Next", "next", 0));
}

}  // namespace

TEST_F(TrialVariableRun, ATimeLimitLevelIsTheTimeLimitOfTheEventsThatUseIt)
{
    VTExperiment x;
    x.SetTitle("Limits");
    auto* limit = AddVariable(x, "Limit", VariableType::TimeLimit, {"200", "400"}, 0, 3, true);
    const OneTrial run = OneTrialBlock(x, 6);
    AddTimedEvents(x, *run.trial, *limit);
    VTParticipantGroup* group = run.group;

    const auto rows = Run(x, group, "limits", 1);
    ASSERT_EQ(rows.size(), 12u);
    // An event lasts from its onset to the next one's: its limit, plus the time the next
    // stimulus (prepared meanwhile) takes to reach the display. That time depends on
    // the machine's load, so each level is judged by its quickest of three trials.
    std::map<int, double> quickest{{200, 1e9}, {400, 1e9}};
    for (size_t t = 0; t < 6; ++t) {
        SCOPED_TRACE(t);
        const int limitMs = t % 2 ? 400 : 200;
        const auto& shown = rows[2 * t];
        ASSERT_EQ(shown.at("Event"), "Timed");
        EXPECT_EQ(shown.at("Limit"), wxString::Format("%d", limitMs));
        const double lasted = Onset(rows[2 * t + 1]) - Onset(shown);
        EXPECT_GE(lasted, limitMs - 0.5) << "never before its limit";
        EXPECT_LT(lasted, limitMs + 2000.0) << "nor anywhere near the fixed 5 s";
        quickest[limitMs] = std::min(quickest[limitMs], lasted);
    }
    EXPECT_LT(quickest[200], 200 + 150.0);
    EXPECT_LT(quickest[400], 400 + 150.0);
    EXPECT_NEAR(quickest[400] - quickest[200], 200.0, 120.0);
}

namespace {

// Where the screen shows a colour: the box around every pixel close to it.
struct ColourSpot
{
    int count = 0;
    wxRect box;
    wxPoint Centre() const { return wxPoint(box.x + box.width / 2, box.y + box.height / 2); }
};

ColourSpot FindOnScreen(const wxColour& colour, wxSize& screen)
{
    ColourSpot spot;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return spot;
    screen = wxSize(DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display)));
    XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, unsigned(screen.x), unsigned(screen.y),
                              AllPlanes, ZPixmap);
    if (image) {
        for (int y = 0; y < screen.y; ++y)
            for (int x = 0; x < screen.x; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                const int r = int((p >> 16) & 0xff), g = int((p >> 8) & 0xff), b = int(p & 0xff);
                if (std::abs(r - colour.Red()) + std::abs(g - colour.Green()) + std::abs(b - colour.Blue()) > 60)
                    continue;
                spot.box = spot.count++ ? spot.box.Union(wxRect(x, y, 1, 1)) : wxRect(x, y, 1, 1);
            }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return spot;
}

}  // namespace

TEST_F(TrialVariableRun, LocationAndColourLevelsPlaceAndColourTheStimulus)
{
    VTExperiment x;
    x.SetTitle("Places");
    x.GetSaveDataOptions().SetSaveOption(VTSaveDataOptions::StimulusPositionColumn, true);
    auto* where = AddVariable(x, "Where", VariableType::Location, {"(-300, -200)", "(250, 180)"}, 0, 3, true);
    auto* colour = AddVariable(x, "Colour", VariableType::Colour, {"#FF2020", "#20FF20"}, 0, 3, true);
    auto* block = Fixture::Add<VTBlock>(x, ElementType::Block, "B");
    auto* trial = Fixture::Add<VTTrial>(x, ElementType::Trial, "T");
    // Each event stays until a key is pressed: a text in the level's colour, then a
    // blue square picture, both at the level's place.
    VTEvent* text = Fixture::TextEvent(x, "Text", "HHHH", -1);
    text->SetLocationVariableID(int(where->GetID()));
    text->SetColourVariableID(int(colour->GetID()));
    trial->AddUsedEvent(text);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    const wxString square = DataPath("square.png");
    wxImage image(80, 80);
    image.SetRGB(wxRect(0, 0, 80, 80), 0x20, 0x20, 0xFF);
    ASSERT_TRUE(image.SaveFile(square, wxBITMAP_TYPE_PNG));
    VTEvent* picture = Fixture::TextEvent(x, "Picture", "", -1);
    picture->SetPlugInID(EventPlugIn::Pictures);
    picture->AddStimFile(square);
    picture->SetLocationVariableID(int(where->GetID()));
    trial->AddUsedEvent(picture);
    trial->SetRepetitions(2);
    block->AddUsedTrial(trial);
    auto* group = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "G");
    group->m_RunAllBlocks = true;

    struct Seen
    {
        wxColour colour;
        wxPoint offset;
        ColourSpot spot;
        wxSize screen;
    } seen[] = {{wxColour(0xFF, 0x20, 0x20), wxPoint(-300, -200)},
                {wxColour(0x20, 0x20, 0xFF), wxPoint(-300, -200)},
                {wxColour(0x20, 0xFF, 0x20), wxPoint(250, 180)},
                {wxColour(0x20, 0x20, 0xFF), wxPoint(250, 180)}};
    RunDriver driver;
    driver.FocusPresentation();
    for (Seen& s : seen) {
        auto waited = std::make_shared<std::unique_ptr<wxStopWatch>>();
        driver.Then(
            100, [] { wxUIActionSimulator().Char('x'); },
            [&s, waited] {
                if (!*waited) waited->reset(new wxStopWatch);
                s.spot = FindOnScreen(s.colour, s.screen);
                return s.spot.count > 50 || (*waited)->Time() > 5000;
            });
    }
    driver.Begin();
    const auto rows = Run(x, group, "places", 1);
    driver.Stop();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Levels(rows, "Where"), "Level 1Level 1Level 2Level 2");
    for (size_t i = 0; i < 4; ++i) {
        const Seen& s = seen[i];
        SCOPED_TRACE(i);
        ASSERT_GT(s.spot.count, 50) << "the stimulus in its colour";
        const wxPoint centre(s.screen.x / 2, s.screen.y / 2);
        if (i % 2 == 0) {
            // The text's middle is at the level's place, counted from the screen's centre
            // (y grows downwards); glyphs sit a little off their line's middle.
            EXPECT_NEAR(s.spot.Centre().x, centre.x + s.offset.x, 30);
            EXPECT_NEAR(s.spot.Centre().y, centre.y + s.offset.y, 30);
            continue;
        }
        // The picture plug-in enlarges the square to fill the screen's height; it is drawn
        // moved by the level's offset, as the data file's stimulus columns say, and what
        // of it is on the screen is where the screen shows blue.
        long x = 0, y = 0, width = 0, height = 0;
        ASSERT_TRUE(rows[i].at("StimulusX").ToLong(&x) && rows[i].at("StimulusY").ToLong(&y) &&
                    rows[i].at("StimulusWidth").ToLong(&width) && rows[i].at("StimulusHeight").ToLong(&height));
        EXPECT_NEAR(x, (s.screen.x - width) / 2 + s.offset.x, 1);
        EXPECT_NEAR(y, (s.screen.y - height) / 2 + s.offset.y, 1);
        const wxRect visible = wxRect(int(x), int(y), int(width), int(height)).Intersect(wxRect(s.screen));
        EXPECT_NEAR(s.spot.box.GetLeft(), visible.GetLeft(), 2);
        EXPECT_NEAR(s.spot.box.GetTop(), visible.GetTop(), 2);
        EXPECT_NEAR(s.spot.box.GetRight(), visible.GetRight(), 2);
        EXPECT_NEAR(s.spot.box.GetBottom(), visible.GetBottom(), 2);
    }
}

namespace {

// A trial rule that always moves `variable`'s level (number: the level, counted from 1).
VTRule* AlwaysMove(VTExperiment& x, const VTTrialVariable& variable, int operation, int number = -1)
{
    ExpressionFromGUI always;
    always.kind = RuleCode::KindAlways;
    OrderFormForActionCreation move;
    move.actionType = RuleCode::ActionTrialLevel;
    move.target = int(variable.GetID());
    move.operation = operation;
    move.number = number;
    return Fixture::MakeRule(x, "Move", VTRule::kKindTrials, {always}, {move});
}

// A saved place variable "Moved" whose levels are named A to D.
VTTrialVariable* LetteredVariable(VTExperiment& x, int method, int scope, bool flag)
{
    VTTrialVariable* v =
        AddVariable(x, "Moved", VariableType::Location, {"(0, 0)", "(1, 1)", "(2, 2)", "(3, 3)"}, method, scope, flag);
    const char* names[] = {"A", "B", "C", "D"};
    for (size_t i = 0; i < 4; ++i) v->GetVariable().GetLevels()[i]->SetName(names[i]);
    return v;
}

}  // namespace

TEST_F(TrialVariableRun, RulesMoveTheLevelOfTheTrialsThatFollow)
{
    // One trial presented five times; its rule moves a level after every presentation.
    struct Case
    {
        const char* name;
        int method;  // the moved variable's
        bool flag;
        int operation, number;
        const char* expected;  // the level column over the five trials
    } cases[] = {
        {"manual next stays on the last", 3, false, RuleCode::LevelNext, -1, "ABCDD"},
        {"manual next wraps round", 3, true, RuleCode::LevelNext, -1, "ABCDA"},
        {"manual previous stays on the first", 3, false, RuleCode::LevelPrevious, -1, "AAAAA"},
        {"manual previous wraps round", 3, true, RuleCode::LevelPrevious, -1, "ADCBA"},
        {"manual set last", 3, false, RuleCode::LevelSetLast, -1, "ADDDD"},
        {"manual set a given level", 3, false, RuleCode::LevelSetNumber, 3, "ACCCC"},
        // Sequential picks A B C D D by itself: each move stands for the next trial only.
        {"sequential set first", 0, false, RuleCode::LevelSetFirst, -1, "AAAAA"},
        {"sequential set a given level", 0, false, RuleCode::LevelSetNumber, 2, "ABBBB"},
        {"sequential previous stays on the first", 0, false, RuleCode::LevelPrevious, -1, "AAAAA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VTExperiment x;
        x.SetTitle("Moves");
        auto* moved = LetteredVariable(x, c.method, 3, c.flag);
        const OneTrial run = OneTrialBlock(x, 5);
        run.trial->AddUsedEvent(Fixture::TextEvent(x, "Word", "word", 0));
        run.trial->AttachRule(AlwaysMove(x, *moved, c.operation, c.number));
        EXPECT_EQ(Levels(Run(x, run.group, "moves", 1), "Moved"), c.expected);
    }
}

TEST_F(TrialVariableRun, ARandomLevelMoveFollowsTheRunsSeed)
{
    VTExperiment x;
    x.SetTitle("Random moves");
    auto* moved = LetteredVariable(x, 3, 1, false);
    const OneTrial run = OneTrialBlock(x, 12);
    run.trial->AddUsedEvent(Fixture::TextEvent(x, "Word", "word", 0));
    run.trial->AttachRule(AlwaysMove(x, *moved, RuleCode::LevelSetRandom));
    VTParticipantGroup* group = run.group;

    const std::string first = Levels(Run(x, group, "random1", 7), "Moved");
    ASSERT_EQ(first.size(), 12u);
    EXPECT_EQ(first[0], 'A') << "the first trial comes before any move";
    EXPECT_EQ(std::set<char>(first.begin(), first.end()), (std::set<char>{'A', 'B', 'C', 'D'})) << first;
    EXPECT_EQ(Levels(Run(x, group, "random2", 7), "Moved"), first);
}

TEST_F(TrialVariableRun, AMovedTimeLimitLevelTimesTheNextTrialsEvent)
{
    VTExperiment x;
    x.SetTitle("Moved limits");
    auto* limit = AddVariable(x, "Limit", VariableType::TimeLimit, {"100", "700"}, 3, 1, false);
    const OneTrial run = OneTrialBlock(x, 2);
    AddTimedEvents(x, *run.trial, *limit);
    run.trial->AttachRule(AlwaysMove(x, *limit, RuleCode::LevelNext));

    const auto rows = Run(x, run.group, "moved-limits", 1);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].at("Limit"), "100");
    EXPECT_EQ(rows[2].at("Limit"), "700");
    const double before = Onset(rows[1]) - Onset(rows[0]);
    const double after = Onset(rows[3]) - Onset(rows[2]);
    EXPECT_GE(before, 99.5);
    EXPECT_LT(before, 600.0) << "the move waits for the next trial";
    EXPECT_GE(after, 699.5) << "the next trial's event takes the moved limit";
    EXPECT_LT(after, 2700.0);
}
