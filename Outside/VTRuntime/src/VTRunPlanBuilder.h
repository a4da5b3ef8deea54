#pragma once
// Turns an experiment and its run options into the plan a run presents.

#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include <vector>

#include "VTRuntime/VTRunPlan.h"

namespace VantrelSDK {
class Interface_DREForPlugins;
}

namespace Vantrel {

class VTBlock;
class VTExperiment;
class VTParticipantGroup;

class VTRunPlanBuilder
{
public:
    // A run larger than this is refused before anything is allocated: a small document
    // can link one trial many times with many repetitions.
    static constexpr unsigned long long kMaxPlannedTrials = 200000;
    static constexpr unsigned long long kMaxPlannedEvents = 2000000;

    explicit VTRunPlanBuilder(VTExperiment& experiment) : m_Experiment(experiment) {}
    // Empty plan (with the reason) when nothing is to run.
    VTRunPlan Build(wxString* whyEmpty);
    // Matches plug-in responses to the experiment's defined responses; a snapshot,
    // safe to use from the runtime thread.
    boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> MakeResponseResolver();

private:
    // The steps of Build: the experiment's settings, then the group and its blocks,
    // then (Planning, in the source) the blocks' trials, events and rules.
    void ReadExperimentSettings(VTRunPlan& plan);
    bool ChooseGroupAndBlocks(VTParticipantGroup*& group, std::vector<VTBlock*>& blocks, wxString& why);

    VTExperiment& m_Experiment;
};

}  // namespace Vantrel
