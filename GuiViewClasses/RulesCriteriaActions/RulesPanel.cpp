#include "RulesPanel.h"

#include "CriteriaExpressionPanel.h"
#include "MultipleParentRuleLinkDlg.h"
#include "PanelForActionsRows.h"
#include "SheetDialogObjectNameOrRename.h"

#include <GuiViewClasses/DialogClasses/Interface_MasterVTObjectEditor.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <Resources/BitmapRsrc.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/Dialogs/ModalSheetSupport.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <VTCore/Interface_UsesRules.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTRule.h>
#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/hyperlink.h>
#include <wx/listctrl.h>
#include <wx/log.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(RulesPanel, wxPanel);

wxBEGIN_EVENT_TABLE(RulesPanel, wxPanel)
    EVT_IDLE(RulesPanel::OnIdle)
    EVT_LIST_ITEM_SELECTED(wxID_ANY, RulesPanel::OnSelChange)
    EVT_LIST_ITEM_DESELECTED(wxID_ANY, RulesPanel::OnSelChange)
    EVT_BUTTON(RulesPanel::ID_GEARS, RulesPanel::OnGearsMenuSelection)
    EVT_HYPERLINK(RulesPanel::ID_ARE_MET_LINK, RulesPanel::OnClickExprMetHyperlink)
wxEND_EVENT_TABLE()

namespace {

// Stands for "no rule loaded yet": equals no rule and is not null, so the first
// update always loads.
VTRule* NothingLoadedMarker()
{
    static char marker;
    return reinterpret_cast<VTRule*>(&marker);
}

wxStaticText* HeaderText(wxWindow* parent, const wxString& text, const wxFont& bold)
{
    auto* label = new wxStaticText(parent, wxID_STATIC, text);
    label->SetForegroundColour(wxColour(80, 80, 80));
    label->SetFont(bold);
    return label;
}

}  // namespace

wxString RulesPanel::ARE_MET_TEXT()
{
    static const wxString text = _("are met");
    return text;
}

wxString RulesPanel::ARE_NOT_MET_TEXT()
{
    static const wxString text = _("are not met");
    return text;
}

RulesPanel::RulesPanel() : m_LastLoadedRule(NothingLoadedMarker()) {}

RulesPanel::RulesPanel(Interface_MasterVTObjectEditor* master, int context, wxWindow* parent, int id,
                       const wxPoint& pos, const wxSize& size, long style)
    : m_Master(master), m_Context(context), m_LastLoadedRule(NothingLoadedMarker())
{
    wxPanel::Create(parent, id, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
}

RulesPanel::~RulesPanel() = default;

void RulesPanel::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* poolRow = new wxBoxSizer(wxHORIZONTAL);
    top->Add(poolRow, 0, wxEXPAND);

    m_PoolBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, false);
    poolRow->Add(m_PoolBook, 1, wxEXPAND);

    auto* noRules = new wxPanel(m_PoolBook, ID_NO_RULES_PAGE);
    auto* noRulesGrid = new wxFlexGridSizer(2, 0, 10);
    noRules->SetSizer(noRulesGrid);
    noRulesGrid->Add(new wxStaticBitmap(noRules, wxID_STATIC, GetBitmapResource("icon_rules.png")), 0,
                     wxALIGN_CENTER_VERTICAL);
    auto* noRulesText = new wxStaticText(noRules, wxID_STATIC, _("No rules have\nbeen created yet."));
    noRulesText->SetForegroundColour(wxColour(127, 127, 127));
    wxFont big = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    big.SetPointSize(big.GetPointSize() * 2);
    noRulesText->SetFont(big);
    noRulesGrid->Add(noRulesText, 0, wxALIGN_CENTER_VERTICAL);
    noRulesGrid->Add(5, 5);
    noRulesGrid->Add(new wxStaticText(noRules, wxID_STATIC, _("Click on Edit menu to create your first rule.")));
    m_PoolBook->AddPage(noRules, _("no rules found"));

    auto* rulesPage = new wxPanel(m_PoolBook, ID_RULES_PAGE);
    auto* rulesSizer = new wxBoxSizer(wxVERTICAL);
    rulesPage->SetSizer(rulesSizer);
    m_List = new VTListCtrlCheckableSimple(rulesPage, ID_RULE_LIST, wxDefaultPosition, wxSize(100, 100),
                                           wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
    rulesSizer->Add(m_List, 1, wxEXPAND);
    m_UsageSizer = new wxBoxSizer(wxHORIZONTAL);
    rulesSizer->Add(m_UsageSizer, 0, wxEXPAND);
    m_UsageSizer->AddStretchSpacer();
    m_UsageText = new wxStaticText(rulesPage, wxID_STATIC, _("Rule is used by 4 trials including this one."));
    m_UsageText->SetForegroundColour(wxColour(64, 64, 64));
    m_UsageSizer->Add(m_UsageText, 0, wxALL, 2);
    m_PoolBook->AddPage(rulesPage, _("When rules exist"));
    m_PoolBook->ConcealChoiceControl();

    auto* gearsColumn = new wxBoxSizer(wxVERTICAL);
    poolRow->Add(gearsColumn, 0, wxTOP | wxBOTTOM, 8);
    m_Gears = new DropdownButton(
        &DropdownButton::Kept<&Orbisk::OrbiskImagesArtworkEtc::GetIcon_RoughDraft_Standin_EditGears>, this, ID_GEARS);
    gearsColumn->Add(m_Gears, 0, wxALL, 5);

    m_RuleBook =
        new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_RULE_BOOK, wxDefaultPosition, wxDefaultSize, 0, false);
    top->Add(m_RuleBook, 1, wxEXPAND);
    auto* rulePage = new wxPanel(m_RuleBook, 10082);
    auto* rulePageSizer = new wxBoxSizer(wxVERTICAL);
    rulePage->SetSizer(rulePageSizer);
    m_Scrolled =
        new wxScrolledWindow(rulePage, ID_SCROLLED, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_NONE);
    m_Scrolled->SetScrollRate(0, 1);
    rulePageSizer->Add(m_Scrolled, 1, wxEXPAND);
    m_ScrolledSizer = new wxBoxSizer(wxVERTICAL);
    m_Scrolled->SetSizer(m_ScrolledSizer);

    wxFont bold = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
    m_CriteriaHeaderSizer = new wxBoxSizer(wxHORIZONTAL);
    m_ScrolledSizer->Add(m_CriteriaHeaderSizer, 0, wxEXPAND | wxTOP, 5);
    m_CriteriaHeaderSizer->Add(12, 5);
    m_CriteriaHeaderSizer->Add(HeaderText(m_Scrolled, _("If the following criteria "), bold), 0,
                               wxALIGN_CENTER_VERTICAL);
    m_AreMetLink = new wxHyperlinkCtrl(m_Scrolled, ID_ARE_MET_LINK, ARE_MET_TEXT(), wxEmptyString, wxDefaultPosition,
                                       wxDefaultSize, wxHL_ALIGN_LEFT | wxHL_CONTEXTMENU | wxBORDER_NONE);
    m_AreMetLink->SetNormalColour(wxColour(0, 0, 255));
    m_AreMetLink->SetHoverColour(wxColour(0, 0, 255));
    m_AreMetLink->SetVisitedColour(wxColour(0, 0, 255));
    m_AreMetLink->SetFont(bold);
    m_CriteriaHeaderSizer->Add(m_AreMetLink, 0, wxALIGN_CENTER_VERTICAL);
    m_CriteriaHeaderSizer->Add(HeaderText(m_Scrolled, _(":"), bold), 0, wxALIGN_CENTER_VERTICAL);
    m_Criteria = new CriteriaExpressionPanel(m_Master, m_Context, m_Scrolled, ID_CRITERIA);
    m_ScrolledSizer->Add(m_Criteria, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    auto* actionsHeader = new wxBoxSizer(wxHORIZONTAL);
    m_ScrolledSizer->Add(actionsHeader, 0, wxEXPAND);
    actionsHeader->Add(12, 5);
    actionsHeader->Add(HeaderText(m_Scrolled, _("Perform the following actions:"), bold));
    m_ActionsSizer = new wxBoxSizer(wxVERTICAL);
    m_ScrolledSizer->Add(m_ActionsSizer, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    m_Actions = new PanelForActionsRows(m_Master, m_Context, m_Scrolled, ID_ACTIONS);
    m_ActionsSizer->Add(m_Actions, 0, wxEXPAND);
    m_RuleBook->AddPage(rulePage, _("not used! just a layout trick!"));

    auto* paddingPage = new wxPanel(m_RuleBook, 10253, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN);
    auto* paddingSizer = new wxBoxSizer(wxVERTICAL);
    paddingPage->SetSizer(paddingSizer);
    paddingSizer->Add(new wxStaticText(paddingPage, wxID_STATIC, _("padding")));
    auto* filler = new CriteriaExpressionPanel(m_Master, 999, paddingPage, 10254, wxDefaultPosition, wxDefaultSize,
                                               wxBORDER_SUNKEN);
    paddingSizer->Add(filler, 0, wxEXPAND);
    m_RuleBook->AddPage(paddingPage, _("vantrel NEVER uses this tab"));
    m_RuleBook->ConcealChoiceControl();
    m_RuleBook->ChangeSelection(0);

    m_Criteria->PostDialogBlocksCreationLogic();
    m_Criteria->SetOuterContainer(this);
    m_Actions->PostDialogBlocksCreationLogic();
    m_Actions->SetOuterContainer(this);
    filler->PostDialogBlocksCreationLogic();
    m_List->InitColumns();
    m_List->SetLeftClickObservers([this](long index, bool checked) { RuleWasClicked(index, checked); },
                                  [this](long index) { RuleWasDoubleClicked(index); });
    m_List->RequireSelection(true);

    const wxString parents = m_Context == 4 ? "Trials" : m_Context == 2 ? "Blocks" : "Parents";
    m_MenuIds[MenuCreate] = m_Gears->AddDropdownMenuItem("Create Rule...");
    m_MenuIds[MenuDelete] = m_Gears->AddDropdownMenuItem("Delete Rule");
    m_MenuIds[MenuRename] = m_Gears->AddDropdownMenuItem("Rename Rule...");
    m_MenuIds[MenuMoveUp] = m_Gears->AddDropdownMenuItem("Move Up");
    m_MenuIds[MenuMoveDown] = m_Gears->AddDropdownMenuItem("Move Down");
    m_MenuIds[MenuAttach] = m_Gears->AddDropdownMenuItem(wxString::Format("Attach Rule To Multiple %s...", parents));
}

void RulesPanel::SetCallbackForRuleLinkMutation(boost::function<void(VTRule*, bool)> callback)
{
    m_RuleLinkCallback = std::move(callback);
}

void RulesPanel::ResetPanelWithNewElement(Interface_UsesRules*)
{
    PopulatePoolOfRulesList();
    m_UsageTextStale = true;
    m_Criteria->SetExperiment(m_Master->TheExperiment());
    m_Actions->SetExperiment(m_Master->TheExperiment());
    m_IdleRefreshPending = true;
    m_LastLoadedRule = NothingLoadedMarker();
}

void RulesPanel::PopulatePoolOfRulesList()
{
    m_List->Clear();
    m_PoolRules.clear();
    VTExperiment* experiment = m_Master->TheExperiment();
    Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules();
    int firstAttached = -1;
    VTElementsList& rules = experiment->GetReadOnlyElementsOfType(ElementType::Rule);
    for (size_t i = 0; i < rules.Size(); ++i) {
        auto* rule = dynamic_cast<VTRule*>(rules[i]);
        if (!rule || !((rule->IsUsedWithBlocks() && m_Context == 2) || (!rule->IsUsedWithBlocks() && m_Context == 4)))
            continue;
        const bool attached = temp && temp->UsesRule(rule);
        const long index = m_List->Append(rule->GetName());
        m_PoolRules.push_back(rule);
        m_List->Check(index, attached);
        if (attached && firstAttached < 0) firstAttached = int(index);
    }
    if (firstAttached >= 0)
        m_List->SelectAndShow(firstAttached);
    else if (!m_PoolRules.empty())
        m_List->SelectAndShow(0);
    if (temp) temp->RefreshRuleUse();
    m_PoolBook->ChangeSelection(m_PoolRules.empty() ? 0 : 1);
    DynamicallyAdjustPoolEditMenuItems();
}

void RulesPanel::DynamicallyAdjustPoolEditMenuItems()
{
    m_Gears->EnableItemById(m_MenuIds[MenuCreate], true);
    const int count = int(m_PoolRules.size());
    const int s = m_List->GetSelection();
    const bool any = count > 0;
    m_Gears->EnableItemById(m_MenuIds[MenuMoveDown], any && s + 1 < count);
    m_Gears->EnableItemById(m_MenuIds[MenuMoveUp], any && s >= 1);
    for (int item : {MenuDelete, MenuRename, MenuAttach}) m_Gears->EnableItemById(m_MenuIds[item], any);
}

int RulesPanel::ValidSelection() const
{
    const int s = m_List->GetSelection();
    return s >= 0 && size_t(s) < m_PoolRules.size() ? s : -1;
}

void RulesPanel::EnableRuleChoice(bool enable)
{
    m_List->Enable(enable);
    m_Gears->Enable(enable);
}

void RulesPanel::MarkModified() { m_Master->TheExperiment()->Modify(true); }

void RulesPanel::MakeNameSheetIfNeeded()
{
    if (m_NameSheet) return;
    m_NameSheet = new SheetDialogObjectNameOrRename(wxGetTopLevelParent(this), wxID_ANY, wxEmptyString);
}

void RulesPanel::ShowNameSheet(const wxString& initial, const wxString& note, void (RulesPanel::*onOk)())
{
    MakeNameSheetIfNeeded();
    m_NameSheet->ReinitializeForNextUse(initial, note, [this, onOk] { (this->*onOk)(); });
    m_NameSheet->ShowWindowModal();
}

void RulesPanel::OnGearsMenuSelection(wxCommandEvent& event)
{
    if (!Orbisk::WindowHasVacancyForNewModalSheet(dynamic_cast<wxNonOwnedWindow*>(wxGetTopLevelParent(this)))) {
        wxLogError(_("Cannot process menu selection while child dialog is open."));
        return;
    }
    MakeNameSheetIfNeeded();
    const int id = event.GetInt();
    const int s = ValidSelection();
    if (id == m_MenuIds[MenuCreate]) {
        ShowNameSheet(wxEmptyString, _("Once created, a rule can be used with any trial."),
                      &RulesPanel::OnNewRuleNameOK);
    } else if (id == m_MenuIds[MenuDelete]) {
        if (s < 0) {
            wxLogError(_("Rule deletion failed. No selected rule."));
        } else {
            DeleteThisRule(m_PoolRules[size_t(s)]);
            if (s < m_List->GetCount()) m_List->SelectAndShow(s);
        }
    } else if (id == m_MenuIds[MenuRename]) {
        if (s < 0)
            wxLogError(_("Rename failed. No selected rule."));
        else
            ShowNameSheet(m_PoolRules[size_t(s)]->GetName(), _("Changes made affect all trials using this rule."),
                          &RulesPanel::OnRenameRuleOK);
    } else if (id == m_MenuIds[MenuMoveUp] || id == m_MenuIds[MenuMoveDown]) {
        MoveRuleWithinTheList(id == m_MenuIds[MenuMoveDown]);
    } else if (id == m_MenuIds[MenuAttach]) {
        OnLinkRuleToMultipleParents();
    } else {
        return;
    }
    UpdateDynamicTextIfNecessary();
}

void RulesPanel::OnNewRuleNameOK()
{
    const wxString name = m_NameSheet->GetNameText();
    if (name.empty()) {
        wxLogError(_("Empty name not allowed."));
        return;
    }
    VTExperiment* experiment = m_Master->TheExperiment();
    if (!experiment->CheckElementName_ShowMessageIfDuplicate(ElementType::Rule, name, nullptr)) return;
    VTRule* rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(
        name, experiment, m_Context == 4 ? VTRule::kKindTrials : VTRule::kKindBlocks,
        boost::shared_ptr<const MetaTFPredicate>(), false, false);
    if (!rule) return;
    MarkModified();
    PopulatePoolOfRulesList();
    const long last = long(m_List->GetCount()) - 1;
    m_List->Check(last, true);
    RuleWasClicked(last, true);
    m_List->SelectAndShow(last);
    LoadRuleIntoSubpanels(rule);
    m_LastLoadedRule = rule;
    CommitCurrentEdits();
    m_UsageTextStale = true;
    m_IdleRefreshPending = true;
}

void RulesPanel::OnRenameRuleOK()
{
    if (!m_NameSheet->DidTheTextChangeAtAll()) return;
    const wxString name = m_NameSheet->GetNameText();
    if (name.empty()) {
        wxLogError(_("Empty name not allowed."));
        return;
    }
    const int s = ValidSelection();
    VTRule* rule = s < 0 ? nullptr : m_PoolRules[size_t(s)];
    // The rule itself is no clash: a change of letter case only is a rename.
    if (!m_Master->TheExperiment()->CheckElementName_ShowMessageIfDuplicate(ElementType::Rule, name, rule)) return;
    if (!rule) {
        wxLogError(_("We lost the selected rule index in the midst of a rename."));
        return;
    }
    rule->SetName(name);
    MarkModified();
    m_List->SetItemTextAt(s, name);
    m_UsageTextStale = true;
    m_IdleRefreshPending = true;
}

void RulesPanel::RuleWasDoubleClicked(long index)
{
    if (index < 0 || size_t(index) >= m_PoolRules.size()) {
        wxLogError(_("Click event does not match any known rule from the rules list."));
        return;
    }
    ShowNameSheet(m_PoolRules[size_t(index)]->GetName(), _("Changes made affect all trials using this rule."),
                  &RulesPanel::OnRenameRuleOK);
}

void RulesPanel::DeleteThisRule(VTRule* rule)
{
    // The working copy is no part of the experiment, so the deletion cannot take
    // its link away: it is dropped here first and given back if the deletion is refused.
    Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules();
    const bool held = temp && temp->UsesRule(rule);
    if (held) temp->DetachRule(rule);
    VTDeletionMgr deletion(this, m_Master->TheExperiment(), rule);
    if (!deletion.HandleDeletion(0, true, true)) {
        if (held) temp->AttachRule(rule);
        return;
    }
    m_LastLoadedRule = NothingLoadedMarker();
    m_UsageTextStale = true;
    m_IdleRefreshPending = true;
    PopulatePoolOfRulesList();
    MarkModified();
}

void RulesPanel::MoveRuleWithinTheList(bool down)
{
    const int s = m_List->GetSelection();
    const int t = down ? s + 1 : s - 1;
    const int count = int(m_PoolRules.size());
    if (s < 0 || s >= count || t < 0 || t >= count) {
        wxLogError(_("Problem exchanging rules at positions %d and %d."), s, t);
        return;
    }
    m_Master->TheExperiment()
        ->GetReadOnlyElementsOfType(ElementType::Rule)
        .ExchangeElementsByPointer(m_PoolRules[size_t(s)], m_PoolRules[size_t(t)]);
    PopulatePoolOfRulesList();
    m_List->SelectAndShow(t);
    m_UsageTextStale = true;
    m_IdleRefreshPending = true;
    MarkModified();
}

void RulesPanel::OnLinkRuleToMultipleParents()
{
    const int s = ValidSelection();
    if (s < 0) return;
    VTElementsList& parents =
        m_Master->TheExperiment()->GetReadOnlyElementsOfType(m_Master->TheTempObject()->GetElementType());
    auto* dialog = new MultipleParentRuleLinkDlg(
        &parents, m_PoolRules[size_t(s)], [this] { SortSelfOutAfterLinkingRuleToMultipleParents(); },
        wxGetTopLevelParent(this), MultipleParentRuleLinkDlg::ID_DIALOG,
        m_Context == 2 ? _("Share Rule With Blocks") : _("Share Rule With Trials"));
    dialog->ShowWindowModal();
    dialog->Destroy();
}

void RulesPanel::SortSelfOutAfterLinkingRuleToMultipleParents()
{
    const int s = ValidSelection();
    if (s < 0) {
        wxLogError(_("Unable to determine current focus in list."));
        return;
    }
    VTRule* rule = m_PoolRules[size_t(s)];
    auto* original = dynamic_cast<Interface_UsesRules*>(m_Master->TheOriginalObject());
    Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules();
    if (original && original->UsesRule(rule)) {
        if (temp) temp->AttachRule(rule);
        m_List->Check(s, true);
    } else if (temp && temp->UsesRule(rule)) {
        temp->DetachRule(rule);
        m_List->Check(s, false);
    }
    MarkModified();
    m_UsageTextStale = true;
    UpdateDynamicTextIfNecessary();
    m_List->SelectAndShow(s);
}

void RulesPanel::RuleWasClicked(long index, bool checked)
{
    if (index < 0 || size_t(index) >= m_PoolRules.size()) {
        wxLogError(_("Click event does not match any known rule from the rules list."));
        return;
    }
    VTRule* rule = m_PoolRules[size_t(index)];
    if (m_RuleLinkCallback) m_RuleLinkCallback(rule, checked);
    if (Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules()) {
        if (checked)
            temp->AttachRule(rule);
        else
            temp->DetachRule(rule);
    }
    m_UsageTextStale = true;
    m_IdleRefreshPending = true;
    UpdateDynamicTextIfNecessary();
}

unsigned RulesPanel::GetUsedByCountForRule(const VTRule* rule) const
{
    const VTExperiment* experiment = m_Master->TheExperiment();
    unsigned count = m_Context == 2   ? experiment->HowManyBlocksUseThisRule(rule)
                     : m_Context == 4 ? experiment->HowManyTrialsUseThisRule(rule)
                                      : 0;
    Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules();
    if (temp && temp->UsesRule(rule) && m_Master->IsNewObject()) ++count;
    return count;
}

void RulesPanel::UpdateDynamicTextIfNecessary()
{
    if (!IsShownOnScreen()) return;
    const wxString base = m_Context == 2   ? _("Rule is used by %d block")
                          : m_Context == 4 ? _("Rule is used by %d trial")
                                           : _("CONTEXT ERROR. %d");
    const int s = m_List->GetSelection();
    VTRule* show = nullptr;
    wxString text;
    if (s < 0) {
        if (m_List->GetCount() > 0) {
            Orbisk::HelperFunctionChangeStaticTextIfNew(m_UsageText, m_UsageSizer, nullptr, text, -999);
            return;
        }
    } else if (size_t(s) >= m_PoolRules.size()) {
        text = _("Error.");
    } else {
        show = m_PoolRules[size_t(s)];
        if (int(show->GetID()) == m_LastShownRuleId && !m_UsageTextStale && show == m_LastLoadedRule) return;
        const unsigned count = GetUsedByCountForRule(show);
        text = wxString::Format(base, int(count));
        if (count != 1) text += "s";
        Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules();
        if (temp && temp->UsesRule(show)) {
            if (count == 1)
                text = m_Context == 2   ? _("Rule is used only by this block")
                       : m_Context == 4 ? _("Rule is used only by this trial")
                                        : _("CONTEXT ERROR.");
            else
                text += _(" including this one");
        }
        text += ".";
        m_LastShownRuleId = int(show->GetID());
    }
    Orbisk::HelperFunctionChangeStaticTextIfNew(m_UsageText, m_UsageSizer, nullptr, text, -999);
    if (m_UsageTextStale || show != m_LastLoadedRule) {
        LoadRuleIntoSubpanels(show);
        DynamicallyAdjustPoolEditMenuItems();
    }
    m_UsageTextStale = false;
    m_LastLoadedRule = show;
}

void RulesPanel::LoadRuleIntoSubpanels(VTRule* rule)
{
    if (!rule) {
        m_Criteria->SetMetaPredicate(nullptr, m_Master->TheExperiment(), m_AreMetLink, m_CriteriaHeaderSizer);
        m_Actions->GotoNullState();
        return;
    }
    m_Criteria->SetMetaPredicate(rule->GetCopyOfExpression(), m_Master->TheExperiment(), m_AreMetLink,
                                 m_CriteriaHeaderSizer);
    m_Actions->UseTheseActions(rule->GetOrderFormsToShowActionsInGUI());
}

void RulesPanel::CommitCurrentEdits()
{
    EnableRuleChoice(true);
    const int s = ValidSelection();
    m_Criteria->m_editsBegun = false;
    m_Actions->m_editsBegun = false;
    if (s < 0) {
        // Nothing to write into: the rows go back to what they showed.
        wxLogError(_("Unable to commit expression changes due to invalid rule index."));
        m_Criteria->RevertAll();
        m_Actions->RevertAll();
        return;
    }
    m_Criteria->CommitAll();
    m_Actions->CommitAll();
    VTRule* rule = m_PoolRules[size_t(s)];
    const wxString label = wxString::Format("rule \"%s\"", rule->GetName());
    bool keptStored = false;
    if (auto predicate = m_Criteria->GetMetaPredicate(m_Master->TheExperiment(), label)) {
        rule->SetMetaTFPredicate(predicate);
    } else {
        wxLogError(_("Error. No criteria could be made; the rule keeps its criteria."));
        keptStored = true;
    }
    auto actions = m_Actions->GetActionList(label);
    if (actions && !actions->IsEmpty()) {
        rule->ReplaceActionsWithNewList(actions);
    } else {
        wxLogError(_("Error. Empty action list."));
        keptStored = true;
    }
    MarkModified();
    // What is kept is shown: the rows must not claim what the rule does not hold.
    if (keptStored) LoadRuleIntoSubpanels(rule);
    if (Interface_UsesRules* temp = m_Master->TempCopyObjectUsingRules()) temp->RefreshRuleUse();
}

void RulesPanel::RevertPanelToLastCommittedState()
{
    EnableRuleChoice(true);
    if (m_Criteria->m_reportingEnabled) {
        m_Criteria->m_editsBegun = false;
        m_Criteria->RevertAll();
    }
    if (m_Actions->m_reportingEnabled) {
        m_Actions->m_editsBegun = false;
        m_Actions->RevertAll();
    }
}

void RulesPanel::OnPseudoDestroy()
{
    m_List->Clear();
    m_PoolRules.clear();
    RevertPanelToLastCommittedState();
    m_Criteria->SetMetaPredicate(nullptr, nullptr, m_AreMetLink, m_CriteriaHeaderSizer);
    m_Actions->GotoNullState();
    m_IdleRefreshPending = true;
    m_LastLoadedRule = NothingLoadedMarker();
    m_LastShownRuleId = -1;
}

void RulesPanel::OnPanelRowCountChanged(wxWindow*)
{
    m_ScrolledSizer->Layout();
    m_Scrolled->FitInside();
}

void RulesPanel::OnEntryIntoDirtyState_EditsHaveBegun(wxString)
{
    const int s = ValidSelection();
    const wxString message = s < 0 ? _("Selection anomaly error.")
                                   : wxString::Format(_("Changes made apply to all %d %s using this rule."),
                                                      int(GetUsedByCountForRule(m_PoolRules[size_t(s)])),
                                                      m_Context == 4 ? _("trials") : _("blocks"));
    if (m_Outer) m_Outer->OnEntryIntoDirtyState_EditsHaveBegun(message);
    EnableRuleChoice(false);
}

void RulesPanel::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (!m_Master || !m_Master->IsCurrentlyInteractingWithUser()) return;
    UpdateDynamicTextIfNecessary();
    const bool hasSelection = m_List->GetSelection() >= 0;
    if (!m_IdleRefreshPending && hasSelection == m_HadSelectionAtLastIdle) return;
    if (!hasSelection) {
        m_Criteria->SetMetaPredicate(nullptr, m_Master->TheExperiment(), m_AreMetLink, m_CriteriaHeaderSizer);
        m_Actions->GotoNullState();
    }
    m_Criteria->PlayDeadAllRows(!hasSelection);
    m_Actions->PlayDeadAllRows(!hasSelection);
    m_AreMetLink->Enable(hasSelection);
    m_IdleRefreshPending = false;
    m_HadSelectionAtLastIdle = hasSelection;
}

void RulesPanel::OnSelChange(wxListEvent& event)
{
    event.Skip();
    UpdateDynamicTextIfNecessary();
}

void RulesPanel::OnClickExprMetHyperlink(wxHyperlinkEvent& event)
{
    auto* link = dynamic_cast<wxHyperlinkCtrl*>(event.GetEventObject());
    if (link && link->IsEnabled()) m_Criteria->OnClickHyperlink();
}

wxBitmap RulesPanel::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }
wxIcon RulesPanel::GetIconResource(const wxString&) { return wxNullIcon; }
bool RulesPanel::ShowToolTips() { return true; }

}  // namespace Vantrel
