// The command-line road of the experiment-running configurations: one run of
// one experiment with its data file and participant group. Study Station
// registers no experiment options, so its own command line never takes it.
#include "AppMain/VTStartupOptions.h"

#include "AppMain/Run/VTRunDlg.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

namespace Vantrel {
namespace {

void Inform(const wxString& message) { wxMessageBox(message, _("Warning"), wxOK | wxICON_EXCLAMATION, nullptr); }

bool AskYesNo(const wxString& message)
{
    return wxMessageBox(message, _("Warning"), wxYES_NO | wxICON_QUESTION, nullptr) == wxYES;
}

void UseGroup(VTExperiment& experiment, const VTParticipantGroup& group)
{
    experiment.GetRunOptions().SetGroupID(static_cast<int>(group.GetID()));
}

// The run dialog stores its save choice without a file name. When the command
// line named the data file, that file stays the one the run writes; otherwise
// the data would silently go to an automatic name in another folder.
void KeepTheVerifiedDataFile(VTRunOptions& options, const wxString& verifiedFile)
{
    if (options.IsDataSaved() && options.GetDataFile().empty() && !verifiedFile.empty())
        options.SetSaveCollectedDataFlag(true, verifiedFile);
}

}  // namespace

bool VTStartupOptions::OnRun(VTExperiment& experiment, const boost::function<void(bool, bool)>& endCallback)
{
    if (m_ExpPaths.empty() || !m_Run) return false;
    if (!VerifyOutputDataFile(experiment, m_DataFile)) return false;
    wxString dataFile = m_DataFile;
    if (!dataFile.empty() && m_GatheredFromTextList) dataFile = GetAutomaticOutputFileName(dataFile, experiment);
    VTRunOptions& options = experiment.GetRunOptions();
    options.SetSubjectName(m_ParticipantName);
    options.SetSaveCollectedDataFlag(!dataFile.empty(), dataFile);
    if (!VerifyGroup(experiment)) return false;
    options.SetBlockUseRestrictedByGroup(true);
    VTCompiledExperiment compiled(endCallback);
    if (experiment.InstructCompiledExperimentBuilderToBuild(compiled, false)) compiled.Run(false, false);
    return m_Quit;
}

bool VTStartupOptions::VerifyGroup(VTExperiment& experiment)
{
    const bool nameGiven = !m_ParticipantGroupName.empty();
    VTParticipantGroup* named = nameGiven ? experiment.GetGroupElementByName(m_ParticipantGroupName) : nullptr;
    unsigned long count = 0;
    VTParticipantGroup* defaultGroup = experiment.GetDefaultGroup(&count);
    if (named) {
        UseGroup(experiment, *named);
        return true;
    }
    if (count == 0 || !defaultGroup) {
        // Skipping the run without a word would look like a run that did nothing.
        wxLogError(_("The experiment \"%s\" has no participant groups, so it was not run."),
                   experiment.GetUserReadableName());
        return false;
    }
    const wxString defaultName = defaultGroup->GetName();
    if (count == 1) {
        Inform(nameGiven
                   ? wxString::Format(_("The participant group that you specified, %s, does not exist.  Vantrel "
                                        "will use the group %s instead."),
                                      m_ParticipantGroupName, defaultName)
                   : wxString::Format(_("The participant group was not specified.  Vantrel will use the group %s."),
                                      defaultName));
        UseGroup(experiment, *defaultGroup);
        return true;
    }
    const wxString question =
        nameGiven ? wxString::Format(_("The participant group that you specified, %s, does not exist.  Would you like "
                                       "to use the group %s instead?"),
                                     m_ParticipantGroupName, defaultName)
                  : wxString::Format(
                        _("The participant group was not specified.  Would you like to use the group %s instead?"),
                        defaultName);
    if (AskYesNo(question)) {
        UseGroup(experiment, *defaultGroup);
        return true;
    }
    VTRunOptions& options = experiment.GetRunOptions();
    const wxString verifiedFile = options.GetDataFile();
    auto* dialog = new VTRunDlg(nullptr, &experiment, options, VTRunDlg::kWindowID, _("Run Experiment"),
                                wxDefaultPosition, wxDefaultSize, VTRunDlg::kWindowStyle);
    const bool run = dialog->ShowModal() == VTRunDlg::kRunID;
    dialog->Destroy();
    if (run) KeepTheVerifiedDataFile(options, verifiedFile);
    return run;
}

}  // namespace Vantrel
