#include "TestSupport.h"

#include "TestMainSetup.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/stopwatch.h>
#include <wx/window.h>

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace TestSupport {

namespace {

std::vector<LoggedRecord>& Records()
{
    static std::vector<LoggedRecord> records;
    return records;
}

std::string& Home()
{
    static std::string home;
    return home;
}

class RecordingLog : public wxLog
{
protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        Records().push_back({level, msg});
        if (std::getenv("STUDYSTATION_TEST_QUIET_LOG") == nullptr)
            std::fprintf(stderr, "[log %lu] %s\n", level, msg.utf8_str().data());
    }
};

}  // namespace

wxLog* CreateRecordingLog() { return new RecordingLog; }

void AssertionFailsTheTest(const wxString& file, int line, const wxString& func, const wxString& cond,
                           const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wxASSERT in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " " << msg.utf8_str().data();
}

void InitialiseHomeFolder()
{
    char pattern[] = "/tmp/studystation-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    Home() = made;
    const std::string runtime = Home() + "/.runtime";
    std::filesystem::create_directories(Home() + "/.config");
    std::filesystem::create_directories(Home() + "/.local/share");
    std::filesystem::create_directories(Home() + "/.cache");
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    setenv("HOME", Home().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home() + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (Home() + "/.local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (Home() + "/.cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

void RemoveHomeFolder()
{
    std::error_code ignored;
    if (!Home().empty()) std::filesystem::remove_all(Home(), ignored);
}

const std::vector<LoggedRecord>& RecordedLog()
{
    wxLog::FlushActive();
    return Records();
}

void ClearLog()
{
    wxLog::FlushActive();
    Records().clear();
}

bool LogContains(const wxString& fragment, unsigned long maxLevel)
{
    for (const auto& r : RecordedLog())
        if (r.level <= maxLevel && r.text.Contains(fragment)) return true;
    return false;
}

std::string LogAsText()
{
    std::string all;
    for (const auto& r : RecordedLog()) {
        all += r.text.utf8_str().data();
        all += '\n';
    }
    return all;
}

const std::string& HomeFolder() { return Home(); }

std::string MakeTempFolder(const std::string& prefix)
{
    std::string pattern = Home() + "/" + prefix + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    return made ? std::string(made) : std::string();
}

std::string SourceDir()
{
    const char* dir = std::getenv("STUDYSTATION_SOURCE_DIR");
    return dir ? dir : STUDYSTATION_SOURCE_DIR_DEFAULT;
}

std::string BinaryDir()
{
    const char* dir = std::getenv("STUDYSTATION_BINARY_DIR");
    return dir ? dir : STUDYSTATION_BINARY_DIR_DEFAULT;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        if (wxAppConsole* app = wxAppConsole::GetInstance()) app->Yield(true);
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
        wxMilliSleep(2);
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& cond, long timeoutMs)
{
    return WaitUntil(cond, std::chrono::milliseconds(timeoutMs));
}

void PumpFor(long ms)
{
    PumpUntil([] { return false; }, ms);
}

void ClickWindow(wxWindow* window)
{
    PumpUntil([&] { return window->IsShownOnScreen(); });
    PumpFor(50);
    wxUIActionSimulator sim;
    const wxRect r = window->GetScreenRect();
    sim.MouseMove(r.GetPosition() + wxSize(r.width / 2, r.height / 2));
    PumpFor(50);
    sim.MouseClick();
    PumpFor(100);
}

void ScriptShownDialog(wxDialog* dialog, std::function<void(wxDialog&)> script)
{
    wxTheApp->CallAfter([dialog, script = std::move(script)] {
        if (!PumpUntil([&] { return dialog->IsShownOnScreen(); })) ADD_FAILURE() << "dialog never shown";
        PumpFor(100);
        script(*dialog);
        if (!PumpUntil([&] { return !dialog->IsShown(); }, 5000)) {
            ADD_FAILURE() << "dialog still open after its script";
            dialog->EndModal(wxID_CANCEL);
        }
    });
}

}  // namespace TestSupport
