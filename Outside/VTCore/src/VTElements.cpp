#include <VTCore/VTElements.h>

namespace Vantrel {

Minimal_VTElement* NewElementOfType(VTElementType type, VTExperiment* experiment)
{
    switch (type) {
        case ElementType::Block: return new VTBlock(experiment);
        case ElementType::Trial: return new VTTrial(experiment);
        case ElementType::Event: return new VTEvent(experiment);
        case ElementType::TrialVariable: return new VTTrialVariable(experiment);
        case ElementType::Rule: return new VTRule(experiment);
        case ElementType::Response: return new VTResponse(experiment);
        case ElementType::StimList: return new VTStimList(experiment);
        case ElementType::ParticipantGroup: return new VTParticipantGroup(experiment);
        case ElementType::TagSet: return new VTTagSet(experiment);
        case ElementType::Tag: return new VTTag(experiment);
        default: return nullptr;
    }
}

}  // namespace Vantrel
