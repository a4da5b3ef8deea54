#pragma once
// The index behind VTElementsList_Concrete: list order by position, element id by hash.
// Heavy (boost multi-index): include it only where the raw container is needed.

#include <VTCore/VTElementType.h>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <boost/multi_index_container.hpp>
#include <cstdint>

namespace Vantrel {

class Minimal_VTElement;

class MultiIndexVTElementsContainer
{
public:
    struct ElInfo
    {
        Minimal_VTElement* ptr;
        std::uint32_t elID;
        bool nullified;
    };
    struct ByPosition
    {};
    struct ByID
    {};
    using Container = boost::multi_index_container<
        ElInfo, boost::multi_index::indexed_by<boost::multi_index::random_access<boost::multi_index::tag<ByPosition>>,
                                               boost::multi_index::hashed_unique<
                                                   boost::multi_index::tag<ByID>,
                                                   boost::multi_index::member<ElInfo, std::uint32_t, &ElInfo::elID>>>>;

    // The entry parked during a swap: never a real element or id.
    static constexpr std::uint32_t kWaitingZoneID = 0xFFFFFFFFu;
    static Minimal_VTElement* WaitingZonePointer()
    {
        return reinterpret_cast<Minimal_VTElement*>(std::uintptr_t(1234));
    }

    explicit MultiIndexVTElementsContainer(VTElementType type) : m_Type(type) {}

    VTElementType Type() const { return m_Type; }
    Container& Entries() { return m_Entries; }
    const Container& Entries() const { return m_Entries; }

private:
    VTElementType m_Type;
    Container m_Entries;
};

// Orders entries by the sort key of their VTElement; null or minimal elements are
// never less than anything, nor anything less than them.
struct LessByVTElementSortKey
{
    bool operator()(const MultiIndexVTElementsContainer::ElInfo& a,
                    const MultiIndexVTElementsContainer::ElInfo& b) const;
};

}  // namespace Vantrel
