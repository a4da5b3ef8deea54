// A trial's list access in the model: the presentations its lists yield (saturating,
// never wrapping), the lists it counts, and the block's list of trials whose own
// list shuffling conflicts with jumbling the lists across trials.

#include <gtest/gtest.h>

#include <VTCore/ListAccessHelper.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <cstdint>
#include <limits>

using namespace Vantrel;

TEST(ListAccessModel, PresentationsPerListCountAndAccessTypeSaturate)
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    struct Case
    {
        std::vector<std::uint64_t> sizes;
        int type;
        std::uint64_t presentations;
    } cases[] = {
        {{}, ListAccessHelper::kCrossed, 1},
        {{5}, ListAccessHelper::kPaired, 5},
        {{5}, ListAccessHelper::kCrossed, 5},
        {{3, 4}, ListAccessHelper::kPaired, 4},
        {{3, 4}, ListAccessHelper::kUnpaired, 4},
        {{3, 4}, ListAccessHelper::kCrossed, 12},
        {{0, 4}, ListAccessHelper::kCrossed, 4},  // an empty list presents nothing, once
        {{1u << 31, 1u << 31, 1u << 31}, ListAccessHelper::kCrossed, kMost},
        {{kMost, 2}, ListAccessHelper::kCrossed, kMost},
        {{kMost, 2}, ListAccessHelper::kPaired, kMost},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sizes.size() << " lists, type " << c.type);
        EXPECT_EQ(ListAccessHelper(0, c.type, c.sizes).PostExpansionItemCount(), c.presentations);
    }
}

TEST(ListAccessModel, TrialsCountTheirDistinctListsAndTheBlockNamesThoseThatShuffleThem)
{
    VTExperiment x;
    auto add = [&](auto* element, VTElementType type, const wxString& name) {
        element->SetName(name);
        x.GetElementsOfType(type).AddElement(element, -1);
        return element;
    };
    auto* list = add(new VTStimList(&x), ElementType::StimList, "Words");
    for (const char* word : {"one", "two", "three"}) list->AddTextItem(word);
    auto* block = add(new VTBlock(&x), ElementType::Block, "B");
    const char* names[] = {"Never", "Shuffled", "No lists"};
    for (int t = 0; t < 3; ++t) {
        auto* trial = add(new VTTrial(&x), ElementType::Trial, names[t]);
        if (t < 2)
            for (int e = 0; e < 2; ++e) {
                auto* event = add(new VTEvent(&x), ElementType::Event, "E");
                event->SetStimListID(int(list->GetID()));
                trial->AddUsedEvent(event);
            }
        // Shuffling codes without a list shuffle nothing.
        trial->SetListAccessConfiguration(t == 0 ? 0 : 63, ListAccessHelper::kCrossed);
        block->AddUsedTrial(trial);
    }
    EXPECT_EQ(block->GetUsedTrial(0)->GetNumberOfStimLists(), 1) << "two events, one list";
    EXPECT_EQ(block->GetUsedTrial(0)->GetReadOnlyReferenceToListAccess().PostExpansionItemCount(), 3u);
    EXPECT_EQ(block->GetUsedTrial(2)->GetNumberOfStimLists(), 0);
    wxArrayString conflicting;
    block->GetListOfTrialsUsingListAccessRandomization(conflicting);
    ASSERT_EQ(conflicting.size(), 1u);
    EXPECT_EQ(conflicting[0], "Shuffled");
}
