#include "VTRuleCompiler.h"

#include <algorithm>

#include <wx/intl.h>

#include <VTCore/Interface_UsesRules.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTRule.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTLinkT.h>

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>

#include "VTPlugInCommon/VTSdkResponses.h"
#include "VTRuntime/DynamicRuntimeEnvironment.h"

namespace Vantrel {

namespace {

bool CompareOf(int opInContext, VTCompare& out)
{
    switch (opInContext) {
        case RuleCode::OpEqual: out = VTCompare::Equal; return true;
        case RuleCode::OpNotEqual: out = VTCompare::NotEqual; return true;
        case RuleCode::OpGreater: out = VTCompare::Greater; return true;
        case RuleCode::OpLess: out = VTCompare::Less; return true;
        case RuleCode::OpContains: out = VTCompare::Contains; return true;
        case RuleCode::OpDoesNotContain: out = VTCompare::DoesNotContain; return true;
        case RuleCode::OpBeginsWith: out = VTCompare::BeginsWith; return true;
        case RuleCode::OpEndsWith: out = VTCompare::EndsWith; return true;
        default: return false;
    }
}

// The menu text of a criterion the run does not carry out, for the refusal.
wxString CriterionLabel(const ExpressionFromGUI& row)
{
    switch (row.kind) {
        case RuleCode::KindScalarParameter:
        case RuleCode::KindCollection: return _("Parameter");
        case RuleCode::KindTrialLevel: return _("Trial Level");
        default: break;
    }
    switch (row.builtIn) {
        case RuleCode::BuiltInLastTypedText: return _("Last text typed by participant");
        case RuleCode::BuiltInTrialTagSetBlockContext:
        case RuleCode::BuiltInTrialTagSetRuleContext: return _("Trial's tag set");
        case RuleCode::BuiltInTrialReactionTime: return _("Trial's reaction time");
        case RuleCode::BuiltInTrialPresentationCountWhen:
        case RuleCode::BuiltInTrialPresentationCountRule: return _("Number of times this trial has been presented");
        case RuleCode::BuiltInBlockTrialStatistic:
            switch (row.rhsKind) {
                case RuleCode::RhsPercentageCorrect: return _("Percentage of trials presented in block");
                case RuleCode::RhsNumberOfTrialsPresented: return _("Number of trials presented in block");
                default: return _("Average RT of trials presented in this block");
            }
        default: return wxString::Format(_("criterion %d/%d"), int(row.kind), int(row.builtIn));
    }
}

wxString ParameterActionLabel(int operation, int parameterType)
{
    switch (operation) {
        case RuleCode::ParamSetText: return _("Set text parameter");
        case RuleCode::ParamSetCounter: return _("Set counter value");
        case RuleCode::ParamIncrementCounter: return _("Increment counter");
        case RuleCode::ParamDecrementCounter: return _("Decrement counter");
        case RuleCode::ParamReset: return parameterType == 2201 ? _("Clear collection") : _("Reset parameter");
        case RuleCode::ParamStoreResponse: return _("Store participant's response");
        case RuleCode::ParamAppendText: return _("Append to text parameter");
        case RuleCode::ParamRandomCounter: return _("Assign random number (to counter)");
        case RuleCode::ParamStoreTypedText: return _("Store participant's typed text");
        case RuleCode::ParamAddTrialToCollection: return _("Add trial to collection");
        case RuleCode::ParamStartTimer: return _("Start timer");
        case RuleCode::ParamPauseTimer: return _("Pause timer");
        case RuleCode::OperationBackgroundColour: return _("Change background color");
        default: return wxString::Format(_("parameter action %d"), operation);
    }
}

// The menu text of an action the run does not carry out, for the refusal.
wxString ActionLabel(const OrderFormForActionCreation& form)
{
    switch (form.actionType) {
        case RuleCode::ActionTrialFlow:
            return form.operation == RuleCode::FlowRestartTrial ? _("Restart trial")
                                                                : _("Skip remaining events in trial");
        case RuleCode::ActionSetTrialTag: return _("Set trial's tag");
        case RuleCode::ActionSetTagOnAllTrialsInBlock: return _("Set tag on all trials in block");
        case RuleCode::ActionClearBuiltInCollection: return _("Clear built-in trials collection");
        case RuleCode::ActionParameter:
        case RuleCode::ActionParameterFromParameter: return ParameterActionLabel(form.operation, form.parameterType);
        case RuleCode::ActionTrialLevel:
            return form.operation == RuleCode::LevelNext       ? _("Move to next trial level")
                   : form.operation == RuleCode::LevelPrevious ? _("Move to previous trial level")
                                                               : _("Set trial level");
        case RuleCode::ActionExitBlock: return _("Exit block");
        case RuleCode::ActionRepeatTrial: return _("Repeat trial");
        case RuleCode::ActionSkipNextTrial: return _("Skip next trial");
        default: return wxString::Format(_("action %d"), int(form.actionType));
    }
}

// The refusal of an item whose tag (or tag set) was deleted: the words after the rule's name.
wxString TagGoneIssue(const wxString& what)
{
    return wxString::Format(_("uses \"%s\" with a tag that no longer exists."), what);
}

}  // namespace

bool VTRuleCompiler::AddRulesOf(Interface_UsesRules& owner, Context context, std::vector<size_t>& indexes,
                                wxString& why)
{
    // The rules run in the order of the experiment's rule pool (the order the
    // editors' rules page shows and moves), whatever order they were attached in.
    VTUsedElements& used = owner.GetUsedRules();
    std::vector<const VTRule*> rules;
    for (unsigned i = 0; i < used.Size(); ++i)
        if (const auto* rule = dynamic_cast<const VTRule*>(used.GetUsedElementPtr(i))) rules.push_back(rule);
    const VTElementsList& pool = m_Experiment.GetReadOnlyElementsOfType(ElementType::Rule);
    std::stable_sort(rules.begin(), rules.end(), [&pool](const VTRule* a, const VTRule* b) {
        return pool.GetElementIndex(a) < pool.GetElementIndex(b);
    });
    for (const VTRule* rule : rules) {
        const auto key = std::make_pair(unsigned(rule->GetID()), context);
        auto found = m_Compiled.find(key);
        if (found == m_Compiled.end()) {
            VTPlannedRule planned;
            if (!Compile(*rule, context, planned, why)) return false;
            m_Pool.push_back(planned);
            found = m_Compiled.emplace(key, m_Pool.size() - 1).first;
        }
        indexes.push_back(found->second);
    }
    return true;
}

bool VTRuleCompiler::AddWhenToPresent(const MetaTFPredicate* predicate, Context context, const wxString& owner,
                                      size_t& index, wxString& why)
{
    index = kAlways;
    if (!predicate) return true;
    const auto found = m_CompiledWhen.find(predicate);
    if (found != m_CompiledWhen.end()) {
        index = found->second;
        return true;
    }
    VTPlannedRule planned;
    planned.name = owner;
    if (!CompileCriteria(*predicate, context, planned, why)) return false;
    m_Pool.push_back(planned);
    index = m_Pool.size() - 1;
    m_CompiledWhen.emplace(predicate, index);
    return true;
}

bool VTRuleCompiler::CompileCriteria(const MetaTFPredicate& predicate, Context context, VTPlannedRule& out,
                                     wxString& why)
{
    out.negated = predicate.ExpressionSetToBeNegated();
    const bool rule = context == Context::BlockRules || context == Context::TrialRules;
    for (const ExpressionFromGUI& row : predicate.GetRows()) {
        VTPlannedCriterion criterion;
        wxString misplaced;
        if (CompileCriterion(row, context, criterion, misplaced)) {
            out.criteria.push_back(criterion);
            continue;
        }
        const wxString item = misplaced.empty() ? CriterionLabel(row) : misplaced;
        if (!m_ParameterIssue.empty())
            why = wxString::Format(rule ? _("the rule \"%s\" %s") : _("\"When to Present\" of %s %s"), out.name,
                                   m_ParameterIssue);
        else if (m_Dangling)
            why = wxString::Format(_("the rule \"%s\" uses \"%s\" with a response that no longer exists."), out.name,
                                   item);
        else if (!misplaced.empty())
            why = wxString::Format(rule ? _("the rule \"%s\" uses \"%s\", which only trial rules can carry out, and "
                                            "a block uses the rule.")
                                        : _("\"When to Present\" of %s uses \"%s\", which it cannot carry out there."),
                                   out.name, item);
        else
            why = wxString::Format(rule ? _("the rule \"%s\" uses \"%s\", which a run cannot carry out yet.")
                                        : _("\"When to Present\" of %s uses \"%s\", which a run cannot carry out yet."),
                                   out.name, item);
        return false;
    }
    return true;
}

bool VTRuleCompiler::Compile(const VTRule& rule, Context context, VTPlannedRule& out, wxString& why)
{
    out.name = rule.GetName();
    if (!CompileCriteria(rule.GetExpression(), context, out, why)) return false;
    const wxString onlyTrials =
        _("the rule \"%s\" uses \"%s\", which only trial rules can carry out, and a block uses the rule.");
    const wxString notYet = _("the rule \"%s\" uses \"%s\", which a run cannot carry out yet.");
    for (const OrderFormForActionCreation& form : rule.GetActions().GetForms()) {
        VTPlannedAction action;
        wxString item;
        if (!CompileAction(form, context, action, item)) {
            if (!m_ParameterIssue.empty()) {
                why = wxString::Format(_("the rule \"%s\" %s"), out.name, m_ParameterIssue);
                return false;
            }
            why =
                wxString::Format(item.empty() ? notYet : onlyTrials, out.name, item.empty() ? ActionLabel(form) : item);
            return false;
        }
        if (action.kind == VTActionKind::PresentBlock) {
            if (!m_Experiment.GetElementsOfType(ElementType::Block)
                     .LookupElementPtrByID(std::uint32_t(action.target))) {
                why = wxString::Format(_("the rule \"%s\" presents a block that no longer exists."), out.name);
                return false;
            }
            m_PresentedBlocks.insert(action.target);
        } else if (action.kind == VTActionKind::PresentEvent) {
            if (!m_Experiment.GetElementsOfType(ElementType::Event)
                     .LookupElementPtrByID(std::uint32_t(action.target))) {
                why = wxString::Format(_("the rule \"%s\" presents an event that no longer exists."), out.name);
                return false;
            }
            m_PresentedEvents.insert(action.target);
        }
        out.actions.push_back(action);
    }
    return true;
}

// False with `item` empty: the run cannot carry the criterion out; with `item` set:
// only trial rules can.
bool VTRuleCompiler::CompileCriterion(const ExpressionFromGUI& row, Context context, VTPlannedCriterion& out,
                                      wxString& item)
{
    out.isAnd = row.isAnd;
    m_ParameterIssue.clear();
    if (row.kind == RuleCode::KindAlways) {
        out.kind = VTCriterionKind::Always;
        return true;
    }
    if (row.kind == RuleCode::KindScalarParameter) return CompileParameterCriterion(row, out);
    const bool trialRule = context == Context::TrialRules;
    const bool aboutTheTrial = trialRule || context == Context::TrialWhen;
    if (row.kind == RuleCode::KindCollection) return CompileCollectionCriterion(row, aboutTheTrial, out, item);
    if (row.kind == RuleCode::KindTrialLevel) return CompileLevelCriterion(row, aboutTheTrial, out, item);
    if (row.kind != RuleCode::KindBuiltIn || !CompareOf(row.operatorInContext, out.compare)) return false;
    out.number = row.value;
    switch (row.builtIn) {
        case RuleCode::BuiltInLastResponse:
            out.kind = VTCriterionKind::LastResponse;
            // "unset", or a response of the experiment: one deleted since is no criterion to test.
            if (row.value == DynamicRuntimeEnvironment::kNoResponseYet ||
                row.value == VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined())
                return true;
            if (!m_Experiment.GetElementsOfType(ElementType::Response).LookupElementPtrByID(std::uint32_t(row.value))) {
                item = _("Last participant response");
                m_Dangling = true;
                return false;
            }
            return true;
        case RuleCode::BuiltInParticipantName:
            out.kind = VTCriterionKind::ParticipantName;
            out.text = row.text;
            return true;
        case RuleCode::BuiltInLastTypedText:
            out.kind = VTCriterionKind::LastTypedText;
            if (row.rhsKind == RuleCode::RhsText) {
                out.text = row.text;
                return true;
            }
            if (row.rhsKind != RuleCode::RhsParameter) return false;
            out.rhsParameter = ParameterIndex(row.text, CriterionLabel(row));
            return out.rhsParameter >= 0 &&
                   ParameterHasType(out.rhsParameter, ParameterType::Text, CriterionLabel(row));
        case RuleCode::BuiltInTrialReactionTime:
            if (!trialRule) {
                item = CriterionLabel(row);
                return false;
            }
            out.kind = VTCriterionKind::TrialReactionTime;
            return true;
        case RuleCode::BuiltInTrialPresentationCountWhen:
        case RuleCode::BuiltInTrialPresentationCountRule:
            if (!aboutTheTrial) {
                item = CriterionLabel(row);
                return false;
            }
            out.kind = VTCriterionKind::TrialPresentations;
            return true;
        case RuleCode::BuiltInTrialTagSetBlockContext:
        case RuleCode::BuiltInTrialTagSetRuleContext:
            if (!aboutTheTrial) {
                item = CriterionLabel(row);
                return false;
            }
            if (out.compare != VTCompare::Equal && out.compare != VTCompare::NotEqual) return false;
            out.kind = VTCriterionKind::TrialTag;
            out.previousTrialTag = row.value2 == RuleCode::SameTagAsPreviousTrial;
            out.tag = out.previousTrialTag ? -1 : row.value2;
            out.tagSet = out.previousTrialTag ? row.value : TagSetOf(row.value2);
            if (out.tagSet < 1 ||
                !m_Experiment.GetElementsOfType(ElementType::TagSet).LookupElementPtrByID(std::uint32_t(out.tagSet))) {
                m_ParameterIssue = TagGoneIssue(CriterionLabel(row));
                return false;
            }
            return true;
        case RuleCode::BuiltInBlockTrialStatistic:
            if (row.trialSubset.rangeMode == TrialSubsetDescription::kLastTrials) {
                if (row.trialSubset.count < 1) return false;
                out.subsetCount = row.trialSubset.count;
            } else if (row.trialSubset.rangeMode != TrialSubsetDescription::kAllPresentedTrials) {
                return false;
            }
            if (row.trialSubset.useTag) {
                out.subsetTag = row.trialSubset.tagId;
                if (TagSetOf(out.subsetTag) < 1) {
                    m_ParameterIssue = TagGoneIssue(CriterionLabel(row));
                    return false;
                }
            }
            switch (row.rhsKind) {
                case RuleCode::RhsPercentageCorrect: out.kind = VTCriterionKind::BlockPercentCorrect; return true;
                case RuleCode::RhsNumberOfTrialsPresented: out.kind = VTCriterionKind::BlockTrialCount; return true;
                case RuleCode::RhsAverageRT: out.kind = VTCriterionKind::BlockAverageRT; return true;
                default: return false;
            }
        case RuleCode::BuiltInTimeSinceBlockStart:
        case RuleCode::BuiltInTimeSinceExperimentStart:
            out.kind = row.builtIn == RuleCode::BuiltInTimeSinceBlockStart ? VTCriterionKind::TimeSinceBlockStart
                                                                           : VTCriterionKind::TimeSinceRunStart;
            out.unitMs = double(row.GetMillisecondsPerTimeUnit());
            if (out.unitMs <= 0) out.unitMs = 1;
            return true;
        default: return false;
    }
}

bool VTRuleCompiler::CompileAction(const OrderFormForActionCreation& form, Context context, VTPlannedAction& out,
                                   wxString& item)
{
    const bool trialRule = context == Context::TrialRules;
    m_ParameterIssue.clear();
    switch (form.actionType) {
        case RuleCode::ActionParameter:
            // The background colour shares the parameter action's code; its operation tells it apart.
            if (form.operation == RuleCode::OperationBackgroundColour) {
                if (!form.colour.IsOk()) return false;
                out.kind = VTActionKind::ChangeBackground;
                out.colour = form.colour;
                return true;
            }
            return CompileParameterAction(form, context, out, item);
        case RuleCode::ActionParameterFromParameter: return CompileParameterAction(form, context, out, item);
        case RuleCode::ActionExitExperiment: out.kind = VTActionKind::ExitExperiment; return true;
        case RuleCode::ActionGoBackToPreviousBlock: out.kind = VTActionKind::GoBackToPreviousBlock; return true;
        case RuleCode::ActionPresentBlock:
            out.kind = VTActionKind::PresentBlock;
            out.target = form.target;
            return true;
        case RuleCode::ActionRepeatBlock: out.kind = VTActionKind::RepeatCurrentBlock; return true;
        case RuleCode::ActionPresentEvent:
            out.kind = VTActionKind::PresentEvent;
            out.target = form.target;
            return true;
        case RuleCode::ActionClearBuiltInCollection: out.kind = VTActionKind::ClearBuiltInCollection; return true;
        case RuleCode::ActionTrialLevel: return CompileLevelAction(form, out);
        case RuleCode::ActionSetTrialTag:
        case RuleCode::ActionSetTagOnAllTrialsInBlock:
            if (form.actionType == RuleCode::ActionSetTrialTag && !trialRule) {
                item = ActionLabel(form);
                return false;
            }
            out.kind = form.actionType == RuleCode::ActionSetTrialTag ? VTActionKind::SetTrialTag
                                                                      : VTActionKind::SetTagOnAllTrialsInBlock;
            out.target = form.target;
            out.number = form.target2;
            // The tag must still exist and belong to the set the action names.
            if (TagSetOf(form.target2) < 1 || TagSetOf(form.target2) != form.target) {
                m_ParameterIssue = TagGoneIssue(ActionLabel(form));
                return false;
            }
            return true;
        case RuleCode::ActionExitBlock:
        case RuleCode::ActionRepeatTrial:
        case RuleCode::ActionSkipNextTrial:
            if (!trialRule) {
                item = ActionLabel(form);
                return false;
            }
            out.kind = form.actionType == RuleCode::ActionExitBlock     ? VTActionKind::ExitBlock
                       : form.actionType == RuleCode::ActionRepeatTrial ? VTActionKind::RepeatTrial
                                                                        : VTActionKind::SkipNextTrial;
            return true;
        default: return false;
    }
}

int VTRuleCompiler::ParameterIndex(const wxString& name, const wxString& what)
{
    if (!m_ParametersIndexed) {
        const auto parameters = m_Experiment.GetParameters();
        for (unsigned i = 0; i < parameters->ItemCount(); ++i)
            m_ParameterIndexes.emplace(parameters->ItemDataAtIndex(i).name, int(i));
        m_ParametersIndexed = true;
    }
    const auto found = m_ParameterIndexes.find(name);
    if (found != m_ParameterIndexes.end()) return found->second;
    m_ParameterIssue =
        name.empty()
            ? wxString::Format(_("uses \"%s\" with a parameter that no longer exists."), what)
            : wxString::Format(_("uses \"%s\" with the parameter \"%s\", which no longer exists."), what, name);
    return -1;
}

bool VTRuleCompiler::ParameterHasType(int index, int type, const wxString& what)
{
    const OrderFormForParameterCreation parameter = m_Experiment.GetParameters()->ItemDataAtIndex(unsigned(index));
    if (parameter.type == type) return true;
    wxString kind;
    switch (type) {
        case ParameterType::Timer: kind = _("timer"); break;
        case ParameterType::Counter: kind = _("counter"); break;
        case ParameterType::Response: kind = _("response parameter"); break;
        case ParameterType::Collection: kind = _("collection of trials"); break;
        default: kind = _("text parameter"); break;
    }
    m_ParameterIssue =
        wxString::Format(_("uses \"%s\" with the parameter \"%s\", which is not a %s."), what, parameter.name, kind);
    return false;
}

int VTRuleCompiler::TagSetOf(int tagID) const
{
    if (tagID < 1) return -1;
    const auto* tag = dynamic_cast<const VTTag*>(
        m_Experiment.GetElementsOfType(ElementType::Tag).LookupElementPtrByID(std::uint32_t(tagID)));
    return tag ? int(tag->GetParentTagSetID()) : -1;
}

// Functions 2 and 3 (correct and incorrect counts) are no longer offered: refused.
bool VTRuleCompiler::CompileCollectionCriterion(const ExpressionFromGUI& row, bool aboutTheTrial,
                                                VTPlannedCriterion& out, wxString& item)
{
    const wxString what = _("Parameter");
    out.kind = VTCriterionKind::Collection;
    out.parameter = ParameterIndex(row.name, what);
    if (out.parameter < 0 || !ParameterHasType(out.parameter, ParameterType::Collection, what)) return false;
    out.collectionFunction = row.rhsKind;
    out.number = row.value;
    out.tag = row.value2;
    out.doesNotContain = row.HasFlag(COLLFUNC_NOT_CONT);
    switch (row.rhsKind) {
        case 0:
        case 1:
            if (TagSetOf(out.tag) < 1) {
                m_ParameterIssue = TagGoneIssue(what);
                return false;
            }
            [[fallthrough]];
        case 4: return CompareOf(row.operatorInContext, out.compare);
        case 5: return true;
        case 6:
        case 7:
            // "The current trial": only criteria about a trial have one.
            if (!aboutTheTrial) {
                item = _("collection contains this trial");
                return false;
            }
            return true;
        default: return false;
    }
}

// The variable is found by its position among the experiment's trial variables, the
// order in which the plan keeps each trial's levels (VTTrialLevels).
bool VTRuleCompiler::CompileLevelCriterion(const ExpressionFromGUI& row, bool aboutTheTrial, VTPlannedCriterion& out,
                                           wxString& item)
{
    if (!aboutTheTrial) {
        item = _("Trial Level");
        return false;
    }
    if (!CompareOf(row.operatorInContext, out.compare) ||
        (out.compare != VTCompare::Equal && out.compare != VTCompare::NotEqual))
        return false;
    out.kind = VTCriterionKind::TrialLevel;
    const VTTrialVariable* variable = TrialVariable(row.value2, out.variable);
    if (!variable) {
        m_ParameterIssue = _("tests a trial variable that no longer exists.");
        return false;
    }
    const int count = int(variable->GetVariable().GetLevels().size());
    out.number = row.value == RuleCode::LevelFirst ? 0 : row.value == RuleCode::LevelLast ? count - 1 : row.value;
    if (out.number < 0 || out.number >= count) {
        m_ParameterIssue =
            wxString::Format(_("tests the trial variable \"%s\" with a level it does not have."), variable->GetName());
        return false;
    }
    return true;
}

const VTTrialVariable* VTRuleCompiler::TrialVariable(int id, int& index)
{
    VTElementsList& variables = m_Experiment.GetElementsOfType(ElementType::TrialVariable);
    index = 0;
    for (size_t i = 0; i < variables.Size(); ++i) {
        const auto* variable = dynamic_cast<const VTTrialVariable*>(variables[i]);
        if (!variable) continue;
        if (int(variable->GetID()) == id) return variable;
        ++index;
    }
    index = -1;
    return nullptr;
}

// The variable is named by its index, as the plan keeps the variables; a numbered level
// counts from 0 in the plan.
bool VTRuleCompiler::CompileLevelAction(const OrderFormForActionCreation& form, VTPlannedAction& out)
{
    out.kind = VTActionKind::MoveTrialLevel;
    out.operation = form.operation;
    const VTTrialVariable* variable = TrialVariable(form.target, out.target);
    if (!variable) {
        m_ParameterIssue =
            wxString::Format(_("uses \"%s\" with a trial variable that no longer exists."), ActionLabel(form));
        return false;
    }
    if (form.operation < RuleCode::LevelNext || form.operation > RuleCode::LevelSetNumber) return false;
    out.number = form.number - 1;
    if (form.operation == RuleCode::LevelSetNumber &&
        (out.number < 0 || out.number >= int(variable->GetVariable().GetLevels().size()))) {
        m_ParameterIssue =
            wxString::Format(_("sets the trial variable \"%s\" to a level it does not have."), variable->GetName());
        return false;
    }
    return true;
}

bool VTRuleCompiler::CompileParameterCriterion(const ExpressionFromGUI& row, VTPlannedCriterion& out)
{
    const wxString what = _("Parameter");
    if (!CompareOf(row.operatorInContext, out.compare)) return false;
    out.kind = VTCriterionKind::Parameter;
    out.parameter = ParameterIndex(row.name, what);
    if (out.parameter < 0) return false;
    const int type = m_Experiment.GetParameters()->ItemDataAtIndex(unsigned(out.parameter)).type;
    if (type == ParameterType::Collection) return false;
    if (row.rhsKind == RuleCode::RhsParameter) {
        // Compared with a parameter of its own type, value with value.
        out.rhsParameter = ParameterIndex(row.text, what);
        return out.rhsParameter >= 0 && ParameterHasType(out.rhsParameter, type, what);
    }
    out.number = row.value;
    out.text = row.text;
    switch (type) {
        case ParameterType::Timer:
            out.unitMs = double(row.GetMillisecondsPerTimeUnit());
            if (out.unitMs <= 0) out.unitMs = 1;
            return row.rhsKind == RuleCode::RhsNumber;
        case ParameterType::Counter: return row.rhsKind == RuleCode::RhsNumber;
        case ParameterType::Text: return row.rhsKind == RuleCode::RhsText;
        case ParameterType::Response:
            if (row.rhsKind != RuleCode::RhsNumber) return false;
            // The editor stores "unset (no stored response)" as the undefined response.
            if (row.value == VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined() ||
                row.value == VTParameterValues::kUnsetResponse) {
                out.number = VTParameterValues::kUnsetResponse;
                return true;
            }
            if (!m_Experiment.GetElementsOfType(ElementType::Response).LookupElementPtrByID(std::uint32_t(row.value))) {
                m_ParameterIssue = wxString::Format(
                    _("tests the response parameter \"%s\" with a response that no longer exists."), row.name);
                return false;
            }
            return true;
        default: return false;
    }
}

bool VTRuleCompiler::CompileParameterAction(const OrderFormForActionCreation& form, Context context,
                                            VTPlannedAction& out, wxString& item)
{
    const wxString what = ActionLabel(form);
    const bool fromParameter = form.actionType == RuleCode::ActionParameterFromParameter;
    int type = -1;
    switch (form.operation) {
        case RuleCode::ParamSetText:
        case RuleCode::ParamAppendText: type = ParameterType::Text; break;
        case RuleCode::ParamSetCounter:
        case RuleCode::ParamIncrementCounter:
        case RuleCode::ParamDecrementCounter: type = ParameterType::Counter; break;
        case RuleCode::ParamReset: break;
        case RuleCode::ParamRandomCounter: type = ParameterType::Counter; break;
        case RuleCode::ParamStoreTypedText: type = ParameterType::Text; break;
        case RuleCode::ParamStoreResponse: type = ParameterType::Response; break;
        case RuleCode::ParamStartTimer:
        case RuleCode::ParamPauseTimer: type = ParameterType::Timer; break;
        case RuleCode::ParamAddTrialToCollection: type = ParameterType::Collection; break;
        default: return false;
    }
    const bool takesOperand = type == ParameterType::Counter && form.operation != RuleCode::ParamRandomCounter;
    if (fromParameter &&
        !(takesOperand || form.operation == RuleCode::ParamSetText || form.operation == RuleCode::ParamAppendText))
        return false;
    // What the participant did in the trial: a block's rules have no trial of their own.
    if ((form.operation == RuleCode::ParamStoreResponse || form.operation == RuleCode::ParamStoreTypedText ||
         form.operation == RuleCode::ParamAddTrialToCollection) &&
        context != Context::TrialRules) {
        item = what;
        return false;
    }
    out.kind = VTActionKind::Parameter;
    out.operation = form.operation;
    out.parameter = ParameterIndex(form.parameterName, what);
    if (out.parameter < 0) return false;
    const OrderFormForParameterCreation target = m_Experiment.GetParameters()->ItemDataAtIndex(unsigned(out.parameter));
    if (type >= 0 && !ParameterHasType(out.parameter, type, what)) return false;
    if (form.operation == RuleCode::ParamRandomCounter && !(target.hasMin && target.hasMax)) {
        m_ParameterIssue = wxString::Format(
            _("uses \"%s\" with the counter \"%s\", which needs both a minimum and a maximum."), what, target.name);
        return false;
    }
    if (fromParameter) {
        out.sourceParameter = ParameterIndex(form.text, what);
        return out.sourceParameter >= 0 && ParameterHasType(out.sourceParameter, type, what);
    }
    out.number = form.number;
    out.text = form.text;
    return true;
}

}  // namespace Vantrel
