#pragma once
// The submenus of experiment content on a criteria row's left side: tag sets
// (ids from 25000), trial levels (26000), scalar parameters (27000) and collection
// parameters (28000). The items are worked out first (the *Items functions, which
// record what they list in the row's helper), then put into a menu.

#include "RulesSubmenusMadnessHelper.h"

#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <VTCore/VTElementType.h>

#include <boost/shared_ptr.hpp>
#include <wx/string.h>

#include <vector>

class wxMenu;

namespace Vantrel {

class VTExperiment;

namespace SubmenuFirstId {
constexpr int TagSets = 25000;
constexpr int TrialLevels = 26000;
constexpr int ScalarParameters = 27000;
constexpr int CollectionParameters = 28000;
constexpr int Capacity = 1000;  // ids per family
}  // namespace SubmenuFirstId

struct SubmenuItem
{
    int menuId;
    wxString text;
    bool separatorBefore = false;
    bool disabled = false;  // the placeholder when nothing is listed
};

namespace ExperimentContentGuiHelpers {

// The items of the parameters submenu: scalar parameters at 27000 + their place in
// the collection, then (after a separator when scalars came first) collection
// parameters at 28000 + their place among collections. Each listed one is recorded
// in the helper (when given). At most 1000 of each kind (an error is logged).
std::vector<SubmenuItem> ParametersSubmenuItems(VTExperiment* experiment, RulesSubmenusMadnessHelper* helper);
// The items of an element submenu: firstId + the element's place in its list,
// filtered elements skipped (their ids stay unused). At most 1000 (logged).
std::vector<SubmenuItem> ExperimentElementsSubmenuItems(VTElementType elementType, const wxString& elementName,
                                                        unsigned long firstId, const ElementFilter& filter,
                                                        VTExperiment* experiment, RulesSubmenusMadnessHelper* helper);

// The submenu builders of the criteria table: append (menuId, label) with the
// submenu attached to the menu.
void ParametersSubmenu(VTExperiment* experiment, wxMenu* menu, boost::shared_ptr<RulesSubmenusMadnessHelper> helper,
                       wxString label, int menuId);
void ExperimentElementsSubmenu(VTElementType elementType, wxString elementName, unsigned long firstId,
                               ElementFilter filter, VTExperiment* experiment, wxMenu* menu,
                               boost::shared_ptr<RulesSubmenusMadnessHelper> helper, wxString label, int menuId);

}  // namespace ExperimentContentGuiHelpers
}  // namespace Vantrel
