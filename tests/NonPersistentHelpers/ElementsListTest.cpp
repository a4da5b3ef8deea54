#include <NonPersistentHelpers/MultiIndexVTElementsContainer.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <algorithm>

using namespace Vantrel;

namespace {

int CountLogged(const wxString& fragment)
{
    return int(std::count_if(TestSupport::RecordedLog().begin(), TestSupport::RecordedLog().end(),
                             [&](const TestSupport::LoggedRecord& r) { return r.text.Contains(fragment); }));
}

// Every position and every id lead to the same entries, and nothing is parked.
void ExpectConsistent(const VTElementsList_Concrete& list)
{
    for (std::size_t i = 0; i < list.Size(); ++i) {
        Minimal_VTElement* el = list[i];
        ASSERT_NE(el, nullptr);
        ASSERT_NE(el, MultiIndexVTElementsContainer::WaitingZonePointer());
        EXPECT_EQ(list.LookupElementPtrByID(el->GetID()), el) << "position " << i;
        EXPECT_EQ(list.GetElementIndexByElementID(el->GetID()), int(i));
        EXPECT_EQ(list.GetElementIndex(el), int(i));
    }
}

std::vector<wxString> Names(const VTElementsList& list)
{
    std::vector<wxString> names;
    for (std::size_t i = 0; i < list.Size(); ++i) names.push_back(list[i]->GetName());
    return names;
}

// An element with only the minimal interface: no sort key.
class MinimalOnly : public Minimal_VTElement
{
public:
    explicit MinimalOnly(VTExperiment* x) : Minimal_VTElement(ElementType::Trial, x) {}
    MinimalOnly(const MinimalOnly& o, VTExperiment* x) : Minimal_VTElement(o, x) { CopyDeclaredFields(o); }
    Minimal_VTElement* CloneIntoExperiment(VTExperiment* x) const override { return new MinimalOnly(*this, x); }
    const ElementFieldTable& GetFieldTable() const override { return BaseFieldTable(); }
};

class ElementsList : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }

    VTTrial* Trial(const wxString& name)
    {
        auto* t = new VTTrial(&experiment);
        t->SetName(name);
        return t;
    }

    VTExperiment experiment;
    VTElementsList_Concrete list{ElementType::Trial};
};

}  // namespace

TEST_F(ElementsList, PositionsAndIdsStayConsistentThroughAddsRemovalsAndSwaps)
{
    ASSERT_TRUE(list.AddElement(Trial("A"), -1));
    ASSERT_TRUE(list.AddElement(Trial("B"), -1));
    ASSERT_TRUE(list.AddElement(Trial("C"), 0));  // front
    ASSERT_TRUE(list.AddElement(Trial("D"), 2));  // before B
    ASSERT_TRUE(list.AddElement(Trial("E"), 4));  // index == Size() appends
    EXPECT_EQ(Names(list), (std::vector<wxString>{"C", "A", "D", "B", "E"}));
    ExpectConsistent(list);

    ASSERT_TRUE(list.ExchangeElements(0, 4));
    EXPECT_EQ(Names(list), (std::vector<wxString>{"E", "A", "D", "B", "C"}));
    ExpectConsistent(list);
    ASSERT_TRUE(list.ExchangeElementsByPointer(list[1], list[3]));
    EXPECT_EQ(Names(list), (std::vector<wxString>{"E", "B", "D", "A", "C"}));
    ExpectConsistent(list);

    list.DeleteElement(std::size_t(2));
    Minimal_VTElement* a = list[2];
    list.DeleteElement(a);
    EXPECT_EQ(Names(list), (std::vector<wxString>{"E", "B", "C"}));
    ExpectConsistent(list);

    std::unique_ptr<Minimal_VTElement> taken(list[0]);
    EXPECT_TRUE(list.RemoveElement_only_called_by_VTBlock(taken.get()));  // not deleted: we own it now
    EXPECT_FALSE(list.RemoveElement_only_called_by_VTBlock(taken.get()));
    EXPECT_EQ(list.LookupElementPtrByID(taken->GetID()), nullptr);
    EXPECT_EQ(Names(list), (std::vector<wxString>{"B", "C"}));
    ExpectConsistent(list);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(ElementsList, IndexesOutsideTheListAppend)
{
    list.AddElement(Trial("A"), -1);
    list.AddElement(Trial("B"), -7);  // below -1
    list.AddElement(Trial("C"), 99);  // beyond Size()
    list.AddElement(Trial("D"), 3);   // == Size()
    EXPECT_EQ(Names(list), (std::vector<wxString>{"A", "B", "C", "D"}));
    ExpectConsistent(list);
    EXPECT_FALSE(list.AddElement(nullptr, 0));
    EXPECT_EQ(list.Size(), 4u);
}

TEST_F(ElementsList, DuplicateIdIsRefusedOnceAndStaysWithTheCaller)
{
    wxLog::SetVerbose(true);
    VTTrial* first = Trial("first");
    list.AddElement(first, -1);
    std::unique_ptr<VTTrial> twin(new VTTrial(*first, &experiment));
    EXPECT_FALSE(list.AddElement(twin.get(), -1));
    wxLog::SetVerbose(false);
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.LookupElementPtrByID(first->GetID()), first);
    EXPECT_EQ(CountLogged("Failed to add type 1 element. Element is not added to experiment."), 1);
}

TEST_F(ElementsList, LookupByIdAndDowncast)
{
    VTTrial* a = Trial("A");
    VTTrial* b = Trial("B");
    list.AddElement(a, -1);
    list.AddElement(b, -1);
    EXPECT_EQ(list.LookupElementPtrByID(b->GetID()), b);
    EXPECT_EQ(list.LookupElementPtrByID(0xFFFFFFF0u), nullptr);
    EXPECT_EQ(list.GetElementIndexByElementID(0xFFFFFFF0u), -1);
    EXPECT_EQ(list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(1), b);
    EXPECT_EQ(list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(2), nullptr);
    EXPECT_EQ(list.FindElement("B", nullptr), b);
    EXPECT_EQ(list.FindElement("B", b), nullptr);
    EXPECT_EQ(list.FindElement("b", nullptr), nullptr);  // case-sensitive
    EXPECT_EQ(list.GetStoredElementsType(), ElementType::Trial);
}

TEST_F(ElementsList, SwapEdgeCases)
{
    list.AddElement(Trial("A"), -1);
    list.AddElement(Trial("B"), -1);
    EXPECT_TRUE(list.ExchangeElements(1, 1));
    EXPECT_TRUE(TestSupport::RecordedLog().empty());
    EXPECT_EQ(Names(list), (std::vector<wxString>{"A", "B"}));

    EXPECT_FALSE(list.ExchangeElements(0, 2));
    EXPECT_TRUE(TestSupport::LogContains("Cannot swap the elements at position 0 and 2."));
    std::unique_ptr<VTTrial> stranger(Trial("X"));
    EXPECT_FALSE(list.ExchangeElementsByPointer(list[0], stranger.get()));
    EXPECT_TRUE(TestSupport::LogContains("Unable to swap the requested element pointers."));
    EXPECT_EQ(Names(list), (std::vector<wxString>{"A", "B"}));
    ExpectConsistent(list);
}

TEST_F(ElementsList, RefusedSwapRollsBackAndLeavesNoPlaceholder)
{
    list.AddElement(Trial("A"), -1);
    list.AddElement(Trial("B"), -1);
    // A corrupted list whose entry already holds the waiting-zone id: parking is refused.
    VTTrial* odd = Trial("odd");
    odd->ReplaceID_BeforeAddingToAList(MultiIndexVTElementsContainer::kWaitingZoneID);
    ASSERT_TRUE(list.AddElement(odd, -1));

    EXPECT_FALSE(list.ExchangeElements(0, 1));
    EXPECT_TRUE(TestSupport::LogContains("Error during swap of elements of type 1."));
    EXPECT_EQ(Names(list), (std::vector<wxString>{"A", "B", "odd"}));
    for (std::size_t i = 0; i < list.Size(); ++i)
        EXPECT_NE(list[i], MultiIndexVTElementsContainer::WaitingZonePointer());
    EXPECT_EQ(list.LookupElementPtrByID(list[0]->GetID()), list[0]);
    EXPECT_EQ(list.LookupElementPtrByID(list[1]->GetID()), list[1]);
}

TEST_F(ElementsList, StoredOrderIsRestoredFromSortKeys)
{
    for (const char* n : {"A", "B", "C", "D"}) list.AddElement(Trial(n), -1);
    list.OnSaveToDisk_AssignSequentialSortKeysToCollection();
    for (std::size_t i = 0; i < list.Size(); ++i)
        EXPECT_EQ(list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(i)->GetSortKey(), int(i));

    // Loaded in another order, with the stored keys.
    const std::int32_t keys[] = {3, -2, 7, 0};  // A B C D -> B D A C
    for (std::size_t i = 0; i < list.Size(); ++i)
        list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(i)->SetSortKey(keys[i]);
    list.OnFinishLoading_SortByStreamedInKeyNumbers();
    EXPECT_EQ(Names(list), (std::vector<wxString>{"B", "D", "A", "C"}));
    ExpectConsistent(list);
}

TEST_F(ElementsList, RestoringOrderSurvivesEntriesWithoutKeys)
{
    for (int i = 0; i < 40; ++i) {
        if (i % 3 == 0) {
            auto* m = new MinimalOnly(&experiment);
            m->SetName("m");
            list.AddElement(m, -1);
        } else {
            VTTrial* t = Trial("t");
            t->SetSortKey(40 - i);
            list.AddElement(t, -1);
        }
    }
    EXPECT_EQ(list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(0), nullptr);  // minimal only
    list.OnFinishLoading_SortByStreamedInKeyNumbers();
    EXPECT_EQ(list.Size(), 40u);
    ExpectConsistent(list);
    list.OnSaveToDisk_AssignSequentialSortKeysToCollection();  // skips the minimal ones, counting them
    for (std::size_t i = 0; i < list.Size(); ++i)
        if (auto* e = list.GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(i)) {
            EXPECT_EQ(e->GetSortKey(), int(i));
        }
}

TEST_F(ElementsList, DeepCopyKeepsIdsAndReservesThemInTheTarget)
{
    for (const char* n : {"A", "B"}) list.AddElement(Trial(n), -1);
    VTExperiment target;
    VTElementsList_Concrete copy(ElementType::Trial);
    copy.AddElement(new VTTrial(&target), -1);  // replaced by the copy
    copy.DeepCopyFromRHS_AndPreventNewObjectsFromGettingUniqueIDs(list, &target);
    ASSERT_EQ(copy.Size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NE(copy[i], list[i]);
        EXPECT_EQ(copy[i]->GetID(), list[i]->GetID());
        EXPECT_EQ(copy[i]->GetName(), list[i]->GetName());
        EXPECT_EQ(copy[i]->GetOwningExperiment(), &target);
    }
    const std::uint32_t fresh = target.AllocateNewElementID(ElementType::Trial);
    EXPECT_GT(fresh, std::max(list[0]->GetID(), list[1]->GetID()));
}

TEST(ElementNames, FreeNamesFollowTheTrailingNumberRule)
{
    struct Case
    {
        std::vector<wxString> taken;
        wxString name;
        wxString exclude;
        wxString expected;
    };
    const Case cases[] = {
        {{"Trial"}, "Trial", "", "Trial1"},
        {{"Trial", "Trial1"}, "Trial", "", "Trial2"},
        {{"Trial3"}, "Trial3", "", "Trial4"},
        {{"Trial3", "Trial4"}, "Trial3", "", "Trial5"},
        {{"Trial1"}, "Trial3", "", "Trial3"},  // free: kept
        {{"Block007"}, "Block007", "", "Block7"},
        {{"Block007", "Block7"}, "Block007", "", "Block8"},
        {{}, "Free", "Free", "Free1"},  // exclude alone makes it taken
        {{"Event"}, "Event", "Event1", "Event2"},
        {{"12"}, "12", "", "13"},  // all digits: empty stem
        {{}, "", "", "1"},         // the empty exclude is taken too
        // A trailing run too long for an int stays part of the stem.
        {{"T99999999999999999999"}, "T99999999999999999999", "", "T999999999999999999991"},
        {{"T2147483648"}, "T2147483648", "", "T21474836481"},
        // The largest int still counts, and the counter does not overflow.
        {{"T2147483647"}, "T2147483647", "", "T2147483648"},
        {{"trial"}, "Trial", "", "Trial"},  // case-sensitive
    };
    for (const Case& c : cases) {
        VTExperiment experiment;
        VTElementsList_Concrete list(ElementType::Trial);
        for (const wxString& n : c.taken) {
            auto* t = new VTTrial(&experiment);
            t->SetName(n);
            list.AddElement(t, -1);
        }
        EXPECT_EQ(list.GetNextAvailableElementNameCollisionFree(c.name, c.exclude), c.expected)
            << "name " << c.name << " exclude " << c.exclude;
    }
}
