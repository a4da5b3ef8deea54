#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTLinkT.h>

#include "WxDataStreamCheck.h"

#include <VTCore/VTElement.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <QDataStream>
#include <wx/datstrm.h>
#include <wx/log.h>

#include <algorithm>
#include <utility>

namespace Vantrel {

namespace {

// A read that fails part-way leaves the link as it was: the returned function
// puts the fields back (entries appended so far are dropped) and answers false.
template <class Links>
auto RestoreOnFailedRead(bool& unique, VTElementType& type, Links& links)
{
    return [&unique, &type, &links, oldUnique = unique, oldType = type, oldSize = links.size()] {
        unique = oldUnique;
        type = oldType;
        links.resize(oldSize);
        return false;
    };
}

}  // namespace

VTLinkT::VTLinkT(VTExperiment* exp, VTElementType type) : enforceUniqueness(true), linkedType(type), experiment(exp) {}

VTLinkT::VTLinkT(const VTLinkT& other) = default;

VTLinkT& VTLinkT::operator=(const VTLinkT& other) = default;

VTLinkT::~VTLinkT() = default;

void VTLinkT::SetOwningExperiment(VTExperiment* exp)
{
    if (exp == experiment) return;
    experiment = exp;
    WipeCleanAllElementPointers();
}

Minimal_VTElement* VTLinkT::LookUp(VTExperiment* exp, std::uint32_t id) const
{
    return exp ? exp->LookupElementByTypeAndID(linkedType, id) : nullptr;
}

void VTLinkT::ClearFollowingCaches(std::size_t from)
{
    for (std::size_t k = from; k < links.size(); ++k) {
        links[k].element = nullptr;
        links[k].sortValue = 0;
    }
}

bool VTLinkT::AddChildElement(VTElement* el, std::uint32_t extraData, bool)
{
    bool added = false;
    if (el && !(enforceUniqueness && GetIndexByID(el->GetID()) >= 0)) {
        UsedElementData d;
        d.element = el;
        d.elementID = el->GetID();
        d.extraData = extraData;
        links.push_back(d);
        added = true;
    }
    RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    return added;
}

int VTLinkT::GetIndexByID(std::uint32_t id) const
{
    for (std::size_t i = 0; i < links.size(); ++i)
        if (links[i].elementID == id) return int(i);
    return -1;
}

int VTLinkT::GetIndexByExtraData(std::uint32_t extra) const
{
    for (std::size_t i = 0; i < links.size(); ++i)
        if (links[i].extraData == extra) return int(i);
    return -1;
}

int VTLinkT::CountElementsWithExtraData(std::uint32_t extra) const
{
    int n = 0;
    for (const auto& e : links)
        if (e.extraData == extra) ++n;
    return n;
}

bool VTLinkT::ContainsThisElement(const Minimal_VTElement* el) const { return el && GetIndexByID(el->GetID()) >= 0; }

std::uint32_t VTLinkT::GetID(int i) const { return links[std::size_t(i)].elementID; }

std::uint32_t VTLinkT::GetExtraData(int i) const { return links[std::size_t(i)].extraData; }

VTElement* VTLinkT::GetUsedElementPtr(unsigned i)
{
    UsedElementData& e = links[i];
    if (!e.element) e.element = dynamic_cast<VTElement*>(LookUp(experiment, e.elementID));
    return e.element;
}

void VTLinkT::SetID(unsigned i, int id)
{
    links[i].elementID = std::uint32_t(id);
    links[i].element = nullptr;
}

void VTLinkT::SetExtraData(unsigned i, std::uint32_t extra) { links[i].extraData = extra; }

void VTLinkT::SetElementPtr(unsigned i, VTElement* el) { links[i].element = el; }

void VTLinkT::RemoveAllElements() { links.clear(); }

void VTLinkT::WipeCleanAllElementPointers()
{
    for (auto& e : links) e.element = nullptr;
}

void VTLinkT::RefreshAllElementPointers()
{
    for (auto& e : links) e.element = dynamic_cast<VTElement*>(LookUp(experiment, e.elementID));
}

void VTLinkT::RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(bool warn)
{
    // Without an experiment nothing can be checked; the ids stay for a later refresh.
    if (!experiment) return;
    // One pass that compacts in place, so purging many entries stays linear.
    std::size_t kept = 0;
    bool removedEarlier = false;
    for (std::size_t i = 0; i < links.size(); ++i) {
        UsedElementData e = links[i];
        if (removedEarlier) {  // entries behind a removed one lose their cache
            e.element = nullptr;
            e.sortValue = 0;
        }
        if (!e.element) e.element = dynamic_cast<VTElement*>(LookUp(experiment, e.elementID));
        if (e.element) {
            links[kept++] = e;
            continue;
        }
        removedEarlier = true;
        if (warn)
            wxLogWarning(wxS("Vantrel was unable to resolve a link to a %s, please report this to Orbisk."),
                         VTElement::ElementTypeName(linkedType));
    }
    links.resize(kept);
}

bool VTLinkT::RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(unsigned i)
{
    bool removed = false;
    if (i < links.size()) {
        links.erase(links.begin() + long(i));
        ClearFollowingCaches(i);
        removed = true;
    }
    RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    return removed;
}

bool VTLinkT::RemoveUsedElement_BEHAVIOR_WARNING_CanRemoveMultipleItems(const Minimal_VTElement* el)
{
    if (!el) return false;
    const int i = GetIndexByID(el->GetID());
    if (i < 0) return false;
    return RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(unsigned(i));
}

void VTLinkT::CopyLinksFrom(const VTLinkT& other)
{
    if (&other == this) return;
    enforceUniqueness = other.enforceUniqueness;
    linkedType = other.linkedType;
    links = other.links;
    if (other.experiment != experiment) WipeCleanAllElementPointers();
}

void VTLinkT::AppendLinkForLoading(std::uint32_t id, std::uint32_t extra)
{
    UsedElementData d;
    d.elementID = id;
    d.extraData = extra;
    links.push_back(d);
}

std::size_t VTLinkT::RemoveLinksIf(const std::function<bool(std::uint32_t id)>& remove)
{
    const std::size_t before = links.size();
    links.erase(
        std::remove_if(links.begin(), links.end(), [&remove](const UsedElementData& e) { return remove(e.elementID); }),
        links.end());
    return before - links.size();
}

void VTLinkT::Sort()
{
    if (links.size() < 2) return;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (std::size_t k = 0; k + 1 < links.size(); ++k) {
            if (links[k + 1].sortValue < links[k].sortValue) {
                std::swap(links[k], links[k + 1]);
                exchanged = true;
            }
        }
    }
}

void VTLinkT::SortByExtraData()
{
    for (auto& e : links) e.sortValue = std::int32_t(e.extraData);
    Sort();
}

void VTLinkT::SortByChildNum()
{
    for (std::size_t k = 0; k < links.size(); ++k) {
        VTElement* el = GetUsedElementPtr(unsigned(k));
        links[k].sortValue = el ? el->GetChildNumForRandomization() : 0;
    }
    Sort();
}

void VTLinkT::SortByOrderInVTElementsList()
{
    if (links.size() < 2 || !experiment) return;
    VTElement* first = GetUsedElementPtr(0);
    if (!first) return;
    const VTElementsList& list = experiment->GetReadOnlyElementsOfType(first->GetElementType());
    RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    for (auto& e : links) e.sortValue = -1;
    for (auto& e : links) e.sortValue = list.GetElementIndexByElementID(e.elementID);
    Sort();
}

bool VTLinkT::OnSaveToFile(QDataStream& out) const
{
    out << enforceUniqueness << qint32(linkedType) << qint32(links.size());
    for (const auto& e : links) out << qint32(e.elementID) << qint32(e.extraData);
    return true;
}

bool VTLinkT::OnReadFromFile(int, QDataStream& in)
{
    const auto fail = RestoreOnFailedRead(enforceUniqueness, linkedType, links);

    bool unique = true;
    qint32 type = 0, count = 0;
    in >> unique >> type >> count;
    if (in.status() != QDataStream::Ok) return fail();
    enforceUniqueness = unique;
    linkedType = type;
    // The count only bounds the loop: entries are appended as they arrive.
    for (qint32 k = 0; k < count; ++k) {
        qint32 id = 0, extra = 0;
        in >> id >> extra;
        if (in.status() != QDataStream::Ok) return fail();
        UsedElementData d;
        d.elementID = std::uint32_t(id);
        d.extraData = std::uint32_t(extra);
        links.push_back(d);
    }
    return true;
}

bool VTLinkT::OnReadFromFile(int, wxDataInputStream& in)
{
    const auto fail = RestoreOnFailedRead(enforceUniqueness, linkedType, links);

    using NonPersistentDetail::LastReadWasComplete;
    const wxUint8 unique = in.Read8();
    if (!LastReadWasComplete(in, 1)) return fail();
    const wxInt32 type = wxInt32(in.Read32());
    if (!LastReadWasComplete(in, 4)) return fail();
    const wxUint32 count = in.Read32();
    if (!LastReadWasComplete(in, 4)) return fail();
    enforceUniqueness = unique != 0;
    linkedType = type;
    for (wxUint32 k = 0; k < count; ++k) {
        const wxUint32 id = in.Read32();
        if (!LastReadWasComplete(in, 4)) return fail();
        const wxUint32 extra = in.Read32();
        if (!LastReadWasComplete(in, 4)) return fail();
        UsedElementData d;
        d.elementID = id;
        d.extraData = extra;
        links.push_back(d);
    }
    return true;
}

VTUsedElements::VTUsedElements(VTExperiment* exp, VTElementType type) : VTLinkT(exp, type) {}

VTUsedElements::VTUsedElements(const VTUsedElements& other) = default;

VTUsedElements::~VTUsedElements() = default;

void VTUsedElements::OverwriteWithCopiedInfo_UsesVTCodesLinker(const VTUsedElements& other)
{
    if (&other == this) return;
    enforceUniqueness = other.enforceUniqueness;
    linkedType = other.linkedType;
    links.clear();
    for (const auto& e : other.links) {
        VTElement* el = dynamic_cast<VTElement*>(other.LookUp(other.experiment, e.elementID));
        if (!el) continue;
        // A tag whose set is gone would link to nothing a user can see.
        if (el->GetElementType() == ElementType::Tag) {
            const VTTag* tag = dynamic_cast<const VTTag*>(el);
            if (!tag || !tag->GetParentTagset_CallerMustCheckForNull()) continue;
        }
        AddChildElement(el, e.extraData, false);
    }
}

void VTUsedElements::AppendGivenElements_OmitCheckingForDuplicates(const VTUsedElements& other)
{
    if (other.linkedType != linkedType) return;
    const std::vector<UsedElementData> copy = other.links;  // other may be this list
    for (const auto& e : copy) {
        UsedElementData d = e;
        d.sortValue = 0;
        links.push_back(d);
    }
}

}  // namespace Vantrel
