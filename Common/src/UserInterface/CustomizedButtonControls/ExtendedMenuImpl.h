#pragma once
// The popup of ChoiceDropdownExtendedMenu: holds copies of several menus and
// pops up one of them as a real menu (separators, submenus) instead of a list.

#include <wx/combo.h>
#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <vector>

class wxMenu;
class InvisibleWindowNeverSeenAlwaysSizeZero;

class ExtendedMenuImpl : public wxComboPopup
{
public:
    void Init() override;
    ~ExtendedMenuImpl() override;
    bool Create(wxWindow* parent) override;
    wxWindow* GetControl() override;
    void OnPopup() override;
    void SetStringValue(const wxString& value) override;
    wxString GetStringValue() const override;
    // Searches the top-level items of every menu (not submenus) for a label
    // equal to text; sets the selected identifier. trueText is not written.
    bool FindItem(const wxString& text, wxString* trueText = nullptr) override;

    // Copies the menus (the caller keeps and deletes the sources) and shows
    // the first item of the first menu, when it is a plain item.
    void SetPremadeCustomPopupMenus(const std::vector<const wxMenu*>& menus);
    void ChooseExtendedMenuIndex(std::size_t index);
    void ChooseTheMenuItemLinkedToThisString(const wxString& text);

    // Label of the item with that identifier in the first menu that has one (submenus included).
    wxString TextForGivenId(int id) const;
    // Shows the label of the item with that identifier in the last menu that has one.
    void AssignCurrentText(int id);
    void AlterTextForMenuItem(int id, const wxString& text);
    void SetEnablednessForMenuItem(int id, bool enable);

    int GetSelectedId() const { return selectedId_; }
    std::size_t GetMenuIndex() const { return menuIndex_; }
    std::size_t GetMenuCount() const { return menus_.size(); }
    // The copy shown for that index, or null.
    wxMenu* GetMenuCopy(std::size_t index) const;

private:
    void ShowText(const wxString& text);
    void HideBogusBackingWindow_NeverNeededOnMac_JustWin32();

    InvisibleWindowNeverSeenAlwaysSizeZero* control_ = nullptr;
    std::vector<boost::shared_ptr<wxMenu>> menus_;
    std::size_t menuIndex_ = 0;
    wxString value_;
    int selectedId_ = -1;
};
