#pragma once
// The parameters of an experiment (timers, counters, responses, texts, collections),
// in order, each named uniquely (case-sensitive).

#include <VTCore/OrderFormForParameterCreation.h>
#include <wx/hashmap.h>

#include <functional>
#include <unordered_map>
#include <vector>

namespace Vantrel {

class PerExperimentParameterCollection
{
public:
    PerExperimentParameterCollection();
    virtual ~PerExperimentParameterCollection();
    // Copies hold the parameters only: the rename listener belongs to its owner.
    PerExperimentParameterCollection(const PerExperimentParameterCollection& other);
    PerExperimentParameterCollection& operator=(const PerExperimentParameterCollection& other);

    // Told after ReplaceItem gave a parameter another name, so that what refers to the
    // parameter by name follows it (the experiment sets it; empty: nobody is told).
    using RenameListener = std::function<void(const wxString& oldName, const wxString& newName)>;
    void SetRenameListener(RenameListener listener) { m_RenameListener = std::move(listener); }

    unsigned ItemCount() const { return unsigned(m_Items.size()); }
    // A copy; a default record for an index out of range.
    OrderFormForParameterCreation ItemDataAtIndex(unsigned index) const;
    // Every name in use, which a new parameter must avoid.
    std::vector<wxString> GetVisibleParamNamesVector() const;
    // Appends; false (nothing added) for an empty or taken name.
    bool AddNewItem(const OrderFormForParameterCreation& record);
    // false when the record's name belongs to another parameter or is empty; an
    // oldName that names no parameter changes nothing and gives true. A new name is
    // passed on to the rename listener.
    bool ReplaceItem(const wxString& oldName, const OrderFormForParameterCreation& record);
    bool RemoveItem(const wxString& name);
    bool NameAlreadyExists(const wxString& name) const;
    // The type of the named parameter, or -1.
    int GetParamTypeByParamName(const wxString& name) const;
    // Fills the limits that the parameter has (callers pre-set both); false when no such parameter.
    bool GetParamMinMaxLimits(const wxString& name, int& min, int& max) const;
    void Clear()
    {
        m_Items.clear();
        m_IndexByName.clear();
    }

private:
    int IndexOf(const wxString& name) const;
    void Reindex();
    std::vector<OrderFormForParameterCreation> m_Items;
    // Name -> position in m_Items: a document may hold very many parameters, and each
    // one read is checked against the names before it.
    std::unordered_map<wxString, std::size_t, wxStringHash, wxStringEqual> m_IndexByName;
    RenameListener m_RenameListener;
};

}  // namespace Vantrel
