#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/textfile.h>
#include <wx/utils.h>

#include <climits>
#include <cstdio>
#include <memory>

namespace Orbisk {

bool RunningInObtrusiveDiagnosticMode()
{
    static const wxString variableName = "ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING";
    static bool determined = false;
    static bool obtrusive = false;
    if (determined) return obtrusive;
    determined = true;
    const bool verbose = wxLog::GetVerbose();
    if (verbose) wxSetEnv(variableName, "1");
    obtrusive = verbose || wxGetEnv(variableName, nullptr);
    return obtrusive;
}

namespace {

const char* const ObtrusivePrefix = "[OBTRUSIVE] ";

// The text always goes in as the argument of "%s": a percent sign in it is never a format.
void EitherLogVerboseOrLogAtLevel(wxLogLevel obtrusiveLevel, const wxString& msg)
{
    if (RunningInObtrusiveDiagnosticMode())
        wxLogGeneric(obtrusiveLevel, "%s", wxString(ObtrusivePrefix) + msg);
    else
        wxLogVerbose("%s", msg);
}

}  // namespace

void EitherLogVerboseOrLogErrorBasedOnEnvironment(const wxString& msg)
{
    EitherLogVerboseOrLogAtLevel(wxLOG_Error, msg);
}

void EitherLogVerboseOrLogNormalPopupMessageBasedOnEnvironment(const wxString& msg)
{
    EitherLogVerboseOrLogAtLevel(wxLOG_Message, msg);
}

void EitherLogErrorPopup_ElseForAutoTestsFailFatally(const wxString& msg) { wxLogError("%s", msg); }

void FatalErrorWithMaximumAttemptAtOnScreenDisplay(const wxString& msg)
{
    wxLogError("%s", msg);
    wxLog::FlushActive();
    wxLogFatalError("%s", msg);
}

int GetIntegerSettingFromUserEnvironment_ElseReturn(int fallback, const wxString& variableName, bool quiet)
{
    wxString value;
    if (!wxGetEnv(variableName, &value)) return fallback;
    long number = 0;
    if (!value.ToLong(&number, 10) || number < INT_MIN || number > INT_MAX) {
        if (!quiet) wxLogVerbose("Ignoring %s=\"%s\": not a whole number; using %d.", variableName, value, fallback);
        return fallback;
    }
    return static_cast<int>(number);
}

void StdoutTimingMessageWithMilliseconds(const wxString& msg)
{
    const wxDateTime now = wxDateTime::UNow();
    const wxString text =
        wxString::Format("TIMING DATA: second %d,\t milli %d.\t ", int(now.GetSecond()), int(now.GetMillisecond())) +
        msg;
    wxLogStderr* temporary = new wxLogStderr(stderr);
    wxLog* previous = wxLog::SetActiveTarget(temporary);
    wxLogMessage("%s", text);
    wxLog::SetActiveTarget(previous);
    delete temporary;
}

void WriteOneStringToSimpleFileThenClose(bool clearFirst, const wxString& path, const wxString& text)
{
    auto file = std::make_shared<wxTextFile>();
    bool ready;
    {
        wxLogNull quiet;
        ready = file->Open(path) || file->Create(path);
    }
    if (!ready) {
        wxLogError(_("We could neither open nor create \"%s\"."), path);
        return;
    }
    if (clearFirst) file->Clear();
    file->AddLine(text, wxTextBuffer::typeDefault);
    file->Write(wxTextBuffer::typeDefault, wxConvAuto());
    file->Close();
}

}  // namespace Orbisk
