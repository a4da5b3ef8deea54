#include "VTRuntime/VTTrialTags.h"

namespace Vantrel {

int VTTrialTags::TagOf(int trialID, int tagSetID) const
{
    const auto trial = m_Tags.find(trialID);
    if (trial == m_Tags.end()) return -1;
    const auto tag = trial->second.find(tagSetID);
    return tag == trial->second.end() ? -1 : tag->second;
}

bool VTTrialTags::HasTag(int trialID, int tagID) const
{
    const auto trial = m_Tags.find(trialID);
    if (trial == m_Tags.end() || tagID < 0) return false;
    for (const auto& [set, tag] : trial->second)
        if (tag == tagID) return true;
    return false;
}

}  // namespace Vantrel
