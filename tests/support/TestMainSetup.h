#pragma once
// What a test main sets up and tears down; shared by the common test main and
// harnesses that bring a main of their own.

class wxLog;
class wxString;

namespace TestSupport {

// Points HOME and the XDG folders at a fresh temporary folder.
void InitialiseHomeFolder();
void RemoveHomeFolder();
// A log target that records messages for RecordedLog instead of showing them.
wxLog* CreateRecordingLog();
// A wx assertion handler that fails the running test.
void AssertionFailsTheTest(const wxString& file, int line, const wxString& func, const wxString& cond,
                           const wxString& msg);

}  // namespace TestSupport
