#pragma once
// The tags of the trials while a run goes on: each trial holds at most one tag of
// each tag set. A run starts from the tags the document gives its trials; "Set
// trial's tag" and "Set tag on all trials in block" change them for the rest of the
// run, and tag criteria, tagged subsets and collection functions read them here.

#include <map>

namespace Vantrel {

class VTTrialTags
{
public:
    // trial id -> tag set id -> tag id
    using Table = std::map<int, std::map<int, int>>;

    void Start(const Table& initial) { m_Tags = initial; }
    // The trial's tag of the set is `tag` from now on (replacing the one it had).
    void SetTag(int trialID, int tagSetID, int tagID) { m_Tags[trialID][tagSetID] = tagID; }
    // The trial's tag of the set; -1 when it has none.
    int TagOf(int trialID, int tagSetID) const;
    bool HasTag(int trialID, int tagID) const;

private:
    Table m_Tags;
};

}  // namespace Vantrel
