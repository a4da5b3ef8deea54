#pragma once
// How an experiment behaves when run from the cloud service.

#include <cstdint>

namespace Vantrel {

struct VTCloudSettings
{
    static constexpr std::uint32_t kBalancedGroupAssignment = 1;

    // The experiment may be published to the cloud service.
    bool m_CloudEnabled = false;
    // 1: participants are spread evenly over the groups; otherwise the id of the
    // group every participant runs. Group ids never take the value 1.
    std::uint32_t m_GroupRule = kBalancedGroupAssignment;

    bool IsBalancedGroupAssignment() const { return m_GroupRule == kBalancedGroupAssignment; }
    bool operator==(const VTCloudSettings& o) const
    {
        return m_CloudEnabled == o.m_CloudEnabled && m_GroupRule == o.m_GroupRule;
    }
};

}  // namespace Vantrel
