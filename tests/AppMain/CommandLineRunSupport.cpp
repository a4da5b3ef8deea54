#include "CommandLineRunSupport.h"

#include "AppMain/Run/VTRunDlg.h"
#include "AppMain/VTStartupOptions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/tokenzr.h>

#include <boost/bind/bind.hpp>

namespace CommandLineRun {

using namespace Vantrel;

std::unique_ptr<VTExperiment> MakeExperiment(const wxString& filePath, const std::vector<wxString>& groups)
{
    auto experiment = std::make_unique<VTExperiment>();
    experiment->SetFilename(filePath);
    experiment->SetTitle(wxFileName(filePath).GetName());
    auto* block = Fixture::Add<VTBlock>(*experiment, ElementType::Block, "Block");
    auto* trial = Fixture::Add<VTTrial>(*experiment, ElementType::Trial, "Trial");
    trial->AddUsedEvent(Fixture::TextEvent(*experiment, "Word", "word", 20));
    block->AddUsedTrial(trial);
    for (const wxString& name : groups)
        Fixture::Add<VTParticipantGroup>(*experiment, ElementType::ParticipantGroup, name)->m_RunAllBlocks = true;
    return experiment;
}

bool RunAll(VTStartupOptions& options, const std::vector<VTExperiment*>& experiments, int* runs)
{
    const boost::function<void(bool, bool)> onEnd = [runs](bool, bool) { ++*runs; };
    bool last = false;
    for (VTExperiment* experiment : experiments)
        for (std::uint32_t i = 0; i < options.GetRepetitionCount(); ++i) last = options.OnRun(*experiment, onEnd);
    return last;
}

wxString ReadText(const wxString& path) { return wxString::FromUTF8(TestSupport::ReadWholeFile(path)); }

wxString DataFileHeader(const wxString& path, const wxString& key)
{
    wxStringTokenizer lines(ReadText(path), "\n");
    while (lines.HasMoreTokens()) {
        const wxString line = lines.GetNextToken();
        if (line.StartsWith(key + "\t")) return line.Mid(key.length() + 1);
    }
    return {};
}

int RunsInDataFile(const wxString& path)
{
    int runs = 0;
    wxStringTokenizer lines(ReadText(path), "\n");
    while (lines.HasMoreTokens())
        if (lines.GetNextToken().StartsWith("RunID\t")) ++runs;
    return runs;
}

DialogAnswers::DialogAnswers(std::vector<Script> scripts) : scripts_(std::move(scripts)) { Register(); }

DialogAnswers::~DialogAnswers() { Unregister(); }

int DialogAnswers::Enter(wxDialog* dialog)
{
    if (auto* message = dynamic_cast<wxMessageDialog*>(dialog)) {
        EXPECT_EQ(message->GetCaption(), "Warning");
        seen_.push_back(message->GetMessage());
    } else if (auto* file = dynamic_cast<wxFileDialog*>(dialog)) {
        seen_.push_back(file->GetMessage());
    } else {
        seen_.push_back(dialog->GetTitle());
    }
    if (next_ >= scripts_.size()) {
        ADD_FAILURE() << "unexpected dialog: " << seen_.back();
        return wxID_CANCEL;
    }
    return scripts_[next_++](*dialog);
}

DialogAnswers::Script DialogAnswers::Answer(int id)
{
    return [id](wxDialog&) { return id; };
}

DialogAnswers::Script DialogAnswers::ChooseFile(const wxString& expectedPreset, const wxString& path)
{
    return [expectedPreset, path](wxDialog& dialog) {
        auto* file = dynamic_cast<wxFileDialog*>(&dialog);
        if (!file) {
            ADD_FAILURE() << "expected the file dialog, got " << dialog.GetTitle();
            return int(wxID_CANCEL);
        }
        EXPECT_EQ(file->GetFilename(), expectedPreset);
        EXPECT_EQ(file->GetWildcard(), "Text Files (*.txt)|*.txt");
        EXPECT_TRUE(file->HasFlag(wxFD_SAVE) && file->HasFlag(wxFD_OVERWRITE_PROMPT));
        file->SetPath(path);
        // GTK's chooser takes the folder in asynchronously.
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return file->GetPath() == path; }, 3000)) << file->GetPath();
        return int(wxID_OK);
    };
}

DialogAnswers::Script DialogAnswers::RunDialog(std::function<void(VTRunDlg&)> script)
{
    return [script](wxDialog& dialog) {
        auto* run = dynamic_cast<VTRunDlg*>(&dialog);
        if (!run) {
            ADD_FAILURE() << "expected the run dialog, got " << dialog.GetTitle();
            return int(wxID_CANCEL);
        }
        ScriptedDialog::ScriptWhenShown(run, [script](wxDialog& shown) { script(static_cast<VTRunDlg&>(shown)); });
        return int(wxID_NONE);
    };
}

}  // namespace CommandLineRun
