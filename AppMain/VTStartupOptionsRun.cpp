#include "AppMain/VTStartupOptions.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <wx/intl.h>
#include <wx/msgdlg.h>

namespace Vantrel {

// The command-line road of the experiment-running configurations. Study
// Station registers no experiment options, so it never takes this road.
bool VTStartupOptions::OnRun(VTExperiment& experiment, const boost::function<void(bool, bool)>& endCallback)
{
    if (m_ExpPaths.empty() || !m_Run) return false;
    const wxString dataFile = experiment.SubstitutePathVariables(m_DataFile);
    experiment.GetRunOptions().SetSubjectName(m_ParticipantName);
    experiment.GetRunOptions().SetSaveCollectedDataFlag(!dataFile.empty(), dataFile);
    if (!VerifyGroup(experiment)) return false;
    experiment.GetRunOptions().SetBlockUseRestrictedByGroup(true);
    VTCompiledExperiment compiled(endCallback);
    if (experiment.InstructCompiledExperimentBuilderToBuild(compiled, false)) compiled.Run(false, false);
    return m_Quit;
}

bool VTStartupOptions::VerifyGroup(VTExperiment& experiment)
{
    unsigned long count = 0;
    VTParticipantGroup* group =
        m_ParticipantGroupName.empty() ? nullptr : experiment.GetGroupElementByName(m_ParticipantGroupName);
    VTParticipantGroup* defaultGroup = experiment.GetDefaultGroup(&count);
    if (!group && count == 1) group = defaultGroup;
    if (!group) {
        wxMessageBox(wxString::Format(_("The participant group \"%s\" was not found."), m_ParticipantGroupName),
                     _("Warning"), wxOK | wxICON_EXCLAMATION, nullptr);
        return false;
    }
    experiment.GetRunOptions().SetGroupID(static_cast<int>(group->GetID()));
    return true;
}

}  // namespace Vantrel
