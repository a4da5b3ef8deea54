#include <NonPersistentHelpers/MultiIndexVTElementsContainer.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include "DiagnosticLog.h"

#include <VTCore/VTElement.h>
#include <VTCore/VTExperiment.h>

#include <wx/log.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

namespace Vantrel {

namespace {

using ElInfo = MultiIndexVTElementsContainer::ElInfo;

MultiIndexVTElementsContainer::Container::index<MultiIndexVTElementsContainer::ByPosition>::type&
Positions(MultiIndexVTElementsContainer& c)
{
    return c.Entries().get<MultiIndexVTElementsContainer::ByPosition>();
}

}  // namespace

bool LessByVTElementSortKey::operator()(const ElInfo& a, const ElInfo& b) const
{
    const VTElement* ea = a.nullified ? nullptr : dynamic_cast<const VTElement*>(a.ptr);
    const VTElement* eb = b.nullified ? nullptr : dynamic_cast<const VTElement*>(b.ptr);
    if (!ea || !eb) return false;
    return ea->GetSortKey() < eb->GetSortKey();
}

VTElementsList::~VTElementsList() = default;

VTElementsList_Concrete::VTElementsList_Concrete(VTElementType type)
    : m_Container(new MultiIndexVTElementsContainer(type))
{}

VTElementsList_Concrete::~VTElementsList_Concrete()
{
    DeleteAllElements();
    delete m_Container;
}

Minimal_VTElement* VTElementsList_Concrete::operator[](std::size_t i) const { return Positions(*m_Container)[i].ptr; }

VTElement* VTElementsList_Concrete::GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(std::size_t i) const
{
    const auto& pos = Positions(*m_Container);
    if (i >= pos.size() || pos[i].nullified || !pos[i].ptr) return nullptr;
    return dynamic_cast<VTElement*>(pos[i].ptr);
}

bool VTElementsList_Concrete::AddElement(Minimal_VTElement* el, int index)
{
    if (!el) return false;
    auto& pos = Positions(*m_Container);
    const ElInfo record{el, el->GetID(), false};
    // Anything outside 0..Size() appends: a stale index must not corrupt the order.
    auto where = (index < 0 || std::size_t(index) > pos.size()) ? pos.end() : pos.begin() + index;
    if (!pos.insert(where, record).second) {
        NonPersistentDetail::LogVerboseOrErrorBasedOnEnvironment(
            wxString::Format(wxS("Failed to add type %d element. Element is not added to experiment. Please report "
                                 "this bug to Orbisk Corp."),
                             int(m_Container->Type())));
        return false;
    }
    el->OnInsertedIntoList();
    return true;
}

void VTElementsList_Concrete::OnElementJustUpdated(Minimal_VTElement*) {}

int VTElementsList_Concrete::GetElementIndex(const Minimal_VTElement* el) const
{
    const auto& pos = Positions(*m_Container);
    for (std::size_t i = 0; i < pos.size(); ++i)
        if (pos[i].ptr == el) return int(i);
    return -1;
}

int VTElementsList_Concrete::GetElementIndexByElementID(std::uint32_t id) const
{
    const auto& pos = Positions(*m_Container);
    for (std::size_t i = 0; i < pos.size(); ++i)
        if (pos[i].elID == id) return int(i);
    return -1;
}

Minimal_VTElement* VTElementsList_Concrete::LookupElementPtrByID(std::uint32_t id) const
{
    const auto& ids = m_Container->Entries().get<MultiIndexVTElementsContainer::ByID>();
    auto it = ids.find(id);
    if (it == ids.end() || it->nullified) return nullptr;
    return it->ptr;
}

VTElementType VTElementsList_Concrete::GetStoredElementsType() const { return m_Container->Type(); }

bool VTElementsList_Concrete::RemoveElement_only_called_by_VTBlock(const Minimal_VTElement* el)
{
    const int i = GetElementIndex(el);
    if (i < 0) return false;
    auto& pos = Positions(*m_Container);
    pos.erase(pos.begin() + i);
    return true;
}

std::size_t VTElementsList_Concrete::Size() const { return Positions(*m_Container).size(); }

bool VTElementsList_Concrete::Empty() const { return Positions(*m_Container).empty(); }

bool VTElementsList_Concrete::ExchangeElements(std::size_t i, std::size_t j)
{
    auto& pos = Positions(*m_Container);
    if (i >= pos.size() || j >= pos.size()) {
        wxLogError(wxS("Cannot swap the elements at position %d and %d. Please report this to Orbisk Corp."), int(i),
                   int(j));
        return false;
    }
    if (i == j) return true;

    const auto reportRefusal = [this] {
        wxLogError(wxS("Error during swap of elements of type %d.  Please report this to Orbisk Corp. for assistance."),
                   int(m_Container->Type()));
    };
    const ElInfo a = pos[i];
    const ElInfo b = pos[j];
    const ElInfo waiting{MultiIndexVTElementsContainer::WaitingZonePointer(),
                         MultiIndexVTElementsContainer::kWaitingZoneID, false};

    // Parking A first frees its id, so no two entries ever hold one id. A refused
    // step rolls back the earlier ones: the placeholder never stays in the list.
    if (!pos.replace(pos.begin() + i, waiting)) {
        reportRefusal();
        return false;
    }
    if (!pos.replace(pos.begin() + j, a)) {
        reportRefusal();
        pos.replace(pos.begin() + i, a);
        return false;
    }
    if (!pos.replace(pos.begin() + i, b)) {
        reportRefusal();
        pos.replace(pos.begin() + j, b);
        pos.replace(pos.begin() + i, a);
        return false;
    }
    return true;
}

bool VTElementsList_Concrete::ExchangeElementsByPointer(const Minimal_VTElement* a, const Minimal_VTElement* b)
{
    const int i = GetElementIndex(a);
    const int j = GetElementIndex(b);
    if (i < 0 || j < 0) {
        wxLogError(wxS("Unable to swap the requested element pointers."));
        return false;
    }
    return ExchangeElements(std::size_t(i), std::size_t(j));
}

wxString VTElementsList_Concrete::GetNextAvailableElementNameCollisionFree(const wxString& name, wxString exclude) const
{
    return GetNextAvailableElementNameFromList(this, name, exclude);
}

namespace {

bool OwnsElement(const ElInfo& e)
{
    return e.ptr && !e.nullified && e.ptr != MultiIndexVTElementsContainer::WaitingZonePointer();
}

}  // namespace

void VTElementsList_Concrete::DeleteAllElements()
{
    // Taken out of the list first, so no element is reachable while others are deleted.
    std::vector<Minimal_VTElement*> owned;
    for (const ElInfo& e : Positions(*m_Container))
        if (OwnsElement(e)) owned.push_back(e.ptr);
    m_Container->Entries().clear();
    for (Minimal_VTElement* el : owned) delete el;
}

void VTElementsList_Concrete::DeleteElementsIf(const std::function<bool(const Minimal_VTElement&)>& doomed)
{
    std::vector<Minimal_VTElement*> owned;
    auto& pos = Positions(*m_Container);
    pos.remove_if([&](const ElInfo& e) {
        if (!OwnsElement(e) || !doomed(*e.ptr)) return false;
        owned.push_back(e.ptr);
        return true;
    });
    for (Minimal_VTElement* el : owned) delete el;
}

void VTElementsList_Concrete::DeleteElement(std::size_t i)
{
    auto& pos = Positions(*m_Container);
    if (i >= pos.size()) return;
    Minimal_VTElement* el = pos[i].nullified ? nullptr : pos[i].ptr;
    pos.erase(pos.begin() + i);
    delete el;
}

void VTElementsList_Concrete::DeleteElement(Minimal_VTElement* el)
{
    const int i = GetElementIndex(el);
    if (i >= 0) DeleteElement(std::size_t(i));
}

Minimal_VTElement* VTElementsList_Concrete::FindElement(const wxString& name, const Minimal_VTElement* exclude) const
{
    for (const ElInfo& e : Positions(*m_Container)) {
        if (e.nullified || !e.ptr || e.ptr == exclude) continue;
        if (e.ptr->GetName() == name) return e.ptr;
    }
    return nullptr;
}

void VTElementsList_Concrete::SetOwner(VTExperiment* experiment)
{
    for (const ElInfo& e : Positions(*m_Container))
        if (e.ptr && !e.nullified) e.ptr->SetOwningExperiment(experiment);
}

void VTElementsList_Concrete::RefreshChildElementPointers()
{
    for (std::size_t i = 0; i < Size(); ++i)
        if (VTElement* el = GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(i))
            el->RefreshChildElementPointers();
}

void VTElementsList_Concrete::DeepCopyFromRHS_AndPreventNewObjectsFromGettingUniqueIDs(
    const VTElementsList_Concrete& rhs, VTExperiment* experiment)
{
    if (&rhs == this) return;
    DeleteAllElements();
    for (const ElInfo& e : Positions(*rhs.m_Container)) {
        if (!e.ptr || e.nullified) continue;
        Minimal_VTElement* clone = e.ptr->CloneIntoExperiment(experiment);
        if (!clone) continue;
        clone->ReplaceID_BeforeAddingToAList(e.elID);
        if (experiment) experiment->ReserveElementID(m_Container->Type(), e.elID);
        if (!AddElement(clone, -1)) delete clone;
    }
}

void VTElementsList_Concrete::OnFinishLoading_SortByStreamedInKeyNumbers()
{
    if (VTExperiment::ElemTypeOnlyHasNewerMinimalInterface(m_Container->Type())) return;
    auto& pos = Positions(*m_Container);
    std::vector<std::reference_wrapper<const ElInfo>> order(pos.begin(), pos.end());
    // Entries without a key compare with nothing, which is no strict weak order;
    // a merge sort stays within bounds even then, where std::sort need not.
    const LessByVTElementSortKey less;
    std::stable_sort(order.begin(), order.end(), [&less](const ElInfo& a, const ElInfo& b) { return less(a, b); });
    pos.rearrange(order.begin());
}

void VTElementsList_Concrete::OnSaveToDisk_AssignSequentialSortKeysToCollection()
{
    const auto& pos = Positions(*m_Container);
    for (std::size_t i = 0; i < pos.size(); ++i)
        if (VTElement* el = GetDowncastOldschoolBTEElement_CALLER_CHECK_FOR_NULL_RETURN(i))
            el->SetSortKey(std::int32_t(i));
}

wxString GetNextAvailableElementNameFromList(const VTElementsList* list, const wxString& name, wxString exclude)
{
    // Split off the trailing digit run. A run too long for an int stays part of the
    // stem (counting then starts at 1); the counter is 64-bit and grows at most once
    // per collision, so it never overflows.
    std::size_t stemLength = name.length();
    while (stemLength > 0 && name[stemLength - 1] >= '0' && name[stemLength - 1] <= '9') --stemLength;
    wxString stem = name;
    long long counter = 1;
    if (stemLength < name.length()) {
        const wxString digits = name.Mid(stemLength);
        unsigned long long value = 0;
        bool fits = true;
        for (wxUniChar c : digits) {
            value = value * 10 + (c.GetValue() - '0');
            if (value > static_cast<unsigned long long>(INT_MAX)) {
                fits = false;
                break;
            }
        }
        if (fits) {
            counter = static_cast<long long>(value);
            stem = name.Left(stemLength);
        }
    }

    const auto collides = [&](const wxString& candidate) {
        if (candidate == exclude) return true;
        if (!list) return false;
        for (std::size_t i = 0; i < list->Size(); ++i) {
            const Minimal_VTElement* el = (*list)[i];
            if (el && el->GetName() == candidate) return true;
        }
        return false;
    };

    wxString candidate = name;
    while (collides(candidate)) {
        candidate = stem + wxString::Format(wxS("%lld"), counter);
        ++counter;
    }
    return candidate;
}

}  // namespace Vantrel
