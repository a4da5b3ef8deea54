#pragma once
// Process-wide services: Qt beside wx, the run-aware log, streaming clean-up.

#include <wx/log.h>

#include "VTPlugInCommon/VTSdkExport.h"

// Makes Qt usable (JSON, streams, fonts): creates a QGuiApplication on the "offscreen"
// platform unless one exists. Leaves the user's clipboard (wx's) alone. Safe to call again.
VTSDK_API void InitQt();

// A log target that chains to the target active when it was made (so a recording test
// target still sees everything) and holds messages back while a run is on screen;
// they are passed on when the run ends. Made once; it owns the target it replaced, as
// wx owned it before, and deletes it when wx deletes the active target at shut-down
// (or hands it back to wx when deleted while still active).
class VTSDK_API LogThatSuspendsDuringExpRun : public wxLog
{
public:
    LogThatSuspendsDuringExpRun();
    ~LogThatSuspendsDuringExpRun() override;

    // The presenter calls these around a run.
    static void SuspendForRun();
    static void ResumeAfterRun();
    static bool IsSuspended();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;
    void Flush() override;

private:
    wxLog* m_Previous;
};

namespace VantrelSDK {

class VTSDK_API LifetimeManagerForStreamingObjects
{
public:
    // At shut-down; safe when nothing was streamed.
    static void DeInitStreaming();
    // Objects that must be released before shut-down register a clean-up here.
    static void RegisterCleanup(void (*cleanup)());
};

}  // namespace VantrelSDK
