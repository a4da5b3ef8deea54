// The four conversions between a rule row's state and the stored order forms.

#include "RuleComponentRowPanel.h"
#include "RuleMenuTables.h"
#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RulesHelperMappings.h"
#include "RulesSubmenusMadnessHelper.h"

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>

#include <wx/log.h>

namespace Vantrel {

namespace {

using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;

std::int32_t NumberOr(const wxString& text, std::int32_t fallback)
{
    std::int32_t number = fallback;
    return ParseRuleNumber(text, number) ? number : fallback;
}

wxString Decimal(int value) { return wxString::Format("%d", value); }

int ParameterTypeOf(const SubmenuMaps& maps, const wxString& name)
{
    const VTExperiment* experiment = maps ? maps->GetExperiment() : nullptr;
    return experiment && experiment->GetParameters() ? experiment->GetParameters()->GetParamTypeByParamName(name) : -1;
}

void SetParameterEnums(int menuId, OrderFormForActionCreation& form)
{
    int type = -1, operation = -1;
    GetParameterEnums(menuId, GLOBAL_VECTOR_ACTIONS_MENU_INFOS(), &type, &operation);
    form.parameterType = type;
    form.operation = operation;
}

wxString ActionLabelByTypeAndOperation(const OrderFormForActionCreation& form)
{
    return GetMenuLabelByPtPo(GLOBAL_VECTOR_ACTIONS_MENU_INFOS(), form.parameterType, form.operation);
}

}  // namespace

void Mappings::PlaceRowGUIStateOntoThisActionForm(int menuId, GUIDataNeededByRulesHelper rowState,
                                                  OrderFormForActionCreation& form)
{
    form.ResetDefaults();
    const bool parameterRHS = rowState.rhsDirective == RhsDirective::Parameter;
    switch (menuId) {
        case 15001:
        case 15002:
        case 15003:
        case 15011:
        case 15013:
        case 15014:
        case 15046:
        case 15047:
            form.actionType = RuleCode::ActionParameter;
            form.parameterName = rowState.choiceString;
            SetParameterEnums(menuId, form);
            if (menuId == 15046 || menuId == 15047) {
                form.RemoveAnyStringsForTimerFeature503();
                form.flagText += TIMER_FEATURES_503;
            }
            return;
        case 15005:
        case 15006:
        case 15008:
        case 15009:
        case 15010:
            form.actionType = parameterRHS ? RuleCode::ActionParameterFromParameter : RuleCode::ActionParameter;
            form.parameterName = rowState.choiceString;
            SetParameterEnums(menuId, form);
            if (parameterRHS)
                form.text = rowState.secondChoiceString;
            else if (menuId == 15005 || menuId == 15006)
                form.text = rowState.textFieldContent;
            else
                form.number = NumberOr(rowState.textFieldContent, 1);
            return;
        case 15015: form.actionType = RuleCode::ActionClearBuiltInCollection; return;
        case 15016: form.actionType = RuleCode::ActionExitExperiment; return;
        case 15018:
            form.actionType = RuleCode::ActionExitBlock;
            form.target = -1;
            return;
        case 15019: form.actionType = RuleCode::ActionGoBackToPreviousBlock; return;
        case 15020:
            form.actionType = RuleCode::ActionPresentBlock;
            form.target = rowState.elementIdOne;
            return;
        case 15022: form.actionType = RuleCode::ActionRepeatBlock; return;
        case 15023:
            form.actionType = RuleCode::ActionPresentEvent;
            form.target = rowState.elementIdOne;
            return;
        case 15024: form.actionType = RuleCode::ActionRepeatTrial; return;
        case 15025: form.actionType = RuleCode::ActionSkipNextTrial; return;
        case 15035:
        case 15036:
            form.actionType = RuleCode::ActionTrialFlow;
            form.operation = menuId == 15035 ? RuleCode::FlowRestartTrial : RuleCode::FlowSkipRemainingEvents;
            return;
        case 15038:
        case 15039:
        case 15040:
            form.actionType = RuleCode::ActionTrialLevel;
            form.target = rowState.elementIdOne;
            form.operation = menuId == 15038   ? RuleCode::LevelNext
                             : menuId == 15039 ? RuleCode::LevelPrevious
                                               : rowState.levelSetting;
            // A row whose level was never picked holds no setting: the first level, never a code no run knows.
            if (menuId == 15040 &&
                (rowState.levelSetting < RuleCode::LevelSetFirst || rowState.levelSetting > RuleCode::LevelSetNumber))
                form.operation = RuleCode::LevelSetFirst;
            if (menuId == 15040) form.number = rowState.elementIdTwo;
            return;
        case 15042:
            form.actionType = RuleCode::ActionParameter;
            form.operation = RuleCode::OperationBackgroundColour;
            form.colour = rowState.colour;
            return;
        case 15044:
        case 15045:
            form.actionType = menuId == 15044 ? RuleCode::ActionSetTrialTag : RuleCode::ActionSetTagOnAllTrialsInBlock;
            form.target = rowState.elementIdOne;
            form.target2 = rowState.elementIdTwo;
            return;
        default: wxLogError("Unable to create an action matching the current menu selection."); return;
    }
}

void Mappings::PlaceRowGUIStateOntoThisExpressionForm(int menuId, GUIDataNeededByRulesHelper rowState,
                                                      ExpressionFromGUI& form, int context,
                                                      const SubmenuMaps& submenuMaps)
{
    form.ResetDefaults();
    form.isAnd = true;
    const bool parameterRHS = rowState.rhsDirective == RhsDirective::Parameter;
    const auto usual = [&] {
        form.operatorInContext = GetCriteriaOp(rowState.choiceString);
        form.value = NumberOr(rowState.textFieldContent, 0);
    };
    const auto builtIn = [&](int code) {
        form.kind = RuleCode::KindBuiltIn;
        form.builtIn = code;
    };
    switch (menuId) {
        case 13091: form.kind = RuleCode::KindAlways; return;
        case 13092:
            builtIn(RuleCode::BuiltInLastResponse);
            form.operatorInContext = GetCriteriaOp(rowState.choiceString);
            form.value = rowState.elementIdTwo;
            return;
        case 13093:
        case 13096:
            builtIn(menuId == 13093 ? RuleCode::BuiltInLastTypedText : RuleCode::BuiltInParticipantName);
            form.operatorInContext = GetCriteriaOp(rowState.choiceString);
            if (menuId == 13093) form.rhsKind = parameterRHS ? RuleCode::RhsParameter : RuleCode::RhsText;
            form.text = menuId == 13093 && parameterRHS ? rowState.secondChoiceString : rowState.textFieldContent;
            return;
        case 13094:
            builtIn(RuleCode::BuiltInTrialReactionTime);
            usual();
            return;
        case 13095:
            form.kind = RuleCode::KindBuiltIn;
            usual();
            if (context == 3 || context == 4)
                form.builtIn = context == 3 ? RuleCode::BuiltInTrialPresentationCountWhen
                                            : RuleCode::BuiltInTrialPresentationCountRule;
            else
                wxLogError("Failed to create trial-presentation-count criterion.");
            return;
        case 14098:
        case 14099:
        case 14100:
            builtIn(RuleCode::BuiltInBlockTrialStatistic);
            usual();
            form.rhsKind = menuId == 14098   ? RuleCode::RhsPercentageCorrect
                           : menuId == 14099 ? RuleCode::RhsNumberOfTrialsPresented
                                             : RuleCode::RhsAverageRT;
            form.trialSubset = rowState.trialSubset;
            return;
        case 14101:
        case 14102:
            builtIn(menuId == 14101 ? RuleCode::BuiltInTimeSinceBlockStart : RuleCode::BuiltInTimeSinceExperimentStart);
            usual();
            form.ApplyAppropriateTimeUnitTranslation(rowState.secondChoiceString, form.value);
            return;
        default: break;
    }
    if (menuId >= 14090 && menuId <= 14097) {
        builtIn(menuId);
        usual();
        return;
    }
    const int submenuId = rowState.submenuId;
    if (menuId == 14103 && submenuMaps && submenuId > 0) {
        switch (GetElementTypeFromSubmenuId(submenuId)) {
            case SubmenuKey::TagSets:
                form.kind = RuleCode::KindBuiltIn;
                usual();
                form.value = submenuMaps->ElemIdByTypeAndSubmenuId(SubmenuKey::TagSets, submenuId);
                form.value2 = rowState.elementIdTwo;
                if (form.value2 != RuleCode::SameTagAsPreviousTrial && form.value2 <= 0)
                    wxLogError("Panel unable to detect valid tag id. Please cancel all edits.");
                if (context == 3 || context == 4)
                    form.builtIn = context == 3 ? RuleCode::BuiltInTrialTagSetBlockContext
                                                : RuleCode::BuiltInTrialTagSetRuleContext;
                else
                    wxLogError("Failed to create trial-tag criterion.");
                return;
            case SubmenuKey::TrialLevels:
                form.kind = RuleCode::KindTrialLevel;
                form.operatorInContext = GetCriteriaOp(rowState.choiceString);
                form.value2 = submenuMaps->ElemIdByTypeAndSubmenuId(SubmenuKey::TrialLevels, submenuId);
                if (form.value2 <= 0)
                    wxLogError("Panel unable to detect valid trial level id. Please cancel all edits.");
                form.value = rowState.elementIdTwo;
                return;
            case SubmenuKey::ScalarParameters: {
                if (rowState.rhsDirective != RhsDirective::Parameter && rowState.rhsDirective != RhsDirective::Value)
                    break;
                form.kind = RuleCode::KindScalarParameter;
                form.name = submenuMaps->ElNameByMenuId(submenuId);
                const int type = ParameterTypeOf(submenuMaps, form.name);
                form.value2 = type;
                usual();
                if (parameterRHS) {
                    form.rhsKind = RuleCode::RhsParameter;
                    form.text = rowState.secondChoiceString;
                    if (type == ParameterType::Timer) form.MarkFormForTimerFeature503();
                    return;
                }
                switch (type) {
                    case ParameterType::Timer:
                        form.rhsKind = RuleCode::RhsNumber;
                        form.ApplyAppropriateTimeUnitTranslation(rowState.secondChoiceString, form.value);
                        form.MarkFormForTimerFeature503();
                        return;
                    case ParameterType::Counter: form.rhsKind = RuleCode::RhsNumber; return;
                    case ParameterType::Response:
                        form.rhsKind = RuleCode::RhsNumber;
                        form.value = rowState.elementIdTwo == UNIQUE_ID_FOR_UNDEF_RESPONSES()
                                         ? VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined()
                                         : rowState.elementIdTwo;
                        form.value2 = form.value;
                        return;
                    case ParameterType::Text:
                        form.rhsKind = RuleCode::RhsText;
                        form.text = rowState.textFieldContent;
                        return;
                    default:
                        wxLogError("Left-hand parameter name did not map to any expected value. Please cancel all "
                                   "edits.");
                        return;
                }
            }
            case SubmenuKey::CollectionParameters:
                form.kind = RuleCode::KindCollection;
                rowState.collectionFunction.TranslateInfoOntoExpressionForm(form);
                form.name = submenuMaps->ElNameByMenuId(submenuId);
                usual();
                return;
            default: break;
        }
    }
    form.ResetDefaults();
    form.isAnd = true;
    wxLogError("Unable to create an expression matching the current menu selection.");
}

RowPlacement Mappings::PlacementForActionForm(const OrderFormForActionCreation& form)
{
    RowPlacement p;
    GUIDataNeededByRulesHelper& s = p.state;
    const auto select = [&p](int menuId) { p.selectLabel = FindActionMenuLabelByMenuId(menuId); };
    switch (form.actionType) {
        case RuleCode::ActionExitExperiment: select(15016); return p;
        case RuleCode::ActionPresentBlock:
        case RuleCode::ActionPresentEvent:
            select(form.actionType == RuleCode::ActionPresentBlock ? 15020 : 15023);
            s.elementIdOne = form.target;
            return p;
        case RuleCode::ActionTrialFlow:
            if (form.operation != RuleCode::FlowRestartTrial && form.operation != RuleCode::FlowSkipRemainingEvents)
                break;
            select(form.operation == RuleCode::FlowRestartTrial ? 15035 : 15036);
            return p;
        case RuleCode::ActionSetTrialTag:
        case RuleCode::ActionSetTagOnAllTrialsInBlock:
            select(form.actionType == RuleCode::ActionSetTrialTag ? 15044 : 15045);
            s.elementIdOne = form.target;
            s.elementIdTwo = form.target2;
            return p;
        case RuleCode::ActionSkipNextTrial: select(15025); return p;
        case RuleCode::ActionRepeatBlock: select(15022); return p;
        case RuleCode::ActionRepeatTrial: select(15024); return p;
        case RuleCode::ActionClearBuiltInCollection: select(15015); return p;
        case RuleCode::ActionGoBackToPreviousBlock: select(15019); return p;
        case RuleCode::ActionExitBlock:
            if (form.target != -1) break;
            select(15018);
            return p;
        case RuleCode::ActionParameter:
            switch (form.operation) {
                case RuleCode::ParamReset:
                case RuleCode::ParamStoreResponse:
                case RuleCode::ParamRandomCounter:
                case RuleCode::ParamStoreTypedText:
                case RuleCode::ParamAddTrialToCollection:
                case RuleCode::ParamStartTimer:
                case RuleCode::ParamPauseTimer:
                    s.choiceString = form.parameterName;
                    p.selectLabel = ActionLabelByTypeAndOperation(form);
                    if (form.operation == RuleCode::ParamRandomCounter) {
                        p.bookStep = RowPlacement::BookStep::CounterLimits;
                        p.bookStepName = form.parameterName;
                    }
                    return p;
                case RuleCode::ParamSetText:
                case RuleCode::ParamAppendText:
                case RuleCode::ParamSetCounter:
                case RuleCode::ParamIncrementCounter:
                case RuleCode::ParamDecrementCounter: {
                    s.choiceString = form.parameterName;
                    const bool text =
                        form.operation == RuleCode::ParamSetText || form.operation == RuleCode::ParamAppendText;
                    s.SetTextFieldContent(text ? form.text : Decimal(form.number));
                    p.selectLabel = ActionLabelByTypeAndOperation(form);
                    p.rhsDirectiveForRow = RhsDirective::Value;
                    return p;
                }
                case RuleCode::OperationBackgroundColour:
                    s.colour = form.colour;
                    select(15042);
                    return p;
                default: break;
            }
            break;
        case RuleCode::ActionTrialLevel:
            switch (form.operation) {
                case RuleCode::LevelNext:
                case RuleCode::LevelPrevious:
                    select(form.operation == RuleCode::LevelNext ? 15038 : 15039);
                    s.elementIdOne = form.target;
                    return p;
                case RuleCode::LevelSetFirst:
                case RuleCode::LevelSetLast:
                case RuleCode::LevelSetRandom:
                case RuleCode::LevelSetNumber:
                    select(15040);
                    s.elementIdOne = form.target;
                    s.levelSetting = form.operation;
                    s.secondChoiceString = ActionFactory::GetDropDownLabelForTrialLevelForcedTarget(form.operation);
                    s.elementIdTwo = form.number;
                    p.bookStep = RowPlacement::BookStep::LevelActions;
                    p.bookStepId = form.target;
                    return p;
                default: break;
            }
            break;
        case RuleCode::ActionParameterFromParameter:
            switch (form.operation) {
                case RuleCode::ParamSetText:
                case RuleCode::ParamSetCounter:
                case RuleCode::ParamIncrementCounter:
                case RuleCode::ParamDecrementCounter:
                case RuleCode::ParamAppendText:
                    s.choiceString = form.parameterName;
                    s.secondChoiceString = form.text;
                    p.selectLabel = ActionLabelByTypeAndOperation(form);
                    p.rhsDirectiveForRow = RhsDirective::Parameter;
                    s.rhsDirective = RhsDirective::Parameter;
                    return p;
                default: break;
            }
            break;
        default: break;
    }
    wxLogError("Unable to display the stored action using the current GUI.");
    p.ok = false;
    return p;
}

RowPlacement Mappings::PlacementForExpressionForm(const ExpressionFromGUI& form, const SubmenuMaps& submenuMaps,
                                                  const VTExperiment* experiment)
{
    RowPlacement p;
    GUIDataNeededByRulesHelper& s = p.state;
    const auto select = [&p](int menuId) { p.selectLabel = FindExpressionMenuLabelByMenuId(menuId); };
    const auto opText = [&form](int context) { return GetCompTextByContextAndOpID(context, form.operatorInContext); };
    const auto valueText = [&] { s.SetTextFieldContent(Decimal(form.value)); };
    const auto submenuOf = [&](int key, int byId, const wxString& byName, const char* missing) {
        const int id = !submenuMaps                   ? -1
                       : byName.empty() && byId != -1 ? submenuMaps->SubmenuIdByTypeAndVTElemId(key, byId)
                                                      : submenuMaps->SubmenuIdByTypeAndElName(key, byName);
        if (id <= 0) wxLogError(missing);
        s.submenuId = id;
    };
    if (form.kind == RuleCode::KindAlways) {
        select(13091);
        return p;
    }
    if (form.kind == RuleCode::KindBuiltIn) {
        switch (form.builtIn) {
            case RuleCode::BuiltInLastResponse:
                select(13092);
                s.choiceString = opText(RuleCode::OpContextIsIsNot);
                s.elementIdTwo = form.value;
                return p;
            case RuleCode::BuiltInLastTypedText:
                if (form.rhsKind == RuleCode::RhsText) {
                    p.rhsDirectiveForRow = RhsDirective::Value;
                    select(13093);
                    s.choiceString = opText(RuleCode::OpContextText);
                    s.SetTextFieldContent(form.text);
                    s.rhsDirective = RhsDirective::Value;
                    return p;
                }
                if (form.rhsKind == RuleCode::RhsParameter) {
                    p.rhsDirectiveForRow = RhsDirective::Parameter;
                    select(13093);
                    s.rhsDirective = RhsDirective::Parameter;
                    s.choiceString = opText(RuleCode::OpContextText);
                    s.secondChoiceString = form.text;
                    return p;
                }
                break;
            case RuleCode::BuiltInTrialReactionTime:
            case RuleCode::BuiltInTrialPresentationCountWhen:
            case RuleCode::BuiltInTrialPresentationCountRule:
                select(form.builtIn == RuleCode::BuiltInTrialReactionTime ? 13094 : 13095);
                s.choiceString = opText(RuleCode::OpContextNumeric);
                valueText();
                return p;
            case RuleCode::BuiltInParticipantName:
                select(13096);
                s.choiceString = opText(RuleCode::OpContextText);
                s.SetTextFieldContent(form.text);
                return p;
            case RuleCode::BuiltInBlockTrialStatistic:
                if (form.rhsKind != RuleCode::RhsNumberOfTrialsPresented &&
                    form.rhsKind != RuleCode::RhsPercentageCorrect && form.rhsKind != RuleCode::RhsAverageRT)
                    break;
                select(form.rhsKind == RuleCode::RhsNumberOfTrialsPresented ? 14099
                       : form.rhsKind == RuleCode::RhsPercentageCorrect     ? 14098
                                                                            : 14100);
                s.trialSubset = form.trialSubset;
                valueText();
                s.choiceString = opText(RuleCode::OpContextNumeric);
                return p;
            case RuleCode::BuiltInTimeSinceBlockStart:
            case RuleCode::BuiltInTimeSinceExperimentStart:
                select(form.builtIn == RuleCode::BuiltInTimeSinceBlockStart ? 14101 : 14102);
                valueText();
                s.choiceString = opText(RuleCode::OpContextNumeric);
                s.secondChoiceString = form.GetUserInterfaceStringFromTimeUnitCode();
                return p;
            case RuleCode::BuiltInTrialTagSetBlockContext:
            case RuleCode::BuiltInTrialTagSetRuleContext: {
                const int tag = form.value2;
                const int tagSet = tag == RuleCode::SameTagAsPreviousTrial ? form.value
                                   : experiment                            ? experiment->GetParentIdFromTagId(tag)
                                                                           : -1;
                s.submenuId = submenuMaps ? submenuMaps->SubmenuIdByTypeAndVTElemId(SubmenuKey::TagSets, tagSet) : -1;
                s.elementIdTwo = tag;
                s.choiceString = opText(RuleCode::OpContextSetNotSet);
                if (tagSet < 1) {
                    wxLogError("Tag no longer exists.");
                    p.ok = false;
                    return p;
                }
                p.bookStep = RowPlacement::BookStep::TagsOfSet;
                p.bookStepId = tagSet;
                return p;
            }
            default:
                if (form.builtIn >= 14090 && form.builtIn <= 14097) {
                    select(form.builtIn);
                    s.choiceString = opText(RuleCode::OpContextNumeric);
                    valueText();
                    return p;
                }
                break;
        }
    } else if (form.kind == RuleCode::KindScalarParameter &&
               (form.rhsKind == RuleCode::RhsParameter || form.rhsKind == RuleCode::RhsNumber ||
                form.rhsKind == RuleCode::RhsText)) {
        const bool parameterRHS = form.rhsKind == RuleCode::RhsParameter;
        p.rhsDirectiveForRow = parameterRHS ? RhsDirective::Parameter : RhsDirective::Value;
        submenuOf(SubmenuKey::ScalarParameters, -1, form.name, "Parameter no longer exists.");
        s.rhsDirective = p.rhsDirectiveForRow;
        // value2 holds the type, except for a response parameter compared to a
        // response, where it holds the response: the experiment knows the type.
        int type = ParameterTypeOf(submenuMaps, form.name);
        if (type == -1) type = form.value2;
        s.choiceString = opText(GetStringsContextByParamType(type));
        if (parameterRHS) {
            s.secondChoiceString = form.text;
            return p;
        }
        switch (type) {
            case ParameterType::Timer:
                valueText();
                s.secondChoiceString = form.GetUserInterfaceStringFromTimeUnitCode();
                break;
            case ParameterType::Counter: valueText(); break;
            case ParameterType::Text: s.SetTextFieldContent(form.text); break;
            case ParameterType::Response:
                s.elementIdTwo = form.value == VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined()
                                     ? UNIQUE_ID_FOR_UNDEF_RESPONSES()
                                     : form.value;
                break;
            default: break;
        }
        return p;
    } else if (form.kind == RuleCode::KindTrialLevel) {
        submenuOf(SubmenuKey::TrialLevels, form.value2, wxString(), "Trial level variable no longer exists.");
        s.elementIdTwo = form.value;
        s.choiceString = opText(RuleCode::OpContextIsIsNot);
        p.bookStep = RowPlacement::BookStep::LevelCriteria;
        p.bookStepId = form.value2;
        return p;
    } else if (form.kind == RuleCode::KindCollection) {
        submenuOf(SubmenuKey::CollectionParameters, -1, form.name, "Collection no longer exists.");
        s.collectionFunction.function = form.rhsKind;
        s.collectionFunction.tagId = form.value2;
        s.collectionFunction.correct = form.builtIn != 0;
        s.collectionFunction.doesNotContain = form.HasFlag(COLLFUNC_NOT_CONT);
        s.choiceString = opText(RuleCode::OpContextNumeric);
        valueText();
        return p;
    }
    wxLogError("Unable to display the stored criterion using the current GUI.");
    p.ok = false;
    return p;
}

namespace {

void ApplyPlacement(const RowPlacement& p, RuleComponentRowPanel* row, ChoiceDropdownExtendedMenu* lhsMenu,
                    RuleRowRHSChoiceBookWithHiddenCtrl* book, GUIDataNeededByRulesHelper& rowState)
{
    rowState = p.state;
    if (!p.selectLabel.empty() && lhsMenu) lhsMenu->ChooseTheMenuItemLinkedToThisString(p.selectLabel);
    if (p.rhsDirectiveForRow && row)
        row->SetRHSDirective_OnlyCallThis_if_YourExpressionSupportsTogglingRHS(p.rhsDirectiveForRow);
    if (!book) return;
    switch (p.bookStep) {
        case RowPlacement::BookStep::None: break;
        case RowPlacement::BookStep::CounterLimits: book->AdjustRandomCounterMinMaxText(p.bookStepName, true); break;
        case RowPlacement::BookStep::LevelActions:
            book->RespondToSelectionForLevelBasedActions(p.bookStepId, rowState);
            break;
        case RowPlacement::BookStep::TagsOfSet:
            book->PopulateParticularFineGrainedTagsForGivenTagSet(p.bookStepId);
            break;
        case RowPlacement::BookStep::LevelCriteria:
            book->RespondToSelectionForLevelBasedCriteria(p.bookStepId, rowState);
            break;
    }
}

}  // namespace

void Mappings::PlaceActionFormStateOntoGUI(RuleComponentRowPanel* row, ChoiceDropdownExtendedMenu* lhsMenu,
                                           RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                           GUIDataNeededByRulesHelper& rowState, OrderFormForActionCreation form)
{
    ApplyPlacement(PlacementForActionForm(form), row, lhsMenu, book, rowState);
}

void Mappings::PlaceExpressionFormStateOntoGUI(RuleComponentRowPanel* row, ChoiceDropdownExtendedMenu* lhsMenu,
                                               RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                               GUIDataNeededByRulesHelper& rowState, ExpressionFromGUI expression,
                                               const SubmenuMaps& submenuMaps)
{
    const VTExperiment* experiment = submenuMaps ? submenuMaps->GetExperiment() : nullptr;
    ApplyPlacement(PlacementForExpressionForm(expression, submenuMaps, experiment), row, lhsMenu, book, rowState);
}

}  // namespace Vantrel
