#include "BlockTrialEditorFrame.h"

#include <GuiViewClasses/MiscGui/BTEDlgHeadingPanelWithNote.h>
#include <GuiViewClasses/RulesCriteriaActions/CriteriaExpressionPanel.h>
#include <GuiViewClasses/RulesCriteriaActions/RuleSheets.h>
#include <GuiViewClasses/RulesCriteriaActions/RulesPanel.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTTrial.h>

#include <wx/button.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace Vantrel {

void BlockTrialFrameParts::Build(wxDialog* dialog, Interface_MasterVTObjectEditor* master,
                                 Interface_OuterContainerForExpressions* outer, const FrameLook& look,
                                 const AddPages& addPages, const AddPages& addPagesAfterRules)
{
    // The rule rows' operand pages open the trial-subset and collection sheets
    // through openers that must be in place before the first row is built.
    static const bool sheetsInstalled = [] {
        InstallRuleSheets();
        return true;
    }();
    (void)sheetsInstalled;
    m_Look = &look;
    auto* top = new wxBoxSizer(wxVERTICAL);
    dialog->SetSizer(top);
    m_Heading = new BTEDlgHeadingPanelWithNote(look.kindWord, look.headingKind, dialog, master, look.headingId);
    top->Add(m_Heading, 0, wxEXPAND | wxALL, 5);
    m_Notebook = new wxNotebook(dialog, look.notebookId);
    top->Add(m_Notebook, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);

    // "When to Present".
    auto* when = new wxPanel(m_Notebook, wxID_ANY);
    auto* whenSizer = new wxBoxSizer(wxVERTICAL);
    when->SetSizer(whenSizer);
    m_Always = new wxRadioButton(when, look.alwaysId, wxGetTranslation(look.always), wxDefaultPosition, wxDefaultSize,
                                 wxRB_GROUP);
    whenSizer->Add(m_Always, 0, wxALL, 8);
    m_OnlyIfSizer = new wxBoxSizer(wxHORIZONTAL);
    whenSizer->Add(m_OnlyIfSizer, 0, wxLEFT | wxRIGHT, 8);
    m_OnlyIf = new wxRadioButton(when, look.onlyIfId, wxGetTranslation(look.onlyIf));
    m_OnlyIfSizer->Add(m_OnlyIf, 0, wxALIGN_CENTER_VERTICAL);
    m_AreMet = new wxHyperlinkCtrl(when, look.linkId, RulesPanel::ARE_MET_TEXT(), wxEmptyString);
    m_AreMet->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
    m_AreMet->SetNormalColour(wxColour(0, 0, 255));
    m_AreMet->SetVisitedColour(wxColour(0, 0, 255));
    m_AreMet->SetHoverColour(wxColour(0, 0, 255));
    m_OnlyIfSizer->Add(m_AreMet, 0, wxALIGN_CENTER_VERTICAL);
    m_OnlyIfSizer->Add(new wxStaticText(when, wxID_STATIC, ":"), 0, wxALIGN_CENTER_VERTICAL);
    m_CriteriaScroller = new wxScrolledWindow(when, look.scrollerId, wxDefaultPosition, wxSize(-1, 200), wxVSCROLL);
    m_CriteriaScroller->SetScrollRate(1, 1);
    m_CriteriaScroller->SetSizer(new wxBoxSizer(wxVERTICAL));
    whenSizer->Add(m_CriteriaScroller, 1, wxEXPAND | wxALL, 8);
    m_Notebook->AddPage(when, _("When to Present"));

    if (addPages) addPages(m_Notebook);

    m_Rules = new RulesPanel(master, look.rulesContext, m_Notebook, look.rulesId);
    m_Notebook->AddPage(m_Rules, _("Rules"));
    if (addPagesAfterRules) addPagesAfterRules(m_Notebook);

    // The criteria rows, built once the pages exist.
    auto* grey = new wxPanel(m_CriteriaScroller, wxID_ANY);
    grey->SetBackgroundColour(wxColour(200, 200, 200));
    grey->SetSizer(new wxBoxSizer(wxVERTICAL));
    m_Criteria = new CriteriaExpressionPanel(master, look.criteriaContext, grey);
    m_Criteria->SetBackgroundColour(wxColour(230, 239, 247));
    grey->GetSizer()->Add(m_Criteria, 0, wxEXPAND | wxALL, 1);
    m_CriteriaScroller->GetSizer()->Add(grey, 0, wxEXPAND);
    m_Criteria->PostDialogBlocksCreationLogic();
    m_Criteria->SetOuterContainer(outer);
    m_Rules->SetOuterContainer(outer);

    // The bottom bar.
    m_BottomBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(dialog, look.bottomBookId, wxDefaultPosition,
                                                              wxDefaultSize, 0, false);
    top->Add(m_BottomBook, 0, wxEXPAND | wxALL, 5);
    auto* normal = new wxPanel(m_BottomBook, wxID_ANY);
    m_NavSizer = new wxBoxSizer(wxHORIZONTAL);
    normal->SetSizer(m_NavSizer);
    m_Prev = new wxButton(normal, look.prevId, _("<< OK, Prev"));
    m_Cancel = new wxButton(normal, wxID_CANCEL, _("Cancel"));
    m_OK = new wxButton(normal, wxID_OK, _("OK"));
    m_Next = new wxButton(normal, look.nextId, _("OK, Next >>"));
    m_NavSizer->Add(m_Prev, 0, wxALL, 5);
    m_NavSizer->AddStretchSpacer();
    m_NavSizer->Add(m_Cancel, 0, wxALL, 5);
    m_NavSizer->Add(m_OK, 0, wxALL, 5);
    m_NavSizer->AddStretchSpacer();
    m_NavSizer->Add(m_Next, 0, wxALL, 5);
    m_OK->SetDefault();
    m_BottomBook->AddPage(normal, _("Dialog's OK / Cancel"));
    m_RulePanel = new wxPanel(m_BottomBook, look.rulePanelId, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    m_RulePanel->SetBackgroundColour(wxColour(255, 255, 223));
    auto* ruleSizer = new wxBoxSizer(wxHORIZONTAL);
    m_RulePanel->SetSizer(ruleSizer);
    m_RuleLabel = new wxStaticText(m_RulePanel, look.ruleLabelId, "Changes will... blablabla (text chosen in CODE)");
    m_RuleLabel->SetForegroundColour(wxColour(64, 64, 64));
    ruleSizer->Add(m_RuleLabel, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_CancelRules = new wxButton(m_RulePanel, look.cancelRulesId, _("Cancel Rule Changes"));
    m_Apply = new wxButton(m_RulePanel, look.applyId, _("Apply"));
    ruleSizer->Add(m_CancelRules, 0, wxALL, 5);
    ruleSizer->Add(m_Apply, 0, wxALL, 5);
    m_BottomBook->AddPage(m_RulePanel, _("Rule Editing OK / Cancel"));
    m_BottomBook->ConcealChoiceControl();
    m_BottomBook->ChangeSelection(0);
    m_RuleLabel->SetLabel(wxEmptyString);
}

wxTextCtrl* BlockTrialFrameParts::HeadingName() const { return m_Heading->GetNameCtrl(); }

void BlockTrialFrameParts::InitialHeading_BLK_TRL(const wxString& name, const wxString& note)
{
    m_Heading->InitialHeadingSetup(name, note);
    m_Heading->SetFocus();
}

void BlockTrialFrameParts::SetRuleLinkCallback(std::function<void(VTRule*, bool)> callback)
{
    m_Rules->SetCallbackForRuleLinkMutation(std::move(callback));
}

void BlockTrialFrameParts::SetCountFunctors(std::function<wxString()> children, bool childrenAreTrials,
                                            std::function<wxString()> rules)
{
    m_Heading->SetNumChildrenFunctor(std::move(children), childrenAreTrials);
    m_Heading->SetNumRulesFunctor(std::move(rules));
}

void BlockTrialFrameParts::SetFlagFunctors(std::function<bool()> random, std::function<bool()> looping,
                                           std::function<bool()> tags)
{
    m_Heading->SetHasRandomFunctor(std::move(random));
    if (looping) m_Heading->SetHasLoopingFunctor(std::move(looping));
    if (tags) m_Heading->SetHasTagsFunctor(std::move(tags));
}

void BlockTrialFrameParts::WriteNote(VTBlock& block) { m_Heading->UsePanelStateToMutateActualGivenBlock(block); }
void BlockTrialFrameParts::WriteNote(VTTrial& trial) { m_Heading->UsePanelStateToMutateActualGivenTrial(trial); }

void BlockTrialFrameParts::OnChangeWhenToRun_BLK_TRL()
{
    if (m_Always->GetValue()) {
        m_Criteria->PlayDeadAllRows(true);
    } else if (m_OnlyIf->GetValue()) {
        m_Criteria->PlayDeadAllRows(false);
    } else {
        wxLogError(_("Neither of the two expected values for when-to-run were detected."));
        m_Criteria->PlayDeadAllRows(false);
    }
}

void BlockTrialFrameParts::OnClickWTPHyperlink_BLK_TRL()
{
    m_Criteria->OnClickHyperlink();
    m_OnlyIf->SetValue(true);
    OnChangeWhenToRun_BLK_TRL();
}

void BlockTrialFrameParts::OnEntryIntoDirtyState_BLK_TRL(const wxString& text)
{
    m_RuleLabel->SetLabel(text);
    m_RulePanel->GetSizer()->Layout();
    m_BottomBook->ChangeSelection(1);
    m_OK->Disable();
    m_Apply->Enable();
    m_Apply->SetDefault();
}

void BlockTrialFrameParts::MakeDialogBeUsingTheNormalOKPanel_BLK_TRL(bool okAllowed)
{
    m_BottomBook->ChangeSelection(0);
    m_Apply->Disable();
    m_OK->Enable(okAllowed);
    m_OK->SetDefault();
}

void BlockTrialFrameParts::ApplyRuleEdits_BLK_TRL() { m_Rules->CommitCurrentEdits(); }
void BlockTrialFrameParts::CancelRuleEdits_BLK_TRL() { m_Rules->RevertPanelToLastCommittedState(); }

void BlockTrialFrameParts::OnPanelRowCountChanged_BLK_TRL(wxWindow* panel)
{
    if (panel != m_Criteria) return;
    m_CriteriaScroller->GetSizer()->Layout();
    m_CriteriaScroller->FitInside();
}

void BlockTrialFrameParts::OnPseudoDestroy_BLK_TRL()
{
    m_Rules->OnPseudoDestroy();
    if (m_CriteriaInUse) {
        m_Criteria->m_editsBegun = false;
        m_Criteria->RevertAll();
    }
    // Emptied without a negation: a reused editor starts from "always", "are met".
    m_Criteria->SetMetaPredicate(nullptr, nullptr, m_AreMet, m_OnlyIfSizer);
    m_CriteriaInUse = false;
}

void BlockTrialFrameParts::LoadWhenToPresent_BLK_TRL(VTExperiment* experiment,
                                                     boost::shared_ptr<MetaTFPredicate> predicate)
{
    m_Criteria->SetExperiment(experiment);
    m_Criteria->SetMetaPredicate(predicate, experiment, m_AreMet, m_OnlyIfSizer);
    m_CriteriaInUse = true;
    (predicate ? m_OnlyIf : m_Always)->SetValue(true);
}

boost::shared_ptr<MetaTFPredicate> BlockTrialFrameParts::TakeWhenToPresent_BLK_TRL(VTExperiment* experiment,
                                                                                   const wxString& name)
{
    m_Criteria->m_editsBegun = false;
    m_Criteria->CommitAll();
    if (experiment) experiment->Modify(true);
    if (m_Always->GetValue()) return {};
    return m_Criteria->GetMetaPredicate(experiment, name);
}

void BlockTrialFrameParts::GuardAgainstOpenRuleEdits_BLK_TRL() const
{
    if (RuleEditingBarShown()) wxLogError(_("Window is closing prematurely."));
}

bool BlockTrialFrameParts::RuleEditingBarShown() const { return m_BottomBook->GetSelection() == 1; }

void BlockTrialFrameParts::ResetRulesForElement(Interface_UsesRules* element)
{
    m_Rules->ResetPanelWithNewElement(element);
}

}  // namespace Vantrel
