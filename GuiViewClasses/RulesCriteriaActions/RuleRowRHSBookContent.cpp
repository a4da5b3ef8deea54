// The operand book's page content: lists and texts of single pages filled from
// the experiment and from the row's left-side pick.

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"

#include "RuleRowRHSPanels.h"
#include "RulesHelperMappings.h"

#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTExperiment.h>

#include <boost/bind/bind.hpp>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stattext.h>

#include <cstdint>

namespace Vantrel {

namespace {

using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;
namespace Gui = ExperimentContentGuiHelpers;

constexpr int kRandomLevel = -3344;

RuleRowRHSPageBase* Page(wxWindow* window) { return static_cast<RuleRowRHSPageBase*>(window); }

void* ClientId(int id) { return reinterpret_cast<void*>(std::intptr_t(id)); }

void FillTagsOfSet(VTExperiment* experiment, int tagSetId, wxChoice* choice)
{
    Gui::DoNameAndIDForVTItems(experiment, ElementType::Tag,
                               boost::bind(&Gui::TagBelongsToGivenSet, boost::placeholders::_1, tagSetId), choice);
}

// The levels of a trial level, the selection kept: counted from 0 for criteria; for
// actions counted from 1 behind "Random level".
void RefillLevels(wxChoice* levels, VTExperiment* experiment, int trialLevelId, bool forActions)
{
    const wxString prior = Gui::PriorChoicePreservationHelper(levels);
    levels->Clear();
    if (forActions) {
        levels->Append(_("Random level"), ClientId(kRandomLevel));
        Gui::PopulateDropdownWithTrialLevels_CountingFrom_1_NotZeroBased(experiment, trialLevelId, levels);
    } else {
        Gui::PopulateDropdownWithTrialLevels_ZeroBased(experiment, trialLevelId, levels);
    }
    Gui::SelectionRestorationHelper(levels, prior);
}

}  // namespace

void RuleRowRHSChoiceBookWithHiddenCtrl::AdjustParamRHS(int parameterType, const wxString& lhsParameterName)
{
    EnsureChoicePanelExistence(0);
    RuleRowRHSPageBase* page = Page(m_pages[0]);
    wxChoice* parameters = page->SecondChoice();
    const wxString none = _("(No comparable parameters)");
    const wxString prior = Gui::PriorChoicePreservationHelper(parameters);
    Gui::PutSubsetOfParametersOnChoiceDropdown(m_experiment, parameters, parameterType, lhsParameterName, none);
    if (parameters->GetString(0) != none) {
        // The fill disables the list only for want of names: listing some again, it
        // lifts that, and one of them is chosen, so the row never holds an empty name.
        if (prior == none) parameters->Enable();
        Gui::SelectionRestorationHelper(parameters, prior);
        if (m_automaticForcedEvents && CurrentPageIndex() == 0) ForceChoiceControlToEmitEvent(parameters);
    }
    if (Mappings::OperatorFiller filler = Mappings::FillerForParameterType(parameterType)) {
        filler(page->FirstChoice());
    } else {
        wxLogError("Unrecognized value for parameter type. Please cancel all edits.");
        page->FirstChoice()->Clear();
    }
}

void RuleRowRHSChoiceBookWithHiddenCtrl::PopulateParticularFineGrainedTagsForGivenTagSet(int tagSetId)
{
    EnsureChoicePanelExistence(6);
    wxChoice* tags = Page(m_pages[6])->SecondChoice();
    const wxString prior = Gui::PriorChoicePreservationHelper(tags);
    FillTagsOfSet(m_experiment, tagSetId, tags);
    Gui::AddClientDataItemToFrontOf_wxChoice(_("Same as That of Previous Trial"),
                                             ClientId(RuleCode::SameTagAsPreviousTrial), tags);
    Gui::SelectionRestorationHelper(tags, prior);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RespondToSelectionForTagBasedCriteria(int tagSetId,
                                                                               GUIDataNeededByRulesHelper& state)
{
    PopulateParticularFineGrainedTagsForGivenTagSet(tagSetId);
    wxChoice* tags = ForceEventFromSecondDropDownChoiceOnSpecificPanel(6);
    if (tags && tags->GetSelection() >= 0)
        state.elementIdTwo = int(std::intptr_t(tags->GetClientData(unsigned(tags->GetSelection()))));
    else
        wxLogError("No choice drop-down found for panel %d.", 6);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RespondToTagSetSelection_Private(int tagSetId, bool forcePage26,
                                                                          bool forcePage27)
{
    if ((forcePage26 && forcePage27) || !m_experiment) return;
    const int current = CurrentPageIndex();
    for (int index : {26, 27}) {
        if (current != index && !(index == 26 ? forcePage26 : forcePage27)) continue;
        if (!m_pages[index]) EnsureChoicePanelExistence(size_t(index));
        wxChoice* tags = Page(m_pages[index])->SecondChoice();
        const wxString prior = Gui::PriorChoicePreservationHelper(tags);
        FillTagsOfSet(m_experiment, tagSetId, tags);
        Gui::SelectionRestorationHelper(tags, prior);
    }
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RespondToTrialVariableSelection_Private(int trialLevelId)
{
    if (CurrentPageIndex() == 24) PopulateTrialLevelDropdownForActions(trialLevelId);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::PopulateTrialLevelDropdownForExpressions(int trialLevelId)
{
    EnsureChoicePanelExistence(7);
    RefillLevels(Page(m_pages[7])->SecondChoice(), m_experiment, trialLevelId, false);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RespondToSelectionForLevelBasedCriteria(int trialLevelId,
                                                                                 GUIDataNeededByRulesHelper& state)
{
    EnsureChoicePanelExistence(7);
    PopulateTrialLevelDropdownForExpressions(trialLevelId);
    wxChoice* levels = Page(m_pages[7])->SecondChoice();
    const int count = int(levels->GetCount());
    if (state.elementIdTwo == RuleCode::LevelLast)
        levels->SetSelection(count - 1);
    else if (state.elementIdTwo == RuleCode::LevelFirst)
        levels->SetSelection(count > 0 ? 0 : wxNOT_FOUND);
    else if (state.elementIdTwo < 0) {
        levels->SetSelection(count > 0 ? 0 : wxNOT_FOUND);
        state.elementIdTwo = RuleCode::LevelFirst;
    } else
        levels->SetSelection(state.elementIdTwo < count ? state.elementIdTwo : wxNOT_FOUND);
    ForceChoiceControlToEmitEvent(levels);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::PopulateTrialLevelDropdownForActions(int trialLevelId)
{
    EnsureChoicePanelExistence(24);
    RefillLevels(Page(m_pages[24])->SecondChoice(), m_experiment, trialLevelId, true);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RespondToSelectionForLevelBasedActions(int trialLevelId,
                                                                                GUIDataNeededByRulesHelper& state)
{
    EnsureChoicePanelExistence(24);
    PopulateTrialLevelDropdownForActions(trialLevelId);
    wxChoice* levels = Page(m_pages[24])->SecondChoice();
    const int count = int(levels->GetCount());
    const auto select = [levels, count](int item) { levels->SetSelection(item < count ? item : count - 1); };
    switch (state.levelSetting) {
        case RuleCode::LevelSetRandom: select(0); break;
        case RuleCode::LevelSetLast:
            select(count - 1);
            state.levelSetting = RuleCode::LevelSetNumber;
            state.elementIdTwo = count - 1;
            break;
        case RuleCode::LevelSetFirst:
            select(1);
            state.levelSetting = RuleCode::LevelSetNumber;
            state.elementIdTwo = 1;
            break;
        default:
            if (state.elementIdTwo < 0) {
                select(1);
                state.levelSetting = RuleCode::LevelSetFirst;
            } else {
                select(state.elementIdTwo);
            }
            break;
    }
    ForceChoiceControlToEmitEvent(levels);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::HideUnitsChoiceIfPage3Exists()
{
    if (auto* page = dynamic_cast<RuleRowRHSPanel04*>(m_pages[3])) page->SetVisibilityForSecondsMinutesOptions(false);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SetMessageOnPage28(const wxString& message)
{
    EnsureChoicePanelExistence(28);
    if (wxStaticText* label = Page(m_pages[28])->Message()) label->SetLabel(message);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SetHelpTextById(int menuId)
{
    switch (menuId) {
        case 15011:
            PossiblyHideTheCounterMinMaxText_ShowHelpTextInstead();
            HideUnitsChoiceIfPage3Exists();
            return;
        case 15022:
            if (ownerKind != 2) {
                SetMessageOnPage28(_("Skips remaining trials in this block and restarts."));
                SetSelection(28);
            }
            HideUnitsChoiceIfPage3Exists();
            return;
        case 15035:
            SetMessageOnPage28(_("You can limit number of restarts in Trial Editor > Options tab."));
            HideUnitsChoiceIfPage3Exists();
            return;
        case 14101:
        case 14102:
        case 14103: SetVisibilityForSecondsMinutesChoiceDropdown(true); return;
        case 13094:
        case 14100:
            EnsureChoicePanelExistence(3);
            HideUnitsChoiceIfPage3Exists();
            return;
        default: HideUnitsChoiceIfPage3Exists(); return;
    }
}

void RuleRowRHSChoiceBookWithHiddenCtrl::PossiblyHideTheCounterMinMaxText_ShowHelpTextInstead()
{
    auto* counters = dynamic_cast<RuleRowRHSPanel18*>(m_pages[16]);
    if (counters && counters->AtLeastOneCounterIsUsable()) return;
    SetMessageOnPage28(_("Action works only with counters that have min/max limits."));
    SetSelection(28);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SetVisibilityForSecondsMinutesChoiceDropdown(bool show)
{
    if (show) EnsureChoicePanelExistence(3);
    if (auto* page = dynamic_cast<RuleRowRHSPanel04*>(m_pages[3])) page->SetVisibilityForSecondsMinutesOptions(show);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::AdjustRandomCounterMinMaxText(const wxString& counterName, bool force)
{
    if (!force && CurrentPageIndex() != 16) return;
    EnsureChoicePanelExistence(16);
    RuleRowRHSPageBase* page = Page(m_pages[16]);
    wxString minText = wxS("?"), maxText = wxS("?");
    const auto parameters = m_experiment ? m_experiment->GetParameters() : nullptr;
    if (parameters && parameters->NameAlreadyExists(counterName)) {
        int min = 0, max = 0;
        parameters->GetParamMinMaxLimits(counterName, min, max);
        minText = wxString::Format("%d", min);
        maxText = wxString::Format("%d", max);
    }
    Orbisk::HelperFunctionChangeStaticTextIfNew(page->MinLabel(), page->LimitsSizer(), nullptr, minText, -999);
    Orbisk::HelperFunctionChangeStaticTextIfNew(page->MaxLabel(), page->LimitsSizer(), nullptr, maxText, -999);
    PossiblyHideTheCounterMinMaxText_ShowHelpTextInstead();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RepopulateAllShownDropDowns(VTExperiment* experiment)
{
    m_experiment = experiment;
    for (int index = 0; index < kPageCount; ++index)
        if (m_pages[index]) Page(m_pages[index])->RepopulateUsingExperimentData(this, experiment);
}

}  // namespace Vantrel
