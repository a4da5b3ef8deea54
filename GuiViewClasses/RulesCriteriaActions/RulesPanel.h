#pragma once
// The "Rules" page of the block and trial editors: the experiment's pool of rules
// of one kind as a checkable list (a check attaches the rule to the element being
// edited), a gears menu to create, delete, rename, move and share rules, and the
// selected rule's criteria and action rows. Rule edits are applied rule by rule
// (the host shows Apply and Cancel while they are open); attaching reaches the
// original element at once through the host's callback.

#include "Interface_OuterContainerForExpressions.h"

#include <boost/function.hpp>
#include <wx/panel.h>

#include <vector>

class DropdownButton;
class SheetDialogObjectNameOrRename;
class wxHyperlinkCtrl;
class wxHyperlinkEvent;
class wxListEvent;
class wxScrolledWindow;
class wxSizer;
class wxStaticText;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class CriteriaExpressionPanel;
class Interface_MasterVTObjectEditor;
class Interface_UsesRules;
class PanelForActionsRows;
class VTListCtrlCheckableSimple;
class VTRule;

class RulesPanel : public wxPanel, public Interface_OuterContainerForExpressions
{
    wxDECLARE_DYNAMIC_CLASS(RulesPanel);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_RULE_LIST = 10079,
        ID_GEARS = 10080,
        ID_RULE_BOOK = 10081,
        ID_SCROLLED = 10086,
        ID_ARE_MET_LINK = 10088,
        ID_CRITERIA = 10093,
        ID_NO_RULES_PAGE = 10109,
        ID_RULES_PAGE = 10111,
        ID_ACTIONS = 10250
    };

    static wxString ARE_MET_TEXT();
    static wxString ARE_NOT_MET_TEXT();

    RulesPanel();
    RulesPanel(Interface_MasterVTObjectEditor* master, int context, wxWindow* parent, int id = wxID_ANY,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxTAB_TRAVERSAL);
    ~RulesPanel() override;

    void SetCallbackForRuleLinkMutation(boost::function<void(VTRule*, bool)> callback);
    void SetOuterContainer(Interface_OuterContainerForExpressions* outer) { m_Outer = outer; }
    void ResetPanelWithNewElement(Interface_UsesRules* element);
    void CommitCurrentEdits();
    void RevertPanelToLastCommittedState();
    void OnPseudoDestroy();

    void OnPanelRowCountChanged(wxWindow* panel) override;
    void OnEntryIntoDirtyState_EditsHaveBegun(wxString message) override;

    // The list's observers.
    void RuleWasClicked(long index, bool checked);
    void RuleWasDoubleClicked(long index);

    unsigned GetUsedByCountForRule(const VTRule* rule) const;
    void UpdateDynamicTextIfNecessary();

    // Read by the hosts and tests.
    VTListCtrlCheckableSimple* GetList() const { return m_List; }
    DropdownButton* GetGears() const { return m_Gears; }
    wxStaticText* GetUsageText() const { return m_UsageText; }
    wxHyperlinkCtrl* GetAreMetLink() const { return m_AreMetLink; }
    CriteriaExpressionPanel* GetCriteriaPanel() const { return m_Criteria; }
    PanelForActionsRows* GetActionsPanel() const { return m_Actions; }
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* GetPoolBook() const { return m_PoolBook; }
    SheetDialogObjectNameOrRename* GetNameSheet() const { return m_NameSheet; }
    const std::vector<VTRule*>& GetPoolRules() const { return m_PoolRules; }
    int MenuId(int which) const { return m_MenuIds[which]; }
    enum MenuItem
    {
        MenuCreate,
        MenuDelete,
        MenuRename,
        MenuMoveUp,
        MenuMoveDown,
        MenuAttach
    };

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

private:
    void CreateControls();
    void PopulatePoolOfRulesList();
    void DynamicallyAdjustPoolEditMenuItems();
    void OnGearsMenuSelection(wxCommandEvent& event);
    void OnNewRuleNameOK();
    void OnRenameRuleOK();
    void DeleteThisRule(VTRule* rule);
    void MoveRuleWithinTheList(bool down);
    void OnLinkRuleToMultipleParents();
    void SortSelfOutAfterLinkingRuleToMultipleParents();
    void LoadRuleIntoSubpanels(VTRule* rule);
    void OnIdle(wxIdleEvent& event);
    void OnSelChange(wxListEvent& event);
    void OnClickExprMetHyperlink(wxHyperlinkEvent& event);
    void MakeNameSheetIfNeeded();
    void ShowNameSheet(const wxString& initial, const wxString& note, void (RulesPanel::*onOk)());
    // The selection when it names a pool rule, else -1.
    int ValidSelection() const;
    void EnableRuleChoice(bool enable);
    void MarkModified();

    Interface_MasterVTObjectEditor* m_Master = nullptr;
    int m_Context = 0;
    std::vector<VTRule*> m_PoolRules;
    int m_LastShownRuleId = -1;
    bool m_UsageTextStale = false;
    int m_MenuIds[6] = {-99, -99, -99, -99, -99, -99};
    boost::function<void(VTRule*, bool)> m_RuleLinkCallback;
    Interface_OuterContainerForExpressions* m_Outer = nullptr;
    bool m_HadSelectionAtLastIdle = false;
    bool m_IdleRefreshPending = true;
    VTRule* m_LastLoadedRule;
    SheetDialogObjectNameOrRename* m_NameSheet = nullptr;

    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_PoolBook = nullptr;
    VTListCtrlCheckableSimple* m_List = nullptr;
    wxStaticText* m_UsageText = nullptr;
    wxSizer* m_UsageSizer = nullptr;
    DropdownButton* m_Gears = nullptr;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_RuleBook = nullptr;
    wxScrolledWindow* m_Scrolled = nullptr;
    wxSizer* m_ScrolledSizer = nullptr;
    wxHyperlinkCtrl* m_AreMetLink = nullptr;
    wxSizer* m_CriteriaHeaderSizer = nullptr;
    CriteriaExpressionPanel* m_Criteria = nullptr;
    PanelForActionsRows* m_Actions = nullptr;
    wxSizer* m_ActionsSizer = nullptr;
};

}  // namespace Vantrel
