#pragma once
// Which trials of the current block presentation a block statistic counts: all
// presented trials or the last `count`, optionally only those with a tag.

#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

class VTExperiment;

struct TrialSubsetDescription
{
    static constexpr std::int32_t kAllPresentedTrials = 0;
    static constexpr std::int32_t kLastTrials = 1;

    std::int32_t rangeMode = kAllPresentedTrials;
    std::int32_t count = 0;  // with kLastTrials
    bool useTag = false;
    std::int32_t tagId = -1;  // -1: no tag

    bool operator==(const TrialSubsetDescription& o) const
    {
        return rangeMode == o.rangeMode && count == o.count && useTag == o.useTag && tagId == o.tagId;
    }
    bool operator!=(const TrialSubsetDescription& o) const { return !(*this == o); }

    void StopUsingTags() { useTag = false; }
    // The tag that limits the subset: tagId while useTag is set, else -1.
    std::int32_t GetRangeTagID() const { return useTag ? tagId : -1; }
    // The text of the settings link: which trials count, the tag named by tagName.
    wxString GetFriendlySummaryText(const wxString& tagName) const;
};

// useTag set; tagId = tagId when the experiment holds a tag with that id, else -1.
void InlineHelper_UseTagsToLimitSubset(TrialSubsetDescription& description, const VTExperiment* experiment, int tagId);

}  // namespace Vantrel
