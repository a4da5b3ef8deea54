#include <VTCore/VTBlock.h>
#include <VTCore/VTParticipantGroup.h>

#include "FieldKinds.h"

namespace Vantrel {

VTParticipantGroup::VTParticipantGroup(VTExperiment* experiment) : VTElement(ElementType::ParticipantGroup, experiment)
{
    SetOwningExperiment(experiment);
}

VTParticipantGroup::VTParticipantGroup(const VTParticipantGroup& source, VTExperiment* experiment)
    : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTParticipantGroup::~VTParticipantGroup() = default;

VTParticipantGroup* VTParticipantGroup::CreateTemporary_CallerMustDelete(const VTParticipantGroup* original,
                                                                         VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTParticipantGroup::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTParticipantGroup(*this, experiment);
}

const ElementFieldTable& VTParticipantGroup::FieldTable()
{
    static const ElementFieldTable table(&ElementBaseFieldTable(),
                                         ElementMember("runAllBlocks", &VTParticipantGroup::m_RunAllBlocks, BoolKind()),
                                         ElementMember("blocks", &VTParticipantGroup::m_Blocks, LinksKind()));
    return table;
}

void VTParticipantGroup::ClearAllUsedBlocks() { m_Blocks.RemoveAllElements(); }

bool VTParticipantGroup::AddUsedBlock(VTBlock* block) { return m_Blocks.AddChildElement(block, 0); }

bool VTParticipantGroup::ContainsBlockMatchingThisID(int id) const
{
    return m_Blocks.GetIndexByID(std::uint32_t(id)) >= 0;
}

}  // namespace Vantrel
