#pragma once
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>

namespace Vantrel {

class VTBlock;

// A participant group: which blocks, in which order, a participant of it runs.
class VTParticipantGroup : public VTElement
{
public:
    explicit VTParticipantGroup(VTExperiment* experiment);
    VTParticipantGroup(const VTParticipantGroup& source, VTExperiment* experiment = nullptr);
    ~VTParticipantGroup() override;
    static VTParticipantGroup* CreateTemporary_CallerMustDelete(const VTParticipantGroup* original,
                                                                VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    // Blocks in run order (type 0 links); ignored while m_RunAllBlocks is set.
    VTUsedElements& GetBlocksUsedByTheGroup() { return m_Blocks; }
    const VTUsedElements& GetBlocksUsedByTheGroup() const { return m_Blocks; }
    void ClearAllUsedBlocks();
    bool AddUsedBlock(VTBlock* block);  // appends
    bool ContainsBlockMatchingThisID(int id) const;

    // Runs every block of the experiment in the experiment's order.
    bool m_RunAllBlocks = true;

private:
    VTUsedElements m_Blocks{nullptr, ElementType::Block};
};

}  // namespace Vantrel
