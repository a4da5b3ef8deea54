#include "RulesSubmenusMadnessHelper.h"

#include <wx/menu.h>

namespace Vantrel {

RulesSubmenusMadnessHelper::RulesSubmenusMadnessHelper(VTExperiment* experiment)
    : m_MenusToDelete(new std::vector<wxMenu*>), m_Experiment(experiment)
{}

RulesSubmenusMadnessHelper::~RulesSubmenusMadnessHelper()
{
    // A menu deletes its submenus with it.
    for (wxMenu* menu : *m_MenusToDelete) delete menu;
}

void RulesSubmenusMadnessHelper::LogParamItem(int key, const wxString& name, int menuId)
{
    m_Entries[key].push_back({name, menuId, -1});
}

void RulesSubmenusMadnessHelper::LogVTElementItem(int key, const wxString& name, int menuId, int elementId)
{
    m_Entries[key].push_back({name, menuId, elementId});
}

const NamePlusMenuId* RulesSubmenusMadnessHelper::Find(int key,
                                                       bool (*match)(const NamePlusMenuId&, int, const wxString&),
                                                       int number, const wxString& text) const
{
    const auto it = m_Entries.find(key);
    if (it == m_Entries.end()) return nullptr;
    for (const NamePlusMenuId& entry : it->second)
        if (match(entry, number, text)) return &entry;
    return nullptr;
}

int RulesSubmenusMadnessHelper::ElemIdByTypeAndSubmenuId(int key, int menuId) const
{
    const NamePlusMenuId* e =
        Find(key, [](const NamePlusMenuId& x, int id, const wxString&) { return x.menuId == id; }, menuId, {});
    return e ? e->elementId : -1;
}

int RulesSubmenusMadnessHelper::SubmenuIdByTypeAndVTElemId(int key, int elementId) const
{
    const NamePlusMenuId* e =
        Find(key, [](const NamePlusMenuId& x, int id, const wxString&) { return x.elementId == id; }, elementId, {});
    return e ? e->menuId : -1;
}

int RulesSubmenusMadnessHelper::SubmenuIdByTypeAndElName(int key, const wxString& name) const
{
    const NamePlusMenuId* e = Find(
        key, [](const NamePlusMenuId& x, int, const wxString& n) { return x.name == n; }, 0, name);
    return e ? e->menuId : -1;
}

wxString RulesSubmenusMadnessHelper::ElNameByMenuId(int menuId) const
{
    for (const auto& [key, entries] : m_Entries)
        for (const NamePlusMenuId& entry : entries)
            if (entry.menuId == menuId) return entry.name;
    return wxString();
}

}  // namespace Vantrel
