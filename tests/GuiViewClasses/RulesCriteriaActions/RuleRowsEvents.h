#pragma once
// A user's hand on a rule row: picks from the left-side menu, choices changed and
// fields typed into on the operand page, each through the event the control sends.

#include "RuleComponentRowPanel.h"
#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace RuleRows {

// A pick from the row's left-side menu, as the drop-down's popup reports it.
inline void PickLeftSide(Vantrel::RuleComponentRowPanel* row, int menuId)
{
    wxCommandEvent pick(wxEVT_MENU, menuId);
    row->LeftSide()->GetEventHandler()->ProcessEvent(pick);
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

// A command from the row's gear menu, as its drop-down button reports it.
inline void PickRowMenu(Vantrel::RuleComponentRowPanel* row, int id)
{
    wxCommandEvent event(wxEVT_BUTTON, Vantrel::RuleComponentRowPanel::kRowMenuId);
    event.SetInt(id);
    event.SetEventObject(row->RowMenuButton());
    row->RowMenuButton()->GetEventHandler()->ProcessEvent(event);
}

// Typed on the keyboard into the current page's field of that name, over what it held.
inline void TypeInto(Vantrel::RuleComponentRowPanel* row, const char* name, const wxString& text)
{
    auto* field = dynamic_cast<wxTextCtrl*>(OnPage(row, name));
    ASSERT_NE(field, nullptr) << name;
    field->SetFocus();
    field->SelectAll();
    wxUIActionSimulator().Text(text.utf8_str());
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return field->GetValue() == text; })) << field->GetValue();
}

}  // namespace RuleRows
