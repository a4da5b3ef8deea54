#include <VTCore/ListAccessHelper.h>

#include <algorithm>
#include <limits>

namespace Vantrel {

std::uint64_t ListAccessHelper::PostExpansionItemCount() const
{
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t count = 1;
    for (std::uint64_t size : m_ListSizes) {
        const std::uint64_t items = std::max<std::uint64_t>(size, 1);
        if (m_Type == kCrossed)
            count = count > kMost / items ? kMost : count * items;
        else
            count = std::max(count, items);
    }
    return count;
}

}  // namespace Vantrel
