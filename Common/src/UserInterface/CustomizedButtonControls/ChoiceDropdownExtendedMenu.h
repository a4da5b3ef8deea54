#pragma once
// A read-only drop-down that looks like a choice control but pops up a real
// menu (separators, nested submenus). It holds copies of several premade
// menus and shows one at a time, picked by index. A pick reaches the parent as
// a menu command whose identifier went through the shared identifier map and
// whose string is the picked item's label; the control then shows that label.

#include <wx/combo.h>
#include <wx/generic/combo.h>

#include <boost/shared_ptr.hpp>

#include <cstddef>
#include <map>
#include <vector>

class wxMenu;
class ExtendedMenuImpl;

class ChoiceDropdownExtendedMenu : public wxGenericComboCtrl
{
    wxDECLARE_EVENT_TABLE();

public:
    // The items, style, validator and name are accepted for the choice
    // control's signature but not used: the control is always read-only.
    ChoiceDropdownExtendedMenu(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxDefaultSize, int n = 0, const wxString choices[] = nullptr,
                               long style = 0, const wxValidator& validator = wxDefaultValidator,
                               const wxString& name = wxASCII_STR(wxComboBoxNameStr));
    ChoiceDropdownExtendedMenu(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                               const wxArrayString& choices, long style = 0,
                               const wxValidator& validator = wxDefaultValidator,
                               const wxString& name = wxASCII_STR(wxComboBoxNameStr));
    ~ChoiceDropdownExtendedMenu() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, int n,
                const wxString choices[], long style, const wxValidator& validator, const wxString& name);
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, const wxArrayString& choices,
                long style, const wxValidator& validator, const wxString& name);
    void InitialSizeAdjustment();

    // Copies the menus; the caller deletes its sources afterwards. idMap maps a
    // picked identifier to the reported one; it must be set before the first pick.
    void
    SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus(const std::vector<const wxMenu*>& menus,
                                                                 boost::shared_ptr<const std::map<int, int>> idMap);
    void ChooseExtendedMenuIndex(std::size_t index);
    void ChooseTheMenuItemLinkedToThisString(wxString text);
    // Identifier of the top-level item whose label is the shown text, or -1.
    int GetIdOfSelectedMenuItem();
    wxString GetTextOfSelectedMenuItem();
    wxString GetTextOfItemById(int id);
    // The item shows `text` as it is: an '&' in it is a character, not a mnemonic.
    void AlterTextForMenuItem(int id, const wxString& text);
    void SetEnablednessForMenuItem(int id, bool enable);

    // The popup in use, or null before the menus were set.
    ExtendedMenuImpl* GetExtendedMenuImpl() const;

protected:
    void DoShowPopup(const wxRect& rect, int flags) override;

private:
    struct State;

    void OnMenuSelection(wxCommandEvent& event);
    void OnIdle(wxIdleEvent& event);

    boost::shared_ptr<State> state_;
};
