#pragma once
// The events a user's picks, choices and typing send to rule rows and to the rules
// page's gears menu and name sheet, for the rule editor's suites.

#include "RuleComponentRowPanel.h"
#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RulesPanel.h"
#include "SheetDialogObjectNameOrRename.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <functional>

namespace RuleRows {

// A pick from the row's left-side menu, as the drop-down's popup reports it.
inline void PickLeftSide(Vantrel::RuleComponentRowPanel* row, int menuId)
{
    wxCommandEvent pick(wxEVT_MENU, menuId);
    row->LeftSide()->GetEventHandler()->ProcessEvent(pick);
}

// A pick in the row's gear menu, as the menu button reports it.
inline void PickRowMenu(Vantrel::RuleComponentRowPanel* row, int itemId)
{
    wxCommandEvent event(wxEVT_BUTTON, Vantrel::RuleComponentRowPanel::kRowMenuId);
    event.SetInt(itemId);
    event.SetEventObject(row->RowMenuButton());
    row->RowMenuButton()->GetEventHandler()->ProcessEvent(event);
}

inline wxWindow* OnPage(Vantrel::RuleComponentRowPanel* row, const char* name)
{
    return row->OperandBook()->GetCurrentPage()->FindWindow(name);
}

// A choice changed as by the user: the selection, then its event.
inline void Choose(wxChoice* choice, const wxString& text)
{
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(choice->SetStringSelection(text)) << text;
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetEventObject(choice);
    event.SetInt(choice->GetSelection());
    event.SetString(text);
    // As the toolkit's own event: the item's client data travels with it.
    if (choice->HasClientUntypedData()) event.SetClientData(choice->GetClientData(unsigned(choice->GetSelection())));
    choice->GetEventHandler()->ProcessEvent(event);
}

// Typed on the keyboard into the field, replacing what it held.
inline void TypeInto(wxTextCtrl* field, const wxString& text)
{
    ASSERT_NE(field, nullptr);
    field->SetFocus();
    field->SelectAll();
    wxUIActionSimulator().Text(text.utf8_str());
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return field->GetValue() == text; })) << field->GetValue();
}

// Typed on the keyboard into the current operand page's field of that name.
inline void TypeInto(Vantrel::RuleComponentRowPanel* row, const char* name, const wxString& text)
{
    auto* field = dynamic_cast<wxTextCtrl*>(OnPage(row, name));
    ASSERT_NE(field, nullptr) << name;
    TypeInto(field, text);
}

// A pick in the rules page's gears menu; its command arrives from the event loop.
inline void Gears(Vantrel::RulesPanel* panel, Vantrel::RulesPanel::MenuItem item)
{
    wxCommandEvent pick(wxEVT_MENU, panel->MenuId(item));
    panel->GetGears()->GetEventHandler()->ProcessEvent(pick);
    TestSupport::PumpFor(80);
}

// Types the name into the name sheet and presses the button.
inline std::function<void(wxDialog&)> NameSheet(const wxString& name, int button = wxID_OK)
{
    return [name, button](wxDialog& d) {
        dynamic_cast<SheetDialogObjectNameOrRename&>(d).GetNameField()->SetValue(name);
        TestSupport::PumpFor(30);  // the OK button follows the text at the next update
        TestSupport::ClickWindow(d.FindWindow(button));
    };
}

}  // namespace RuleRows
