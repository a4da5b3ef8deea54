#include <VTCore/VTRule.h>

namespace Vantrel {

VTRule::VTRule(VTExperiment* experiment) : VTElement(ElementType::Rule, experiment) {}

VTRule::VTRule(const VTRule& source, VTExperiment* experiment) : VTElement(source, experiment), m_Kind(source.m_Kind) {}

VTRule::~VTRule() = default;

VTRule* VTRule::CreateTemporary_CallerMustDelete(const VTRule* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTRule::CloneIntoExperiment(VTExperiment* experiment) const { return new VTRule(*this, experiment); }

bool VTRule::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTRule*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_Kind = s->m_Kind;
    return true;
}

}  // namespace Vantrel
