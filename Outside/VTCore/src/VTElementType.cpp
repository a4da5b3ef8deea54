#include <VTCore/VTElementType.h>

namespace Vantrel {

bool IsElementTypeWithClass(VTElementType type)
{
    switch (type) {
        case ElementType::Block:
        case ElementType::Trial:
        case ElementType::Event:
        case ElementType::TrialVariable:
        case ElementType::Rule:
        case ElementType::Response:
        case ElementType::StimList:
        case ElementType::ParticipantGroup:
        case ElementType::TagSet:
        case ElementType::Tag: return true;
        default: return false;
    }
}

}  // namespace Vantrel
