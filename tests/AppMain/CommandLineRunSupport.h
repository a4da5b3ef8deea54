#pragma once
// Support for driving the command-line run road: small runnable experiments,
// the road called as the application calls it, and scripted answers to the
// message boxes, file dialogs and run dialog that it opens.

#include "../Outside/VTRuntime/FixtureExperiment.h"
#include "ScriptedDialog.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/string.h>

#include <functional>
#include <memory>
#include <vector>

namespace Vantrel {
class VTRunDlg;
class VTStartupOptions;
}  // namespace Vantrel

namespace CommandLineRun {

// One block, one trial, one 20 ms text event, and one group per name (each
// running all blocks), as the document at `filePath` (which is never read).
std::unique_ptr<Vantrel::VTExperiment> MakeExperiment(const wxString& filePath, const std::vector<wxString>& groups);

// Calls OnRun as the application does: experiments in order, the repetitions
// of one in a row. Returns the last call's result; `runs` counts the end
// callbacks, that is the runs that really happened.
bool RunAll(Vantrel::VTStartupOptions& options, const std::vector<Vantrel::VTExperiment*>& experiments, int* runs);

// The text of a file ("" when it cannot be read).
wxString ReadText(const wxString& path);
// The value of a header line ("Group", "Subject", ...) of a data file.
wxString DataFileHeader(const wxString& path, const wxString& key);
// How many runs a data file holds.
int RunsInDataFile(const wxString& path);

// Answers the dialogs the road opens, one script per dialog in order, and
// records what each one said (message boxes and file dialogs: their message;
// other dialogs: their title). A script returns the dialog's answer without
// showing it, or wxID_NONE to have it shown for real (see ShowAndScript).
// A dialog beyond the scripts fails the test and is cancelled.
class DialogAnswers : public wxModalDialogHook
{
public:
    using Script = std::function<int(wxDialog&)>;
    explicit DialogAnswers(std::vector<Script> scripts = {});
    ~DialogAnswers() override;

    const std::vector<wxString>& Seen() const { return seen_; }
    bool AllAnswered() const { return next_ == scripts_.size(); }

    static Script Answer(int id);
    // A file dialog: checks its preset file name, then chooses `path`.
    static Script ChooseFile(const wxString& expectedPreset, const wxString& path);
    // The run dialog, shown for real: `script` acts on it and should end it.
    static Script RunDialog(std::function<void(Vantrel::VTRunDlg&)> script);

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::vector<Script> scripts_;
    size_t next_ = 0;
    std::vector<wxString> seen_;
};

}  // namespace CommandLineRun
