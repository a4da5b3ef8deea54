#include "RuleSubmenus.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTExperiment.h>

#include <wx/control.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>

namespace Vantrel {
namespace ExperimentContentGuiHelpers {

namespace {

void AppendWithSubmenu(wxMenu* menu, const std::vector<SubmenuItem>& items, const wxString& label, int menuId)
{
    auto* submenu = new wxMenu;
    for (const SubmenuItem& item : items) {
        if (item.separatorBefore) submenu->AppendSeparator();
        // Names come from the document: an '&' in one is a character, not a mnemonic.
        submenu->Append(item.menuId, wxControl::EscapeMnemonics(item.text), wxEmptyString, wxITEM_NORMAL);
        if (item.disabled) submenu->Enable(item.menuId, false);
    }
    menu->Append(menuId, label, submenu, wxEmptyString);
}

}  // namespace

std::vector<SubmenuItem> ParametersSubmenuItems(VTExperiment* experiment, RulesSubmenusMadnessHelper* helper)
{
    std::vector<SubmenuItem> items;
    if (experiment) {
        const auto parameters = experiment->GetParameters();
        std::vector<wxString> collections;
        for (unsigned i = 0; i < parameters->ItemCount(); ++i) {
            if (i >= unsigned(SubmenuFirstId::Capacity)) {
                wxLogError(_("Menu cannot support more than %d parameters."), SubmenuFirstId::Capacity);
                break;
            }
            const OrderFormForParameterCreation p = parameters->ItemDataAtIndex(i);
            if (p.type == ParameterType::Collection) {
                collections.push_back(p.name);
                continue;
            }
            const int id = SubmenuFirstId::ScalarParameters + int(i);
            items.push_back({id, p.name});
            if (helper) helper->LogParamItem(SubmenuKey::ScalarParameters, p.name, id);
        }
        const bool scalarsListed = !items.empty();
        for (std::size_t k = 0; k < collections.size(); ++k) {
            if (k >= std::size_t(SubmenuFirstId::Capacity)) {
                wxLogError(_("Menu cannot support more than %d parameters."), SubmenuFirstId::Capacity);
                break;
            }
            const int id = SubmenuFirstId::CollectionParameters + int(k);
            items.push_back({id, collections[k], k == 0 && scalarsListed});
            if (helper) helper->LogParamItem(SubmenuKey::CollectionParameters, collections[k], id);
        }
    }
    if (items.empty()) items.push_back({SubmenuFirstId::ScalarParameters, _("No parameters available"), false, true});
    return items;
}

std::vector<SubmenuItem> ExperimentElementsSubmenuItems(VTElementType elementType, const wxString& elementName,
                                                        unsigned long firstId, const ElementFilter& filter,
                                                        VTExperiment* experiment, RulesSubmenusMadnessHelper* helper)
{
    std::vector<SubmenuItem> items;
    if (experiment) {
        const VTElementsList& list = experiment->GetReadOnlyElementsOfType(elementType);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            if (i >= std::size_t(SubmenuFirstId::Capacity)) {
                wxLogError(_("Menu cannot support more than %d %ss."), SubmenuFirstId::Capacity, elementName);
                break;
            }
            const Minimal_VTElement* el = list[i];
            if (filter && !filter(el)) continue;
            const int id = int(firstId + i);
            items.push_back({id, el->GetName()});
            if (helper) helper->LogVTElementItem(int(elementType), el->GetName(), id, int(el->GetID()));
        }
    }
    if (items.empty())
        items.push_back({int(firstId), wxString::Format(_("No %ss available"), elementName), false, true});
    return items;
}

void ParametersSubmenu(VTExperiment* experiment, wxMenu* menu, boost::shared_ptr<RulesSubmenusMadnessHelper> helper,
                       wxString label, int menuId)
{
    AppendWithSubmenu(menu, ParametersSubmenuItems(experiment, helper.get()), label, menuId);
}

void ExperimentElementsSubmenu(VTElementType elementType, wxString elementName, unsigned long firstId,
                               ElementFilter filter, VTExperiment* experiment, wxMenu* menu,
                               boost::shared_ptr<RulesSubmenusMadnessHelper> helper, wxString label, int menuId)
{
    AppendWithSubmenu(
        menu, ExperimentElementsSubmenuItems(elementType, elementName, firstId, filter, experiment, helper.get()),
        label, menuId);
}

}  // namespace ExperimentContentGuiHelpers
}  // namespace Vantrel
