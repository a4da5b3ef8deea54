#include <VTCore/VTBlock.h>

#include "RuleLinks.h"
#include <VTCore/VTTrial.h>

namespace Vantrel {

VTBlock::VTBlock(VTExperiment* experiment)
    : VTElement(ElementType::Block, experiment),
      m_Trials(experiment, ElementType::Trial),
      m_Rules(experiment, ElementType::Rule)
{}

VTBlock::VTBlock(const VTBlock& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_LoopMode(source.m_LoopMode),
      m_LoopCount(source.m_LoopCount),
      m_Trials(source.m_Trials),
      m_Selected(source.m_Selected),
      m_RandomizeTrials(source.m_RandomizeTrials),
      m_RandomizeWhen(source.m_RandomizeWhen),
      m_Rules(source.m_Rules)
{
    // A working copy keeps resolving through the original's experiment.
    if (experiment) {
        m_Trials.SetOwningExperiment(experiment);
        m_Rules.SetOwningExperiment(experiment);
    }
}

VTBlock::~VTBlock() = default;

VTBlock* VTBlock::CreateTemporary_CallerMustDelete(const VTBlock* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTBlock::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTBlock(*this, experiment);
}

bool VTBlock::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTBlock*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_LoopMode = s->m_LoopMode;
    m_LoopCount = s->m_LoopCount;
    m_Trials.CopyLinksFrom(s->m_Trials);
    m_Selected = s->m_Selected;
    m_RandomizeTrials = s->m_RandomizeTrials;
    m_RandomizeWhen = s->m_RandomizeWhen;
    m_Rules.CopyLinksFrom(s->m_Rules);
    return true;
}

void VTBlock::SetOwningExperiment(VTExperiment* experiment)
{
    VTElement::SetOwningExperiment(experiment);
    if (experiment) {
        m_Trials.SetOwningExperiment(experiment);
        m_Rules.SetOwningExperiment(experiment);
    }
}

void VTBlock::RefreshChildElementPointers()
{
    m_Trials.WipeCleanAllElementPointers();
    m_Trials.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    RefreshRuleUse();
}

bool VTBlock::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTBlock::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTBlock::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTBlock::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

bool VTBlock::AddUsedTrial(VTTrial* trial) { return m_Trials.AddChildElement(trial, 0); }

VTTrial* VTBlock::GetUsedTrial(unsigned i)
{
    return i < m_Trials.Size() ? dynamic_cast<VTTrial*>(m_Trials.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
