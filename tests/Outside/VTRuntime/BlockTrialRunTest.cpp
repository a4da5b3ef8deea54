// Blocks and trials as stored, in real runs: looping with its limits and pause,
// shuffling of trials, events and list items for participants of one group and of
// two, trial pacing, list access, and repeats stopped at their limit. Each experiment
// is built through the data model, planned as the program plans it, and run by the
// engine on an injected run clock with seeded random numbers; what was presented is
// read back from the data file.

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTStimList.h>

#include <atomic>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestPlugInAccess.h"
#include "SteppingClock.h"
#include "TestInputRun.h"
#include "TestSupport.h"
#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTCompiledExperiment.h"
#include "VTRuntime/VTPlugIn.h"
#include "VTRuntime/VTRunEngine.h"

// Last: Xlib's macros would clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace Vantrel;

namespace {

struct DataRow
{
    wxString block, trial, event, stimulus;
    double onsetMs = 0;
};

// The data rows of a file, from the line that names the columns on.
std::vector<DataRow> ReadRows(const wxString& path)
{
    std::vector<DataRow> rows;
    std::ifstream in(path.utf8_string());
    std::map<wxString, size_t> column;
    for (std::string raw; std::getline(in, raw);) {
        const wxArrayString fields = wxSplit(wxString::FromUTF8(raw), '\t', '\0');
        if (column.empty()) {
            if (fields.Index("RT_ms") != wxNOT_FOUND)
                for (size_t i = 0; i < fields.size(); ++i) column[fields[i]] = i;
            continue;
        }
        if (fields.size() < column.size()) continue;  // the "Stopped" line
        DataRow row;
        row.block = fields[column["Block"]];
        row.trial = fields[column["Trial"]];
        row.event = fields[column["Event"]];
        row.stimulus = fields[column["Stimulus"]];
        fields[column["Onset_ms"]].ToCDouble(&row.onsetMs);
        rows.push_back(row);
    }
    return rows;
}

// The stimuli shown, one word per row, separated by spaces.
std::string Stimuli(const std::vector<DataRow>& rows)
{
    std::string out;
    for (const DataRow& row : rows) out += (out.empty() ? "" : " ") + std::string(row.stimulus.utf8_str());
    return out;
}

// The stimuli of each trial presentation joined ("a1+b2"), separated by spaces.
std::string Presentations(const std::vector<DataRow>& rows, size_t eventsPerTrial)
{
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        out += i % eventsPerTrial == 0 ? (out.empty() ? "" : " ") : "+";
        out += rows[i].stimulus.utf8_str();
    }
    return out;
}

VTTrial* WordTrial(VTExperiment& x, VTBlock* block, const wxString& name, int limitMs = 5)
{
    auto* trial = Fixture::Add<VTTrial>(x, ElementType::Trial, name);
    trial->AddUsedEvent(Fixture::TextEvent(x, "E " + name, name, limitMs));
    if (block) block->AddUsedTrial(trial);
    return trial;
}

VTStimList* TextList(VTExperiment& x, const wxString& name, const std::vector<wxString>& items)
{
    auto* list = Fixture::Add<VTStimList>(x, ElementType::StimList, name);
    list->SetFilePlugInID(EventPlugIn::Text);
    for (const wxString& item : items) list->AddTextItem(item);
    return list;
}

VTEvent* ListEvent(VTExperiment& x, const wxString& name, const VTStimList* list)
{
    VTEvent* event = Fixture::TextEvent(x, name, wxString(), 5);
    event->SetStimListID(int(list->GetID()));
    return event;
}

VTRule* RuleWithAction(VTExperiment& x, const wxString& name, int action)
{
    ExpressionFromGUI always;
    always.kind = RuleCode::KindAlways;
    auto predicate = MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&x, {always}, false, name, 1);
    VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(name, &x, VTRule::kKindTrials,
                                                                                 predicate, false, false);
    OrderFormForActionCreation form;
    form.actionType = action;
    rule->ReplaceActionsWithNewList(ActionFactory::MakeActionListFromOrderForms(&x, {form}, name, 1));
    return rule;
}

// An experiment with one block and two participant groups that run it.
struct OneBlock
{
    VTExperiment x;
    VTBlock* block;
    VTParticipantGroup* first;
    VTParticipantGroup* second;
    OneBlock()
    {
        x.SetTitle("Blocks and trials");
        block = Fixture::Add<VTBlock>(x, ElementType::Block, "B");
        first = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "First");
        second = Fixture::Add<VTParticipantGroup>(x, ElementType::ParticipantGroup, "Second");
        first->m_RunAllBlocks = second->m_RunAllBlocks = true;
    }
};

class BlockTrialRun : public TestInputRun
{
protected:
    void TearDown() override
    {
        TestInputRun::TearDown();
        Orbisk::RNG_Wrapper::ReplaceStreamForTesting(nullptr);
    }

    // Plans the experiment for a participant of `group` with the run's random numbers
    // seeded, runs it on the stepping clock and reads the data file back. Keys of the
    // test device are pressed in the answered inputs (events and pauses) listed.
    std::vector<DataRow> Run(VTExperiment& x, VTParticipantGroup* group, unsigned seed,
                             const std::vector<int>& pressInInputs = {}, VTRunReport* reportOut = nullptr,
                             bool steppingClock = true)
    {
        x.GetRunOptions().SetGroupID(group ? int(group->GetID()) : -1);
        Orbisk::RNG_Wrapper::SeedForTesting(seed);
        wxString why;
        const VTRunPlan plan = VTCompiledExperiment::BuildPlan(x, &why);
        EXPECT_FALSE(plan.IsEmpty()) << why;
        m_Access.reset();
        for (int input : pressInInputs) m_Access.scheduleOnEvent(input, 2, 1, 1, 5000);
        VTRunSettings settings;
        settings.saveData = true;
        settings.dataFile = wxFileName(TestSupport::MakeTempFolder("data"), "run.txt").GetFullPath();
        settings.subjectName = wxString::Format("p%u", seed);
        settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
        VTRunReport report;
        {
            std::unique_ptr<SteppingClock> clock(steppingClock ? new SteppingClock : nullptr);
            EXPECT_EQ(VTRunEngine::Run(plan, settings, &report), VTRunOutcome::Completed) << TestSupport::LogAsText();
        }
        if (reportOut) *reportOut = report;
        return ReadRows(settings.dataFile);
    }
};

}  // namespace

TEST_F(BlockTrialRun, LoopModesWithTheirCountsAndExtraActionsPresentWhatTheBlockStores)
{
    struct Case
    {
        const char* name;
        int mode, count;
        std::function<void(VTBlock&)> extra;
        const char* stimuli;
        int trialMs = 400;  // each trial's length on the run clock
    };
    const std::vector<Case> cases = {
        {"no looping", VTBlock::kLoopModeNone, 4, [](VTBlock&) {}, "A B C"},
        {"no looping, trial limit", VTBlock::kLoopModeNone, 1,
         [](VTBlock& b) { b.SetTrialLimitExtraActionSettings(true, 2); }, "A B"},
        {"3 times", VTBlock::kLoopModeCount, 3, [](VTBlock&) {}, "A B C A B C A B C"},
        {"3 times, trial limit off keeps its count", VTBlock::kLoopModeCount, 3,
         [](VTBlock& b) { b.SetTrialLimitExtraActionSettings(false, 1); }, "A B C A B C A B C"},
        {"2 times, trial limit 4", VTBlock::kLoopModeCount, 2,
         [](VTBlock& b) { b.SetTrialLimitExtraActionSettings(true, 4); }, "A B C A"},
        {"forever, trial limit 7", VTBlock::kLoopModeForever, 2,
         [](VTBlock& b) { b.SetTrialLimitExtraActionSettings(true, 7); }, "A B C A B C A"},
        // Trials of 1200 ms: the second starts before 2 s, none after it (a busy machine
        // reads the clock a few hundred times between trials).
        {"forever, 2 seconds", VTBlock::kLoopModeForever, 2,
         [](VTBlock& b) { b.SetTimeLimitExtraActionSettings(true, 2, VTBlock::TimeLimitSeconds); }, "A B", 1200},
        {"forever, 2000 milliseconds", VTBlock::kLoopModeForever, 2,
         [](VTBlock& b) { b.SetTimeLimitExtraActionSettings(true, 2000, VTBlock::TimeLimitMilliseconds); }, "A B",
         1200},
        {"5 times, time limit off", VTBlock::kLoopModeCount, 5,
         [](VTBlock& b) { b.SetTimeLimitExtraActionSettings(false, 1, VTBlock::TimeLimitMilliseconds); },
         "A B C A B C A B C A B C A B C"},
        // A rule ends the endless block.
        {"forever, Exit block", VTBlock::kLoopModeForever, 2,
         [](VTBlock& b) {
             b.GetUsedTrial(1)->AttachRule(
                 RuleWithAction(*b.GetOwningExperiment(), "Leave", RuleCode::ActionExitBlock));
         },
         "A B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneBlock doc;
        for (const char* name : {"A", "B", "C"}) WordTrial(doc.x, doc.block, name, c.trialMs);
        doc.block->m_LoopMode = c.mode;
        doc.block->m_LoopCount = c.count;
        c.extra(*doc.block);
        EXPECT_EQ(Stimuli(Run(doc.x, doc.first, 1)), c.stimuli);
    }
}

TEST_F(BlockTrialRun, ALoopModeOrTimeUnitTheRunDoesNotKnowRefusesItNamingTheBlock)
{
    OneBlock doc;
    WordTrial(doc.x, doc.block, "A");
    doc.block->m_LoopMode = 84;
    wxString why;
    EXPECT_TRUE(VTCompiledExperiment::BuildPlan(doc.x, &why).IsEmpty());
    EXPECT_NE(why.Find("the block \"B\" has a looping setting (84)"), wxNOT_FOUND) << why;
    doc.block->m_LoopMode = VTBlock::kLoopModeNone;
    doc.block->SetTimeLimitExtraActionSettings(true, 5, VTBlock::TimeLimitExtraActionUnits(93));
    EXPECT_TRUE(VTCompiledExperiment::BuildPlan(doc.x, &why).IsEmpty());
    EXPECT_NE(why.Find("time limit in a unit (93)"), wxNOT_FOUND) << why;
    // Switched off, the stored unit is no concern of the run.
    doc.block->SetTimeLimitExtraActionSettings(false, 5, VTBlock::TimeLimitExtraActionUnits(93));
    EXPECT_FALSE(VTCompiledExperiment::BuildPlan(doc.x, &why).IsEmpty()) << why;
}

TEST_F(BlockTrialRun, ThePauseEveryNTrialsWaitsForAKeyAndIsNoDataRow)
{
    OneBlock doc;
    for (const char* name : {"A", "B", "C"}) WordTrial(doc.x, doc.block, name, 20);
    doc.block->m_LoopMode = VTBlock::kLoopModeCount;
    doc.block->m_LoopCount = 2;
    doc.block->SetPauseExtraActionSettings(true, 2, "Rest now.");
    // Answered inputs: A B, pause, C A, pause, B C (no pause after the last trial).
    VTRunReport report;
    const std::vector<DataRow> rows = Run(doc.x, doc.first, 1, {2, 5}, &report);
    EXPECT_EQ(Stimuli(rows), "A B C A B C");
    ASSERT_EQ(report.pauses.size(), 2u);
    EXPECT_EQ(report.pauses[0].trialNumber, 2);
    EXPECT_EQ(report.pauses[1].trialNumber, 4);
    EXPECT_EQ(report.pauses[0].message, "Rest now.");
    // The key that ended a pause answered no event: every event ran to its time limit.
    for (const VTDataFileRow& row : report.rows) EXPECT_TRUE(row.response.empty()) << row.trial;
}

namespace {

// The box around the bright pixels of the screen (text drawn on the black background).
wxRect BrightOnScreen()
{
    wxRect box;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return box;
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (image) {
        bool any = false;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                if (((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff) < 3 * 160) continue;
                box = any ? box.Union(wxRect(x, y, 1, 1)) : wxRect(x, y, 1, 1);
                any = true;
            }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return box;
}

}  // namespace

TEST_F(BlockTrialRun, ThePauseMessageStaysOnScreenUntilAKeyIsPressed)
{
    OneBlock doc;
    for (const char* name : {"A", "B", "C"}) WordTrial(doc.x, doc.block, name, 50);
    doc.block->SetPauseExtraActionSettings(true, 2, "Please take a break now, then press a key.");
    RunDriver driver;
    driver.FocusPresentation();
    wxRect shown, afterKey;
    bool stillPaused = false;
    // Both trials before the pause are long over by then: the run waits on its message.
    driver.Then(1500, [&] {
        shown = BrightOnScreen();
        stillPaused = RunDriver::PresentationWindow() != nullptr;
        wxUIActionSimulator().Char('K');
    });
    driver.Begin();
    VTRunReport report;
    const std::vector<DataRow> rows = Run(doc.x, doc.first, 1, {}, &report, false);
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(stillPaused);
    EXPECT_EQ(Stimuli(rows), "A B C") << "the key ended the pause and the run went on";
    ASSERT_EQ(report.pauses.size(), 1u);
    // A line of text, far wider than any of the one-letter stimuli.
    EXPECT_GT(shown.width, 200) << shown.x << "," << shown.y << " " << shown.width << "x" << shown.height;
}

namespace {

// The trial order of each pass ("ABCDEF ...") and the event order of each trial
// presentation of trial T ("123456 ...").
struct Orders
{
    std::string trials, events;
};

Orders OrdersOf(const std::vector<DataRow>& rows, size_t trialsPerPass)
{
    Orders o;
    size_t trialCount = 0, eventCount = 0;
    for (const DataRow& row : rows) {
        if (row.trial == "T") {
            o.events += row.stimulus.utf8_str();
            if (++eventCount % 6 == 0) o.events += ' ';
            continue;
        }
        o.trials += row.trial.utf8_str();
        if (++trialCount % trialsPerPass == 0) o.trials += ' ';
    }
    while (!o.trials.empty() && o.trials.back() == ' ') o.trials.pop_back();
    while (!o.events.empty() && o.events.back() == ' ') o.events.pop_back();
    return o;
}

}  // namespace

TEST_F(BlockTrialRun, ShufflingCodesKeepOrRedrawTheOrderPerRunPerGroupOrPresentation)
{
    struct Case
    {
        const char* name;
        bool randomize;
        int when;
    };
    for (const Case& c : std::vector<Case>{{"not randomized", false, 62},
                                           {"once per run", true, 62},
                                           {"once per group", true, 61},
                                           {"every presentation", true, 63},
                                           {"no when chosen: once per run", true, -1}}) {
        SCOPED_TRACE(c.name);
        // Block Trials: A to F, presented twice (looping); block Events: trial T with
        // six events, presented three times.
        OneBlock doc;
        for (const char* name : {"A", "B", "C", "D", "E", "F"}) WordTrial(doc.x, doc.block, name);
        doc.block->SetRandomizeTrials(c.randomize);
        doc.block->SetRandomizeTrialsWhen(c.when);
        doc.block->m_LoopMode = VTBlock::kLoopModeCount;
        doc.block->m_LoopCount = 2;
        auto* events = Fixture::Add<VTBlock>(doc.x, ElementType::Block, "Events");
        auto* t = Fixture::Add<VTTrial>(doc.x, ElementType::Trial, "T");
        for (int e = 1; e <= 6; ++e)
            t->AddUsedEvent(Fixture::TextEvent(doc.x, wxString::Format("E%d T", e), wxString::Format("%d", e), 5));
        t->SetRepetitions(3);
        t->SetRandomizeEvents(c.randomize);
        t->SetRandomizeEventsWhen(c.when);
        events->AddUsedTrial(t);

        const Orders p1 = OrdersOf(Run(doc.x, doc.first, 7), 6);
        const Orders p2 = OrdersOf(Run(doc.x, doc.first, 8), 6);
        const Orders p3 = OrdersOf(Run(doc.x, doc.second, 7), 6);
        const std::string pass1 = p1.trials.substr(0, 6), pass2 = p1.trials.substr(7);
        const std::string first = p1.events.substr(0, 6), second = p1.events.substr(7, 6);
        for (const Orders* o : {&p1, &p2, &p3}) {
            EXPECT_EQ(std::set<char>(o->trials.begin(), o->trials.begin() + 6),
                      std::set<char>({'A', 'B', 'C', 'D', 'E', 'F'}));
            EXPECT_EQ(o->events.size(), 20u) << o->events;
        }
        if (!c.randomize) {
            for (const Orders* o : {&p1, &p2, &p3}) {
                EXPECT_EQ(o->trials, "ABCDEF ABCDEF");
                EXPECT_EQ(o->events, "123456 123456 123456");
            }
            continue;
        }
        EXPECT_NE(pass1, "ABCDEF");
        EXPECT_NE(first, "123456");
        switch (c.when) {
            case 61:  // one order per group, kept for the run
                EXPECT_EQ(pass1, pass2);
                EXPECT_EQ(first, second);
                EXPECT_EQ(p1.trials, p2.trials);
                EXPECT_EQ(p1.events, p2.events);
                EXPECT_NE(p1.trials, p3.trials);
                EXPECT_NE(p1.events, p3.events);
                break;
            case 63:  // a new order at every presentation
                EXPECT_NE(pass1, pass2);
                EXPECT_NE(first, second);
                break;
            default:  // one order per run
                EXPECT_EQ(pass1, pass2);
                EXPECT_EQ(first, second);
                EXPECT_NE(p1.trials, p2.trials);
                EXPECT_NE(p1.events, p2.events);
                break;
        }
    }
}

TEST_F(BlockTrialRun, EventShufflingKeepsTheFirstOrLastEventInPlace)
{
    struct Case
    {
        bool keepFirst, keepLast;
    };
    for (const Case& c : std::vector<Case>{{true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(testing::Message() << "first " << c.keepFirst << " last " << c.keepLast);
        OneBlock doc;
        auto* t = Fixture::Add<VTTrial>(doc.x, ElementType::Trial, "T");
        for (int e = 1; e <= 5; ++e)
            t->AddUsedEvent(Fixture::TextEvent(doc.x, wxString::Format("E%d", e), wxString::Format("%d", e), 5));
        t->SetRepetitions(8);
        t->SetRandomizeEvents(true);
        t->SetRandomizeEventsWhen(63);
        t->m_ExcludeFirstEventFromRandomization = c.keepFirst;
        t->m_ExcludeLastEventFromRandomization = c.keepLast;
        doc.block->AddUsedTrial(t);
        const std::vector<DataRow> rows = Run(doc.x, doc.first, 3);
        ASSERT_EQ(rows.size(), 40u);
        std::set<std::string> orders;
        for (size_t p = 0; p < 8; ++p) {
            std::string order;
            for (size_t e = 0; e < 5; ++e) order += rows[p * 5 + e].stimulus.utf8_str();
            orders.insert(order);
            if (c.keepFirst) EXPECT_EQ(order.front(), '1') << order;
            if (c.keepLast) EXPECT_EQ(order.back(), '5') << order;
        }
        EXPECT_GT(orders.size(), 2u) << "the other events are shuffled";
    }
}

TEST_F(BlockTrialRun, PacingStartsTheNextTrialTheStartPeriodAfterThisTrialStarted)
{
    struct Case
    {
        const char* name;
        bool sync;
        int periodMs;
        // From A's onset to B's, on the run clock (each reading 1 ms, so the bounds are wide).
        double minGap, maxGap;
    };
    // A period far above what the trials take alone keeps the two kinds of case apart even
    // when a loaded machine reads the clock thousands of times between two trials.
    for (const Case& c : std::vector<Case>{{"paced 6000 ms", true, 6000, 6000, 12000},
                                           {"start period without pacing", false, 6000, 50, 6000},
                                           {"paced shorter than the trial", true, 10, 50, 6000}}) {
        SCOPED_TRACE(c.name);
        OneBlock doc;
        VTTrial* a = WordTrial(doc.x, doc.block, "A", 50);
        WordTrial(doc.x, doc.block, "B", 50);
        a->SetTrialSyncEnabledness(c.sync);
        a->SetStartPeriod(c.periodMs);
        const std::vector<DataRow> rows = Run(doc.x, doc.first, 1);
        ASSERT_EQ(rows.size(), 2u);
        const double gap = rows[1].onsetMs - rows[0].onsetMs;
        EXPECT_GE(gap, c.minGap);
        EXPECT_LT(gap, c.maxGap);
    }
}

TEST_F(BlockTrialRun, ListAccessPresentsEachItemCombinationAsStored)
{
    struct Case
    {
        const char* name;
        int type, when;
        const char* presentations;  // empty: checked below
    };
    const std::vector<Case> cases = {
        {"paired", ListAccessHelper::kPaired, 0, "a1+b1 a2+b2 a3+b3 a1+b4"},
        {"unpaired, never shuffled", ListAccessHelper::kUnpaired, 0, "a1+b1 a2+b2 a3+b3 a1+b4"},
        {"crossed", ListAccessHelper::kCrossed, 0,
         "a1+b1 a1+b2 a1+b3 a1+b4 a2+b1 a2+b2 a2+b3 a2+b4 a3+b1 a3+b2 a3+b3 a3+b4"},
        {"paired, shuffled", ListAccessHelper::kPaired, 62, ""},
        {"unpaired, shuffled", ListAccessHelper::kUnpaired, 62, ""},
        {"crossed, shuffled", ListAccessHelper::kCrossed, 63, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneBlock doc;
        const VTStimList* la = TextList(doc.x, "LA", {"a1", "a2", "a3"});
        const VTStimList* lb = TextList(doc.x, "LB", {"b1", "b2", "b3", "b4"});
        auto* t = Fixture::Add<VTTrial>(doc.x, ElementType::Trial, "T");
        t->AddUsedEvent(ListEvent(doc.x, "A", la));
        t->AddUsedEvent(ListEvent(doc.x, "B", lb));
        t->SetListAccessConfiguration(c.when, c.type);
        doc.block->AddUsedTrial(t);
        EXPECT_EQ(t->GetReadOnlyReferenceToListAccess().PostExpansionItemCount(), c.type == 2 ? 12u : 4u);
        const std::string shown = Presentations(Run(doc.x, doc.first, 5), 2);
        if (*c.presentations) {
            EXPECT_EQ(shown, c.presentations);
            continue;
        }
        const wxArrayString pairs = wxSplit(shown, ' ', '\0');
        std::set<wxString> distinct(pairs.begin(), pairs.end());
        std::multiset<wxString> as, bs;
        for (const wxString& pair : pairs) {
            as.insert(pair.BeforeFirst('+'));
            bs.insert(pair.AfterFirst('+'));
        }
        if (c.type == ListAccessHelper::kCrossed) {
            EXPECT_EQ(pairs.size(), 12u);
            EXPECT_EQ(distinct.size(), 12u) << shown;
            EXPECT_NE(shown, "a1+b1 a1+b2 a1+b3 a1+b4 a2+b1 a2+b2 a2+b3 a2+b4 a3+b1 a3+b2 a3+b3 a3+b4");
            continue;
        }
        ASSERT_EQ(pairs.size(), 4u);
        EXPECT_NE(shown, "a1+b1 a2+b2 a3+b3 a1+b4") << "shuffled";
        // Every item of the longer list once; the shorter one starts again.
        EXPECT_EQ(bs, (std::multiset<wxString>{"b1", "b2", "b3", "b4"}));
        EXPECT_EQ(std::set<wxString>(as.begin(), as.end()), (std::set<wxString>{"a1", "a2", "a3"}));
        if (c.type == ListAccessHelper::kPaired)
            for (const wxString& pair : pairs) {
                long a = 0, b = 0;
                pair.Mid(1, 1).ToLong(&a);
                pair.AfterFirst('b').ToLong(&b);
                EXPECT_EQ((b - 1) % 3, a - 1) << "paired items keep their positions: " << pair;
            }
    }
}

TEST_F(BlockTrialRun, JumbledListsMixTheTrialsPresentationsAndAHugeCrossingIsRefusedUnbuilt)
{
    for (bool jumble : {false, true}) {
        SCOPED_TRACE(jumble ? "jumbled" : "kept together");
        OneBlock doc;
        const VTStimList* la = TextList(doc.x, "LA", {"a1", "a2", "a3", "a4"});
        const VTStimList* lb = TextList(doc.x, "LB", {"b1", "b2", "b3", "b4"});
        for (const VTStimList* list : {la, lb}) {
            auto* t = Fixture::Add<VTTrial>(doc.x, ElementType::Trial, "T" + list->GetName());
            t->AddUsedEvent(ListEvent(doc.x, "E" + list->GetName(), list));
            doc.block->AddUsedTrial(t);
        }
        doc.block->SetRandomizeTrials(true);
        doc.block->SetRandomizeTrialsWhen(62);
        doc.block->SetJumbleStimListsTogether(jumble);
        wxArrayString conflicts;
        doc.block->GetListOfTrialsUsingListAccessRandomization(conflicts);
        EXPECT_TRUE(conflicts.empty());
        const std::vector<DataRow> rows = Run(doc.x, doc.first, 11);
        ASSERT_EQ(rows.size(), 8u);
        int changes = 0;
        for (size_t i = 1; i < rows.size(); ++i) changes += rows[i].trial != rows[i - 1].trial;
        if (jumble)
            EXPECT_GT(changes, 1) << Stimuli(rows);
        else
            EXPECT_EQ(changes, 1) << Stimuli(rows) << ": each trial's items stay together, in list order";
    }

    // 1000 x 1000 crossed: a million presentations, refused by the budget.
    OneBlock doc;
    std::vector<wxString> items(1000, "x");
    const VTStimList* big1 = TextList(doc.x, "Big1", items);
    const VTStimList* big2 = TextList(doc.x, "Big2", items);
    auto* t = Fixture::Add<VTTrial>(doc.x, ElementType::Trial, "Huge");
    t->AddUsedEvent(ListEvent(doc.x, "One", big1));
    t->AddUsedEvent(ListEvent(doc.x, "Two", big2));
    t->SetListAccessConfiguration(0, ListAccessHelper::kCrossed);
    doc.block->AddUsedTrial(t);
    wxString why;
    EXPECT_TRUE(VTCompiledExperiment::BuildPlan(doc.x, &why).IsEmpty());
    EXPECT_NE(why.Find("trial"), wxNOT_FOUND) << why;
}

TEST_F(BlockTrialRun, RepeatsDueToFeedbackStopAtTheTrialsLimit)
{
    struct Case
    {
        bool limited;
        unsigned limit;
        const char* stimuli;
    };
    for (const Case& c : std::vector<Case>{{true, 0, "A B"}, {true, 2, "A A A B"}, {true, 1, "A A B"}}) {
        SCOPED_TRACE(c.limit);
        OneBlock doc;
        VTTrial* a = WordTrial(doc.x, doc.block, "A");
        WordTrial(doc.x, doc.block, "B");
        a->AttachRule(RuleWithAction(doc.x, "Again", RuleCode::ActionRepeatTrial));
        a->SetLimitOfRepeatsDueToFeedbackFlag(c.limited);
        a->SetNumberOfRepeatsDueToFeedback(c.limit);
        EXPECT_EQ(Stimuli(Run(doc.x, doc.first, 1)), c.stimuli);
    }
}
