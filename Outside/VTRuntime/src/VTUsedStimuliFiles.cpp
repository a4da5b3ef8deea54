#include "VTRuntime/VTUsedStimuliFiles.h"

#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>

#include "VTPlugInCommon/VTSdkEventPlugin.h"

namespace Vantrel {

VTUsedStimuliFiles::VTUsedStimuliFiles(bool checkFiles) : m_CheckFiles(checkFiles) {}

void VTUsedStimuliFiles::FillFromEvent(const VTEvent& event, VantrelSDK::VTSdkEventPlugin* plugin)
{
    ClearAll();
    m_Plugin = plugin;
    // A working copy has no experiment of its own; its links know the one it came from.
    VTExperiment* experiment =
        event.GetOwningExperiment() ? event.GetOwningExperiment() : event.GetUsedResponses().GetOwningExperiment();
    for (const wxString& stored : event.GetStimFiles())
        m_Paths.push_back(experiment ? experiment->ResolveStimulusPath(stored) : stored);
}

int VTUsedStimuliFiles::LoadStimuliFiles(bool, bool, bool, bool)
{
    UnloadStimuliFiles();
    m_Problems.clear();
    if (m_CheckFiles && m_Plugin &&
        VantrelSDK::VTSdkEventPlugin::DetectedLoadabilityProblemInListOfFiles(m_Plugin, m_Paths, true, &m_Problems))
        return 1;
    m_Loaded = m_Paths;
    return 0;
}

void VTUsedStimuliFiles::UnloadStimuliFiles() { m_Loaded.clear(); }

void VTUsedStimuliFiles::ClearAll()
{
    m_Paths.clear();
    m_Loaded.clear();
    m_Problems.clear();
    m_Plugin = nullptr;
}

}  // namespace Vantrel
