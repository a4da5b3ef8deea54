#pragma once
// What the cloud experiment panel needs from the program around it: the view
// that runs the experiment, the experiment's groups and settings, the document
// manager and the application. The run-task view provides the real one; tests
// can provide their own.

#include <wx/string.h>

#include <cstdint>
#include <vector>

namespace Vantrel {

class VTExperiment;

class CloudPanelHost
{
public:
    virtual ~CloudPanelHost();

    // Runs the experiment once; returns when the run has ended.
    virtual void RunCloudExperiment(const wxString& dataFile, unsigned int groupId, bool saveData) = 0;
    // The run that just ended was cancelled by the participant.
    virtual bool WasLastRunCanceled() = 0;
    // Why the run that just ended failed (its data could not be saved, it could not
    // start); empty when it completed or was cancelled.
    virtual wxString LastRunFailure() = 0;
    // Identifiers of the experiment's participant groups.
    virtual std::vector<std::uint32_t> GroupIds() = 0;
    // The group rule of the experiment's cloud settings: 1 balanced, else a group id.
    virtual std::uint32_t CloudGroupSetting() = 0;
    // An integer in the closed range [low, high] from the process's random stream.
    virtual int DrawInRange(int low, int high) = 0;
    virtual void SetSubjectName(const wxString& name) = 0;

    // Opens an experiment document silently; true when it came up (with a new
    // view and a new panel of its own).
    virtual bool OpenExperimentDocument(const wxString& path) = 0;
    // The view that holds the panel closes at its next idle time.
    virtual void CloseViewOnNextIdle() = 0;
    virtual void ActivateView() = 0;
    virtual void ExitApplication() = 0;

    // The experiment whose view holds the panel; null for hosts without one.
    virtual VTExperiment* Experiment() const { return nullptr; }
};

}  // namespace Vantrel
