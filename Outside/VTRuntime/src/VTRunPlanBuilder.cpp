#include "VTRunPlanBuilder.h"

#include <wx/filename.h>

#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <map>
#include <set>

#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTRuleCompiler.h"
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
    {
        bool record, resetTimer, immediately, any, correct, timeLimit, delayFeedback;
        int kind, fixedMs, variableID;
        event.GetCopiedInputSettingsForEditor(record, resetTimer, immediately, any, correct, timeLimit, delayFeedback,
                                              kind, fixedMs, variableID);
        planned.resetsReactionTimer = resetTimer;
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

// What planning one run keeps between its steps.
class Planning
{
public:
    Planning(VTExperiment& experiment, const VTParticipantGroup* group, VTRunPlan& plan)
        : m_Experiment(experiment),
          m_Plan(plan),
          m_Levels(experiment, group),
          m_Rules(experiment, plan.rules),
          m_Preview(experiment.GetRunOptions().IsPreview())
    {
        m_Plan.columns.SetLevelColumns(m_Levels.GetColumnNames());
        m_Levels.StartRun();
        PlanParameters();
    }

    // The blocks of the run's order, each with its trials, their events, and the rules
    // of both; then the blocks and events the rules present.
    bool PlanOrder(const std::vector<VTBlock*>& blocks, wxString& why)
    {
        if (!WithinBudget(blocks, why)) return false;
        for (VTBlock* block : blocks) {
            m_Plan.blocks.emplace_back();
            if (!PlanBlock(*block, m_Plan.blocks.back(), why)) return false;
            m_Planned.insert(int(block->GetID()));
        }
        return PlanRuleTargets(why);
    }

private:
    // Every parameter in the document's order (the rule compiler names them by that
    // index), the columns of those saved to the data file, and the response names
    // those columns show.
    void PlanParameters()
    {
        const auto parameters = m_Experiment.GetParameters();
        std::vector<wxString> columns;
        for (unsigned i = 0; i < parameters->ItemCount(); ++i) {
            const OrderFormForParameterCreation record = parameters->ItemDataAtIndex(i);
            VTPlannedParameter p;
            p.name = record.name;
            p.type = record.type;
            p.initialText = record.text;
            p.initialValue = record.initialValue;
            p.hasMin = record.hasMin;
            p.hasMax = record.hasMax;
            p.min = record.min;
            p.max = record.max;
            p.sizeLimit = record.sizeLimit;
            p.saveToDataFile = record.saveToDataFile;
            m_Plan.parameters.push_back(p);
            if (!p.saveToDataFile) continue;
            m_Plan.parameterColumns.push_back(int(i));
            columns.push_back(p.name);
        }
        m_Plan.columns.SetParameterColumns(columns);
        PlanTagColumns();
        VTElementsList& responses = m_Experiment.GetElementsOfType(ElementType::Response);
        for (size_t i = 0; i < responses.Size(); ++i)
            if (responses[i]) m_Plan.responseNames[int(responses[i]->GetID())] = responses[i]->GetName();
    }

    // What planning these blocks would copy stays within a run's budget (counted
    // before anything is allocated).
    bool WithinBudget(const std::vector<VTBlock*>& blocks, wxString& why) const
    {
        VTRunBudget::Limits limits;
        limits.trials = VTRunPlanBuilder::kMaxPlannedTrials;
        limits.events = VTRunPlanBuilder::kMaxPlannedEvents;
        const VTRunBudget budget =
            CountRunPlan(blocks, {m_Levels.GetColumnNames().size(), m_Levels.LongestLabelsLength()}, limits);
        if (!budget.Exceeded()) return true;
        why = budget.Describe();
        return false;
    }

    bool PlanBlock(VTBlock& block, VTPlannedBlock& planned, wxString& why)
    {
        m_Levels.StartBlock();
        planned.blockID = int(block.GetID());
        planned.name = block.GetName();
        if (!m_Rules.AddRulesOf(block, VTRuleCompiler::Context::BlockRules, planned.rules, why) ||
            !m_Rules.AddWhenToPresent(block.GetWhenToPresent(), VTRuleCompiler::Context::BlockWhen,
                                      wxString::Format(_("the block \"%s\""), block.GetName()), planned.whenToPresent,
                                      why))
            return false;
        std::vector<VTTrial*> trials;
        for (unsigned i = 0; i < block.GetNumberOfUsedTrials(); ++i) {
            VTTrial* trial = block.GetUsedTrial(i);
            if (!trial) continue;
            for (unsigned r = 0; r < trial->GetRepetitions(); ++r) trials.push_back(trial);
        }
        if (block.GetRandomizeTrials()) Shuffle(trials);
        for (VTTrial* trial : trials) {
            planned.trials.emplace_back();
            if (!PlanTrial(*trial, planned.trials.back(), why)) return false;
        }
        return true;
    }

    // A column per trial tag set, in the experiment's order, and the names its cells show.
    void PlanTagColumns()
    {
        std::vector<wxString> columns;
        VTElementsList& sets = m_Experiment.GetElementsOfType(ElementType::TagSet);
        for (size_t i = 0; i < sets.Size(); ++i) {
            const auto* set = dynamic_cast<const VTTagSet*>(sets[i]);
            if (!set || !set->AppliesToTrials()) continue;
            m_Plan.tagColumnSets.push_back(int(set->GetID()));
            columns.push_back(set->GetName());
        }
        m_Plan.columns.SetTagColumns(columns);
        VTElementsList& tags = m_Experiment.GetElementsOfType(ElementType::Tag);
        for (size_t i = 0; i < tags.Size(); ++i)
            if (tags[i]) m_Plan.tagNames[int(tags[i]->GetID())] = tags[i]->GetName();
    }

    // The trial's tags of trial tag sets, one per set (the last one listed wins).
    void PlanTrialTags(const VTTrial& trial)
    {
        std::map<int, int>& tags = m_Plan.trialTags[int(trial.GetID())];
        const VTUsedElements& used = trial.GetUsedTags();
        for (std::size_t i = 0; i < used.Size(); ++i) {
            const int tagID = int(used.GetID(int(i)));
            const int tagSetID = m_Experiment.GetParentIdFromTagId(tagID);
            if (tagSetID > 0) tags[tagSetID] = tagID;
        }
    }

    bool PlanTrial(VTTrial& trial, VTPlannedTrial& planned, wxString& why)
    {
        m_Levels.StartTrial();
        planned.levels = m_Levels.GetCurrentLabels();
        planned.levelIndexes = m_Levels.GetCurrentLevelIndexes();
        planned.trialID = int(trial.GetID());
        PlanTrialTags(trial);
        planned.name = trial.GetName();
        planned.startPeriodMs = std::max(0, trial.GetStartPeriod());
        if (!m_Rules.AddRulesOf(trial, VTRuleCompiler::Context::TrialRules, planned.rules, why) ||
            !m_Rules.AddWhenToPresent(trial.GetWhenToPresent(), VTRuleCompiler::Context::TrialWhen,
                                      wxString::Format(_("the trial \"%s\""), trial.GetName()), planned.whenToPresent,
                                      why))
            return false;
        std::vector<VTEvent*> events;
        for (unsigned e = 0; e < trial.GetNumberOfUsedEvents(); ++e)
            if (VTEvent* event = trial.GetUsedEvent(e)) events.push_back(event);
        if (trial.GetRandomizeEvents()) Shuffle(events);
        for (VTEvent* event : events) {
            planned.events.push_back(PlanListEvent(*event));
            if (!CheckCanEnd(planned.events.back(), why)) return false;
        }
        return true;
    }

    // List events step through their items, one per presentation.
    VTPlannedEvent PlanListEvent(VTEvent& event)
    {
        size_t item = 0;
        if (event.IsListEvent()) {
            const size_t count = event.GetNumberOfStimulusItems();
            item = count ? m_ItemPresentations[&event]++ % count : 0;
        }
        // Each event and item is planned once however often it is presented; the
        // trial's levels then apply to the copy.
        auto once = m_PlannedOnce.find({&event, item});
        if (once == m_PlannedOnce.end()) {
            const VTEventResponseJudge& judge = m_Judges.try_emplace(&event, event).first->second;
            once = m_PlannedOnce.emplace(std::make_pair(&event, item), PlanEvent(event, item, judge)).first;
        }
        VTPlannedEvent planned = once->second;
        m_Levels.ApplyToEvent(event, planned);
        return planned;
    }

    bool CheckCanEnd(const VTPlannedEvent& event, wxString& why) const
    {
        // A preview is ended with Escape by whoever looks at it; a run must end by itself.
        if (m_Preview || !CanNeverEnd(event)) return true;
        why = wxString::Format(_("the event \"%s\" can never end: it has no time limit and no response ends it."),
                               event.name);
        return false;
    }

    // The blocks outside the order and the events that rules present, planned once
    // each; their own rules may name more.
    bool PlanRuleTargets(wxString& why)
    {
        for (bool more = true; more;) {
            more = false;
            const std::set<int> blocks = m_Rules.GetPresentedBlocks();
            for (int id : blocks) {
                if (!m_Planned.insert(id).second) continue;
                auto* block = dynamic_cast<VTBlock*>(
                    m_Experiment.GetElementsOfType(ElementType::Block).LookupElementPtrByID(std::uint32_t(id)));
                if (!block) continue;  // the compiler refused the rule already
                if (!WithinBudget({block}, why)) return false;
                m_Plan.otherBlocks.emplace_back();
                if (!PlanBlock(*block, m_Plan.otherBlocks.back(), why)) return false;
                more = true;
            }
        }
        for (int id : m_Rules.GetPresentedEvents()) {
            auto* event = dynamic_cast<VTEvent*>(
                m_Experiment.GetElementsOfType(ElementType::Event).LookupElementPtrByID(std::uint32_t(id)));
            if (!event) continue;
            m_Plan.ruleEvents.push_back(PlanListEvent(*event));
            if (!CheckCanEnd(m_Plan.ruleEvents.back(), why)) return false;
        }
        return true;
    }

    VTExperiment& m_Experiment;
    VTRunPlan& m_Plan;
    VTTrialLevels m_Levels;
    VTRuleCompiler m_Rules;
    const bool m_Preview;
    std::map<const VTEvent*, size_t> m_ItemPresentations;
    std::map<const VTEvent*, VTEventResponseJudge> m_Judges;
    std::map<std::pair<const VTEvent*, size_t>, VTPlannedEvent> m_PlannedOnce;
    std::set<int> m_Planned;
};

}  // namespace

VTRunPlan VTRunPlanBuilder::Build(wxString* whyEmpty)
{
    VTRunPlan plan;
    ReadExperimentSettings(plan);
    auto why = [&](const wxString& reason) {
        if (whyEmpty) *whyEmpty = reason;
        plan.blocks.clear();
        return plan;
    };
    VTParticipantGroup* group = nullptr;
    std::vector<VTBlock*> blocks;
    wxString reason;
    if (!ChooseGroupAndBlocks(group, blocks, reason)) return why(reason);
    if (group) plan.groupName = group->GetName();
    Planning planning(m_Experiment, group, plan);
    if (!planning.PlanOrder(blocks, reason)) return why(reason);
    return plan;
}

void VTRunPlanBuilder::ReadExperimentSettings(VTRunPlan& plan)
{
    plan.experimentName = m_Experiment.GetUserReadableName();
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
}

bool VTRunPlanBuilder::ChooseGroupAndBlocks(VTParticipantGroup*& group, std::vector<VTBlock*>& blocks, wxString& why)
{
    const VTRunOptions& options = m_Experiment.GetRunOptions();
    VTElementsList& blockList = m_Experiment.GetElementsOfType(ElementType::Block);
    std::vector<VTBlock*> allBlocks;
    for (size_t i = 0; i < blockList.Size(); ++i)
        if (auto* block = dynamic_cast<VTBlock*>(blockList[i])) allBlocks.push_back(block);
    if (allBlocks.empty()) {
        why = _("it has no blocks.");
        return false;
    }

    // The group: the one chosen, else the experiment's first.
    const int groupID = options.GetGroupID_CanReturnNegativeOne();
    unsigned long groupCount = 0;
    if (groupID >= 0) {
        group = m_Experiment.GetGroupElementById(unsigned(groupID));
        if (!group) {
            why = wxString::Format(_("its participant group (ID %d) no longer exists."), groupID);
            return false;
        }
    } else {
        group = m_Experiment.GetDefaultGroup(&groupCount);
    }

    if (options.IsRunningSelectedBlocksOnly()) {
        for (VTBlock* block : allBlocks)
            if (block->IsSelected()) blocks.push_back(block);
        if (blocks.empty()) why = _("no block is selected.");
    } else if (group && options.IsBlockUseRestrictedByGroup() && !group->m_RunAllBlocks) {
        VTUsedElements& used = group->GetBlocksUsedByTheGroup();
        for (unsigned i = 0; i < used.Size(); ++i)
            if (auto* block = dynamic_cast<VTBlock*>(used.GetUsedElementPtr(i))) blocks.push_back(block);
        if (blocks.empty()) why = wxString::Format(_("the participant group \"%s\" has no blocks."), group->GetName());
    } else {
        blocks = allBlocks;
    }
    return !blocks.empty();
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
