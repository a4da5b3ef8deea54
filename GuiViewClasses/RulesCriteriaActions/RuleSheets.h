#pragma once
// The trial-subset and collection-function sheets as the operand book opens them:
// one sheet of each kind per top-level window, made on first use and reused, shown
// window-modally; the book's OK callback gets the edited value.

class wxDialog;

namespace Vantrel {

// Installs the openers in RuleRowRHSChoiceBookWithHiddenCtrl (the program does it once at start-up).
void InstallRuleSheets();
// Closes a sheet with `code`: ends a modal showing, else sets the code and hides it.
void FinishSheet(wxDialog& sheet, int code);

}  // namespace Vantrel
