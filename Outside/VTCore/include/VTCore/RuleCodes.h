#pragma once
// The codes that rule order forms carry. The editor writes them and the run reads
// them; the model stores them as they are. Names here are for readers of the
// forms; the numbers are the stored values.

namespace Vantrel {
namespace RuleCode {

// OrderFormForExpressionCreation::kind
constexpr int KindBuiltIn = 1;
constexpr int KindScalarParameter = 2;
constexpr int KindTrialLevel = 3;
constexpr int KindCollection = 4;
constexpr int KindAlways = 801;

// OrderFormForExpressionCreation::builtIn (kind 1)
constexpr int BuiltInBlockTrialStatistic = 2008;  // rhsKind 2301/2302/2303, with trialSubset
constexpr int BuiltInTimeSinceBlockStart = 2010;  // time unit marker in flagText
constexpr int BuiltInTimeSinceExperimentStart = 2011;
constexpr int BuiltInTrialTagSetBlockContext = 2012;  // "When to Present" of a trial
constexpr int BuiltInTrialPresentationCountWhen = 2013;
constexpr int BuiltInTrialPresentationCountRule = 2015;
constexpr int BuiltInTrialTagSetRuleContext = 2016;  // trial rules
constexpr int BuiltInLastResponse = 2017;
constexpr int BuiltInParticipantName = 2018;
constexpr int BuiltInTrialReactionTime = 2019;
constexpr int BuiltInLastTypedText = 2020;

// OrderFormForExpressionCreation::rhsKind
constexpr int RhsParameter = 882;
constexpr int RhsNumber = 883;
constexpr int RhsText = 884;
constexpr int RhsNumberOfTrialsPresented = 2301;  // built-in 2008
constexpr int RhsPercentageCorrect = 2302;
constexpr int RhsAverageRT = 2303;

// OrderFormForExpressionCreation::operatorInContext, by operator context. Which
// context a criterion uses: last response, trial level: 1; last typed text,
// participant name, text parameter: 2; tag criteria: 3; every number: 0; a scalar
// parameter by its type (timer, counter 0; response 1; text 2).
constexpr int OpContextNumeric = 0;
constexpr int OpContextIsIsNot = 1;
constexpr int OpContextText = 2;
constexpr int OpContextSetNotSet = 3;
constexpr int OpEqual = 0;     // numeric "=", "is", "is equal to", "is set to"
constexpr int OpNotEqual = 1;  // numeric "≠", "is not", "is not equal to", "is not set to"
constexpr int OpGreater = 2;   // numeric ">"
constexpr int OpLess = 3;      // numeric "<"
constexpr int OpContains = 4;  // text
constexpr int OpDoesNotContain = 5;
constexpr int OpBeginsWith = 6;
constexpr int OpEndsWith = 7;

// The tag of the previous trial, in place of a tag id (value2 of a tag criterion).
constexpr int SameTagAsPreviousTrial = -5432;
// Trial-level criteria: value is a zero-based level index or one of these.
constexpr int LevelFirst = 3302;
constexpr int LevelLast = 3303;

// OrderFormForActionCreation::actionType
constexpr int ActionExitExperiment = 2001;
constexpr int ActionPresentBlock = 2002;  // target: block id
constexpr int ActionPresentEvent = 2003;  // target: event id
constexpr int ActionTrialFlow = 2004;     // operation 0 restart trial, 2 skip remaining events
constexpr int ActionSetTrialTag = 2007;   // target tag set, target2 tag
constexpr int ActionSkipNextTrial = 2008;
constexpr int ActionRepeatBlock = 2009;
constexpr int ActionRepeatTrial = 2010;
constexpr int ActionSetTagOnAllTrialsInBlock = 2011;  // target tag set, target2 tag
constexpr int ActionClearBuiltInCollection = 2012;
constexpr int ActionParameter = 2013;               // operation 1-12 on parameterName; 1001 background colour
constexpr int ActionTrialLevel = 2016;              // target trial variable; operation 3016-3021
constexpr int ActionParameterFromParameter = 2017;  // text = the right-side parameter's name
constexpr int ActionGoBackToPreviousBlock = 2121;
constexpr int ActionExitBlock = 2122;

// OrderFormForActionCreation::operation of 2004
constexpr int FlowRestartTrial = 0;
constexpr int FlowSkipRemainingEvents = 2;
// of 2013 (parameter operations, the menu table's paramOp) and the colour action
constexpr int ParamSetText = 1;
constexpr int ParamSetCounter = 2;
constexpr int ParamIncrementCounter = 3;
constexpr int ParamDecrementCounter = 4;
constexpr int ParamReset = 5;
constexpr int ParamStoreResponse = 6;
constexpr int ParamAppendText = 7;
constexpr int ParamRandomCounter = 8;
constexpr int ParamStoreTypedText = 9;
constexpr int ParamAddTrialToCollection = 10;
constexpr int ParamStartTimer = 11;
constexpr int ParamPauseTimer = 12;
constexpr int OperationBackgroundColour = 1001;
// of 2016
constexpr int LevelNext = 3016;
constexpr int LevelPrevious = 3017;
constexpr int LevelSetFirst = 3018;
constexpr int LevelSetLast = 3019;
constexpr int LevelSetRandom = 3020;
constexpr int LevelSetNumber = 3021;  // number: the level, counted from 1

}  // namespace RuleCode
}  // namespace Vantrel
