#pragma once
// A full element: adds the stored order key, the randomisation child number and
// the refresh of its own links.

#include <VTCore/Minimal_VTElement.h>

namespace Vantrel {

class VTElement : public Minimal_VTElement
{
public:
    ~VTElement() override;

    // Position written on save and read back on load (lists sort by it).
    virtual std::int32_t GetSortKey() const;
    virtual void SetSortKey(std::int32_t key);
    // Ordering key used by link lists when they sort for randomisation.
    virtual int GetChildNumForRandomization() const;
    virtual void SetChildNumForRandomization(int number);
    // Re-resolves every link list of the element against its experiment and drops
    // links to elements that no longer exist.
    virtual void RefreshChildElementPointers();

    // Lower-case names of the element types, for messages ("trial", "stimulus list");
    // empty for numbers without a class.
    static wxString ElementTypeName(VTElementType type);
    static const char* const m_ElementTypeName[ElementType::Count];

    // The base fields plus the randomisation child number.
    static const ElementFieldTable& ElementBaseFieldTable();

protected:
    VTElement(VTElementType type, VTExperiment* experiment);
    VTElement(const VTElement& source, VTExperiment* experiment);

private:
    std::int32_t m_SortKey = 0;
    int m_ChildNum = 0;
};

}  // namespace Vantrel
