#include "CollectionFunctionInfo.h"

#include "RulesHelperMappings.h"

#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <wx/choice.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace Vantrel {

namespace {

wxString TagName(const VTExperiment* experiment, int tagId)
{
    const auto* tag =
        experiment && tagId > 0
            ? dynamic_cast<const VTTag*>(experiment->LookupElementByTypeAndID(ElementType::Tag, std::uint32_t(tagId)))
            : nullptr;
    return tag ? tag->GetName() : wxString(wxS("{missing tag}"));
}

void ShowInItsSizer(wxWindow* window, bool show)
{
    if (!window) return;
    if (wxSizer* sizer = window->GetContainingSizer())
        sizer->Show(window, show, true);
    else
        window->Show(show);
}

}  // namespace

wxString CollectionFunctionInfo::GetSummaryDescription(const VTExperiment* experiment) const
{
    switch (function) {
        case kNumberTagged: return wxString::Format(_("num. trials tagged %s"), TagName(experiment, tagId));
        case kPercentTagged: return wxString::Format(_("%% trials tagged %s"), TagName(experiment, tagId));
        case kNumberCorrect: return correct ? _("num. trials correct") : _("num. trials incorrect");
        case kPercentCorrect: return correct ? _("% trials correct") : _("% trials incorrect");
        case kAverageRT: return _("average reation time");
        case kIsFull: return _("collection is full");
        case kContainsTrial:
        case kContainsTrialToo:
            return doesNotContain ? _("collection does not contain this trial") : _("collection contains this trial");
        default: return _("error in function description");
    }
}

void CollectionFunctionInfo::ShowEquationalPortions(wxWindow* page, bool show)
{
    if (!page) return;
    for (const char* name : {"rule_rhs_choice1", "rule_rhs_field1", "rule_rhs_units_label"})
        ShowInItsSizer(page->FindWindow(name), show);
    if (wxWindow* units = page->FindWindow("rule_rhs_units_label"))
        if (wxSizer* sizer = units->GetContainingSizer()) sizer->Layout();
}

void CollectionFunctionInfo::AdjustVisiblePanelsForCurrentInfo(wxWindow* page, const VTExperiment* experiment) const
{
    if (!page) return;
    if (auto* link = dynamic_cast<wxHyperlinkCtrl*>(page->FindWindow("settings_hyperlink")))
        link->SetLabel(GetSummaryDescription(experiment));
    else
        wxLogError("Failed to update collection function summary text.");
    using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;
    if (auto* choice = dynamic_cast<wxChoice*>(page->FindWindow("rule_rhs_choice1"))) {
        const bool equals = function == kNumberTagged || function == kNumberCorrect;
        (equals ? Mappings::PrepareChoiceControl_EqGtLt : Mappings::PrepareChoiceControl_GtLt)(choice);
    }
    if (auto* units = dynamic_cast<wxStaticText*>(page->FindWindow("rule_rhs_units_label"))) {
        wxString text;
        if (function == kPercentTagged || function == kPercentCorrect) text = _(" %");
        if (function == kAverageRT) text = _(" milliseconds");
        units->SetLabel(text);
    }
    ShowEquationalPortions(page, ComparesANumber());
}

void CollectionFunctionInfo::TranslateInfoOntoExpressionForm(OrderFormForExpressionCreation& form) const
{
    form.rhsKind = function;
    form.value2 = tagId;
    form.builtIn = correct ? 1 : 0;
    form.RemoveAnyTimeCollMembershipStrings();
    form.flagText += doesNotContain ? COLLFUNC_NOT_CONT : COLLFUNC_YES_CONT;
}

}  // namespace Vantrel
