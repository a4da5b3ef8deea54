#pragma once
// One planned event's stimulus, presented through the event-type plug-in of the
// event's type: prepared ahead of its onset, started, ticked while the event lasts
// and stopped when it ends. Events with nothing to present show a blank display.

#include <wx/string.h>

#include <vector>

#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTRuntime/VTRunPlan.h"

namespace VantrelSDK {
class Interface_PresentationSurface;
class VTSdkEventPlugin;
}  // namespace VantrelSDK

namespace Vantrel {

class VTEventPresentation
{
public:
    explicit VTEventPresentation(const VTPlannedEvent& event);
    ~VTEventPresentation();
    VTEventPresentation(const VTEventPresentation&) = delete;
    VTEventPresentation& operator=(const VTEventPresentation&) = delete;

    // Starts loading the stimulus; false (and `problem`) when it cannot be presented.
    bool Prepare(VantrelSDK::Interface_PresentationSurface& surface, wxString& problem);
    // True once the stimulus can start at once; false while loading or after a failure
    // (`failed` tells which).
    bool IsPrepared(bool& failed, wxString& problem);
    // Gives up on a stimulus that did not get ready in time.
    void Fail(const wxString& problem);
    // The stimulus cannot be (or no longer is) presented: it failed to load, or its
    // plug-in reported a failure while it ran. `problem` says why, never empty.
    bool HasFailed(wxString& problem) const;
    // Puts the stimulus out; the onset on the run timer in microseconds.
    unsigned long long Start(VantrelSDK::Interface_PresentationSurface& surface);
    void Tick(VantrelSDK::Interface_PresentationSurface& surface, unsigned long long now);
    bool TakesStepResponses() const;
    void Step(VantrelSDK::Interface_PresentationSurface& surface, unsigned long long time, const wxString& name,
              bool correct);
    bool IsFinished() const;
    void Stop();
    std::vector<VantrelSDK::VTSdkSegmentTime> GetSegmentTimes() const;
    unsigned long GetDroppedFrameCount() const;

    const VTPlannedEvent& GetEvent() const { return m_Event; }

private:
    const VTPlannedEvent& m_Event;
    VantrelSDK::VTSdkEventPlugin* m_Plugin = nullptr;
    VantrelSDK::VTSdkEventInstance* m_Instance = nullptr;
    bool m_Failed = false;
    wxString m_Problem;
    bool m_Started = false;
};

// Checks every stimulus of `plan` before a run: each event's type has a loaded
// plug-in, and that plug-in can present each file. False with one message naming
// every problem.
bool CheckStimuliBeforeRun(const VTRunPlan& plan, wxString& message);

}  // namespace Vantrel
