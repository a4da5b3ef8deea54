// The block editor's pages in a plain frame: every value loads and writes back (codes
// the controls cannot show included), the enabling rules, the explanation pages, the
// unit switch and the number fields, as the researcher works them.

#include "FixtureExperiment.h"
#include "PageHost.h"

#include <GuiViewClasses/BlockTrialDialogs/VTBlockExtraActionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockLoopingPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockRandomizePage.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <climits>

using namespace Vantrel;

namespace {

// Everything the three pages store, as one line.
wxString Stored(const VTBlock& b)
{
    bool timeOn, trialOn, pauseOn;
    unsigned amount, trials, interval;
    VTBlock::TimeLimitExtraActionUnits units;
    wxString message;
    b.GetTimeLimitExtraActionSettings(timeOn, amount, units);
    b.GetTrialLimitExtraActionSettings(trialOn, trials);
    b.GetPauseExtraActionSettings(pauseOn, interval, message);
    return wxString::Format("rnd %d/%d jumble %d | loop %d/%d | time %d %u %d | trials %d %u | pause %d %u %s",
                            b.GetRandomizeTrials(), b.GetRandomizeTrialsWhen(), b.GetListJumblingSetting(),
                            b.m_LoopMode, b.m_LoopCount, timeOn, amount, int(units), trialOn, trials, pauseOn, interval,
                            message);
}

class BlockPages : public PageHost
{
protected:
    VTBlock* NewBlock() { return Fixture::Add<VTBlock>(*experiment, ElementType::Block, "B"); }

    // The three pages in one frame, as the editor's notebook will hold them.
    void MakePages()
    {
        randomize = Host(new VTBlockRandomizePage(Parent(), experiment.get()));
        looping = Host(new VTBlockLoopingPage(Parent()));
        extra = Host(new VTBlockExtraActionsPage(Parent()));
    }
    void Load(const VTBlock& b)
    {
        randomize->LoadFrom(b);
        looping->LoadFrom(b);
        extra->LoadFrom(b);
        Settle();
    }
    void Write(VTBlock& b)
    {
        randomize->WriteTo(b);
        looping->WriteTo(b);
        extra->WriteTo(b);
    }
    wxString Shown()
    {
        auto radios = [&](std::initializer_list<int> ids) {
            wxString on;
            for (int id : ids)
                if (On(frame, id)) on << id;
            return on.empty() ? wxString("none") : on;
        };
        return wxString::Format("rnd %d %s jumble %d | loop %s %d | time %d %s %s | trials %d %s | pause %d %s %s",
                                On(frame, 10054), radios({10056, 10057, 10059}), On(frame, 10055),
                                radios({10063, 10064, 10068}), Find<wxSpinCtrl>(frame, 10065)->GetValue(),
                                On(frame, 10070), Find<wxTextCtrl>(frame, 10071)->GetValue(),
                                Find<wxChoice>(frame, 10072)->GetStringSelection(), On(frame, 10073),
                                Find<wxTextCtrl>(frame, 10074)->GetValue(), On(frame, 10075),
                                Find<wxTextCtrl>(frame, 10076)->GetValue(), Find<wxTextCtrl>(frame, 10077)->GetValue());
    }

    VTBlockRandomizePage* randomize = nullptr;
    VTBlockLoopingPage* looping = nullptr;
    VTBlockExtraActionsPage* extra = nullptr;
};

}  // namespace

TEST_F(BlockPages, EveryValueLoadsAndWritesBackWithItsCodes)
{
    struct Case
    {
        const char* name;
        bool randomize;
        int when;
        bool jumble;
        int loopMode, loopCount;
        bool timeOn;
        unsigned amount;
        int units;
        bool trialOn;
        unsigned trials;
        bool pauseOn;
        unsigned interval;
        const char* message;
        const char* shown;
        const char* written;
    };
    const std::vector<Case> cases = {
        {"defaults of a new block", false, -1, false, 81, 1, false, 20, 91, false, 20, false, 50, "Take a break",
         "rnd 0 none jumble 0 | loop 10063 2 | time 0 20 seconds | trials 0 20 | pause 0 50 Take a break",
         "rnd 0/-1 jumble 0 | loop 81/2 | time 0 20 91 | trials 0 20 | pause 0 50 Take a break"},
        {"per group, N times, milliseconds", true, 61, true, 82, 7, true, 1500, 92, true, 12, true, 3, "Rest",
         "rnd 1 10059 jumble 1 | loop 10064 7 | time 1 1500 milliseconds | trials 1 12 | pause 1 3 Rest",
         "rnd 1/61 jumble 1 | loop 82/7 | time 1 1500 92 | trials 1 12 | pause 1 3 Rest"},
        {"once per run, forever", true, 62, false, 83, 5000, false, 4294967295u, 91, false, 0, true, 1, "",
         "rnd 1 10056 jumble 0 | loop 10068 5000 | time 0 4294967295 seconds | trials 0 0 | pause 1 1 ",
         "rnd 1/62 jumble 0 | loop 83/5000 | time 0 4294967295 91 | trials 0 0 | pause 1 1 "},
        {"every presentation, loop count 3 without looping", true, 63, false, 81, 3, true, 2, 91, true, 1, false, 9,
         "x", "rnd 1 10057 jumble 0 | loop 10063 3 | time 1 2 seconds | trials 1 1 | pause 0 9 x",
         "rnd 1/63 jumble 0 | loop 81/3 | time 1 2 91 | trials 1 1 | pause 0 9 x"},
        // Codes no control stands for: no radio on; the when code is written as none,
        // the loop mode as it was; an unknown unit shows and is written as seconds.
        {"unknown codes", true, 70, false, 90, 4, true, 5, 93, false, 20, false, 50, "m",
         "rnd 1 none jumble 0 | loop none 4 | time 1 5 seconds | trials 0 20 | pause 0 50 m",
         "rnd 1/-1 jumble 0 | loop 90/4 | time 1 5 91 | trials 0 20 | pause 0 50 m"},
    };
    MakePages();
    // One set of pages for every block, as the reused editor does: each load shows
    // its own block, never the previous one's radios.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VTBlock* b = NewBlock();
        b->SetRandomizeTrials(c.randomize);
        b->SetRandomizeTrialsWhen(c.when);
        b->SetJumbleStimListsTogether(c.jumble);
        b->m_LoopMode = c.loopMode;
        b->m_LoopCount = c.loopCount;
        b->SetTimeLimitExtraActionSettings(c.timeOn, c.amount, VTBlock::TimeLimitExtraActionUnits(c.units));
        b->SetTrialLimitExtraActionSettings(c.trialOn, c.trials);
        b->SetPauseExtraActionSettings(c.pauseOn, c.interval, c.message);
        Load(*b);
        EXPECT_EQ(Shown(), c.shown);
        VTBlock written(*b, experiment.get());
        Write(written);
        EXPECT_EQ(Stored(written), c.written);
    }
}

TEST_F(BlockPages, RandomizeEnablingAndExplanationsFollowTheBoxesAndTheConflictingTrials)
{
    MakePages();
    VTBlock* b = NewBlock();
    Load(*b);
    // Randomising off: the lower options are greyed, their selection kept.
    EXPECT_EQ(randomize->GetExplanationPage(), 0);
    for (int id : {10055, 10056, 10057, 10059, 10061}) EXPECT_FALSE(Enabled(frame, id)) << id;
    Click(frame, 10054);
    for (int id : {10055, 10056, 10057, 10059}) EXPECT_TRUE(Enabled(frame, id)) << id;
    EXPECT_FALSE(Enabled(frame, 10061)) << "Groups... only for once per group";
    EXPECT_EQ(randomize->GetExplanationPage(), 1);
    Click(frame, 10059);
    EXPECT_TRUE(Enabled(frame, 10061));
    Click(frame, 10055);
    EXPECT_EQ(randomize->GetExplanationPage(), 2) << "no trial shuffles its own lists";
    Click(frame, 10054);
    for (int id : {10055, 10056, 10057, 10059, 10061}) EXPECT_FALSE(Enabled(frame, id)) << id;
    EXPECT_TRUE(On(frame, 10059)) << "the selection is kept while greyed";
    EXPECT_EQ(randomize->GetExplanationPage(), 0);

    // A trial of the block shuffles its list's items: with both boxes on, the warning.
    auto* list = Fixture::Add<VTStimList>(*experiment, ElementType::StimList, "L");
    list->AddTextItem("a");
    auto* event = Fixture::Add<VTEvent>(*experiment, ElementType::Event, "E");
    event->SetStimListID(int(list->GetID()));
    auto* trial = Fixture::Add<VTTrial>(*experiment, ElementType::Trial, "Shuffler");
    trial->AddUsedEvent(event);
    trial->SetListAccessConfiguration(62, 0);
    b->AddUsedTrial(trial);
    b->SetRandomizeTrials(true);
    b->SetJumbleStimListsTogether(true);
    Load(*b);
    EXPECT_EQ(randomize->GetConflictingTrials().size(), 1u);
    EXPECT_EQ(randomize->GetExplanationPage(), 3);
    Click(frame, 10055);
    EXPECT_EQ(randomize->GetExplanationPage(), 1);
}

TEST_F(BlockPages, ChangingTheCountSelectsNTimesButLoadingItDoesNot)
{
    MakePages();
    VTBlock* b = NewBlock();
    b->m_LoopCount = 9;
    Load(*b);
    EXPECT_TRUE(On(frame, 10063)) << "a loaded count selects nothing";
    EXPECT_FALSE(looping->HasLooping());
    auto* spin = Find<wxSpinCtrl>(frame, 10065);
    EXPECT_EQ(spin->GetMin(), 2);
    EXPECT_EQ(spin->GetMax(), 5000);
    Reveal(spin);
    TestSupport::ClickWindow(spin);
    wxUIActionSimulator().Char(WXK_UP);
    Settle();
    EXPECT_EQ(spin->GetValue(), 10);
    EXPECT_TRUE(On(frame, 10064));
    EXPECT_TRUE(looping->HasLooping());
}

TEST_F(BlockPages, TheUnitSwitchConvertsTheTimeLimitAndNeverOverflows)
{
    MakePages();
    VTBlock* b = NewBlock();
    Load(*b);
    auto* field = Find<wxTextCtrl>(frame, 10071);
    auto* unit = Find<wxChoice>(frame, 10072);
    auto switchTo = [&](int index) {
        unit->SetSelection(index);
        wxCommandEvent event(wxEVT_CHOICE, unit->GetId());
        event.SetInt(index);
        event.SetEventObject(unit);
        unit->ProcessWindowEvent(event);
        Settle();
        return field->GetValue();
    };
    struct Case
    {
        const char* typed;
        int to;
        const char* shown;
    } cases[] = {
        {"20", 1, "20000"},
        {"1999", 0, "2"},
        {"1499", 1, "1499000"},
        {"1500", 0, "2"},
        {"400", 1, "400000"},
        {"400", 0, "1"},
        {"", 1, "0"},
        {"", 0, "1"},
        {"4294968", 1, "4294967295"},
        {"99999999999", 0, "4294967"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        field->ChangeValue(c.typed);
        EXPECT_EQ(switchTo(c.to), c.shown);
        EXPECT_EQ(extra->GetRememberedUnit(), c.to);
    }
    // The unit already in force changes nothing.
    field->ChangeValue("1234");
    EXPECT_EQ(switchTo(0), "1234");
    // A block stored in milliseconds loads with milliseconds, and switches right away.
    b->SetTimeLimitExtraActionSettings(true, 2500, VTBlock::TimeLimitMilliseconds);
    Load(*b);
    EXPECT_EQ(unit->GetSelection(), 1);
    EXPECT_EQ(switchTo(0), "3");
}

TEST_F(BlockPages, NumberFieldsTakeDigitsAndRefuseSignsSeparatorsAndExponents)
{
    MakePages();
    VTBlock* b = NewBlock();
    Load(*b);
    for (int id : {10071, 10074, 10076}) {
        SCOPED_TRACE(id);
        auto* field = Find<wxTextCtrl>(frame, id);
        field->ChangeValue("");
        Reveal(field);
        TestSupport::ClickWindow(field);
        wxUIActionSimulator sim;
        for (char c : std::string("-+e,.12")) sim.Char(c);
        Settle();
        EXPECT_EQ(field->GetValue(), "12");
    }
    // The check boxes enable nothing.
    for (int id : {10071, 10072, 10074, 10076, 10077}) EXPECT_TRUE(Enabled(frame, id)) << id;
}
