#include "UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h"

#include "UserInterface/CustomizedButtonControls/ExtendedMenuImpl.h"

#include <wx/menu.h>
#include <wx/utils.h>

struct ChoiceDropdownExtendedMenu::State
{
    ExtendedMenuImpl* impl = nullptr;  // owned by the combo control
    boost::shared_ptr<const std::map<int, int>> idMap;
    bool popupRequested = false;
};

wxBEGIN_EVENT_TABLE(ChoiceDropdownExtendedMenu, wxGenericComboCtrl)
    EVT_MENU(wxID_ANY, ChoiceDropdownExtendedMenu::OnMenuSelection) EVT_IDLE(ChoiceDropdownExtendedMenu::OnIdle)
wxEND_EVENT_TABLE()

ChoiceDropdownExtendedMenu::ChoiceDropdownExtendedMenu(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                       const wxSize& size, int n, const wxString choices[], long style,
                                                       const wxValidator& validator, const wxString& name)
    : state_(new State)
{
    Create(parent, id, pos, size, n, choices, style, validator, name);
}

ChoiceDropdownExtendedMenu::ChoiceDropdownExtendedMenu(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                       const wxSize& size, const wxArrayString& choices, long style,
                                                       const wxValidator& validator, const wxString& name)
    : state_(new State)
{
    Create(parent, id, pos, size, choices, style, validator, name);
}

ChoiceDropdownExtendedMenu::~ChoiceDropdownExtendedMenu() = default;

bool ChoiceDropdownExtendedMenu::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, int,
                                        const wxString[], long, const wxValidator&, const wxString&)
{
    const bool created = wxGenericComboCtrl::Create(parent, id, wxEmptyString, pos, size, wxCB_READONLY,
                                                    wxDefaultValidator, wxASCII_STR(wxComboBoxNameStr));
    InitialSizeAdjustment();
    return created;
}

bool ChoiceDropdownExtendedMenu::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                        const wxArrayString&, long, const wxValidator&, const wxString&)
{
    return Create(parent, id, pos, size, 0, nullptr, 0, wxDefaultValidator, wxEmptyString);
}

void ChoiceDropdownExtendedMenu::InitialSizeAdjustment()
{
    const wxSize size = GetSize();
    SetInitialSize(wxSize(static_cast<int>(size.GetWidth() * 1.6), size.GetHeight()));
}

void ChoiceDropdownExtendedMenu::SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus(
    const std::vector<const wxMenu*>& menus, boost::shared_ptr<const std::map<int, int>> idMap)
{
    auto* impl = new ExtendedMenuImpl;
    state_->impl = impl;
    state_->idMap = std::move(idMap);
    SetPopupControl(impl);  // the control owns it and discards the previous one
    impl->SetPremadeCustomPopupMenus(menus);
}

ExtendedMenuImpl* ChoiceDropdownExtendedMenu::GetExtendedMenuImpl() const { return state_->impl; }

void ChoiceDropdownExtendedMenu::ChooseExtendedMenuIndex(std::size_t index)
{
    if (state_->impl) state_->impl->ChooseExtendedMenuIndex(index);
}

void ChoiceDropdownExtendedMenu::ChooseTheMenuItemLinkedToThisString(wxString text)
{
    if (state_->impl) state_->impl->ChooseTheMenuItemLinkedToThisString(text);
}

int ChoiceDropdownExtendedMenu::GetIdOfSelectedMenuItem()
{
    if (!state_->impl) return -1;
    state_->impl->FindItem(state_->impl->GetStringValue());
    return state_->impl->GetSelectedId();
}

wxString ChoiceDropdownExtendedMenu::GetTextOfSelectedMenuItem()
{
    return state_->impl ? state_->impl->GetStringValue() : wxString();
}

wxString ChoiceDropdownExtendedMenu::GetTextOfItemById(int id)
{
    return state_->impl ? state_->impl->TextForGivenId(id) : wxString();
}

void ChoiceDropdownExtendedMenu::AlterTextForMenuItem(int id, const wxString& text)
{
    if (state_->impl) state_->impl->AlterTextForMenuItem(id, text);
}

void ChoiceDropdownExtendedMenu::SetEnablednessForMenuItem(int id, bool enable)
{
    if (state_->impl) state_->impl->SetEnablednessForMenuItem(id, enable);
}

void ChoiceDropdownExtendedMenu::DoShowPopup(const wxRect&, int)
{
    // The menu has already been shown (and closed) by the popup's OnPopup;
    // the combo's own popup window never appears.
    state_->popupRequested = true;
}

void ChoiceDropdownExtendedMenu::OnMenuSelection(wxCommandEvent& event)
{
    event.Skip();  // the parent sees the command too
    if (!state_->impl) return;
    const int picked = event.GetId();
    const wxString text = state_->impl->TextForGivenId(picked);
    int reported = picked;
    if (state_->idMap) {
        const auto found = state_->idMap->find(picked);
        if (found != state_->idMap->end()) reported = found->second;
    }
    event.SetId(reported);
    event.SetString(text);
    state_->impl->AssignCurrentText(reported);
}

void ChoiceDropdownExtendedMenu::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    // So that the next click opens the menu again.
    m_popupWinState = Hidden;
    // The combo takes tab traversal from the parent while a popup is open and
    // gives it back only when its own popup window closes, which never happens here.
    if (m_iFlags & wxCC_IFLAG_PARENT_TAB_TRAVERSAL) {
        GetParent()->SetWindowStyle(GetParent()->GetWindowStyle() | wxTAB_TRAVERSAL);
        m_iFlags &= ~wxCC_IFLAG_PARENT_TAB_TRAVERSAL;
    }
    if (state_->popupRequested) {
        // Look hovered when the pointer rests on the control after the menu closed.
        if (HitTest(ScreenToClient(wxGetMousePosition())) == wxHT_WINDOW_INSIDE) m_btnState |= wxCONTROL_CURRENT;
        Refresh();
        state_->popupRequested = false;
    }
}
