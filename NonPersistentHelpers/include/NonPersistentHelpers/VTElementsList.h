#pragma once
// The ordered list of the elements of one type that an experiment keeps, found by
// position and by element id. The list owns its elements.

#include <VTCore/VTElementType.h>
#include <wx/string.h>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace Vantrel {

class Minimal_VTElement;
class VTElement;
class VTExperiment;
class MultiIndexVTElementsContainer;

class VTElementsList
{
public:
    virtual ~VTElementsList();
    // The caller keeps i below Size().
    virtual Minimal_VTElement* operator[](std::size_t i) const = 0;
    // Null when i is out of range, the entry is empty or the element is only minimal.
    virtual VTElement* GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(std::size_t i) const = 0;
    // index -1 (or any index outside 0..Size()) appends. The list takes ownership
    // only when it returns true; an element whose id is present already stays with the caller.
    virtual bool AddElement(Minimal_VTElement* el, int index) = 0;
    virtual void OnElementJustUpdated(Minimal_VTElement* el) = 0;
    virtual int GetElementIndex(const Minimal_VTElement* el) const = 0;
    virtual int GetElementIndexByElementID(std::uint32_t id) const = 0;
    virtual Minimal_VTElement* LookupElementPtrByID(std::uint32_t id) const = 0;
    virtual VTElementType GetStoredElementsType() const = 0;
    // Takes the element out without deleting it; false when absent.
    virtual bool RemoveElement_only_called_by_VTBlock(const Minimal_VTElement* el) = 0;
    virtual std::size_t Size() const = 0;
    virtual bool Empty() const = 0;
    // false (with a logged error) when a position is out of range or the swap was refused.
    virtual bool ExchangeElements(std::size_t i, std::size_t j) = 0;
    virtual bool ExchangeElementsByPointer(const Minimal_VTElement* a, const Minimal_VTElement* b) = 0;
    virtual wxString GetNextAvailableElementNameCollisionFree(const wxString& name, wxString exclude) const = 0;
};

class VTElementsList_Concrete : public VTElementsList
{
public:
    explicit VTElementsList_Concrete(VTElementType type);
    ~VTElementsList_Concrete() override;
    VTElementsList_Concrete(const VTElementsList_Concrete&) = delete;
    VTElementsList_Concrete& operator=(const VTElementsList_Concrete&) = delete;

    Minimal_VTElement* operator[](std::size_t i) const override;
    VTElement* GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(std::size_t i) const override;
    bool AddElement(Minimal_VTElement* el, int index) override;
    void OnElementJustUpdated(Minimal_VTElement* el) override;
    int GetElementIndex(const Minimal_VTElement* el) const override;
    int GetElementIndexByElementID(std::uint32_t id) const override;
    Minimal_VTElement* LookupElementPtrByID(std::uint32_t id) const override;
    VTElementType GetStoredElementsType() const override;
    bool RemoveElement_only_called_by_VTBlock(const Minimal_VTElement* el) override;
    std::size_t Size() const override;
    bool Empty() const override;
    bool ExchangeElements(std::size_t i, std::size_t j) override;
    bool ExchangeElementsByPointer(const Minimal_VTElement* a, const Minimal_VTElement* b) override;
    wxString GetNextAvailableElementNameCollisionFree(const wxString& name, wxString exclude) const override;

    // Linear in the list's size, however many elements go.
    void DeleteAllElements();
    void DeleteElementsIf(const std::function<bool(const Minimal_VTElement&)>& doomed);
    void DeleteElement(std::size_t i);
    void DeleteElement(Minimal_VTElement* el);
    // First element other than `exclude` with exactly that name (case-sensitive), or null.
    Minimal_VTElement* FindElement(const wxString& name, const Minimal_VTElement* exclude) const;
    void SetOwner(VTExperiment* experiment);
    void RefreshChildElementPointers();
    // Replaces the contents with clones of rhs's elements made for `experiment`,
    // each keeping its source's id.
    void DeepCopyFromRHS_AndPreventNewObjectsFromGettingUniqueIDs(const VTElementsList_Concrete& rhs,
                                                                  VTExperiment* experiment);
    void OnFinishLoading_SortByStreamedInKeyNumbers();
    void OnSaveToDisk_AssignSequentialSortKeysToCollection();

    // The container itself, for code that needs the raw index (tests, the document reader).
    MultiIndexVTElementsContainer& Container() { return *m_Container; }

private:
    MultiIndexVTElementsContainer* m_Container;
};

// The collision-free name rule: keeps `name` when free, else stem + counter,
// the counter starting at the trailing number of `name` (or 1). Never `exclude`.
wxString GetNextAvailableElementNameFromList(const VTElementsList* list, const wxString& name, wxString exclude);

}  // namespace Vantrel
