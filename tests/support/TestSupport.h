#pragma once
// Helpers shared by every test binary: the recorded log, the per-run home
// folder, waiting for something to happen while the event loop runs; whole-file
// reading and writing (TestFiles.h). CallbackRecorder.h records callbacks.

#include "TestFiles.h"

#include <wx/string.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class wxDialog;
class wxWindow;

namespace TestSupport {

struct LoggedRecord
{
    unsigned long level;  // wxLogLevel
    wxString text;
};

// Every wxLog record since the last ClearLog(), in order. Nothing is shown on screen.
const std::vector<LoggedRecord>& RecordedLog();
void ClearLog();
// True when some recorded record at or below `maxLevel` contains `fragment`.
bool LogContains(const wxString& fragment, unsigned long maxLevel = 0xffffffff);
// All recorded texts joined by newlines, for failure messages.
std::string LogAsText();

// The fresh folder that HOME and the XDG folders point at for this test binary.
const std::string& HomeFolder();
// A new empty folder under the home folder.
std::string MakeTempFolder(const std::string& prefix = "tmp");

// Source tree and build tree of the project (for fixtures and built helpers).
std::string SourceDir();
std::string BinaryDir();

// Waits until condition() holds, at most `bound`, processing pending wx and Qt
// events meanwhile (GUI and console suites alike), so that completions posted to
// the test's thread arrive. True when the condition held. Never sleep-then-assert:
// wait for the condition with a generous bound.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound);
// WaitUntil with the bound in milliseconds (5 s unless given).
bool PumpUntil(const std::function<bool()>& cond, long timeoutMs = 5000);
// Process pending events for the given time.
void PumpFor(long ms);

// Move the pointer to the middle of `window` and click it with the left button,
// waiting for the X server to deliver the events.
void ClickWindow(wxWindow* window);

// From a modal-dialog hook: once the dialog is on screen (inside its modal loop),
// runs the script, which should end it. A dialog still open 5 s later is
// cancelled and fails the test, so a broken script never hangs the run.
void ScriptShownDialog(wxDialog* dialog, std::function<void(wxDialog&)> script);

}  // namespace TestSupport
