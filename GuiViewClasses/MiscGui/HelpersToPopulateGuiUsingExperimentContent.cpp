#include "HelpersToPopulateGuiUsingExperimentContent.h"

#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include <wx/choice.h>

namespace Vantrel {
namespace ExperimentContentGuiHelpers {

const wxString kNothingSelected = ".*^$#@notFinDAble-=";

namespace {

void* IdAsClientData(std::uint32_t id) { return reinterpret_cast<void*>(static_cast<wxUIntPtr>(id)); }

}  // namespace

void DoNameAndIDForVTItems(VTExperiment* experiment, VTElementType type, ElementFilter filter, wxChoice* first,
                           wxChoice* second, wxChoice* third, wxChoice* fourth, wxChoice* fifth)
{
    DoNameAndIDForVTItems_PrivateHelper(experiment, type, ElementNamer(), filter, first, second, third, fourth, fifth);
}

void DoCustomNameStringAndIDForVTItems(VTExperiment* experiment, VTElementType type, ElementNamer namer,
                                       ElementFilter filter, wxChoice* first, wxChoice* second, wxChoice* third,
                                       wxChoice* fourth, wxChoice* fifth)
{
    DoNameAndIDForVTItems_PrivateHelper(experiment, type, namer, filter, first, second, third, fourth, fifth);
}

void DoNameAndIDForVTItems_PrivateHelper(VTExperiment* experiment, VTElementType type, const ElementNamer& namer,
                                         const ElementFilter& filter, wxChoice* first, wxChoice* second,
                                         wxChoice* third, wxChoice* fourth, wxChoice* fifth)
{
    wxChoice* const others[] = {second, third, fourth, fifth};
    first->Clear();
    for (wxChoice* other : others)
        if (other) other->Clear();
    const VTElementsList& elements = experiment->GetReadOnlyElementsOfType(type);
    for (size_t i = 0; i < elements.Size(); ++i) {
        const Minimal_VTElement* element = elements[i];
        if (!filter.empty() && !filter(element)) continue;
        void* id = IdAsClientData(element->GetID());
        first->Append(namer.empty() ? element->GetName() : namer(element), id);
        for (wxChoice* other : others)
            if (other) other->Append(element->GetName(), id);
    }
}

bool EventIsNonList(const Minimal_VTElement* element)
{
    auto* event = dynamic_cast<const VTEvent*>(element);
    return event && !event->IsListEvent();
}

bool TagSetIsForTrials(const Minimal_VTElement* element)
{
    auto* tagSet = dynamic_cast<const VTTagSet*>(element);
    return tagSet && tagSet->AppliesToTrials();
}

bool TagBelongsToGivenSet(const Minimal_VTElement* element, int tagSetID)
{
    auto* tag = dynamic_cast<const VTTag*>(element);
    return tag && tag->GetParentTagSetID() == std::uint32_t(tagSetID);
}

wxString PriorChoicePreservationHelper(wxChoice* choice)
{
    const int selection = choice->GetSelection();
    return selection == wxNOT_FOUND ? kNothingSelected : choice->GetString(unsigned(selection));
}

void SelectionRestorationHelper(wxChoice* choice, const wxString& remembered)
{
    for (unsigned i = 0; i < choice->GetCount(); ++i) {
        if (choice->GetString(i) == remembered) {
            choice->SetSelection(int(i));
            return;
        }
    }
    if (!choice->IsEmpty()) choice->SetSelection(0);
}

void PopulateDropdownWithTrialLevels_ZeroBased(VTExperiment* experiment, int trialVariableID, wxChoice* choice)
{
    PopulateDropdownWithTrialLevels_PrivateHelper(experiment, trialVariableID, choice, true);
}

void PopulateDropdownWithTrialLevels_CountingFrom_1_NotZeroBased(VTExperiment* experiment, int trialVariableID,
                                                                 wxChoice* choice)
{
    PopulateDropdownWithTrialLevels_PrivateHelper(experiment, trialVariableID, choice, false);
}

void PopulateDropdownWithTrialLevels_PrivateHelper(VTExperiment* experiment, int trialVariableID, wxChoice* choice,
                                                   bool zeroBased)
{
    auto* variable = dynamic_cast<VTTrialVariable*>(experiment->GetReadOnlyElementsOfType(ElementType::TrialVariable)
                                                        .LookupElementPtrByID(std::uint32_t(trialVariableID)));
    if (!variable) return;
    const std::vector<Orbisk::Var::VarValue*> levels = variable->GetVariable().GetLevels();
    for (size_t k = 1; k <= levels.size(); ++k) {
        const wxUIntPtr data = zeroBased ? k - 1 : k;
        choice->Append(wxString::Format(_("Level %d (%s)"), int(k), levels[k - 1]->GetText()),
                       reinterpret_cast<void*>(data));
    }
}

void PutSubsetOfParametersOnChoiceDropdown(VTExperiment* experiment, wxChoice* choice, int parameterType,
                                           const wxString& leaveOut, const wxString& noneText)
{
    choice->Clear();
    const auto parameters = experiment->GetParameters();
    for (unsigned i = 0; i < parameters->ItemCount(); ++i) {
        const OrderFormForParameterCreation record = parameters->ItemDataAtIndex(i);
        if (record.type == parameterType && record.name != leaveOut) choice->Append(record.name);
    }
    if (!choice->IsEmpty()) return;
    choice->Append(noneText);
    choice->SetSelection(0);
    choice->Disable();
}

void AddClientDataItemToFrontOf_wxChoice(const wxString& text, void* clientData, wxChoice* choice)
{
    if (choice->IsEmpty())
        choice->Append(text, clientData);
    else
        choice->Insert(text, 0, clientData);
}

}  // namespace ExperimentContentGuiHelpers

namespace GuiHelper {

wxString NameGetter_PrependsTagSetNameToTag(const Minimal_VTElement* element)
{
    auto* tag = dynamic_cast<const VTTag*>(element);
    return tag ? tag->GetLongName_PrependsTagSetNameToTag() : wxString("{{ error. invalid tag element. }}");
}

}  // namespace GuiHelper
}  // namespace Vantrel
