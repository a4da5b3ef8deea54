#pragma once
// Fill drop-down choices with the open experiment's content: element names with
// their identifiers as client data (an unsigned 32-bit value widened to a
// pointer), the levels of a trial variable, the parameters of one type. Stateless.
//
// A refill that keeps the user's choice:
//   const wxString prior = PriorChoicePreservationHelper(choice);
//   choice->Clear();  (the element fillers clear for themselves)
//   DoNameAndIDForVTItems(...);
//   SelectionRestorationHelper(choice, prior);

#include <VTCore/VTElementType.h>

#include <boost/function.hpp>
#include <wx/string.h>

class wxChoice;

namespace Vantrel {

class Minimal_VTElement;
class VTExperiment;

namespace ExperimentContentGuiHelpers {

using ElementFilter = boost::function<bool(Minimal_VTElement const*)>;
using ElementNamer = boost::function<wxString(Minimal_VTElement const*)>;

// What PriorChoicePreservationHelper gives for a choice without selection; no
// element is ever called this.
extern const wxString kNothingSelected;

// Clears the choices and lists every element of the type that passes the filter
// (all of them for an empty filter), in the experiment's order, with its name.
// The first choice is required, the others may be null.
void DoNameAndIDForVTItems(VTExperiment* experiment, VTElementType type, ElementFilter filter, wxChoice* first,
                           wxChoice* second = nullptr, wxChoice* third = nullptr, wxChoice* fourth = nullptr,
                           wxChoice* fifth = nullptr);
// The same, but the first choice shows the namer's text when there is a namer;
// the others show the plain names.
void DoCustomNameStringAndIDForVTItems(VTExperiment* experiment, VTElementType type, ElementNamer namer,
                                       ElementFilter filter, wxChoice* first, wxChoice* second = nullptr,
                                       wxChoice* third = nullptr, wxChoice* fourth = nullptr,
                                       wxChoice* fifth = nullptr);
void DoNameAndIDForVTItems_PrivateHelper(VTExperiment* experiment, VTElementType type, const ElementNamer& namer,
                                         const ElementFilter& filter, wxChoice* first, wxChoice* second,
                                         wxChoice* third, wxChoice* fourth, wxChoice* fifth);

// Filters, for fillers of the matching element type.
bool EventIsNonList(const Minimal_VTElement* element);
bool TagSetIsForTrials(const Minimal_VTElement* element);
bool TagBelongsToGivenSet(const Minimal_VTElement* element, int tagSetID);

// The selected item's text, or kNothingSelected.
wxString PriorChoicePreservationHelper(wxChoice* choice);
// Selects the first item with exactly that text; else item 0 when there are items.
void SelectionRestorationHelper(wxChoice* choice, const wxString& remembered);

// Appends "Level k (text)" for each level of the trial variable, with client data
// k - 1 (zero-based) or k. Does not clear; an unknown identifier changes nothing.
void PopulateDropdownWithTrialLevels_ZeroBased(VTExperiment* experiment, int trialVariableID, wxChoice* choice);
void PopulateDropdownWithTrialLevels_CountingFrom_1_NotZeroBased(VTExperiment* experiment, int trialVariableID,
                                                                 wxChoice* choice);
void PopulateDropdownWithTrialLevels_PrivateHelper(VTExperiment* experiment, int trialVariableID, wxChoice* choice,
                                                   bool zeroBased);

// Lists the names of the parameters of one type except `leaveOut`; with none, shows
// `noneText` selected in a disabled choice.
void PutSubsetOfParametersOnChoiceDropdown(VTExperiment* experiment, wxChoice* choice, int parameterType,
                                           const wxString& leaveOut, const wxString& noneText);

// Puts an item before all others (appends into an empty choice).
void AddClientDataItemToFrontOf_wxChoice(const wxString& text, void* clientData, wxChoice* choice);

}  // namespace ExperimentContentGuiHelpers

namespace GuiHelper {
// A tag's name preceded by its tag set's name; "{{ error. invalid tag element. }}"
// for anything that is not a tag.
wxString NameGetter_PrependsTagSetNameToTag(const Minimal_VTElement* element);
}  // namespace GuiHelper

}  // namespace Vantrel
