#pragma once
// The trial-subset and collection-function sheets as the operand book opens them:
// one sheet of each kind per top-level window, made on first use and reused, shown
// window-modally; the book's OK callback gets the edited value.

class wxChoice;
class wxDialog;

namespace Vantrel {

class VTExperiment;
class VTTag;

// Installs the openers in RuleRowRHSChoiceBookWithHiddenCtrl (the program does it once at start-up).
void InstallRuleSheets();
// Closes a sheet with `code`: ends a modal showing, else sets the code and hides it.
void FinishSheet(wxDialog& sheet, int code);
// Lists the experiment's tags, each after its set's name, with its id as client data;
// the earlier pick stays selected while it is still there.
void RefillTagChoice(wxChoice* choice, VTExperiment* experiment);
// The tag with that id; null when there is none.
const VTTag* FindTag(VTExperiment* experiment, int tagID);

}  // namespace Vantrel
