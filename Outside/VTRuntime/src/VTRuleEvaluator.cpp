#include "VTRuleEvaluator.h"

namespace Vantrel {

namespace {

bool CompareNumbers(VTCompare compare, double left, double right)
{
    switch (compare) {
        case VTCompare::Equal: return left == right;
        case VTCompare::NotEqual: return left != right;
        case VTCompare::Greater: return left > right;
        case VTCompare::Less: return left < right;
        default: return false;
    }
}

bool CompareTexts(VTCompare compare, const wxString& left, const wxString& right)
{
    switch (compare) {
        case VTCompare::Equal: return left == right;
        case VTCompare::NotEqual: return left != right;
        case VTCompare::Contains: return left.Contains(right);
        case VTCompare::DoesNotContain: return !left.Contains(right);
        case VTCompare::BeginsWith: return left.StartsWith(right);
        case VTCompare::EndsWith: return left.EndsWith(right);
        default: return false;
    }
}

}  // namespace

bool VTRuleEvaluator::CriterionHolds(const VTPlannedCriterion& c, const DynamicRuntimeEnvironment& dre,
                                     unsigned long long now)
{
    switch (c.kind) {
        case VTCriterionKind::Always: return true;
        case VTCriterionKind::LastResponse: return CompareNumbers(c.compare, dre.GetLastResponseID(), c.number);
        case VTCriterionKind::TrialReactionTime:
            // A trial without a response has no reaction time to compare.
            return dre.GetCurrentTrial().responded &&
                   CompareNumbers(c.compare, dre.GetCurrentTrial().reactionTimeMs, c.number);
        case VTCriterionKind::TrialPresentations:
            return CompareNumbers(c.compare, double(dre.GetCurrentTrialPresentationCount()), c.number);
        case VTCriterionKind::ParticipantName: return CompareTexts(c.compare, dre.GetParticipantName(), c.text);
        case VTCriterionKind::BlockPercentCorrect:
            return CompareNumbers(c.compare, dre.GetBlockPercentCorrect(), c.number);
        case VTCriterionKind::BlockTrialCount: return CompareNumbers(c.compare, dre.GetBlockTrialCount(), c.number);
        case VTCriterionKind::BlockAverageRT:
            return CompareNumbers(c.compare, dre.GetBlockAverageReactionTimeMs(), c.number);
        case VTCriterionKind::TimeSinceBlockStart:
            return CompareNumbers(c.compare, dre.GetMsSinceBlockStart(now) / c.unitMs, c.number);
        case VTCriterionKind::TimeSinceRunStart:
            return CompareNumbers(c.compare, dre.GetMsSinceRunStart(now) / c.unitMs, c.number);
    }
    return false;
}

bool VTRuleEvaluator::CriteriaMet(const VTPlannedRule& rule, const DynamicRuntimeEnvironment& dre,
                                  unsigned long long now)
{
    // An "or" closes the "and" group before it; the criteria hold when any group does.
    bool anyGroup = false, group = true;
    for (size_t i = 0; i < rule.criteria.size(); ++i) {
        const VTPlannedCriterion& c = rule.criteria[i];
        if (i > 0 && !c.isAnd) {
            anyGroup = anyGroup || group;
            group = true;
        }
        if (group) group = CriterionHolds(c, dre, now);
    }
    // No rows: the rule always acts (as "Always").
    const bool met = anyGroup || group;
    return rule.negated ? !met : met;
}

VTFlowDecision VTRuleEvaluator::RunRules(const std::vector<VTPlannedRule>& pool, const std::vector<size_t>& indexes,
                                         const DynamicRuntimeEnvironment& dre, unsigned long long now)
{
    VTFlowDecision decision;
    for (size_t index : indexes) {
        if (index >= pool.size()) continue;
        const VTPlannedRule& rule = pool[index];
        if (!CriteriaMet(rule, dre, now)) continue;
        for (const VTPlannedAction& action : rule.actions) {
            if (action.kind == VTActionKind::PresentEvent) {
                decision.presentEvents.push_back(action.target);
                continue;
            }
            if (action.kind == VTActionKind::ChangeBackground) {
                decision.background = action.colour;
                continue;
            }
            decision.hasFlow = true;
            decision.flow = action.kind;
            decision.targetBlockID = action.kind == VTActionKind::PresentBlock ? action.target : -1;
        }
    }
    return decision;
}

}  // namespace Vantrel
