#include <VTCore/VTRule.h>

#include "FieldKinds.h"

namespace Vantrel {

VTRule::VTRule(VTExperiment* experiment) : VTElement(ElementType::Rule, experiment) {}

VTRule::VTRule(const VTRule& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTRule::~VTRule() = default;

VTRule* VTRule::CreateTemporary_CallerMustDelete(const VTRule* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTRule::CloneIntoExperiment(VTExperiment* experiment) const { return new VTRule(*this, experiment); }

const ElementFieldTable& VTRule::FieldTable()
{
    static const ElementFieldTable table(&ElementBaseFieldTable(),
                                         ElementMember("kind", &VTRule::m_Kind, Whole<int>(kKindBlocks, kKindTrials)));
    return table;
}

}  // namespace Vantrel
