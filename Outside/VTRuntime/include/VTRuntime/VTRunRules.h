#pragma once
// The rules of a run in the form the run carries them out: each criterion and action
// reduced to the few numbers and texts it needs, checked and resolved before the run
// (a rule that names an element that no longer exists, or an item the run cannot carry
// out, keeps the run from starting; see VTRuleCompiler).
//
// Codes are those of the stored order forms: criterion kinds and built-in codes,
// operator numbers within their operator family, action codes.

#include <wx/colour.h>
#include <wx/string.h>

#include <vector>

namespace Vantrel {

// What a criterion row tests.
enum class VTCriterionKind
{
    Always,
    LastResponse,         // the id of the last recorded response (-2: none yet)
    TrialReactionTime,    // milliseconds
    TrialPresentations,   // how many times this trial has been presented in this run
    ParticipantName,      // text
    BlockPercentCorrect,  // of the trials presented in this block presentation (or a subset of them)
    BlockTrialCount,
    BlockAverageRT,       // milliseconds
    TimeSinceBlockStart,  // in the row's unit
    TimeSinceRunStart,
    LastTypedText,  // what the participant typed since the trial began
    // A parameter's value (VTPlannedCriterion::parameter): a counter's number, a timer's
    // time in the row's unit, a text, or a stored response's id (-2: unset).
    Parameter,
    // The trial's tag of a tag set is (Equal) or is not (NotEqual) a tag, or the tag of
    // the trial presented before it.
    TrialTag,
    // A function of a collection parameter (VTPlannedCriterion::collectionFunction).
    Collection,
    // The trial's level of a trial variable (VTPlannedCriterion::variable) is (Equal) or
    // is not (NotEqual) the level of index `number`.
    TrialLevel
};

// The operator of a row, by family.
enum class VTCompare
{
    Equal,
    NotEqual,
    Greater,
    Less,
    Contains,
    DoesNotContain,
    BeginsWith,
    EndsWith
};

struct VTPlannedCriterion
{
    VTCriterionKind kind = VTCriterionKind::Always;
    VTCompare compare = VTCompare::Equal;
    // Joined to the row before by "and" (true) or "or"; ignored on the first row.
    bool isAnd = true;
    double number = 0;  // numeric right side (a response id for LastResponse)
    wxString text;      // text right side
    // Milliseconds per unit of the elapsed-time criteria and of timer parameters.
    double unitMs = 1;
    // Parameter: the parameter tested (an index into VTRunPlan::parameters).
    int parameter = -1;
    // Parameter and LastTypedText: compared with this parameter's value in place of
    // `number` or `text`; -1 when the right side is a value.
    int rhsParameter = -1;
    // Block statistics: only the last `subsetCount` trials (all when below 1), only
    // those carrying `subsetTag` (all when below 0).
    int subsetCount = 0;
    int subsetTag = -1;
    // TrialTag: the set, and the tag (or the previous trial's tag of the set).
    int tagSet = -1, tag = -1;
    bool previousTrialTag = false;
    // Collection (on `parameter`): 0 number of its trials tagged `tag`, 1 their
    // percentage, 4 the mean reaction time of its answered trials, 5 whether it is
    // full, 6 and 7 whether it holds the trial (or, with doesNotContain, lacks it).
    int collectionFunction = -1;
    bool doesNotContain = false;
    // TrialLevel: the variable's index among the experiment's trial variables.
    int variable = -1;
};

enum class VTActionKind
{
    ExitExperiment,
    ExitBlock,
    GoBackToPreviousBlock,
    PresentBlock,
    RepeatCurrentBlock,
    PresentEvent,
    RepeatTrial,
    SkipNextTrial,
    ChangeBackground,  // no flow action: the presentation window's background from the next paint on
    // Changes a parameter's value; no flow action.
    Parameter,
    // Tags (target: the tag set, number: the tag) and the block statistics; no flow actions.
    SetTrialTag,
    SetTagOnAllTrialsInBlock,
    ClearBuiltInCollection,
    // Moves a trial variable's current level (target: the variable's index in
    // VTRunPlan::variables, operation: RuleCode::LevelNext ... LevelSetNumber, number:
    // the level's index for LevelSetNumber); no flow action.
    MoveTrialLevel
};

struct VTPlannedAction
{
    VTActionKind kind = VTActionKind::ExitExperiment;
    // PresentBlock: the block's id; PresentEvent: the event's id.
    int target = -1;
    // ChangeBackground: the new background.
    wxColour colour;
    // Parameter: the operation (RuleCode::ParamSetText ... ParamPauseTimer), the
    // parameter it changes and, when its operand is another parameter's value, that
    // parameter (indexes into VTRunPlan::parameters; -1 none); else the typed operand.
    int operation = -1;
    int parameter = -1;
    int sourceParameter = -1;
    int number = 0;
    wxString text;
};

// A parameter of the experiment as the run keeps it; every run starts from these values.
struct VTPlannedParameter
{
    wxString name;
    int type = -1;  // ParameterType
    wxString initialText;
    int initialValue = 0;
    bool hasMin = false, hasMax = false;
    int min = 0, max = 0;
    int sizeLimit = -1;  // collection: the most trials it keeps; below 1 none
    // Its value is a column of the data file.
    bool saveToDataFile = false;
};

struct VTPlannedRule
{
    wxString name;
    // "are not met": the rule acts when its criteria are false.
    bool negated = false;
    std::vector<VTPlannedCriterion> criteria;
    std::vector<VTPlannedAction> actions;
};

}  // namespace Vantrel
