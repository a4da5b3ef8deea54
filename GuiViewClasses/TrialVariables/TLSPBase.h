#pragma once
// The pages of the trial variable editor's "Level Selection" tab, one per way of
// picking a variable's current level during a run. Each page shows the level
// selection settings of a variable (method, scope, flag) and writes them back;
// the editor shows the page of the method chosen and lets the page shown when
// the user confirms write its state. Pages hold nothing but their controls.

#include <GuiViewClasses/DialogClasses/GeneratedWindow.h>

namespace Orbisk {
namespace Var {
class Variable;
}
}  // namespace Orbisk

// The numbers stored in a variable's level selection settings.
namespace LevelSelection {
enum Method
{
    Sequential = 0,
    RandomNoReplacement = 1,
    RandomWithReplacement = 2,
    Manual = 3,
    MethodCount = 4
};
enum Scope
{
    NewGroup = 0,       // once per group of participants (between subjects)
    ExperimentRun = 1,  // each run (within subjects)
    Block = 2,
    Trial = 3,
    TrialAndFeedbackRepeat = 4  // each trial, and again when feedback repeats it
};
}  // namespace LevelSelection

// A generated panel: each page writes only its controls (`CreateControls`).
class TLSPBase : public Vantrel::GeneratedPanel
{
public:
    // Shows the variable's scope and flag; writes nothing.
    virtual void SetGuiBasedOnVariable(Orbisk::Var::Variable* variable) = 0;
    // Writes the page's method, then its scope and flag.
    virtual void CommitGuiStateToVariable(Orbisk::Var::Variable* variable) = 0;
};
