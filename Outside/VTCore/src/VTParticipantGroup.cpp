#include <VTCore/VTBlock.h>
#include <VTCore/VTParticipantGroup.h>

namespace Vantrel {

VTParticipantGroup::VTParticipantGroup(VTExperiment* experiment)
    : VTElement(ElementType::ParticipantGroup, experiment), m_Blocks(experiment, ElementType::Block)
{}

VTParticipantGroup::VTParticipantGroup(const VTParticipantGroup& source, VTExperiment* experiment)
    : VTElement(source, experiment), m_RunAllBlocks(source.m_RunAllBlocks), m_Blocks(source.m_Blocks)
{
    if (experiment) m_Blocks.SetOwningExperiment(experiment);
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

bool VTParticipantGroup::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTParticipantGroup*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_RunAllBlocks = s->m_RunAllBlocks;
    m_Blocks.CopyLinksFrom(s->m_Blocks);
    return true;
}

void VTParticipantGroup::SetOwningExperiment(VTExperiment* experiment)
{
    VTElement::SetOwningExperiment(experiment);
    if (experiment) m_Blocks.SetOwningExperiment(experiment);
}

void VTParticipantGroup::RefreshChildElementPointers()
{
    m_Blocks.WipeCleanAllElementPointers();
    m_Blocks.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
}

void VTParticipantGroup::ClearAllUsedBlocks() { m_Blocks.RemoveAllElements(); }

bool VTParticipantGroup::AddUsedBlock(VTBlock* block) { return m_Blocks.AddChildElement(block, 0); }

bool VTParticipantGroup::ContainsBlockMatchingThisID(int id) const
{
    return m_Blocks.GetIndexByID(std::uint32_t(id)) >= 0;
}

}  // namespace Vantrel
