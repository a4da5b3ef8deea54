#include <VTCore/VTTrialVariable.h>

namespace Vantrel {

VTTrialVariable::VTTrialVariable(VTExperiment* experiment) : VTElement(ElementType::TrialVariable, experiment) {}

VTTrialVariable::VTTrialVariable(const VTTrialVariable& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_Description(source.m_Description),
      m_VariableType(source.m_VariableType),
      m_SaveToData(source.m_SaveToData),
      m_Levels(source.m_Levels)
{
}

VTTrialVariable::~VTTrialVariable() = default;

VTTrialVariable* VTTrialVariable::CreateTemporary_CallerMustDelete(const VTTrialVariable* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTrialVariable::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTTrialVariable(*this, experiment);
}

bool VTTrialVariable::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTTrialVariable*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_Description = s->m_Description;
    m_VariableType = s->m_VariableType;
    m_SaveToData = s->m_SaveToData;
    m_Levels = s->m_Levels;
    return true;
}

}  // namespace Vantrel
