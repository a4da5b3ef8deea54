#include "VTVarValueProviderImpl.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTTrialVariable.h>

namespace Vantrel {

VTVarValueProviderImpl::~VTVarValueProviderImpl() {}

int VTVarValueProviderImpl::GetIDs(int type, std::vector<int>& ids)
{
    VTElementsList& elements = m_Experiment.GetReadOnlyElementsOfType(m_Type);
    for (std::size_t i = 0; i < elements.Size(); ++i)
        if (auto* variable = dynamic_cast<VTVarBase*>(elements[i]))
            if (variable->GetVariable().GetType() == type) ids.push_back(int(variable->GetID()));
    return int(elements.Size());
}

VTVarBase* VTVarValueProviderImpl::Find(int id) const
{
    if (id < 1) return nullptr;
    for (VTElementType type : {ElementType::TrialVariable, ElementType::Reserved10})
        if (auto* variable = dynamic_cast<VTVarBase*>(m_Experiment.LookupElementByTypeAndID(type, std::uint32_t(id))))
            return variable;
    return nullptr;
}

wxString VTVarValueProviderImpl::GetVarNameByID(int id)
{
    VTVarBase* variable = Find(id);
    return variable ? variable->GetName() : wxString();
}

const Orbisk::Var::VarValue* VTVarValueProviderImpl::GetVarValueByID(int id)
{
    VTVarBase* variable = Find(id);
    return variable ? variable->GetVariable().GetValue(0) : nullptr;
}

bool VTVarValueProviderImpl::ContainsVarValuesOfType(int type)
{
    std::vector<int> ids;
    GetIDs(type, ids);
    return !ids.empty();
}

}  // namespace Vantrel
