#pragma once
// A list of links from one element to elements of one type: ids (stable across
// save and load), one word of owner-defined data each, and a cached pointer.

#include <VTCore/VTElementType.h>
#include <wx/string.h>
#include <cstdint>
#include <functional>
#include <vector>

class QDataStream;
class wxDataInputStream;

namespace Vantrel {

class Minimal_VTElement;
class VTElement;
class VTExperiment;

class VTLinkT
{
public:
    struct UsedElementData
    {
        VTElement* element = nullptr;  // cache; null until resolved; not owned
        std::uint32_t elementID = 0;
        std::uint32_t extraData = 0;
        std::int32_t sortValue = 0;
    };

    VTLinkT(VTExperiment* exp, VTElementType type);
    VTLinkT(const VTLinkT& other);
    VTLinkT& operator=(const VTLinkT& other);
    virtual ~VTLinkT() = 0;

    VTExperiment* GetOwningExperiment() const { return experiment; }
    // Working copies keep their original's experiment; clones for another experiment
    // move to it (cached pointers are dropped).
    void SetOwningExperiment(VTExperiment* exp);
    bool CollectionIsEnforcingUniquenessOfElements() const { return enforceUniqueness; }
    void SetEnforceUniqueness(bool enforce) { enforceUniqueness = enforce; }
    VTElementType GetLinkedType() const { return linkedType; }
    std::size_t Size() const { return links.size(); }
    bool Empty() const { return links.empty(); }

    // false (nothing added) when uniqueness is on and el's id is present; a
    // resolve-and-purge with warnings runs afterwards in both cases.
    bool AddChildElement(VTElement* el, std::uint32_t extraData = 0, bool unused = false);

    int GetIndexByID(std::uint32_t id) const;
    int GetIndexByExtraData(std::uint32_t extra) const;
    int CountElementsWithExtraData(std::uint32_t extra) const;
    bool ContainsThisElement(const Minimal_VTElement* el) const;
    std::uint32_t GetID(int i) const;
    std::uint32_t GetExtraData(int i) const;
    // Resolves through the experiment when not cached; null when the element is gone.
    VTElement* GetUsedElementPtr(unsigned i);
    const std::vector<UsedElementData>& Entries() const { return links; }

    void SetID(unsigned i, int id);
    void SetExtraData(unsigned i, std::uint32_t extra);
    void SetElementPtr(unsigned i, VTElement* el);
    void RemoveAllElements();
    void WipeCleanAllElementPointers();
    void RefreshAllElementPointers();
    void RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(bool warn);
    bool RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(unsigned i);
    bool RemoveUsedElement_BEHAVIOR_WARNING_CanRemoveMultipleItems(const Minimal_VTElement* el);
    // Takes uniqueness, type and entries (ids and extra data, no pointers) from
    // other, keeping this list's experiment. For committing working copies.
    void CopyLinksFrom(const VTLinkT& other);
    // Appends {id, extra} unresolved and unchecked; for readers that validate first.
    void AppendLinkForLoading(std::uint32_t id, std::uint32_t extra);
    // Removes, in one pass, every entry whose id the predicate picks; the rest keep
    // their order and caches. The number removed.
    std::size_t RemoveLinksIf(const std::function<bool(std::uint32_t id)>& remove);
    void OnDump(const wxString&, const wxString&) {}

    void Sort();
    void SortByExtraData();
    void SortByChildNum();
    void SortByOrderInVTElementsList();

    bool OnSaveToFile(QDataStream& out) const;
    // Both readers stop at the first failed read and return false with the list as
    // it was before; a count is never used to reserve memory.
    bool OnReadFromFile(int version, QDataStream& in);
    bool OnReadFromFile(int version, wxDataInputStream& in);

protected:
    Minimal_VTElement* LookUp(VTExperiment* exp, std::uint32_t id) const;
    void ClearFollowingCaches(std::size_t from);

    bool enforceUniqueness;
    VTElementType linkedType;
    std::vector<UsedElementData> links;
    VTExperiment* experiment;
};

class VTUsedElements : public VTLinkT
{
public:
    VTUsedElements(VTExperiment* exp, VTElementType type);
    VTUsedElements(const VTUsedElements& other);
    VTUsedElements& operator=(const VTUsedElements& other) = default;
    ~VTUsedElements() override;

    void OverwriteWithCopiedInfo_UsesVTCodesLinker(const VTUsedElements& other);
    void AppendGivenElements_OmitCheckingForDuplicates(const VTUsedElements& other);
};

}  // namespace Vantrel
