#pragma once
// One line of a rule editor: a criterion (joiner, left side, operator and operand)
// or an action (left side and operand), with a gear menu to add, duplicate and
// delete rows and to switch the operand between a typed value and a parameter.
// What the user picks is kept in the row state, which becomes an order form on
// commit; a stored form is shown again through the same state.

#include "GUIDataNeededByRulesHelper.h"
#include "RulesHelperMappings.h"

#include <VTCore/OrderFormForActionCreation.h>
#include <VTCore/OrderFormForExpressionCreation.h>

#include <boost/shared_ptr.hpp>
#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>

class ChoiceDropdownExtendedMenu;
class DropdownButton;
class wxHyperlinkCtrl;
class wxHyperlinkEvent;
class wxColourPickerEvent;
class wxSizer;
class wxStaticText;
class wxTextCtrl;
namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class Interface_MultiRowManager;
class RuleRowRHSChoiceBookWithHiddenCtrl;
class RulesSubmenusMadnessHelper;
class VTExperiment;

class RuleComponentRowPanel : public wxPanel
{
public:
    static constexpr int kAndOrLinkId = 10101;
    static constexpr int kLeftSideId = 10105;
    static constexpr int kOperandBookId = 10106;
    static constexpr int kRowMenuId = 10244;

    RuleComponentRowPanel();
    RuleComponentRowPanel(Interface_MultiRowManager* manager, int editingContext, bool isActionRow, wxWindow* parent,
                          int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                          long style = wxTAB_TRAVERSAL | wxNO_BORDER);
    ~RuleComponentRowPanel() override;

    void LastChanceToDoDelayedSetup(VTExperiment* experiment);
    void RepopulateAllShownDropDowns(VTExperiment* experiment);
    void SetupExtendedChoiceMenus();
    void ResetToDefaultState();
    void ReactToLatestLeftHandID(int menuId, bool silently);
    int GetIdOfSelectedLHS() const;

    void SetLabelTo_And();
    void SetLabelTo_Or();
    void HideThe_AndOr();
    void PlayDead(bool dead);
    void ConfigureTheRowsInsertionMenu(bool withToggle);
    void SetRHSDirective_OnlyCallThis_if_YourExpressionSupportsTogglingRHS(int directive);

    void PlaceRowGUIStateOntoThisForm(OrderFormForActionCreation& form) const;
    void PlaceRowGUIStateOntoThisForm(ExpressionFromGUI& form) const;
    void PlaceFormStateOntoGUI(const OrderFormForActionCreation& form);
    void PlaceFormStateOntoGUI(const ExpressionFromGUI& form);
    void FillThisFormWithActionFormDefaults(OrderFormForActionCreation& form) const;
    void FillThisFormWithExpressionFormDefaults(ExpressionFromGUI& form) const;
    void ForceReportChanges();

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }

    // For the panel that holds the row and for tests.
    bool IsActionRow() const { return m_isActionRow; }
    bool DelayedSetupPending() const { return m_delayedSetupPending; }
    bool ParameterOnRightSide() const { return m_parameterOnRightSide; }
    const GUIDataNeededByRulesHelper& RowState() const { return *m_rowState; }
    ChoiceDropdownExtendedMenu* LeftSide() const { return m_leftSide; }
    RuleRowRHSChoiceBookWithHiddenCtrl* OperandBook() const { return m_operandBook; }
    DropdownButton* RowMenuButton() const { return m_rowMenu; }
    wxHyperlinkCtrl* AndOrLink() const { return m_andOrLink; }
    wxStaticText* ActionJoiner() const { return m_actionJoiner; }
    int AddId() const { return m_addId; }
    int DuplicateId() const { return m_duplicateId; }
    int DeleteId() const { return m_deleteId; }
    int ToggleId() const { return m_toggleId; }

    void OnClickAndOr(wxHyperlinkEvent& event);
    void On_LHS_DropdownSelection_DO_NOT_HIJACK_READ_COMMENTS(wxCommandEvent& event);
    void OnRowMenuButton(wxCommandEvent& event);
    void OnBGColorChange(wxColourPickerEvent& event);
    void OnChoiceEventNoClientDataJustString(wxCommandEvent& event);
    void OnChoice_2_EventNoClientDataJustString(wxCommandEvent& event);
    void OnChoiceElementOne(wxCommandEvent& event);
    void OnChoiceElementTwo(wxCommandEvent& event);
    void OnChoiceTrialLevelSetting(wxCommandEvent& event);
    void OnChoiceTrialLevelExprComparand(wxCommandEvent& event);
    void OnNumericText(wxCommandEvent& event);
    void OnAlphabeticText(wxCommandEvent& event);

private:
    void CreateControls();
    void Report();
    void FollowUpTasksAfterPuttingFormOntoGUI();
    static int ClientDataOf(const wxCommandEvent& event);
    // The text control that sent the event; null (logged) for anything else.
    static wxTextCtrl* TextSource(const wxCommandEvent& event);

    Interface_MultiRowManager* m_manager = nullptr;
    int m_editingContext = -1;
    bool m_isActionRow = false;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_andOrBook = nullptr;
    wxHyperlinkCtrl* m_andOrLink = nullptr;
    wxStaticText* m_actionJoiner = nullptr;
    ChoiceDropdownExtendedMenu* m_leftSide = nullptr;
    RuleRowRHSChoiceBookWithHiddenCtrl* m_operandBook = nullptr;
    DropdownButton* m_rowMenu = nullptr;
    wxSizer* m_linkPageSizer = nullptr;
    wxSizer* m_joinerPageSizer = nullptr;
    wxSizer* m_middleSizer = nullptr;
    boost::shared_ptr<GUIDataNeededByRulesHelper> m_rowState;
    VTExperiment* m_experiment = nullptr;
    boost::shared_ptr<const RulesSubmenusMadnessHelper> m_submenus;
    bool m_delayedSetupPending = true;
    bool m_parameterOnRightSide = false;
    int m_addId = -999, m_duplicateId = -999, m_deleteId = -999, m_toggleId = -999;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(RuleComponentRowPanel);
};

}  // namespace Vantrel
