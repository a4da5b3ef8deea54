#pragma once
// Diagnostics through the wx log: quiet (verbose level) in normal use, loud
// (error or message level) when the process runs in obtrusive diagnostic mode.
// GUI thread only.

#include "UserInterface/UtilityClasses/EasyRedirectMinimalErrorLog.h"
#include "UserInterface/UtilityClasses/RAII_LogRedirection.h"
#include "UserInterface/UtilityClasses/RAII_LogSuspension.h"

#include <wx/string.h>

namespace Orbisk {

// Decided once per process, at the first call: obtrusive when wx verbose logging
// is on (which then exports ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING=1 to children) or
// when that variable exists, even with an empty value.
bool RunningInObtrusiveDiagnosticMode();

// Obtrusive mode: "[OBTRUSIVE] " + msg at error level; otherwise msg at verbose level.
void EitherLogVerboseOrLogErrorBasedOnEnvironment(const wxString& msg);
// Obtrusive mode: "[OBTRUSIVE] " + msg at message level; otherwise msg at verbose level.
void EitherLogVerboseOrLogNormalPopupMessageBasedOnEnvironment(const wxString& msg);
// Logs msg at error level.
void EitherLogErrorPopup_ElseForAutoTestsFailFatally(const wxString& msg);
// Logs msg as an error, flushes it to the screen, then logs it as fatal (ends the process).
void FatalErrorWithMaximumAttemptAtOnScreenDisplay(const wxString& msg);

// The variable's whole value as a base-10 integer, else the fallback (missing,
// malformed or out of the int range). Unless quiet, a malformed value is logged verbosely.
int GetIntegerSettingFromUserEnvironment_ElseReturn(int fallback, const wxString& variableName, bool quiet);

// "TIMING DATA: second S,\t milli M.\t " + msg on standard error.
void StdoutTimingMessageWithMilliseconds(const wxString& msg);

// Appends text as one line to the file at path (created when missing), after
// removing all lines when clearFirst. An unusable path is logged as an error.
void WriteOneStringToSimpleFileThenClose(bool clearFirst, const wxString& path, const wxString& text);

}  // namespace Orbisk
