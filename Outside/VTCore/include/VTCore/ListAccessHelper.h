#pragma once
// How a trial walks through the stimulus lists its events use: when the items are
// shuffled and how items of different lists are combined. A trial using lists is
// presented once per item combination; the count saturates instead of wrapping, so a
// document with many long lists crossed is refused by the run's budget, never
// allocated.

#include <cstdint>
#include <vector>

namespace Vantrel {

class ListAccessHelper
{
public:
    // When the items are shuffled (shared with the block and event shuffling codes).
    static constexpr int kShuffleNever = 0;
    static constexpr int kShufflePerGroup = 61;
    static constexpr int kShufflePerRun = 62;
    static constexpr int kShuffleEveryPresentation = 63;
    // How items of two or more lists are combined.
    static constexpr int kPaired = 0;    // item n of every list together
    static constexpr int kUnpaired = 1;  // each list walked in its own order
    static constexpr int kCrossed = 2;   // every item of one list with every item of the others

    ListAccessHelper() = default;
    ListAccessHelper(int whenToShuffle, int accessType, std::vector<std::uint64_t> listSizes)
        : m_When(whenToShuffle), m_Type(accessType), m_ListSizes(std::move(listSizes))
    {}

    int WhenToShuffle() const { return m_When; }
    int ListAccessType() const { return m_Type; }
    int HowManyStimlists() const { return int(m_ListSizes.size()); }
    // Item counts of the lists, in the order the trial's events first use them.
    const std::vector<std::uint64_t>& ListSizes() const { return m_ListSizes; }

    // Presentations of the trial: 1 without lists; the longest list when paired or
    // unpaired (and for one list); the product of the list sizes when crossed. An
    // empty list counts as one item (its events present nothing). Saturates at the
    // largest count.
    std::uint64_t PostExpansionItemCount() const;
    // Whether items are shuffled at all (the trial uses a list and a shuffling code).
    bool ShufflesListItems() const { return !m_ListSizes.empty() && m_When != kShuffleNever; }
    static bool IsKnownShuffleCode(int when)
    {
        return when == kShuffleNever || when == kShufflePerGroup || when == kShufflePerRun ||
               when == kShuffleEveryPresentation;
    }
    static bool IsKnownAccessType(int type) { return type == kPaired || type == kUnpaired || type == kCrossed; }

private:
    int m_When = kShuffleNever;
    int m_Type = kPaired;
    std::vector<std::uint64_t> m_ListSizes;
};

}  // namespace Vantrel
