#pragma once
// The stateless rule book of a rule row: what a left-side pick asks of the right
// side (operand page, operators, row label, element type), the forms a fresh row
// starts from, and the four conversions between a row's state and the stored
// order forms. The conversions from a row are pure; those onto a row are a pure
// placement (what to select, what the operand book must fill) applied to the row.

#include "GUIDataNeededByRulesHelper.h"

#include <VTCore/OrderFormForActionCreation.h>
#include <VTCore/OrderFormForExpressionCreation.h>

#include <boost/shared_ptr.hpp>
#include <wx/string.h>

#include <functional>
#include <map>

class wxChoice;
class ChoiceDropdownExtendedMenu;

namespace Vantrel {

class RuleComponentRowPanel;
class RuleRowRHSChoiceBookWithHiddenCtrl;
class RulesSubmenusMadnessHelper;
class VTExperiment;

using SubmenuMaps = boost::shared_ptr<const RulesSubmenusMadnessHelper>;

// What showing a stored form on a row amounts to, worked out without windows.
struct RowPlacement
{
    enum class BookStep
    {
        None,
        CounterLimits,  // AdjustRandomCounterMinMaxText(name, true)
        LevelActions,   // RespondToSelectionForLevelBasedActions(id, state)
        TagsOfSet,      // PopulateParticularFineGrainedTagsForGivenTagSet(id)
        LevelCriteria   // RespondToSelectionForLevelBasedCriteria(id, state)
    };

    GUIDataNeededByRulesHelper state;
    wxString selectLabel;        // the left-side item to select; empty: none
    int rhsDirectiveForRow = 0;  // 881/882: the row's right side is set so; 0 untouched
    BookStep bookStep = BookStep::None;
    int bookStepId = -1;
    wxString bookStepName;
    bool ok = true;  // false: an error was logged and the placement stopped there
};

class RulesHelperMappingsFromLeftSideToRightSideAndMore
{
public:
    static int UNIQUE_ID_FOR_UNDEF_RESPONSES() { return -2; }

    // ---- Left-side picks.
    static boost::shared_ptr<RulesSubmenusMadnessHelper> GetExtendedMenu(VTExperiment* experiment, int context,
                                                                         bool isAction);
    static bool TheIdBelongsToTagsSubmenu(int id);
    static bool TheIdBelongsToTrialLevelSubmenu(int id);
    static bool TheIdBelongsToScalarParameterSubmenu(int id);
    static bool TheIdBelongsToCollParameterSubmenu(int id);
    static int GetElementTypeFromSubmenuId(int id);
    // The row label of a submenu pick ("Tag \"%s\"" ...); empty for other ids.
    static wxString SubmenuLabel(int submenuId, const wxString& name);
    static bool TheIdBelongsToSomeSubmenu(const wxString& name, int submenuId, GUIDataNeededByRulesHelper& rowState,
                                          RuleComponentRowPanel* row, RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                          const SubmenuMaps& submenuMaps, wxString& label, bool populateOnly);

    // ---- Operator fillers.
    static void PrepareChoiceControl_EqGtLt(wxChoice* choice);
    static void PrepareChoiceControl_GtLt(wxChoice* choice);
    static void PrepareChoiceControl_IsIsNot(wxChoice* choice);
    static void PrepareChoiceControl_SetNotSet(wxChoice* choice);
    static void PrepareChoiceControl_StringFunc(wxChoice* choice);
    using OperatorFiller = void (*)(wxChoice*);
    // The filler for a parameter type's comparisons; null for other types.
    static OperatorFiller FillerForParameterType(int parameterType);

    // ---- Pages.
    static void ResetRowToDefaultStartingState(ChoiceDropdownExtendedMenu* lhsMenu,
                                               RuleRowRHSChoiceBookWithHiddenCtrl* book, bool isAction,
                                               bool isFirstRow);
    static void ChooseBookPanelByMenuId(RuleRowRHSChoiceBookWithHiddenCtrl* book, int menuId, bool isAction);
    static void ChooseBookPanelByMenuIdAndSubmenuId(RuleRowRHSChoiceBookWithHiddenCtrl* book, int menuId, bool isAction,
                                                    int submenuId, bool parameterRHS, const SubmenuMaps& submenuMaps);
    using PageMap = std::function<const std::map<int, unsigned long>&()>;
    static void SetBookPanelByMenuId(RuleRowRHSChoiceBookWithHiddenCtrl* book, int menuId, int submenuId,
                                     const SubmenuMaps& submenuMaps, const PageMap& pageMap, bool parameterRHS);
    // The page a pick shows, without touching a book (the book steps it implies are
    // left to SetBookPanelByMenuId). 99999 for a menu id without a page.
    static int PageForPick(int menuId, int submenuId, int scalarParameterType, const PageMap& pageMap,
                           bool parameterRHS);
    static int GetPageIndexForParameterLHS(int parameterType, const wxString& parameterName, bool parameterRHS,
                                           RuleRowRHSChoiceBookWithHiddenCtrl* book);

    // ---- Fresh rows.
    static const ExpressionFromGUI& GetFormForExpressionRowDefaults(bool isFirstRow);
    static const OrderFormForActionCreation& GetFormForActionRowDefaults();

    // ---- Row state <-> forms.
    static void PlaceRowGUIStateOntoThisActionForm(int menuId, GUIDataNeededByRulesHelper rowState,
                                                   OrderFormForActionCreation& form);
    static void PlaceRowGUIStateOntoThisExpressionForm(int menuId, GUIDataNeededByRulesHelper rowState,
                                                       ExpressionFromGUI& expression, int context,
                                                       const SubmenuMaps& submenuMaps);
    static RowPlacement PlacementForActionForm(const OrderFormForActionCreation& form);
    static RowPlacement PlacementForExpressionForm(const ExpressionFromGUI& expression, const SubmenuMaps& submenuMaps,
                                                   const VTExperiment* experiment);
    static void PlaceActionFormStateOntoGUI(RuleComponentRowPanel* row, ChoiceDropdownExtendedMenu* lhsMenu,
                                            RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                            GUIDataNeededByRulesHelper& rowState, OrderFormForActionCreation form);
    static void PlaceExpressionFormStateOntoGUI(RuleComponentRowPanel* row, ChoiceDropdownExtendedMenu* lhsMenu,
                                                RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                                GUIDataNeededByRulesHelper& rowState, ExpressionFromGUI expression,
                                                const SubmenuMaps& submenuMaps);
};

}  // namespace Vantrel
