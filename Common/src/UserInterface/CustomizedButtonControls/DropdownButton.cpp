#include "UserInterface/CustomizedButtonControls/DropdownButton.h"

#include <wx/bmpbuttn.h>
#include <wx/menu.h>
#include <wx/sizer.h>

wxBEGIN_EVENT_TABLE(DropdownButton, wxPanel)
    EVT_BUTTON(DropdownButton::ButtonId, DropdownButton::OnButtonClick)
    EVT_UPDATE_UI(DropdownButton::ButtonId, DropdownButton::OnUpdateButton)
    EVT_MENU(wxID_ANY, DropdownButton::OnMenuClick)
wxEND_EVENT_TABLE()

DropdownButton::DropdownButton(BitmapFunctor normal, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                               const wxSize& size, long style, BitmapFunctor disabled, BitmapFunctor hover,
                               BitmapFunctor focused)
    : id_(id),
      normal_(std::move(normal)),
      disabled_(std::move(disabled)),
      hover_(std::move(hover)),
      focused_(std::move(focused))
{
    Init();
    Create(parent, id, pos, size, style);
}

DropdownButton::~DropdownButton() { delete menu_; }

void DropdownButton::Init()
{
    menu_ = nullptr;
    button_ = nullptr;
}

bool DropdownButton::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style, wxASCII_STR(wxPanelNameStr));
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
    menu_ = new wxMenu;
    return true;
}

void DropdownButton::CreateControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(sizer);
    const wxBitmap& normal = normal_();
    button_ =
        new wxBitmapButton(this, ButtonId, normal, wxDefaultPosition, wxSize(normal.GetWidth(), normal.GetHeight()),
                           wxBORDER_NONE, wxDefaultValidator, wxASCII_STR(wxButtonNameStr));
    if (disabled_) button_->SetBitmapDisabled(disabled_());
    if (hover_) button_->SetBitmapCurrent(hover_());
    if (focused_) button_->SetBitmapFocus(focused_());
    sizer->Add(button_, 0, wxALIGN_LEFT, 0);  // a vertical box cannot centre vertically
    // Taken once, before any later layout moves the button.
    const wxPoint at = button_->GetPosition();
    const wxSize buttonSize = button_->GetSize();
    popupPosition_ = wxPoint(at.x + 10, at.y + buttonSize.GetHeight() + 11);
}

int DropdownButton::AddDropdownMenuItem(wxString label)
{
    const int id = nextItemId_++;
    menu_->Append(id, label, wxEmptyString);
    return id;
}

void DropdownButton::AddSeparator() { menu_->AppendSeparator(); }

void DropdownButton::ClearDropdownMenu()
{
    while (menu_->GetMenuItemCount() > 0) menu_->Destroy(menu_->FindItemByPosition(0));
    nextItemId_ = FirstItemId;
}

void DropdownButton::DisableAllMenuItems()
{
    for (int id = FirstItemId; id < nextItemId_; ++id) EnableItemById(id, false);
}

void DropdownButton::EnableItemById(int id, bool enable)
{
    // wxMenu::Enable asserts on an unknown identifier; nothing changes either way.
    if (wxMenuItem* item = menu_->FindItem(id)) item->Enable(enable);
}

void DropdownButton::EnableItemAtIndex(int index, bool enable) { EnableItemById(FirstItemId + index, enable); }

void DropdownButton::EnableItemByName(wxString label, bool enable) { EnableItemById(menu_->FindItem(label), enable); }

wxMenuItem* DropdownButton::FindItemById(int id) { return menu_->FindItem(id); }

wxMenuItem* DropdownButton::FindItemByIndex(int index) { return menu_->FindItem(FirstItemId + index); }

wxMenuItem* DropdownButton::FindItemByName(wxString label) { return menu_->FindItem(menu_->FindItem(label)); }

void DropdownButton::EnableButton(bool enable) { enabled_ = enable; }

bool DropdownButton::Enable(bool enable)
{
    enabled_ = enable;
    return wxPanel::Enable(enable);
}

bool DropdownButton::ShowToolTips() { return true; }
wxBitmap DropdownButton::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon DropdownButton::GetIconResource(const wxString&) { return wxNullIcon; }

void DropdownButton::OnButtonClick(wxCommandEvent& event)
{
    event.Skip();
    PopupMenu(menu_, popupPosition_);  // returns when the menu closes
}

void DropdownButton::OnUpdateButton(wxUpdateUIEvent&) { button_->Enable(enabled_); }

void DropdownButton::OnMenuClick(wxCommandEvent& event)
{
    // Queued, so the parent hears of the pick from the event loop, after the menu closed.
    auto* pick = new wxCommandEvent(wxEVT_BUTTON, id_);
    pick->SetInt(event.GetId());
    pick->SetEventObject(this);
    GetEventHandler()->QueueEvent(pick);
}
