#pragma once
// The menus of one rule row's left side and the maps between their submenu ids
// and the experiment's elements and parameters: filled while the menus are built,
// read afterwards by the row and the mappings. Held through a boost::shared_ptr;
// it owns the menus in its list and deletes them when the last holder lets go.

#include <boost/shared_ptr.hpp>
#include <wx/string.h>

#include <map>
#include <vector>

class wxMenu;

namespace Vantrel {

class VTExperiment;

struct NamePlusMenuId
{
    wxString name;
    int menuId;
    int elementId;  // -1 for parameters, which are known by name
};

// The keys under which entries are filed: element types 11 and 3, and two keys of
// this helper's own for parameters.
namespace SubmenuKey {
constexpr int TagSets = 11;
constexpr int TrialLevels = 3;
constexpr int ScalarParameters = 72;
constexpr int CollectionParameters = 73;
}  // namespace SubmenuKey

class RulesSubmenusMadnessHelper
{
public:
    explicit RulesSubmenusMadnessHelper(VTExperiment* experiment);
    ~RulesSubmenusMadnessHelper();
    RulesSubmenusMadnessHelper(const RulesSubmenusMadnessHelper&) = delete;
    RulesSubmenusMadnessHelper& operator=(const RulesSubmenusMadnessHelper&) = delete;

    void LogParamItem(int key, const wxString& name, int menuId);
    void LogVTElementItem(int key, const wxString& name, int menuId, int elementId);

    // The first match of each look-up; -1 or "" when none.
    int ElemIdByTypeAndSubmenuId(int key, int menuId) const;
    int SubmenuIdByTypeAndVTElemId(int key, int elementId) const;
    int SubmenuIdByTypeAndElName(int key, const wxString& name) const;
    // Searches the keys in ascending order.
    wxString ElNameByMenuId(int menuId) const;

    VTExperiment* GetExperiment() const { return m_Experiment; }
    // The menus this helper owns: the plain menu, then the extended menu.
    const std::vector<wxMenu*>& GetMenus() const { return *m_MenusToDelete; }
    void AdoptMenu(wxMenu* menu) { m_MenusToDelete->push_back(menu); }
    const std::map<int, std::vector<NamePlusMenuId>>& GetEntries() const { return m_Entries; }

private:
    const NamePlusMenuId* Find(int key, bool (*match)(const NamePlusMenuId&, int, const wxString&), int number,
                               const wxString& text) const;

    boost::shared_ptr<std::vector<wxMenu*>> m_MenusToDelete;
    VTExperiment* m_Experiment;
    std::map<int, std::vector<NamePlusMenuId>> m_Entries;
};

}  // namespace Vantrel
