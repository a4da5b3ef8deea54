#include <VTCore/VTEvent.h>
#include <VTCore/VTStimList.h>

#include "FieldKinds.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTExperiment.h>

#include <wx/intl.h>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace Vantrel {

VTStimList::VTStimList(VTExperiment* experiment) : VTElement(ElementType::StimList, experiment) {}

VTStimList::VTStimList(const VTStimList& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTStimList::~VTStimList() = default;

VTStimList* VTStimList::CreateTemporary_CallerMustDelete(const VTStimList* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTStimList::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTStimList(*this, experiment);
}

namespace {

// The items: {"id", "text", "tags": [tag ids]}; ids unique within the list, never 0.
struct ItemsKind : PlainKind<std::vector<VTStimListItem>>
{
    using Items = std::vector<VTStimListItem>;

    static IdListKind Tags() { return IdsOf(ElementType::Tag); }
    void Write(const Items& items, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const auto& item : items) {
            QJsonObject i{{"id", qint64(item.id)}, {"text", ToQtString(item.text)}};
            Tags().Write(item.tagIDs, i, "tags");
            array.append(i);
        }
        o[key] = array;
    }
    void Read(Items& items, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        Items read;
        std::unordered_set<std::uint32_t> ids;
        for (JsonFieldReader& r : f.Objects(key, _("a list item"))) {
            VTStimListItem item;
            item.id = std::uint32_t(r.Int("id", 0, 1, kMaxElementID));
            item.text = r.String("text");
            item.tagIDs = r.IDs("tags");
            if (!r.Ok()) return;
            if (!r.Has("id") || !ids.insert(item.id).second) {
                f.Fail(_("every list item needs its own id"));
                return;
            }
            read.push_back(item);
        }
        if (f.Ok()) items = read;
    }
    std::string Describe(const Items& items) const
    {
        std::string s;
        for (const auto& item : items)
            s += std::to_string(item.id) + DescribeText(item.text) + Tags().Describe(item.tagIDs) + " ";
        return "[" + s + "]";
    }
    void VisitReferences(Items& items, const ReferenceVisitor& visit) const
    {
        for (auto& item : items) Tags().VisitReferences(item.tagIDs, visit);
    }
    void MakeDifferent(Items& items, const ElementIdSource& ids) const
    {
        VTStimListItem item;
        for (const auto& i : items) item.id = std::max(item.id, i.id);
        ++item.id;
        item.text = wxString::Format(wxS("item %u"), unsigned(item.id));
        Tags().MakeDifferent(item.tagIDs, ids);
        items.push_back(item);
    }
};

}  // namespace

const ElementFieldTable& VTStimList::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("plugInID", &VTStimList::m_PlugInID, Whole<int>()),
        ElementMember("description", &VTStimList::m_Description, TextKind()),
        ElementMember("items", &VTStimList::m_Items, ItemsKind()),
        ElementMember("nextItemID", &VTStimList::m_NextItemID, Whole<std::uint32_t>(1, kMaxElementID)));
    return table;
}

void VTStimList::AfterFieldsRead()
{
    for (const auto& item : m_Items) NoteItemID(item.id);
}

// The counter stays within the ids a document may hold: past the largest id it stays
// at the top, and AddTextItem looks for a free id from there.
void VTStimList::NoteItemID(std::uint32_t id)
{
    m_NextItemID = std::min(std::max(m_NextItemID, id + 1), kMaxElementID);
}

void VTStimList::AfterSettingsCommitted(const Minimal_VTElement&) { ForgetRowsOfRemovedItems(); }

void VTStimList::ForgetRowsOfRemovedItems()
{
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment || experiment->GetStimListIfacePtr(GetID()) != this) return;
    VTElementsList& events = experiment->GetReadOnlyElementsOfType(ElementType::Event);
    for (std::size_t i = 0; i < events.Size(); ++i)
        if (auto* event = dynamic_cast<VTEvent*>(events[i]); event && event->GetStimListID() == int(GetID()))
            event->RefreshAndPruneResponsesIfTheyArePoolBased(false);
}

void VTStimList::RemoveAndDestroyAllItems()
{
    m_Items.clear();
    ForgetRowsOfRemovedItems();
}

bool VTStimList::IsFileList() const { return EventPlugIn::IsFileBased(m_PlugInID); }

std::uint32_t VTStimList::AddTextItem(const wxString& text)
{
    VTStimListItem item;
    // Ids count upwards; at the top, the first free one is taken.
    if (m_NextItemID == 0 || m_NextItemID > kMaxElementID) m_NextItemID = 1;
    if (GetItemIndexByID(m_NextItemID) >= 0) {
        std::unordered_set<std::uint32_t> taken;
        for (const auto& existing : m_Items) taken.insert(existing.id);
        while (taken.count(m_NextItemID) != 0) m_NextItemID = m_NextItemID >= kMaxElementID ? 1 : m_NextItemID + 1;
    }
    item.id = m_NextItemID;
    if (m_NextItemID < kMaxElementID) ++m_NextItemID;
    item.text = text;
    m_Items.push_back(item);
    return item.id;
}

std::uint32_t VTStimList::AddFileItem(const wxString& path) { return AddTextItem(path); }

bool VTStimList::AddItemWithID(const VTStimListItem& item)
{
    if (item.id == 0 || item.id > kMaxElementID || GetItemIndexByID(item.id) >= 0) return false;
    m_Items.push_back(item);
    NoteItemID(item.id);
    return true;
}

bool VTStimList::SetItems(const std::vector<VTStimListItem>& items)
{
    std::unordered_set<std::uint32_t> ids;
    for (const auto& item : items)
        if (item.id == 0 || item.id > kMaxElementID || !ids.insert(item.id).second) return false;
    m_Items = items;
    // Ids of removed items stay used, so nothing keyed to them can come back.
    AfterFieldsRead();
    ForgetRowsOfRemovedItems();
    return true;
}

bool VTStimList::ChangeTextItemAtPosition(unsigned long pos, const wxString& text)
{
    if (pos >= m_Items.size()) return false;
    m_Items[pos].text = text;
    return true;
}

bool VTStimList::RemoveAndDestroyItemAtPosition(std::size_t pos)
{
    if (pos >= m_Items.size()) return false;
    m_Items.erase(m_Items.begin() + long(pos));
    ForgetRowsOfRemovedItems();
    return true;
}

bool VTStimList::SwapItems(std::size_t a, std::size_t b)
{
    if (a >= m_Items.size() || b >= m_Items.size()) return false;
    std::swap(m_Items[a], m_Items[b]);
    return true;
}

bool VTStimList::SetItemTagIDs(std::size_t pos, const std::vector<std::uint32_t>& tagIDs)
{
    if (pos >= m_Items.size()) return false;
    m_Items[pos].tagIDs = tagIDs;
    return true;
}

int VTStimList::GetItemIndexByID(std::uint32_t id) const
{
    for (std::size_t i = 0; i < m_Items.size(); ++i)
        if (m_Items[i].id == id) return int(i);
    return -1;
}

}  // namespace Vantrel
