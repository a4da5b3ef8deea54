// The left-side picks, operator fillers, page choice and fresh-row forms of the
// rule rows.

#include "RulesHelperMappings.h"

#include "RuleComponentRowPanel.h"
#include "RuleMenuTables.h"
#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RuleSubmenus.h"
#include "RulesSubmenusMadnessHelper.h"

#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTExperiment.h>

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>

#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <initializer_list>

namespace Vantrel {

namespace {

bool InSubmenuRange(int id, int first)
{
    if (id < 0) {
        wxLogError("Negative menu id not allowed.");
        return false;
    }
    return id >= first && id < first + SubmenuFirstId::Capacity;
}

// The operator texts of the operator table for these ids, in this order.
void FillOperators(wxChoice* choice, std::initializer_list<int> operatorIds)
{
    if (!choice) return;
    const wxString prior = ExperimentContentGuiHelpers::PriorChoicePreservationHelper(choice);
    choice->Clear();
    for (int id : operatorIds) choice->Append(GetCompText(id));
    ExperimentContentGuiHelpers::SelectionRestorationHelper(choice, prior);
}

// The value right side's page of the parameter actions whose operand may be a parameter.
int ParameterRhsPageForAction(int menuId)
{
    switch (menuId) {
        case 15005: return 31;
        case 15006: return 32;
        case 15008: return 33;
        case 15009: return 34;
        case 15010: return 35;
        default: return -1;
    }
}

constexpr int kNoPage = 99999;

}  // namespace

boost::shared_ptr<RulesSubmenusMadnessHelper>
RulesHelperMappingsFromLeftSideToRightSideAndMore::GetExtendedMenu(VTExperiment* experiment, int context, bool isAction)
{
    return GetMenuForContext(experiment, context,
                             isAction ? GLOBAL_VECTOR_ACTIONS_MENU_INFOS() : GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
}

bool RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToTagsSubmenu(int id)
{
    return InSubmenuRange(id, SubmenuFirstId::TagSets);
}
bool RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToTrialLevelSubmenu(int id)
{
    return InSubmenuRange(id, SubmenuFirstId::TrialLevels);
}
bool RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToScalarParameterSubmenu(int id)
{
    return InSubmenuRange(id, SubmenuFirstId::ScalarParameters);
}
bool RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToCollParameterSubmenu(int id)
{
    return InSubmenuRange(id, SubmenuFirstId::CollectionParameters);
}

int RulesHelperMappingsFromLeftSideToRightSideAndMore::GetElementTypeFromSubmenuId(int id)
{
    if (id < 1) return -1;
    if (TheIdBelongsToTagsSubmenu(id)) return SubmenuKey::TagSets;
    if (TheIdBelongsToScalarParameterSubmenu(id)) return SubmenuKey::ScalarParameters;
    if (TheIdBelongsToCollParameterSubmenu(id)) return SubmenuKey::CollectionParameters;
    if (TheIdBelongsToTrialLevelSubmenu(id)) return SubmenuKey::TrialLevels;
    return -1;
}

wxString RulesHelperMappingsFromLeftSideToRightSideAndMore::SubmenuLabel(int submenuId, const wxString& name)
{
    switch (GetElementTypeFromSubmenuId(submenuId)) {
        case SubmenuKey::TagSets: return wxString::Format(_("Tag \"%s\""), name);
        case SubmenuKey::TrialLevels: return wxString::Format(_("Level \"%s\""), name);
        case SubmenuKey::ScalarParameters: return wxString::Format(_("Parameter \"%s\""), name);
        case SubmenuKey::CollectionParameters: return wxString::Format(_("Collection \"%s\""), name);
        default: return wxString();
    }
}

bool RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToSomeSubmenu(
    const wxString& name, int submenuId, GUIDataNeededByRulesHelper& rowState, RuleComponentRowPanel* row,
    RuleRowRHSChoiceBookWithHiddenCtrl* book, const SubmenuMaps& submenuMaps, wxString& label, bool populateOnly)
{
    bool result = false;
    bool allowsParameter = LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(submenuId);
    if (submenuId > 0) {
        const int type = GetElementTypeFromSubmenuId(submenuId);
        label = SubmenuLabel(submenuId, name);
        result = type != -1;
        if (type == SubmenuKey::TagSets && submenuMaps && book) {
            const int tagSet = submenuMaps->ElemIdByTypeAndSubmenuId(SubmenuKey::TagSets, submenuId);
            if (populateOnly)
                book->PopulateParticularFineGrainedTagsForGivenTagSet(tagSet);
            else
                book->RespondToSelectionForTagBasedCriteria(tagSet, rowState);
        } else if (type == SubmenuKey::ScalarParameters) {
            allowsParameter = true;
        } else if (type == SubmenuKey::TrialLevels && submenuMaps && book) {
            const int trialLevel = submenuMaps->ElemIdByTypeAndSubmenuId(SubmenuKey::TrialLevels, submenuId);
            rowState.submenuId = submenuId;
            book->RespondToSelectionForLevelBasedCriteria(trialLevel, rowState);
        }
    }
    if (row) row->ConfigureTheRowsInsertionMenu(allowsParameter);
    return result;
}

void RulesHelperMappingsFromLeftSideToRightSideAndMore::PrepareChoiceControl_EqGtLt(wxChoice* choice)
{
    FillOperators(choice, {2, 4, 3});
}
void RulesHelperMappingsFromLeftSideToRightSideAndMore::PrepareChoiceControl_GtLt(wxChoice* choice)
{
    FillOperators(choice, {4, 3});
}
void RulesHelperMappingsFromLeftSideToRightSideAndMore::PrepareChoiceControl_IsIsNot(wxChoice* choice)
{
    FillOperators(choice, {0, 1});
}
void RulesHelperMappingsFromLeftSideToRightSideAndMore::PrepareChoiceControl_SetNotSet(wxChoice* choice)
{
    FillOperators(choice, {12, 13});
}
void RulesHelperMappingsFromLeftSideToRightSideAndMore::PrepareChoiceControl_StringFunc(wxChoice* choice)
{
    FillOperators(choice, {6, 7, 8, 9, 10, 11});
}

RulesHelperMappingsFromLeftSideToRightSideAndMore::OperatorFiller
RulesHelperMappingsFromLeftSideToRightSideAndMore::FillerForParameterType(int parameterType)
{
    switch (parameterType) {
        case ParameterType::Timer: return PrepareChoiceControl_GtLt;
        case ParameterType::Counter: return PrepareChoiceControl_EqGtLt;
        case ParameterType::Response: return PrepareChoiceControl_IsIsNot;
        case ParameterType::Text: return PrepareChoiceControl_StringFunc;
        default: return nullptr;
    }
}

void RulesHelperMappingsFromLeftSideToRightSideAndMore::ResetRowToDefaultStartingState(
    ChoiceDropdownExtendedMenu* lhsMenu, RuleRowRHSChoiceBookWithHiddenCtrl* book, bool isAction, bool isFirstRow)
{
    const int menuId = isAction ? 15001 : isFirstRow ? 13091 : 14101;
    if (!isAction && !isFirstRow && book) book->SetHelpTextById(menuId);
    if (lhsMenu)
        lhsMenu->ChooseTheMenuItemLinkedToThisString(isAction ? FindActionMenuLabelByMenuId(menuId)
                                                              : FindExpressionMenuLabelByMenuId(menuId));
    ChooseBookPanelByMenuId(book, menuId, isAction);
}

void RulesHelperMappingsFromLeftSideToRightSideAndMore::ChooseBookPanelByMenuId(
    RuleRowRHSChoiceBookWithHiddenCtrl* book, int menuId, bool isAction)
{
    ChooseBookPanelByMenuIdAndSubmenuId(book, menuId, isAction, -1, false, SubmenuMaps());
}

void RulesHelperMappingsFromLeftSideToRightSideAndMore::ChooseBookPanelByMenuIdAndSubmenuId(
    RuleRowRHSChoiceBookWithHiddenCtrl* book, int menuId, bool isAction, int submenuId, bool parameterRHS,
    const SubmenuMaps& submenuMaps)
{
    SetBookPanelByMenuId(book, menuId, submenuId, submenuMaps,
                         isAction ? MapActionMenuToBookPage : MapExprMenuToBookPage, parameterRHS);
}

int RulesHelperMappingsFromLeftSideToRightSideAndMore::PageForPick(int menuId, int submenuId, int scalarParameterType,
                                                                   const PageMap& pageMap, bool parameterRHS)
{
    if (submenuId > 0) {
        switch (GetElementTypeFromSubmenuId(submenuId)) {
            case SubmenuKey::TagSets: return 6;
            case SubmenuKey::TrialLevels: return 7;
            case SubmenuKey::CollectionParameters: return 30;
            case SubmenuKey::ScalarParameters:
                if (parameterRHS) return 0;
                switch (scalarParameterType) {
                    case ParameterType::Timer: return 3;
                    case ParameterType::Counter: return 2;
                    case ParameterType::Response: return 29;
                    case ParameterType::Text: return 5;
                    default: return 1;
                }
            default: break;
        }
    }
    if (parameterRHS) {
        const int page = ParameterRhsPageForAction(menuId);
        if (page >= 0) return page;
        if (menuId == 13093) return 0;
    }
    const std::map<int, unsigned long>& map = pageMap();
    const auto found = map.find(menuId);
    return found == map.end() ? kNoPage : int(found->second);
}

void RulesHelperMappingsFromLeftSideToRightSideAndMore::SetBookPanelByMenuId(RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                                                             int menuId, int submenuId,
                                                                             const SubmenuMaps& submenuMaps,
                                                                             const PageMap& pageMap, bool parameterRHS)
{
    if (!book) return;
    int page = -1;
    if (submenuId > 0 && TheIdBelongsToScalarParameterSubmenu(submenuId) && submenuMaps) {
        const wxString name = submenuMaps->ElNameByMenuId(submenuId);
        const VTExperiment* experiment = submenuMaps->GetExperiment();
        const int type =
            experiment && experiment->GetParameters() ? experiment->GetParameters()->GetParamTypeByParamName(name) : -1;
        page = GetPageIndexForParameterLHS(type, name, parameterRHS, book);
        if (type == ParameterType::Counter) book->AdjustRandomCounterMinMaxText(name, true);
    } else {
        page = PageForPick(menuId, submenuId, -1, pageMap, parameterRHS);
        if (menuId == 13093 && parameterRHS && page == 0) book->AdjustParamRHS(ParameterType::Text, wxString());
    }
    book->AdjustHyperlinkForPage(menuId, page, submenuId);
    book->SetSelection(size_t(page));
}

int RulesHelperMappingsFromLeftSideToRightSideAndMore::GetPageIndexForParameterLHS(
    int parameterType, const wxString& parameterName, bool parameterRHS, RuleRowRHSChoiceBookWithHiddenCtrl* book)
{
    if (parameterRHS) {
        if (book) book->AdjustParamRHS(parameterType, parameterName);
        return 0;
    }
    switch (parameterType) {
        case ParameterType::Timer:
            if (book) book->SetVisibilityForSecondsMinutesChoiceDropdown(true);
            return 3;
        case ParameterType::Counter: return 2;
        case ParameterType::Response: return 29;
        case ParameterType::Text: return 5;
        default:
            wxLogError("Cannot locate a right-side panel for the given parameter type. Please cancel all edits.");
            return 1;
    }
}

const ExpressionFromGUI&
RulesHelperMappingsFromLeftSideToRightSideAndMore::GetFormForExpressionRowDefaults(bool isFirstRow)
{
    static ExpressionFromGUI form;
    form.ResetDefaults();
    form.isAnd = true;
    if (isFirstRow) {
        form.kind = RuleCode::KindAlways;
    } else {
        form.kind = RuleCode::KindBuiltIn;
        form.value = 0;
        form.operatorInContext = 0;
        form.builtIn = RuleCode::BuiltInTimeSinceBlockStart;
        form.RemoveAnyTimeUnitStrings();
        form.flagText += TIMEUNITS_MILLIS;
    }
    return form;
}

const OrderFormForActionCreation& RulesHelperMappingsFromLeftSideToRightSideAndMore::GetFormForActionRowDefaults()
{
    static OrderFormForActionCreation form;
    form.ResetDefaults();
    form.actionType = RuleCode::ActionParameter;
    form.parameterName.clear();
    int type = -1, operation = -1;
    GetParameterEnums(15001, GLOBAL_VECTOR_ACTIONS_MENU_INFOS(), &type, &operation);
    form.parameterType = type;
    form.operation = operation;
    return form;
}

}  // namespace Vantrel
