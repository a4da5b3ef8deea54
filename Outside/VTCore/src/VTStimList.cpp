#include <VTCore/VTEvent.h>
#include <VTCore/VTStimList.h>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace Vantrel {

VTStimList::VTStimList(VTExperiment* experiment) : VTElement(ElementType::StimList, experiment) {}

VTStimList::VTStimList(const VTStimList& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_PlugInID(source.m_PlugInID),
      m_Description(source.m_Description),
      m_Items(source.m_Items),
      m_NextItemID(source.m_NextItemID)
{}

VTStimList::~VTStimList() = default;

VTStimList* VTStimList::CreateTemporary_CallerMustDelete(const VTStimList* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTStimList::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTStimList(*this, experiment);
}

bool VTStimList::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTStimList*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_PlugInID = s->m_PlugInID;
    m_Description = s->m_Description;
    m_Items = s->m_Items;
    m_NextItemID = s->m_NextItemID;
    return true;
}

bool VTStimList::IsFileList() const { return EventPlugIn::IsFileBased(m_PlugInID); }

std::uint32_t VTStimList::AddTextItem(const wxString& text)
{
    VTStimListItem item;
    // Ids count upwards; past the top, the first free one is taken.
    if (m_NextItemID == 0 || m_NextItemID > kMaxElementID) {
        m_NextItemID = 1;
        while (GetItemIndexByID(m_NextItemID) >= 0) ++m_NextItemID;
    }
    item.id = m_NextItemID++;
    item.text = text;
    m_Items.push_back(item);
    return item.id;
}

std::uint32_t VTStimList::AddFileItem(const wxString& path) { return AddTextItem(path); }

bool VTStimList::AddItemWithID(const VTStimListItem& item)
{
    if (item.id == 0 || item.id > kMaxElementID || GetItemIndexByID(item.id) >= 0) return false;
    m_Items.push_back(item);
    m_NextItemID = std::max(m_NextItemID, item.id + 1);
    return true;
}

bool VTStimList::SetItems(const std::vector<VTStimListItem>& items)
{
    std::unordered_set<std::uint32_t> ids;
    std::uint32_t next = 1;
    for (const auto& item : items) {
        if (item.id == 0 || item.id > kMaxElementID || !ids.insert(item.id).second) return false;
        next = std::max(next, item.id + 1);
    }
    m_Items = items;
    m_NextItemID = next;
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
