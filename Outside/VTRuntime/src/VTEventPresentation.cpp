#include "VTEventPresentation.h"

#include <wx/intl.h>

#include <map>
#include <set>

#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTPlugIn.h"

namespace Vantrel {

VTEventPresentation::VTEventPresentation(const VTPlannedEvent& event) : m_Event(event)
{
    if (event.kind == VTPlannedEvent::StimulusKind::None) return;
    m_Plugin = VTPlugIn::GetSdkBaseEventPtr(event.pluginID);
    if (m_Plugin) m_Instance = m_Plugin->NewEventInstance_CallerMustDelete();
    if (m_Instance) m_Instance->SetSettings(event.pluginSettings);
}

VTEventPresentation::~VTEventPresentation()
{
    Stop();
    if (m_Instance) m_Plugin->DeleteEventInstance(m_Instance);
}

bool VTEventPresentation::Prepare(VantrelSDK::Interface_PresentationSurface& surface, wxString& problem)
{
    if (m_Event.kind == VTPlannedEvent::StimulusKind::None) return true;
    if (!m_Instance) {
        problem = wxString::Format(_("no plug-in presents events of type %d"), m_Event.pluginID);
        Fail(problem);
        return false;
    }
    VantrelSDK::VTSdkStimulus stimulus;
    stimulus.text = m_Event.text;
    stimulus.path = m_Event.path;
    if (m_Instance->PrepareStimulus(stimulus, surface, problem)) return true;
    Fail(problem);
    return false;
}

bool VTEventPresentation::IsPrepared(bool& failed, wxString& problem)
{
    failed = m_Failed;
    problem = m_Problem;
    if (m_Failed) return false;
    if (!m_Instance) return true;
    if (m_Instance->IsPrepared(problem)) return true;
    if (!problem.empty()) Fail(problem);
    failed = m_Failed;
    return false;
}

void VTEventPresentation::Fail(const wxString& problem)
{
    if (m_Failed) return;
    m_Failed = true;
    // A plug-in that gives no reason still gets one in the message: a failure is never silent.
    m_Problem = problem.empty() ? wxString(_("its plug-in gave no reason")) : problem;
}

bool VTEventPresentation::HasFailed(wxString& problem) const
{
    problem = m_Problem;
    return m_Failed;
}

unsigned long long VTEventPresentation::Start(VantrelSDK::Interface_PresentationSurface& surface)
{
    m_Started = true;
    if (m_Instance && !m_Failed) return m_Instance->StartPresentation(surface);
    surface.ShowBlank();
    surface.PaintNow();
    return VTTimer::GetTimer().GetElapsedMicroseconds();
}

void VTEventPresentation::Tick(VantrelSDK::Interface_PresentationSurface& surface, unsigned long long now)
{
    if (!m_Started || !m_Instance || m_Failed) return;
    m_Instance->OnTick(surface, now);
    const wxString failure = m_Instance->TakePresentationFailure();
    if (!failure.empty()) Fail(failure);
}

bool VTEventPresentation::TakesStepResponses() const
{
    return m_Instance && !m_Failed && m_Instance->TakesStepResponses();
}

void VTEventPresentation::Step(VantrelSDK::Interface_PresentationSurface& surface, unsigned long long time,
                               const wxString& name, bool correct)
{
    if (TakesStepResponses()) m_Instance->OnStepResponse(surface, time, name, correct);
}

bool VTEventPresentation::IsFinished() const
{
    return m_Started && m_Instance && !m_Failed && m_Instance->IsFinished();
}

void VTEventPresentation::Stop()
{
    if (m_Instance) m_Instance->StopPresentation();
}

std::vector<VantrelSDK::VTSdkSegmentTime> VTEventPresentation::GetSegmentTimes() const
{
    return m_Started && m_Instance && !m_Failed ? m_Instance->GetSegmentTimes()
                                                : std::vector<VantrelSDK::VTSdkSegmentTime>();
}

unsigned long VTEventPresentation::GetDroppedFrameCount() const
{
    return m_Instance ? m_Instance->GetDroppedFrameCount() : 0;
}

bool CheckStimuliBeforeRun(const VTRunPlan& plan, wxString& message)
{
    std::vector<wxString> problems;
    std::set<int> missingTypes;
    std::map<int, std::set<wxString>> filesByType;
    for (const VTPlannedBlock& block : plan.blocks)
        for (const VTPlannedTrial& trial : block.trials)
            for (const VTPlannedEvent& event : trial.events) {
                if (event.kind == VTPlannedEvent::StimulusKind::None) continue;
                if (!VTPlugIn::GetSdkBaseEventPtr(event.pluginID)) {
                    if (missingTypes.insert(event.pluginID).second)
                        problems.push_back(wxString::Format(_("event \"%s\": no plug-in presents events of type %d"),
                                                            event.name, event.pluginID));
                    continue;
                }
                if (event.kind == VTPlannedEvent::StimulusKind::File) filesByType[event.pluginID].insert(event.path);
            }
    for (const auto& type : filesByType) {
        const std::vector<wxString> paths(type.second.begin(), type.second.end());
        VantrelSDK::VTSdkEventPlugin::DetectedLoadabilityProblemInListOfFiles(VTPlugIn::GetSdkBaseEventPtr(type.first),
                                                                              paths, true, &problems);
    }
    if (problems.empty()) return true;
    // The whole list would not fit a message: name the first ones and count the rest.
    const size_t shown = std::min<size_t>(problems.size(), 20);
    message = _("The experiment was not started: these stimuli cannot be presented:");
    for (size_t i = 0; i < shown; ++i) message << "\n" << problems[i];
    if (problems.size() > shown) message << "\n" << wxString::Format(_("and %zu more"), problems.size() - shown);
    return false;
}

}  // namespace Vantrel
