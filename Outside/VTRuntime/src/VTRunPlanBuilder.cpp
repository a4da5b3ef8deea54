#include "VTRunPlanBuilder.h"

#include <wx/filename.h>

#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <map>

#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTRunPlanCount.h"
#include "VTTrialLevels.h"

namespace Vantrel {

namespace {

template <class T>
void Shuffle(std::vector<T>& items)
{
    auto rng = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed();
    for (int i = int(items.size()) - 1; i > 0; --i) std::swap(items[size_t(i)], items[size_t(rng->Draw(0, i))]);
}

class ResponseResolver : public VantrelSDK::Interface_DREForPlugins
{
public:
    struct Defined
    {
        int pluginID, key, port, phase, id;
    };
    std::vector<Defined> defined;

    int FindDefinedResponseID(int pluginID, const VantrelSDK::VTSdkBaseResponse& response) const override
    {
        const auto* discrete = dynamic_cast<const VantrelSDK::VTSdkDiscreteKeyResp*>(&response);
        const auto* screen = dynamic_cast<const VantrelSDK::VTSdkOnScreenResp*>(&response);
        const int key = discrete ? discrete->GetKeyNumber() : screen ? screen->keyOrActionCode : 0;
        const int port = discrete ? discrete->GetPortNumber() : 0;
        for (const Defined& d : defined)
            if (d.pluginID == pluginID && d.key == key && d.port == port && d.phase == response.GetResponseType())
                return d.id;
        return VantrelSDK::VTSdkBaseResponse::GetUniqueIdForUndefined();
    }
};

// The event as planned for one item, before the trial's levels apply; made once for
// each event and item however often it is presented.
VTPlannedEvent PlanEvent(VTEvent& event, size_t itemIndex, const VTEventResponseJudge& judge)
{
    VTPlannedEvent planned;
    planned.eventID = int(event.GetID());
    planned.name = event.GetName();
    planned.timeLimitMs = event.GetTimeLimitMs_OrNegativeOne();
    planned.endsImmediately = event.EndsImmediately();
    planned.recordsResponses = event.RecordsResponses();
    planned.anyResponseEnds = event.GetEndEventOption(EndEventOption::AnyResponse);

    planned.pluginID = event.GetPlugInID();
    planned.pluginSettings = event.GetPlugInSettings();
    const VTPresentableStimulus stimulus = event.GetStimulusForPresentation(itemIndex);
    switch (stimulus.kind) {
        case VTPresentableStimulus::Kind::Text:
            planned.kind = VTPlannedEvent::StimulusKind::Text;
            planned.text = stimulus.text;
            planned.stimulusLabel = stimulus.text;
            break;
        case VTPresentableStimulus::Kind::File:
            planned.kind = VTPlannedEvent::StimulusKind::File;
            planned.path = stimulus.path;
            planned.stimulusLabel = wxFileName(stimulus.path).GetFullName();
            break;
        case VTPresentableStimulus::Kind::None: planned.kind = VTPlannedEvent::StimulusKind::None; break;
    }

    for (const VTEventResponseJudge::Verdict& verdict : judge.Judge(itemIndex)) {
        const VTResponse* response = verdict.response;
        VTPlannedResponse r;
        r.responseID = int(response->GetID());
        r.pluginID = response->GetPlugInID();
        r.key = response->GetKeyCode();
        r.port = response->GetPortNumber();
        r.phase = response->GetPhase();
        r.regionMode = response->GetRegionMode();
        response->GetRegion(r.regionX, r.regionY, r.regionWidth, r.regionHeight);
        r.name = response->GetName();
        r.correct = verdict.correct;
        r.endsEvent = verdict.endsEvent;
        planned.accepted.push_back(r);
        if (r.correct) planned.correctResponses << (planned.correctResponses.empty() ? "" : ", ") << r.name;
    }
    // Only a stimulus has an onset to mark; blank events leave the patch off.
    planned.showsSensorPatch = planned.kind != VTPlannedEvent::StimulusKind::None;
    return planned;
}

// Nothing but Escape would end it: no time limit, and no response it takes ends it.
bool CanNeverEnd(const VTPlannedEvent& event)
{
    if (event.endsImmediately || event.timeLimitMs >= 0) return false;
    if (!event.recordsResponses) return true;
    if (event.accepted.empty()) return !event.anyResponseEnds;
    return std::none_of(event.accepted.begin(), event.accepted.end(),
                        [](const VTPlannedResponse& r) { return r.endsEvent; });
}

}  // namespace

VTRunPlan VTRunPlanBuilder::Build(wxString* whyEmpty)
{
    VTRunPlan plan;
    plan.experimentName = m_Experiment.GetUserReadableName();
    const VTRunOptions& options = m_Experiment.GetRunOptions();
    const VTErrorCodes& codes = m_Experiment.GetErrorCodes();
    plan.codeCorrect = codes.GetCodeAsString(VTErrorCodes::VTCorrectness(0));
    plan.codeIncorrect = codes.GetCodeAsString(VTErrorCodes::VTCorrectness(1));
    plan.codeSelfCorrect = codes.GetCodeAsString(VTErrorCodes::VTCorrectness(2));
    plan.codeNoResponse = codes.GetCodeAsString(VTErrorCodes::VTCorrectness(3));
    plan.columns = VTDataColumns(m_Experiment.GetSaveDataOptions());
    plan.background = m_Experiment.GetBackgroundColour();
    const VTSensorPatch& patch = *m_Experiment.GetSensorPatch();
    if (!patch.GetSensorPatchDisable() && patch.GetSensorPatchSize() > 0) {
        plan.sensorPatch = wxRect(patch.GetSensorPatchPosX(), patch.GetSensorPatchPosY(), patch.GetSensorPatchSize(),
                                  patch.GetSensorPatchSize());
        plan.sensorPatchColour = patch.GetSensorPatchColour();
    }
    auto why = [&](const wxString& reason) {
        if (whyEmpty) *whyEmpty = reason;
        plan.blocks.clear();
        return plan;
    };

    VTElementsList& blockList = m_Experiment.GetElementsOfType(ElementType::Block);
    std::vector<VTBlock*> allBlocks;
    for (size_t i = 0; i < blockList.Size(); ++i)
        if (auto* block = dynamic_cast<VTBlock*>(blockList[i])) allBlocks.push_back(block);
    if (allBlocks.empty()) return why(_("it has no blocks."));

    // The group: the one chosen, else the experiment's first.
    VTParticipantGroup* group = nullptr;
    const int groupID = options.GetGroupID_CanReturnNegativeOne();
    unsigned long groupCount = 0;
    if (groupID >= 0) {
        group = m_Experiment.GetGroupElementById(unsigned(groupID));
        if (!group) return why(wxString::Format(_("its participant group (ID %d) no longer exists."), groupID));
    } else {
        group = m_Experiment.GetDefaultGroup(&groupCount);
    }
    if (group) plan.groupName = group->GetName();

    std::vector<VTBlock*> blocks;
    if (options.IsRunningSelectedBlocksOnly()) {
        for (VTBlock* block : allBlocks)
            if (block->IsSelected()) blocks.push_back(block);
        if (blocks.empty()) return why(_("no block is selected."));
    } else if (group && options.IsBlockUseRestrictedByGroup() && !group->m_RunAllBlocks) {
        VTUsedElements& used = group->GetBlocksUsedByTheGroup();
        for (unsigned i = 0; i < used.Size(); ++i)
            if (auto* block = dynamic_cast<VTBlock*>(used.GetUsedElementPtr(i))) blocks.push_back(block);
        if (blocks.empty())
            return why(wxString::Format(_("the participant group \"%s\" has no blocks."), group->GetName()));
    } else {
        blocks = allBlocks;
    }

    VTTrialLevels levels(m_Experiment, group);
    VTRunBudget::Limits limits;
    limits.trials = kMaxPlannedTrials;
    limits.events = kMaxPlannedEvents;
    const VTRunBudget budget =
        CountRunPlan(blocks, {levels.GetColumnNames().size(), levels.LongestLabelsLength()}, limits);
    if (budget.Exceeded()) return why(budget.Describe());

    plan.columns.SetLevelColumns(levels.GetColumnNames());
    levels.StartRun();
    std::map<const VTEvent*, size_t> presentations;  // list events step through their items
    std::map<const VTEvent*, VTEventResponseJudge> judges;
    std::map<std::pair<const VTEvent*, size_t>, VTPlannedEvent> plannedOnce;
    for (VTBlock* block : blocks) {
        levels.StartBlock();
        VTPlannedBlock plannedBlock;
        plannedBlock.blockID = int(block->GetID());
        plannedBlock.name = block->GetName();
        std::vector<VTTrial*> trials;
        for (unsigned i = 0; i < block->GetNumberOfUsedTrials(); ++i) {
            VTTrial* trial = block->GetUsedTrial(i);
            if (!trial) continue;
            for (unsigned r = 0; r < trial->GetRepetitions(); ++r) trials.push_back(trial);
        }
        if (block->GetRandomizeTrials()) Shuffle(trials);
        for (VTTrial* trial : trials) {
            levels.StartTrial();
            VTPlannedTrial plannedTrial;
            plannedTrial.levels = levels.GetCurrentLabels();
            plannedTrial.trialID = int(trial->GetID());
            plannedTrial.name = trial->GetName();
            plannedTrial.startPeriodMs = std::max(0, trial->GetStartPeriod());
            std::vector<VTEvent*> events;
            for (unsigned e = 0; e < trial->GetNumberOfUsedEvents(); ++e)
                if (VTEvent* event = trial->GetUsedEvent(e)) events.push_back(event);
            if (trial->GetRandomizeEvents()) Shuffle(events);
            for (VTEvent* event : events) {
                size_t item = 0;
                if (event->IsListEvent()) {
                    const size_t count = event->GetNumberOfStimulusItems();
                    item = count ? presentations[event]++ % count : 0;
                }
                auto once = plannedOnce.find({event, item});
                if (once == plannedOnce.end()) {
                    const VTEventResponseJudge& judge = judges.try_emplace(event, *event).first->second;
                    once = plannedOnce.emplace(std::make_pair(event, item), PlanEvent(*event, item, judge)).first;
                }
                plannedTrial.events.push_back(once->second);
                levels.ApplyToEvent(*event, plannedTrial.events.back());
                // A preview is ended with Escape by whoever looks at it; a run must end by itself.
                if (!options.IsPreview() && CanNeverEnd(plannedTrial.events.back()))
                    return why(wxString::Format(
                        _("the event \"%s\" can never end: it has no time limit and no response ends it."),
                        event->GetName()));
            }
            plannedBlock.trials.push_back(std::move(plannedTrial));
        }
        plan.blocks.push_back(std::move(plannedBlock));
    }
    return plan;
}

boost::shared_ptr<VantrelSDK::Interface_DREForPlugins> VTRunPlanBuilder::MakeResponseResolver()
{
    auto resolver = boost::make_shared<ResponseResolver>();
    VTElementsList& responses = m_Experiment.GetElementsOfType(ElementType::Response);
    for (size_t i = 0; i < responses.Size(); ++i) {
        if (auto* r = dynamic_cast<VTResponse*>(responses[i]))
            resolver->defined.push_back(
                {r->GetPlugInID(), r->GetKeyCode(), r->GetPortNumber(), r->GetPhase(), int(r->GetID())});
    }
    return resolver;
}

}  // namespace Vantrel
