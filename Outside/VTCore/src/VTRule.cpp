#include <VTCore/VTRule.h>

#include "RuleFormFields.h"

#include <VTCore/VTExperiment.h>

#include <boost/make_shared.hpp>

namespace Vantrel {

VTRule::VTRule(VTExperiment* experiment)
    : VTElement(ElementType::Rule, experiment), m_Actions(boost::make_shared<VTActionList>())
{}

VTRule::VTRule(const VTRule& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTRule::~VTRule() = default;

VTRule* VTRule::CreateTemporary_CallerMustDelete(const VTRule* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

VTRule*
VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(const wxString& name, VTExperiment* experiment, int kind,
                                                              boost::shared_ptr<const MetaTFPredicate> predicate, bool,
                                                              bool)
{
    if (!experiment) return nullptr;
    auto* rule = new VTRule(experiment);
    rule->SetName(name);
    rule->SetKind(kind == kKindBlocks ? kKindBlocks : kKindTrials);
    rule->SetMetaTFPredicate(predicate);
    experiment->GetElementsOfType(ElementType::Rule).AddElement(rule, -1);
    return rule;
}

Minimal_VTElement* VTRule::CloneIntoExperiment(VTExperiment* experiment) const { return new VTRule(*this, experiment); }

const ElementFieldTable& VTRule::FieldTable()
{
    static const ElementFieldTable table(&ElementBaseFieldTable(),
                                         ElementMember("kind", &VTRule::m_Kind, Whole<int>(kKindBlocks, kKindTrials)),
                                         ElementMember("criteria", &VTRule::m_Criteria, PredicateKind()),
                                         ElementMember("actions", &VTRule::m_Actions, ActionListKind()));
    return table;
}

boost::shared_ptr<MetaTFPredicate> VTRule::GetCopyOfExpression() const
{
    return boost::make_shared<MetaTFPredicate>(m_Criteria);
}

void VTRule::SetMetaTFPredicate(boost::shared_ptr<const MetaTFPredicate> predicate)
{
    m_Criteria = predicate ? *predicate : MetaTFPredicate();
}

void VTRule::ReplaceActionsWithNewList(boost::shared_ptr<VTActionList> actions)
{
    m_Actions = actions ? actions : boost::make_shared<VTActionList>();
}

boost::shared_ptr<const std::vector<OrderFormForActionCreation>> VTRule::GetOrderFormsToShowActionsInGUI() const
{
    return m_Actions->GetOrderFormsToShowActionsInGUI();
}

}  // namespace Vantrel
