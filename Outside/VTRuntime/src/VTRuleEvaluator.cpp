#include "VTRuleEvaluator.h"

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/RuleCodes.h>

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

// A parameter's value against the criterion's right side: its number (a timer in the
// row's unit, a response by id), its text, or another parameter's value of its type.
bool ParameterHolds(const VTPlannedCriterion& c, const VTParameterValues& values, unsigned long long now)
{
    const VTPlannedParameter* p = values.Definition(c.parameter);
    if (!p) return false;
    if (p->type == ParameterType::Text)
        return CompareTexts(c.compare, values.Text(c.parameter),
                            c.rhsParameter >= 0 ? values.Text(c.rhsParameter) : c.text);
    if (c.rhsParameter >= 0)
        return CompareNumbers(c.compare, values.Number(c.parameter, now), values.Number(c.rhsParameter, now));
    const double unit = p->type == ParameterType::Timer ? c.unitMs : 1.0;
    return CompareNumbers(c.compare, values.Number(c.parameter, now) / unit, c.number);
}

bool TrialTagHolds(const VTPlannedCriterion& c, const DynamicRuntimeEnvironment& dre)
{
    const VTTrialTags& tags = dre.Tags();
    const int actual = tags.TagOf(dre.GetSubjectTrialID(), c.tagSet);
    // Without a previous trial (or without its tag) there is no tag to be the same as.
    const int wanted = c.previousTrialTag ? tags.TagOf(dre.GetTrialBeforeSubject(), c.tagSet) : c.tag;
    const bool same = wanted >= 0 && actual == wanted;
    return c.compare == VTCompare::NotEqual ? !same : same;
}

bool CollectionHolds(const VTPlannedCriterion& c, const DynamicRuntimeEnvironment& dre)
{
    const VTParameterValues& values = dre.Parameters();
    const auto& trials = values.Collection(c.parameter);
    switch (c.collectionFunction) {
        case 0:
        case 1: {
            size_t tagged = 0;
            for (const VTCollectedTrial& t : trials)
                if (dre.Tags().HasTag(t.trialID, c.tag)) ++tagged;
            const double value = c.collectionFunction == 0 ? double(tagged)
                                 : trials.empty()          ? 0.0
                                                           : 100.0 * double(tagged) / double(trials.size());
            return CompareNumbers(c.compare, value, c.number);
        }
        case 4: {
            double sum = 0;
            size_t answered = 0;
            for (const VTCollectedTrial& t : trials)
                if (t.responded) {
                    sum += t.reactionTimeMs;
                    ++answered;
                }
            return CompareNumbers(c.compare, answered ? sum / double(answered) : 0.0, c.number);
        }
        case 5: return values.CollectionIsFull(c.parameter);
        case 6:
        case 7: {
            const int trialID = dre.GetSubjectTrialID();
            bool holds = false;
            for (const VTCollectedTrial& t : trials) holds = holds || t.trialID == trialID;
            return holds != c.doesNotContain;
        }
        default: return false;
    }
}

// The block statistics over the whole block presentation keep running sums; a subset
// is counted when asked.
double BlockStatistic(const VTPlannedCriterion& c, const DynamicRuntimeEnvironment& dre)
{
    if (c.subsetCount < 1 && c.subsetTag < 0) {
        switch (c.kind) {
            case VTCriterionKind::BlockPercentCorrect: return dre.GetBlockPercentCorrect();
            case VTCriterionKind::BlockTrialCount: return dre.GetBlockTrialCount();
            default: return dre.GetBlockAverageReactionTimeMs();
        }
    }
    const DynamicRuntimeEnvironment::Statistics s = dre.GetBlockSubsetStatistics(c.subsetCount, c.subsetTag);
    switch (c.kind) {
        case VTCriterionKind::BlockPercentCorrect: return s.percentCorrect;
        case VTCriterionKind::BlockTrialCount: return s.count;
        default: return s.averageReactionTimeMs;
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
        case VTCriterionKind::BlockTrialCount:
        case VTCriterionKind::BlockAverageRT: return CompareNumbers(c.compare, BlockStatistic(c, dre), c.number);
        case VTCriterionKind::TimeSinceBlockStart:
            return CompareNumbers(c.compare, dre.GetMsSinceBlockStart(now) / c.unitMs, c.number);
        case VTCriterionKind::TimeSinceRunStart:
            return CompareNumbers(c.compare, dre.GetMsSinceRunStart(now) / c.unitMs, c.number);
        case VTCriterionKind::LastTypedText:
            return CompareTexts(c.compare, dre.GetTypedText(),
                                c.rhsParameter >= 0 ? dre.Parameters().Text(c.rhsParameter) : c.text);
        case VTCriterionKind::Parameter: return ParameterHolds(c, dre.Parameters(), now);
        case VTCriterionKind::TrialTag: return TrialTagHolds(c, dre);
        case VTCriterionKind::Collection: return CollectionHolds(c, dre);
        case VTCriterionKind::TrialLevel: {
            const int level = dre.GetSubjectLevel(c.variable);
            const bool same = level >= 0 && level == int(c.number);
            return c.compare == VTCompare::NotEqual ? !same : same;
        }
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
                                         DynamicRuntimeEnvironment& dre, unsigned long long now)
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
            if (action.kind == VTActionKind::MoveTrialLevel) {
                decision.levelMoves.push_back(action);
                continue;
            }
            if (action.kind == VTActionKind::Parameter) {
                ApplyParameterAction(action, dre, now);
                continue;
            }
            if (action.kind == VTActionKind::SetTrialTag) {
                dre.Tags().SetTag(dre.GetCurrentTrial().trialID, action.target, action.number);
                continue;
            }
            if (action.kind == VTActionKind::SetTagOnAllTrialsInBlock) {
                for (int trialID : dre.GetBlockTrials()) dre.Tags().SetTag(trialID, action.target, action.number);
                continue;
            }
            if (action.kind == VTActionKind::ClearBuiltInCollection) {
                dre.ClearBlockHistory();
                continue;
            }
            decision.hasFlow = true;
            decision.flow = action.kind;
            decision.targetBlockID = action.kind == VTActionKind::PresentBlock ? action.target : -1;
        }
    }
    return decision;
}

void VTRuleEvaluator::ApplyParameterAction(const VTPlannedAction& a, DynamicRuntimeEnvironment& dre,
                                           unsigned long long now)
{
    VTParameterValues& values = dre.Parameters();
    const bool fromParameter = a.sourceParameter >= 0;
    const long long amount = fromParameter ? (long long)values.Number(a.sourceParameter, now) : a.number;
    const wxString& text = fromParameter ? values.Text(a.sourceParameter) : a.text;
    switch (a.operation) {
        case RuleCode::ParamSetText: values.SetText(a.parameter, text); break;
        case RuleCode::ParamAppendText: values.AppendText(a.parameter, text); break;
        case RuleCode::ParamSetCounter: values.SetCounter(a.parameter, amount); break;
        case RuleCode::ParamIncrementCounter: values.AddToCounter(a.parameter, amount); break;
        case RuleCode::ParamDecrementCounter: values.AddToCounter(a.parameter, -amount); break;
        case RuleCode::ParamReset: values.Reset(a.parameter, now); break;
        case RuleCode::ParamRandomCounter: values.DrawRandomCounter(a.parameter); break;
        case RuleCode::ParamStoreTypedText: values.SetText(a.parameter, dre.GetTypedText()); break;
        case RuleCode::ParamStoreResponse: {
            // Only a response of the experiment is stored: a trial without one, or with a
            // key that is none of them, leaves the parameter unset.
            const auto& trial = dre.GetCurrentTrial();
            values.StoreResponse(a.parameter, trial.responded && trial.responseID >= 0
                                                  ? trial.responseID
                                                  : VTParameterValues::kUnsetResponse);
            break;
        }
        case RuleCode::ParamStartTimer: values.StartTimer(a.parameter, now); break;
        case RuleCode::ParamPauseTimer: values.PauseTimer(a.parameter, now); break;
        case RuleCode::ParamAddTrialToCollection: {
            const auto& trial = dre.GetCurrentTrial();
            values.AddToCollection(a.parameter, {trial.trialID, trial.responded, trial.correct, trial.reactionTimeMs});
            break;
        }
        default: break;
    }
}

}  // namespace Vantrel
