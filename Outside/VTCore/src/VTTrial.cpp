#include <VTCore/VTEvent.h>
#include <VTCore/VTTrial.h>

#include "RuleFormFields.h"
#include "RuleLinks.h"

namespace Vantrel {

VTTrial::VTTrial(VTExperiment* experiment) : VTElement(ElementType::Trial, experiment)
{
    SetOwningExperiment(experiment);
}

VTTrial::VTTrial(const VTTrial& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTTrial::~VTTrial() = default;

VTTrial* VTTrial::CreateTemporary_CallerMustDelete(const VTTrial* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTrial::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTTrial(*this, experiment);
}

const ElementFieldTable& VTTrial::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("rules", &VTTrial::m_Rules, RuleLinks::Kind()),
        ElementMember("whenToPresent", &VTTrial::m_WhenToPresent, OptionalPredicateKind()),
        ElementMember("events", &VTTrial::m_Events, LinksKind()), ElementMember("tags", &VTTrial::m_Tags, LinksKind()),
        ElementMember("startPeriodMs", &VTTrial::m_StartPeriodMs, Whole<int>(0, INT_MAX)),
        ElementMember("randomizeEvents", &VTTrial::m_RandomizeEvents, BoolKind()),
        ElementMember("randomizeWhen", &VTTrial::m_RandomizeWhen, Whole<int>()),
        ElementMember("repetitions", &VTTrial::m_Repetitions, Whole<unsigned>(1, 100000)));
    return table;
}

bool VTTrial::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTTrial::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTTrial::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTTrial::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

boost::shared_ptr<MetaTFPredicate> VTTrial::GetCopyOfExpressionOrElseNull(VTExperiment*) const
{
    return CopyOfPredicate(m_WhenToPresent);
}

void VTTrial::ReplaceWhenToPresentExpression(boost::shared_ptr<const MetaTFPredicate> predicate)
{
    m_WhenToPresent = CopyOfPredicate(predicate);
}

bool VTTrial::AddUsedEvent(VTEvent* event) { return m_Events.AddChildElement(event, 0); }

VTEvent* VTTrial::GetUsedEvent(unsigned i)
{
    return i < m_Events.Size() ? dynamic_cast<VTEvent*>(m_Events.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
