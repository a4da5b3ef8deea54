#include "UserInterface/CustomizedButtonControls/ExtendedMenuImpl.h"

#include "UserInterface/CustomizedButtonControls/InvisibleWindowNeverSeenAlwaysSizeZero.h"

#include <wx/control.h>
#include <wx/log.h>
#include <wx/menu.h>

namespace {

// Labels are copied as written, mnemonic codes and escaped '&' included, so that an
// item shows and reports the same text in the copy as in its source.
void CopyMenuInto(const wxMenu& source, wxMenu& copy)
{
    for (const wxMenuItem* item : source.GetMenuItems()) {
        if (item->IsSeparator()) {
            copy.AppendSeparator();
        } else if (item->IsSubMenu()) {
            auto* subCopy = new wxMenu;
            CopyMenuInto(*item->GetSubMenu(), *subCopy);
            copy.Append(new wxMenuItem(&copy, wxID_ANY, item->GetItemLabel(), item->GetHelp(), wxITEM_NORMAL, subCopy));
        } else {
            wxMenuItem* added = copy.Append(item->GetId(), item->GetItemLabel(), item->GetHelp(), item->GetKind());
            added->Enable(item->IsEnabled());
        }
    }
}

// The non-separator item with that identifier, submenus included, or null.
wxMenuItem* FindPlainItem(const wxMenu& menu, int id)
{
    wxMenuItem* item = menu.FindItem(id);
    return (item && !item->IsSeparator()) ? item : nullptr;
}

}  // namespace

void ExtendedMenuImpl::Init()
{
    control_ = nullptr;
    menuIndex_ = 0;
    selectedId_ = -1;
}

ExtendedMenuImpl::~ExtendedMenuImpl() = default;

bool ExtendedMenuImpl::Create(wxWindow* parent)
{
    control_ = new InvisibleWindowNeverSeenAlwaysSizeZero(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                                          wxBORDER_NONE | wxTAB_TRAVERSAL);
    return true;
}

wxWindow* ExtendedMenuImpl::GetControl() { return control_; }

void ExtendedMenuImpl::SetStringValue(const wxString& value) { value_ = value; }

wxString ExtendedMenuImpl::GetStringValue() const { return value_; }

wxMenu* ExtendedMenuImpl::GetMenuCopy(std::size_t index) const
{
    return index < menus_.size() ? menus_[index].get() : nullptr;
}

void ExtendedMenuImpl::ShowText(const wxString& text)
{
    value_ = text;
    if (wxComboCtrlBase* combo = m_combo) {
        // SetText, not SetValue: a read-only combo would refuse labels that
        // only a submenu carries.
        combo->SetText(text);
        combo->Refresh();
    }
}

void ExtendedMenuImpl::SetPremadeCustomPopupMenus(const std::vector<const wxMenu*>& menus)
{
    menus_.clear();
    menuIndex_ = 0;
    for (const wxMenu* source : menus) {
        auto copy = boost::shared_ptr<wxMenu>(new wxMenu);
        if (source) CopyMenuInto(*source, *copy);
        menus_.push_back(copy);
    }
    // No menus, or an empty first menu, leave nothing to show.
    if (menus_.empty() || menus_.front()->GetMenuItemCount() == 0) {
        ShowText(wxEmptyString);
        return;
    }
    // A submenu first has no label of its own to show, and whatever the control showed
    // before belongs to the menus just replaced.
    const wxMenuItem* first = menus_.front()->FindItemByPosition(0);
    ShowText(first->IsSubMenu() ? wxString() : first->GetItemLabelText());
}

void ExtendedMenuImpl::ChooseExtendedMenuIndex(std::size_t index)
{
    if (index < menus_.size())
        menuIndex_ = index;
    else
        wxLogError(_("No such extended menu index!"));
}

void ExtendedMenuImpl::ChooseTheMenuItemLinkedToThisString(const wxString& text)
{
    if (FindItem(text)) {
        AssignCurrentText(selectedId_);
        value_ = text;
    } else {
        wxLogError(_("Cannot select %s from the extended menu."), text);
    }
}

bool ExtendedMenuImpl::FindItem(const wxString& text, wxString*)
{
    selectedId_ = -1;
    for (const auto& menu : menus_) {
        for (const wxMenuItem* item : menu->GetMenuItems()) {
            if (item->IsSeparator() || item->IsSubMenu()) continue;
            if (item->GetItemLabelText() == text) {
                selectedId_ = item->GetId();
                return true;
            }
        }
    }
    return false;
}

wxString ExtendedMenuImpl::TextForGivenId(int id) const
{
    for (const auto& menu : menus_)
        if (const wxMenuItem* item = FindPlainItem(*menu, id)) return item->GetItemLabelText();
    return wxEmptyString;
}

void ExtendedMenuImpl::AssignCurrentText(int id)
{
    wxString text;
    for (const auto& menu : menus_)
        if (const wxMenuItem* item = FindPlainItem(*menu, id)) text = item->GetItemLabelText();
    if (text.empty()) wxLogError(_("Drop-down choice contains invalid empty text. Please cancel changes."));
    ShowText(text);
}

void ExtendedMenuImpl::AlterTextForMenuItem(int id, const wxString& text)
{
    for (const auto& menu : menus_)
        if (wxMenuItem* item = FindPlainItem(*menu, id)) item->SetItemLabel(wxControl::EscapeMnemonics(text));
}

void ExtendedMenuImpl::SetEnablednessForMenuItem(int id, bool enable)
{
    for (const auto& menu : menus_)
        if (wxMenuItem* item = FindPlainItem(*menu, id)) item->Enable(enable);
}

void ExtendedMenuImpl::OnPopup()
{
    wxComboCtrlBase* combo = m_combo;  // GetComboCtrl() would insist on a native wxComboCtrl
    if (combo && combo->IsEnabled() && menuIndex_ < menus_.size() && menus_[menuIndex_]->GetMenuItemCount() > 0) {
        const int height = combo->GetSize().GetHeight();
        combo->PopupMenu(menus_[menuIndex_].get(), 13, height + 9);  // returns when the menu closes
    }
    HideBogusBackingWindow_NeverNeededOnMac_JustWin32();
}

void ExtendedMenuImpl::HideBogusBackingWindow_NeverNeededOnMac_JustWin32()
{
    if (!control_) return;
    control_->SetSize(control_->GetPosition().x, control_->GetPosition().y, 0, 0);
    control_->Hide();
}
