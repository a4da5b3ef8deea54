#pragma once
// What a run presents, in order: the compiled form of an experiment for one group.
// The builder fills it from the experiment; the presenter only reads it.

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <map>
#include <vector>

#include "VTRuntime/VTDataColumns.h"
#include "VTRuntime/VTRunRules.h"
#include "VTRuntime/VTSharedList.h"

namespace Vantrel {

struct VTPlannedResponse
{
    int responseID = -1;
    int pluginID = -1;
    int key = 0;
    int port = 0;
    int phase = 1;  // 1 press, 2 release
    // On-screen responses: 0 anywhere, 1 where the stimulus was drawn, 2 the rectangle
    // (x, y its centre in pixels from the screen's centre, y growing downwards).
    int regionMode = 0;
    int regionX = 0, regionY = 0, regionWidth = 0, regionHeight = 0;
    wxString name;
    bool correct = true;
    bool endsEvent = true;
};

struct VTPlannedEvent
{
    enum class StimulusKind
    {
        None,  // nothing to present (a list event without items, a file event without files)
        Text,
        File
    };
    int eventID = -1;
    wxString name;
    // The event-type plug-in that presents the stimulus (its id is the event's type).
    int pluginID = -1;
    StimulusKind kind = StimulusKind::None;
    wxString text;           // Text: the words
    wxString path;           // File: absolute path of the file
    wxString stimulusLabel;  // what the data file's Stimulus column says
    // The event's settings for its plug-in (see VTSdkEventInstance).
    std::map<wxString, wxString> pluginSettings;
    int timeLimitMs = -1;  // -1: no time limit
    bool endsImmediately = false;
    bool recordsResponses = true;
    // With no accepted responses defined: whether any press ends the event.
    bool anyResponseEnds = true;
    // Empty: every press (any key, any plug-in response) is accepted. Shared by the
    // copies of the event that its presentations get.
    VTSharedList<VTPlannedResponse> accepted;
    // What the data file's correct-response column says.
    wxString correctResponses;
    // Whether the light-sensor patch is drawn with this event's onset.
    bool showsSensorPatch = true;
    // Whether the trial's reaction time is measured from this event's onset (the
    // trial's first event always starts it).
    bool resetsReactionTimer = true;
    // Feedback actions wait for the time limit (stored and carried; the feedback
    // itself is not yet run).
    bool delaysFeedbackUntilTimeLimit = false;
    // A click on the drawn stimulus counts as this on-screen response (responseID -1: none).
    VTPlannedResponse clickable;
    // From the trial's levels of the event's location and colour variables: where the
    // stimulus' middle is, in pixels from the screen's centre (y grows downwards), and
    // the colour its text is drawn in.
    bool hasPosition = false;
    wxPoint position;
    bool hasColour = false;
    wxColour colour;
    // The trial variables (indexes into VTRunPlan::variables; -1 none) whose levels gave
    // the time limit, the place and the colour, so that a level a rule moved can give them anew.
    int timeLimitVariable = -1, locationVariable = -1, colourVariable = -1;
};

// One level of a trial variable: what the data file says for it and, by the
// variable's type, the time limit, place or colour it gives (usable false: it gives none).
struct VTPlannedLevel
{
    wxString label;
    bool usable = false;
    int timeLimitMs = -1;
    wxPoint position;
    wxColour colour;
};

// A trial variable as rules move its level while the run goes.
struct VTPlannedVariable
{
    // Manual selection: a moved level stays until a rule moves it again.
    bool manual = false;
    // Moving past either end goes round to the other end; else it stays at the end.
    bool wraps = false;
    // Its position among the data file's level columns (VTPlannedTrial::levels); -1 not saved.
    int column = -1;
    std::vector<VTPlannedLevel> levels;
};

constexpr size_t kAlwaysPresent = size_t(-1);

struct VTPlannedTrial
{
    int trialID = -1;
    wxString name;
    // Pacing: the next trial starts this long after this trial's first onset.
    bool paced = false;
    int startPeriodMs = 0;
    // Events shuffled anew at every presentation (the first or last kept in place);
    // orders decided once are already in `events`.
    bool reshuffleEvents = false;
    bool keepFirstEvent = false, keepLastEvent = false;
    // How often in a row the trial may be repeated (rules' "Repeat trial", the run's
    // repeat due to feedback); -1 without limit.
    long long repeatLimit = -1;
    // The presentations that the list access made of one trial of the block share
    // their unit; reshuffleInUnit: their order is shuffled anew at every presentation
    // of the block.
    std::size_t unit = 0;
    bool reshuffleInUnit = false;
    std::vector<VTPlannedEvent> events;
    // The current level of each saved trial variable (the data columns' level columns).
    std::vector<wxString> levels;
    // The current level of every trial variable, in the experiment's order (-1: none);
    // what trial-level criteria read.
    std::vector<int> levelIndexes;
    // The trial's rules, run after each of its presentations: indexes into VTRunPlan::rules.
    std::vector<size_t> rules;
    // Its "When to Present", asked before each presentation: an index into
    // VTRunPlan::rules whose actions are empty; kAlwaysPresent when it has none.
    size_t whenToPresent = kAlwaysPresent;
};

struct VTPlannedBlock
{
    int blockID = -1;
    wxString name;
    std::vector<VTPlannedTrial> trials;
    // The block's rules, run after each of its presentations: indexes into VTRunPlan::rules.
    std::vector<size_t> rules;
    size_t whenToPresent = kAlwaysPresent;
    // Trials presented `passes` times in a row (loop mode 82); forever (83) until no
    // trial of a pass is presented, an extra action, a rule or Escape ends the block.
    bool loopsForever = false;
    unsigned passes = 1;
    // Trial order shuffled anew at every presentation and pass (63), each unit
    // together unless the lists are jumbled across trials; orders decided once are
    // already in `trials`.
    bool reshuffleTrials = false;
    bool jumbleLists = false;
    // Extra actions: no new trial past this time from the block presentation's start
    // (-1: none), at most this many trials (repeats not counted; -1: none), a pause
    // with the message after every `pauseEvery` trials (0: none).
    long long timeLimitMs = -1;
    long long trialLimit = -1;
    unsigned long long pauseEvery = 0;
    wxString pauseMessage;
};

struct VTRunPlan
{
    wxString experimentName;
    wxString groupName;
    // The blocks in the order the run presents them unless a rule changes course.
    std::vector<VTPlannedBlock> blocks;
    // Blocks outside that order that a rule may present, and the events a rule may
    // present; rules name both by id.
    std::vector<VTPlannedBlock> otherBlocks;
    std::vector<VTPlannedEvent> ruleEvents;
    std::vector<VTPlannedRule> rules;
    // The experiment's parameters, in the document's order; rules name them by index.
    std::vector<VTPlannedParameter> parameters;
    // The experiment's trial variables, in its order (as VTPlannedTrial::levelIndexes).
    std::vector<VTPlannedVariable> variables;
    // The parameters whose value is a data-file column, in column order (indexes into parameters).
    std::vector<int> parameterColumns;
    // The tags the document gives the trials: trial id -> tag set id -> tag id.
    std::map<int, std::map<int, int>> trialTags;
    // The trial tag sets that are data-file columns, in column order, and every tag's name by id.
    std::vector<int> tagColumnSets;
    std::map<int, wxString> tagNames;
    // The names of the experiment's responses by id, for the columns of response parameters.
    std::map<int, wxString> responseNames;
    // The run guard: a run that would present more trials or events than this ends
    // there, saying why (loops, repeats and jumps can otherwise go on for ever).
    unsigned long long maxTrialPresentations = 200000;
    unsigned long long maxEventPresentations = 2000000;
    // Correctness codes: correct, incorrect, self-correct, no response.
    wxString codeCorrect = "C", codeIncorrect = "E", codeSelfCorrect = "SC", codeNoResponse = "NR";
    // The data file's columns and header.
    VTDataColumns columns;
    // The presentation window's background.
    wxColour background{0, 0, 0};
    // The light-sensor patch (window pixels; empty: none), drawn at each stimulus onset.
    wxRect sensorPatch;
    wxColour sensorPatchColour{255, 255, 255};
    bool IsEmpty() const { return blocks.empty(); }
};

}  // namespace Vantrel
