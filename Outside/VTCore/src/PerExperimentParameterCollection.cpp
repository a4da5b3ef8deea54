#include <VTCore/PerExperimentParameterCollection.h>

namespace Vantrel {

PerExperimentParameterCollection::PerExperimentParameterCollection() = default;
PerExperimentParameterCollection::~PerExperimentParameterCollection() = default;

PerExperimentParameterCollection::PerExperimentParameterCollection(const PerExperimentParameterCollection& other)
    : m_Items(other.m_Items), m_IndexByName(other.m_IndexByName)
{}

PerExperimentParameterCollection&
PerExperimentParameterCollection::operator=(const PerExperimentParameterCollection& other)
{
    m_Items = other.m_Items;
    m_IndexByName = other.m_IndexByName;
    return *this;
}

int PerExperimentParameterCollection::IndexOf(const wxString& name) const
{
    const auto found = m_IndexByName.find(name);
    return found == m_IndexByName.end() ? -1 : int(found->second);
}

void PerExperimentParameterCollection::Reindex()
{
    m_IndexByName.clear();
    for (std::size_t i = 0; i < m_Items.size(); ++i) m_IndexByName.emplace(m_Items[i].name, i);
}

OrderFormForParameterCreation PerExperimentParameterCollection::ItemDataAtIndex(unsigned index) const
{
    return index < m_Items.size() ? m_Items[index] : OrderFormForParameterCreation();
}

std::vector<wxString> PerExperimentParameterCollection::GetVisibleParamNamesVector() const
{
    std::vector<wxString> names;
    for (const auto& item : m_Items) names.push_back(item.name);
    return names;
}

bool PerExperimentParameterCollection::AddNewItem(const OrderFormForParameterCreation& record)
{
    if (record.name.empty() || NameAlreadyExists(record.name)) return false;
    m_IndexByName.emplace(record.name, m_Items.size());
    m_Items.push_back(record);
    return true;
}

bool PerExperimentParameterCollection::ReplaceItem(const wxString& oldName, const OrderFormForParameterCreation& record)
{
    const int index = IndexOf(oldName);
    if (index < 0) return true;
    const int holder = IndexOf(record.name);
    if (record.name.empty() || (holder >= 0 && holder != index)) return false;
    m_IndexByName.erase(oldName);
    m_Items[std::size_t(index)] = record;
    m_IndexByName[record.name] = std::size_t(index);
    if (record.name != oldName && m_RenameListener) m_RenameListener(oldName, record.name);
    return true;
}

bool PerExperimentParameterCollection::RemoveItem(const wxString& name)
{
    const int index = IndexOf(name);
    if (index < 0) return false;
    m_Items.erase(m_Items.begin() + index);
    Reindex();
    return true;
}

bool PerExperimentParameterCollection::NameAlreadyExists(const wxString& name) const { return IndexOf(name) >= 0; }

int PerExperimentParameterCollection::GetParamTypeByParamName(const wxString& name) const
{
    const int index = IndexOf(name);
    return index < 0 ? -1 : m_Items[std::size_t(index)].type;
}

bool PerExperimentParameterCollection::GetParamMinMaxLimits(const wxString& name, int& min, int& max) const
{
    const int index = IndexOf(name);
    if (index < 0) return false;
    const auto& item = m_Items[std::size_t(index)];
    if (item.hasMin) min = item.min;
    if (item.hasMax) max = item.max;
    return true;
}

}  // namespace Vantrel
