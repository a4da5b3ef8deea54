#include "AppMain/Run/VTRunTaskView.h"

#include "AppMain/Run/RunTaskShell.h"

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <boost/bind/bind.hpp>

#include <memory>

namespace Vantrel {
namespace {

// Leaves the process as it was before the run however the run ends: pump on
// again, running flag cleared. An exception still passes on to the caller.
class RunGuard
{
public:
    RunGuard(RunTaskShell& app, bool& running) : m_App(app), m_Running(running) { m_Running = true; }
    ~RunGuard()
    {
        m_App.AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(true, true);
        m_Running = false;
    }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    RunTaskShell& m_App;
    bool& m_Running;
};

}  // namespace

void VTRunTaskView::RunCloudExperiment(const wxString& dataFile, std::uint32_t groupID, bool saveData)
{
    if (s_Running) return;
    RunTaskShell& app = RunTaskShell::Get();
    RunGuard guard(app, s_Running);
    app.AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(false, false);

    VTExperiment* experiment = GetExperimentPtr();
    if (!experiment) return;
    unsigned long groupCount = 0;
    VTParticipantGroup* group = experiment->GetGroupElementById(groupID);
    VTParticipantGroup* defaultGroup = experiment->GetDefaultGroup(&groupCount);
    if (group)
        experiment->GetRunOptions().SetGroupID(static_cast<int>(group->GetID()));
    else if (groupCount == 1 && defaultGroup)
        experiment->GetRunOptions().SetGroupID(static_cast<int>(defaultGroup->GetID()));

    // Released before the guard switches the pump on, on every path.
    auto compiled = std::make_unique<VTCompiledExperiment>(
        boost::bind(&RunTaskShell::AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks, &app,
                    boost::placeholders::_1, boost::placeholders::_2));
    if (Interface_ExpandedRunnableExperiment* runnable =
            experiment->InstructCompiledExperimentBuilderToBuild(*compiled, false)) {
        // The chosen group decides which blocks run, in its order (all of them when it says so).
        runnable->GetRunOptions().SetBlockUseRestrictedByGroup(true);
        runnable->GetRunOptions().SetSaveCollectedDataFlag(saveData, dataFile);
        compiled->Run(false, false);
    }
}

}  // namespace Vantrel
