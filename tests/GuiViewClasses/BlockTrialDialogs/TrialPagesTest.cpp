// The trial editor's pages in a plain frame: the options and their enabling rules,
// every value loaded and written back (codes the controls cannot show included),
// entries that are no numbers, the tags page's empty state, and list access for
// zero, one and several lists with the presentations the page announces.

#include "FixtureExperiment.h"
#include "PageHost.h"

#include <GuiViewClasses/BlockTrialDialogs/VTTrialListAccessPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialOptionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialTagsPage.h>
#include <GuiViewClasses/GroupDialogs/VTParticipantGroupsDlg.h>
#include <GuiViewClasses/TagSetDialogs/VTManageAllTagSetsDlg.h>
#include <GuiViewClasses/TagSetDialogs/VTTagsGrid.h>
#include <VTCore/ListAccessHelper.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <wx/choice.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

using namespace Vantrel;

namespace {

wxString Stored(const VTTrial& t)
{
    return wxString::Format("pace %d %d | rnd %d/%d first %d last %d | restarts %d %u | level %d", t.UsingTrialSync(),
                            t.GetStartPeriod(), t.GetRandomizeEvents(), t.GetRandomizeEventsWhen(),
                            t.m_ExcludeFirstEventFromRandomization, t.m_ExcludeLastEventFromRandomization,
                            t.GetLimitOfRepeatsDueToFeedbackFlag(), t.GetLimitOfRepeatsDueToFeedback(),
                            t.m_GetNewLevelOnRestart);
}

class TrialPages : public PageHost
{
protected:
    VTTrial* NewTrial(const wxString& name = "T")
    {
        return Fixture::Add<VTTrial>(*experiment, ElementType::Trial, name);
    }

    // A trial whose events use lists of these sizes.
    VTTrial* TrialWithLists(const std::vector<int>& sizes)
    {
        VTTrial* trial = NewTrial();
        for (int size : sizes) {
            auto* list = Fixture::Add<VTStimList>(*experiment, ElementType::StimList, "L");
            for (int i = 0; i < size; ++i) list->AddTextItem(wxString::Format("i%d", i));
            auto* event = Fixture::Add<VTEvent>(*experiment, ElementType::Event, "E");
            event->SetStimListID(int(list->GetID()));
            trial->AddUsedEvent(event);
        }
        return trial;
    }

    wxString ShownOptions()
    {
        auto* when = Find<wxChoice>(frame, VTTrialOptionsPage::ID_WHEN);
        return wxString::Format("pace %d %s | rnd %d %s first %d last %d | restarts %d %s | level %d", On(frame, 10257),
                                Find<wxTextCtrl>(frame, 10299)->GetValue(), On(frame, 10304),
                                when->GetSelection() == wxNOT_FOUND ? wxString("none") : when->GetStringSelection(),
                                On(frame, 10307), On(frame, 10308), On(frame, 10252),
                                Find<wxTextCtrl>(frame, 10255)->GetValue(), On(frame, 10256));
    }
};

}  // namespace

TEST_F(TrialPages, EveryValueLoadsAndWritesBackWithItsCodes)
{
    struct Case
    {
        const char* name;
        bool sync;
        int period;
        bool randomize;
        int when;
        bool first, last, limit;
        unsigned restarts;
        bool level;
        std::vector<int> lists;  // the item counts of the trial's lists
        int listWhen, listType;
        bool tagged;
        const char* shown;
        const char* written;
    };
    const std::vector<Case> cases = {
        {"per group, two lists crossed, tagged",
         true,
         2000,
         true,
         61,
         true,
         false,
         true,
         3,
         true,
         {3, 4},
         62,
         2,
         true,
         "pace 1 2000 | rnd 1 Once per group of participants first 1 last 0 | restarts 1 3 | level 1 | list 2 10212 "
         "10210 12 | tags 1",
         "pace 1 2000 | rnd 1/61 first 1 last 0 | restarts 1 3 | level 1 | list 62/2 | tags Red"},
        // Without lists the list settings are neither shown nor written.
        {"every presentation, no lists",
         false,
         0,
         true,
         63,
         false,
         true,
         false,
         0,
         false,
         {},
         63,
         1,
         false,
         "pace 0 0 | rnd 1 Every time the trial is presented first 0 last 1 | restarts 0 0 | level 0 | list 0 - - - | "
         "tags 0",
         "pace 0 0 | rnd 1/63 first 0 last 1 | restarts 0 0 | level 0 | list 63/1 | tags -"},
        // Unticked boxes keep their numbers; one list keeps its stored combination.
        {"once per run, values kept while off, one list",
         false,
         750,
         false,
         62,
         false,
         false,
         false,
         4000000000u,
         false,
         {5},
         0,
         1,
         true,
         "pace 0 750 | rnd 0 Only once per experiment run first 0 last 0 | restarts 0 4000000000 | level 0 | list 1 "
         "10003 10008 5 | tags 1",
         "pace 0 750 | rnd 0/62 first 0 last 0 | restarts 0 4000000000 | level 0 | list 0/1 | tags Red"},
        // Codes no control stands for: nothing on, never the previous trial's; the
        // event choice is written as none, the list codes as never and paired.
        {"unknown codes",
         true,
         5,
         true,
         70,
         false,
         false,
         true,
         1,
         false,
         {2, 2},
         5,
         9,
         false,
         "pace 1 5 | rnd 1 none first 0 last 0 | restarts 1 1 | level 0 | list 2 none none 2 | tags 0",
         "pace 1 5 | rnd 1/-1 first 0 last 0 | restarts 1 1 | level 0 | list 0/0 | tags -"},
    };
    auto* set = new VTTagSet(experiment.get());
    set->SetName("Colour");
    experiment->GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
    VTElement* red = set->AddTag("Red", -1);
    set->AddTag("Green", -1);
    auto* options = Host(new VTTrialOptionsPage(Parent(), experiment.get()));
    auto* access = Host(new VTTrialListAccessPage(Parent()));
    auto* tags = Host(new VTTrialTagsPage(Parent(), experiment.get()));
    using P = VTTrialListAccessPage;
    auto shownList = [&] {
        const int page = access->GetListAccessPage();
        if (page == P::kNoListsPage) return wxString("list 0 - - -");
        const bool one = page == P::kOneListPage;
        auto on = [&](std::initializer_list<int> ids) {
            for (int id : ids)
                if (On(access, id)) return wxString::Format("%d", id);
            return wxString("none");
        };
        return wxString::Format(
            "list %d %s %s %s", page,
            one ? on({P::ID_ONE_NEVER, P::ID_ONE_PER_RUN, P::ID_ONE_PER_GROUP, P::ID_ONE_EVERY})
                : on({P::ID_MANY_NEVER, P::ID_MANY_PER_RUN, P::ID_MANY_PER_GROUP, P::ID_MANY_EVERY}),
            one ? on({P::ID_ONE_PAIRED, P::ID_ONE_UNPAIRED, P::ID_ONE_CROSSED})
                : on({P::ID_MANY_PAIRED, P::ID_MANY_UNPAIRED, P::ID_MANY_CROSSED}),
            access->GetShownCount());
    };
    auto writtenListAndTags = [](const VTTrial& t) {
        const ListAccessHelper list = t.GetReadOnlyReferenceToListAccess();
        const VTUsedElements& used = t.GetUsedTags();
        wxString names;
        for (unsigned i = 0; i < used.Size(); ++i)
            names << (i ? " " : "") << const_cast<VTUsedElements&>(used).GetUsedElementPtr(i)->GetName();
        return wxString::Format(" | list %d/%d | tags %s", list.WhenToShuffle(), list.ListAccessType(),
                                names.empty() ? wxString("-") : names);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VTTrial* t = TrialWithLists(c.lists);
        t->SetTrialSyncEnabledness(c.sync);
        t->SetStartPeriod(c.period);
        t->SetRandomizeEvents(c.randomize);
        t->SetRandomizeEventsWhen(c.when);
        t->m_ExcludeFirstEventFromRandomization = c.first;
        t->m_ExcludeLastEventFromRandomization = c.last;
        t->SetLimitOfRepeatsDueToFeedbackFlag(c.limit);
        t->SetNumberOfRepeatsDueToFeedback(c.restarts);
        t->m_GetNewLevelOnRestart = c.level;
        t->SetListAccessConfiguration(c.listWhen, c.listType);
        if (c.tagged) t->GetUsedTags().AddChildElement(red, 0);
        // The pages work on the editor's working copy.
        VTTrial working(*t, experiment.get());
        options->LoadFrom(working);
        access->AssignListAccessGuiControlStatesFromTrial(working);
        tags->LoadFrom(working);
        Settle();
        EXPECT_EQ(ShownOptions() + " | " + shownList() +
                      wxString::Format(" | tags %d", tags->GetGrid()->GetNumberOfUsedTags()),
                  c.shown);
        options->WriteTo(working);
        access->PropagateListAccessSettingsOntoTrial(working);
        tags->WriteTo(working);
        EXPECT_EQ(Stored(working) + writtenListAndTags(working), c.written);
    }
}

TEST_F(TrialPages, AStartPeriodOrRestartLimitThatIsNoNumberKeepsTheStoredValueAndSaysSo)
{
    auto* page = Host(new VTTrialOptionsPage(Parent(), experiment.get()));
    VTTrial* t = NewTrial();
    t->SetStartPeriod(1200);
    t->SetNumberOfRepeatsDueToFeedback(4);
    page->LoadFrom(*t);
    struct Case
    {
        const char* period;
        const char* restarts;
        int storedPeriod;
        unsigned storedRestarts;
        bool warned;
    } cases[] = {
        {"", "", 1200, 4, true},
        {"fast", "3", 1200, 3, true},
        {"99999999999", "99999999999", INT_MAX, UINT_MAX, false},
        {"-40", "7", 0, 7, false},
        {" 300 ", "0", 300, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.period);
        TestSupport::ClearLog();
        Find<wxTextCtrl>(frame, 10299)->ChangeValue(c.period);
        Find<wxTextCtrl>(frame, 10255)->ChangeValue(c.restarts);
        VTTrial written(*t, experiment.get());
        page->WriteTo(written);
        EXPECT_EQ(written.GetStartPeriod(), c.storedPeriod);
        EXPECT_EQ(written.GetLimitOfRepeatsDueToFeedback(), c.storedRestarts);
        EXPECT_EQ(TestSupport::LogContains("keeps", wxLOG_Warning), c.warned) << TestSupport::LogAsText();
    }
}

TEST_F(TrialPages, EventShufflingControlsFollowTheirBoxAndChoice)
{
    auto* page = Host(new VTTrialOptionsPage(Parent(), experiment.get()));
    VTTrial* t = NewTrial();
    t->SetRandomizeEventsWhen(61);
    page->LoadFrom(*t);
    for (int id : {10305, 10306, 10307, 10308}) EXPECT_FALSE(Enabled(frame, id)) << id;
    // The pacing and restart fields stay editable with their boxes off.
    EXPECT_TRUE(Enabled(frame, 10299));
    EXPECT_TRUE(Enabled(frame, 10255));
    Click(frame, 10304);
    for (int id : {10305, 10306, 10307, 10308}) EXPECT_TRUE(Enabled(frame, id)) << id;
    auto* when = Find<wxChoice>(frame, 10305);
    when->SetSelection(0);
    wxCommandEvent chosen(wxEVT_CHOICE, 10305);
    chosen.SetEventObject(when);
    when->ProcessWindowEvent(chosen);
    EXPECT_FALSE(Enabled(frame, 10306)) << "Groups... only for once per group";
    EXPECT_EQ(Find<wxCheckBox>(frame, 10308)->GetLabel(), "Except the last one");
    Click(frame, 10307);
    EXPECT_EQ(Find<wxCheckBox>(frame, 10308)->GetLabel(), "...and the last one");
    Click(frame, 10307);
    EXPECT_EQ(Find<wxCheckBox>(frame, 10308)->GetLabel(), "Except the last one");

    // "Groups..." for once per group: the groups dialog marks the experiment changed
    // only when it is left with OK.
    when->SetSelection(2);
    when->ProcessWindowEvent(chosen);
    experiment->Modify(false);
    wxTEST_DIALOG(Click(frame, 10306), wxExpectDismissableModal<VTParticipantGroupsDlg>(wxID_CANCEL));
    EXPECT_FALSE(experiment->IsModified());
    wxTEST_DIALOG(Click(frame, 10306), wxExpectDismissableModal<VTParticipantGroupsDlg>(wxID_OK));
    EXPECT_TRUE(experiment->IsModified());
}

TEST_F(TrialPages, TheTagsPageShowsItsEmptyStateUntilATrialTagSetExists)
{
    auto* page = Host(new VTTrialTagsPage(Parent(), experiment.get()));
    VTTrial* t = NewTrial();
    page->LoadFrom(*t);
    Settle();
    ASSERT_NE(page->GetGrid(), nullptr);
    EXPECT_TRUE(page->GetEmptyState()->IsShown());
    EXPECT_FALSE(page->GetGrid()->IsShown());
    EXPECT_FALSE(page->HasTags());
    EXPECT_TRUE(Enabled(page, VTTrialTagsPage::ID_TAGS_BUTTON)) << "Tags... in the empty state";

    // "Tags..." opens the manager; a trial tag set made there replaces the empty state.
    class MakesATagSet : public wxExpectModalBase<VTManageAllTagSetsDlg>
    {
    public:
        explicit MakesATagSet(VTExperiment& x) : m_X(x) {}

    protected:
        int OnInvoked(VTManageAllTagSetsDlg*) const override
        {
            auto* set = new VTTagSet(&m_X);
            set->SetName("Colour");
            set->SetContext(VTTagSet::TrialContext);
            m_X.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
            set->AddTag("Red", -1);
            return wxID_OK;
        }

    private:
        VTExperiment& m_X;
    };
    wxTEST_DIALOG(Click(page, VTTrialTagsPage::ID_TAGS_BUTTON), MakesATagSet(*experiment));
    Settle();
    EXPECT_FALSE(page->GetEmptyState()->IsShown());
    EXPECT_TRUE(page->GetGrid()->IsShown());
    EXPECT_TRUE(Enabled(page, VTTrialTagsPage::ID_TAGS_BUTTON));

    // The trial's tag comes and goes with the grid's choice.
    auto* red = dynamic_cast<VTElement*>(experiment->GetElementsOfType(ElementType::Tag)[0]);
    ASSERT_NE(red, nullptr);
    t->GetUsedTags().AddChildElement(red, 0);
    page->LoadFrom(*t);
    EXPECT_TRUE(page->HasTags());
    page->TakeDownCodeGrid();
    EXPECT_EQ(page->GetGrid(), nullptr);
    EXPECT_TRUE(page->GetEmptyState()->IsShown());
}

TEST_F(TrialPages, ListAccessForNoOneOrSeveralListsShowsItsPageCountAndPicture)
{
    auto* page = Host(new VTTrialListAccessPage(Parent()));
    using P = VTTrialListAccessPage;

    // No list: page 0; its write-back leaves the stored settings alone.
    VTTrial* none = TrialWithLists({});
    none->SetListAccessConfiguration(63, 2);
    VTTrial copy(*none, experiment.get());
    page->AssignListAccessGuiControlStatesFromTrial(copy);
    Settle();
    EXPECT_EQ(page->GetListAccessPage(), P::kNoListsPage);
    EXPECT_EQ(page->GetPicturePage(), P::kBlankPicture);
    page->PropagateListAccessSettingsOntoTrial(copy);
    EXPECT_EQ(copy.GetReadOnlyReferenceToListAccess().WhenToShuffle(), 63);
    EXPECT_EQ(copy.GetReadOnlyReferenceToListAccess().ListAccessType(), 2);

    // One list of 3: page 1, its combination radios greyed but showing the stored type.
    VTTrial* one = TrialWithLists({3});
    one->SetListAccessConfiguration(62, 2);
    VTTrial oneCopy(*one, experiment.get());
    page->AssignListAccessGuiControlStatesFromTrial(oneCopy);
    Settle();
    EXPECT_EQ(page->GetListAccessPage(), P::kOneListPage);
    EXPECT_EQ(page->GetShownCount(), "3");
    EXPECT_EQ(page->GetPicturePage(), P::kBlankPicture);
    EXPECT_TRUE(On(page, P::ID_ONE_PER_RUN));
    EXPECT_TRUE(On(page, P::ID_ONE_CROSSED));
    for (int id : {P::ID_ONE_PAIRED, P::ID_ONE_UNPAIRED, P::ID_ONE_CROSSED}) EXPECT_FALSE(Enabled(page, id)) << id;
    Click(page, P::ID_ONE_EVERY);
    page->PropagateListAccessSettingsOntoTrial(oneCopy);
    EXPECT_EQ(oneCopy.GetReadOnlyReferenceToListAccess().WhenToShuffle(), 63);
    EXPECT_EQ(oneCopy.GetReadOnlyReferenceToListAccess().ListAccessType(), 2) << "the stored type carried through";

    // Two lists of 3 and 4: 4 paired, 4 unpaired, 12 crossed, as each click shows.
    VTTrial* two = TrialWithLists({3, 4});
    VTTrial twoCopy(*two, experiment.get());
    page->AssignListAccessGuiControlStatesFromTrial(twoCopy);
    Settle();
    EXPECT_EQ(page->GetListAccessPage(), P::kManyListsPage);
    EXPECT_EQ(page->GetTypeBoxLabel(), "The trial is linked to events that use 2 stimulus lists. List access is:");
    EXPECT_TRUE(On(page, P::ID_MANY_NEVER));
    EXPECT_TRUE(On(page, P::ID_MANY_PAIRED));
    EXPECT_EQ(page->GetShownCount(), "4");
    EXPECT_EQ(page->GetPicturePage(), P::kPairedNoShuffle);
    struct Step
    {
        int click;
        const char* count;
        int picture;
    } steps[] = {
        {P::ID_MANY_UNPAIRED, "4", P::kUnpairedNoShuffle},
        {P::ID_MANY_CROSSED, "12", P::kCrossedNoShuffle},
        {P::ID_MANY_PER_GROUP, "12", P::kCrossedNoShuffle + 1},
        {P::ID_MANY_PAIRED, "4", P::kPairedNoShuffle + 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.click);
        Click(page, step.click);
        EXPECT_EQ(page->GetShownCount(), step.count);
        EXPECT_EQ(page->GetPicturePage(), step.picture);
    }
    EXPECT_EQ(twoCopy.GetReadOnlyReferenceToListAccess().WhenToShuffle(), 61) << "the working copy follows each click";
    EXPECT_TRUE(page->ShufflesListItems());

    // Three lists: the box names them.
    VTTrial* three = TrialWithLists({2, 2, 5});
    three->SetListAccessConfiguration(0, 2);
    VTTrial threeCopy(*three, experiment.get());
    page->AssignListAccessGuiControlStatesFromTrial(threeCopy);
    Settle();
    EXPECT_EQ(page->GetTypeBoxLabel(), "The trial is linked to events that use 3 stimulus lists. List access is:");
    EXPECT_EQ(page->GetShownCount(), "20");
}

TEST_F(TrialPages, AnUnknownListCodeShowsNoRadioNotThePreviousTrialsAndIsReported)
{
    auto* page = Host(new VTTrialListAccessPage(Parent()));
    using P = VTTrialListAccessPage;
    VTTrial* first = TrialWithLists({2, 2});
    first->SetListAccessConfiguration(63, 1);
    VTTrial firstCopy(*first, experiment.get());
    page->AssignListAccessGuiControlStatesFromTrial(firstCopy);
    EXPECT_TRUE(On(page, P::ID_MANY_EVERY));

    VTTrial* odd = TrialWithLists({2, 3});
    odd->SetListAccessConfiguration(5, 9);
    VTTrial oddCopy(*odd, experiment.get());
    TestSupport::ClearLog();
    page->AssignListAccessGuiControlStatesFromTrial(oddCopy);
    EXPECT_TRUE(TestSupport::LogContains("Trial contained an invalid setting for when to randomize lists."));
    EXPECT_TRUE(TestSupport::LogContains("Trial contained an invalid setting for List Access."));
    for (int id : {P::ID_MANY_NEVER, P::ID_MANY_PER_RUN, P::ID_MANY_PER_GROUP, P::ID_MANY_EVERY, P::ID_MANY_PAIRED,
                   P::ID_MANY_UNPAIRED, P::ID_MANY_CROSSED})
        EXPECT_FALSE(On(page, id)) << id;
    TestSupport::ClearLog();
    page->PropagateListAccessSettingsOntoTrial(oddCopy);
    EXPECT_TRUE(TestSupport::LogContains("Error while processing randomization of Stimulus Lists."));
    EXPECT_TRUE(TestSupport::LogContains("Error while processing List Access type."));
    EXPECT_EQ(oddCopy.GetReadOnlyReferenceToListAccess().WhenToShuffle(), 0);
    EXPECT_EQ(oddCopy.GetReadOnlyReferenceToListAccess().ListAccessType(), 0);
}
