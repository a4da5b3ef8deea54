#include "VTPlugInCommon/ProcessServices.h"

#include "Environment.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

std::atomic<bool> g_Suspended{false};
LogThatSuspendsDuringExpRun* g_RunLog = nullptr;

struct HeldRecord
{
    wxLogLevel level;
    wxString text;
    wxLogRecordInfo info;
};
std::mutex g_HeldMutex;
std::vector<HeldRecord> g_Held;

std::vector<void (*)()>& Cleanups()
{
    static std::vector<void (*)()> cleanups;
    return cleanups;
}

}  // namespace

void InitQt()
{
    if (QCoreApplication::instance()) return;
    // Qt only serves JSON, streams, fonts and colours here; wx owns the screen and clipboard.
    if (!VantrelSDK::Environment::QtPlatformChosen()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "StudyStation";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives for the process
}

LogThatSuspendsDuringExpRun::LogThatSuspendsDuringExpRun() : m_Previous(wxLog::GetActiveTarget())
{
    g_RunLog = this;
    wxLog::SetActiveTarget(this);
}

LogThatSuspendsDuringExpRun::~LogThatSuspendsDuringExpRun()
{
    if (g_RunLog == this) g_RunLog = nullptr;
    // Looked at through SetActiveTarget: GetActiveTarget would make a new target when
    // there is none, which is the state at shut-down.
    wxLog* active = wxLog::SetActiveTarget(nullptr);
    if (active == this) {
        wxLog::SetActiveTarget(m_Previous);
    } else {
        wxLog::SetActiveTarget(active);
        delete m_Previous;
    }
}

void LogThatSuspendsDuringExpRun::SuspendForRun() { g_Suspended = true; }

void LogThatSuspendsDuringExpRun::ResumeAfterRun()
{
    g_Suspended = false;
    std::vector<HeldRecord> held;
    {
        std::lock_guard<std::mutex> lock(g_HeldMutex);
        held.swap(g_Held);
    }
    if (g_RunLog && g_RunLog->m_Previous) {
        for (const HeldRecord& r : held) g_RunLog->m_Previous->LogRecord(r.level, r.text, r.info);
    }
}

bool LogThatSuspendsDuringExpRun::IsSuspended() { return g_Suspended; }

void LogThatSuspendsDuringExpRun::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    if (g_Suspended) {
        std::lock_guard<std::mutex> lock(g_HeldMutex);
        g_Held.push_back({level, msg, info});
        return;
    }
    if (m_Previous) m_Previous->LogRecord(level, msg, info);
}

void LogThatSuspendsDuringExpRun::Flush()
{
    if (m_Previous && !g_Suspended) m_Previous->Flush();
}

namespace VantrelSDK {

void LifetimeManagerForStreamingObjects::DeInitStreaming()
{
    std::vector<void (*)()> cleanups;
    cleanups.swap(Cleanups());
    for (auto it = cleanups.rbegin(); it != cleanups.rend(); ++it) (*it)();
}

void LifetimeManagerForStreamingObjects::RegisterCleanup(void (*cleanup)())
{
    if (cleanup) Cleanups().push_back(cleanup);
}

}  // namespace VantrelSDK
