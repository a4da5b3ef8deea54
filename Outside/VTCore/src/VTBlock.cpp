#include <VTCore/VTBlock.h>

#include "FieldKinds.h"
#include "RuleFormFields.h"
#include "RuleLinks.h"
#include <VTCore/VTTrial.h>

namespace Vantrel {

VTBlock::VTBlock(VTExperiment* experiment) : VTElement(ElementType::Block, experiment)
{
    SetOwningExperiment(experiment);
}

VTBlock::VTBlock(const VTBlock& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
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

const ElementFieldTable& VTBlock::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("rules", &VTBlock::m_Rules, RuleLinks::Kind()),
        ElementMember("whenToPresent", &VTBlock::m_WhenToPresent, OptionalPredicateKind()),
        ElementMember("trials", &VTBlock::m_Trials, LinksKind()),
        ElementMember("selected", &VTBlock::m_Selected, BoolKind()),
        ElementMember("randomizeTrials", &VTBlock::m_RandomizeTrials, BoolKind()),
        ElementMember("randomizeWhen", &VTBlock::m_RandomizeWhen, Whole<int>()),
        ElementMember("loopMode", &VTBlock::m_LoopMode, Whole<int>()),
        ElementMember("loopCount", &VTBlock::m_LoopCount, Whole<int>(0, 100000)));
    return table;
}

bool VTBlock::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTBlock::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTBlock::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTBlock::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

boost::shared_ptr<MetaTFPredicate> VTBlock::GetCopyOfExpressionOrElseNull(VTExperiment*) const
{
    return CopyOfPredicate(m_WhenToPresent);
}

void VTBlock::ReplaceWhenToPresentExpression(boost::shared_ptr<const MetaTFPredicate> predicate)
{
    m_WhenToPresent = CopyOfPredicate(predicate);
}

bool VTBlock::AddUsedTrial(VTTrial* trial) { return m_Trials.AddChildElement(trial, 0); }

VTTrial* VTBlock::GetUsedTrial(unsigned i)
{
    return i < m_Trials.Size() ? dynamic_cast<VTTrial*>(m_Trials.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
