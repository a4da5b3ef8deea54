#include "VTRunPlanBuilder.h"

#include <wx/filename.h>

#include <VTCore/ListAccessHelper.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTStimList.h>
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
#include "VTShuffling.h"
#include "VTTrialLevels.h"

namespace Vantrel {

namespace {

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

    const auto plannedResponse = [&](const VTResponse* response, bool correct, bool endsEvent) {
        VTPlannedResponse r;
        r.responseID = int(response->GetID());
        r.pluginID = response->GetPlugInID();
        r.key = response->GetKeyCode();
        r.port = response->GetPortNumber();
        r.phase = response->GetPhase();
        r.regionMode = response->GetRegionMode();
        response->GetRegion(r.regionX, r.regionY, r.regionWidth, r.regionHeight);
        r.name = response->GetName();
        r.correct = correct;
        r.endsEvent = endsEvent;
        return r;
    };
    for (const VTEventResponseJudge::Verdict& verdict : judge.Judge(itemIndex)) {
        const VTPlannedResponse r = plannedResponse(verdict.response, verdict.correct, verdict.endsEvent);
        planned.accepted.push_back(r);
        if (r.correct) planned.correctResponses << (planned.correctResponses.empty() ? "" : ", ") << r.name;
    }
    planned.resetsReactionTimer = event.ResetsReactionTimer();
    planned.delaysFeedbackUntilTimeLimit = event.DelaysFeedbackUntilTimeLimit();
    // The clickable stimulus: a click on it is the named on-screen response, judged
    // and ending the event as that response would.
    if (const int clickableID = event.EffectiveClickableResponseID(); clickableID > 0) {
        VTExperiment* experiment = event.GetOwningExperiment();
        const auto* response = experiment ? dynamic_cast<const VTResponse*>(experiment->LookupElementByTypeAndID(
                                                ElementType::Response, std::uint32_t(clickableID)))
                                          : nullptr;
        if (response) {
            const bool correct = event.IsResponseCorrect(response, itemIndex);
            const bool ends = event.GetEndEventOption(EndEventOption::AnyResponse) ||
                              (event.GetEndEventOption(EndEventOption::CorrectResponse) && correct);
            planned.clickable = plannedResponse(response, correct, ends);
            planned.clickable.regionMode = VTResponse::kRegionModeAutomatic;
        }
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
    if (event.clickable.responseID >= 0 && event.clickable.endsEvent) return false;
    if (event.accepted.empty()) return !event.anyResponseEnds;
    return std::none_of(event.accepted.begin(), event.accepted.end(),
                        [](const VTPlannedResponse& r) { return r.endsEvent; });
}

// Seeds of the orders drawn once per participant group, by what they order.
constexpr std::uint32_t kTrialOrderSeed = 0x74726c73;
constexpr std::uint32_t kEventOrderSeed = 0x65766e74;
constexpr std::uint32_t kListOrderSeed = 0x6c697374;

// The item of each list for every presentation of a trial, in presentation order;
// shuffled with `draw` when it is given. One presentation without items when the
// trial uses no list. The count was checked against the run's budget before.
std::vector<std::vector<std::size_t>> ItemCombinations(const ListAccessHelper& access, const VTDraw* draw)
{
    const std::vector<std::uint64_t>& sizes = access.ListSizes();
    const std::size_t count = std::size_t(access.PostExpansionItemCount());
    std::vector<std::vector<std::size_t>> combinations(count, std::vector<std::size_t>(sizes.size()));
    auto itemsOf = [&](std::size_t list) { return std::size_t(std::max<std::uint64_t>(sizes[list], 1)); };
    if (access.ListAccessType() == ListAccessHelper::kCrossed) {
        // The first list changes slowest.
        for (std::size_t k = 0; k < count; ++k) {
            std::size_t rest = k;
            for (std::size_t list = sizes.size(); list-- > 0;) {
                combinations[k][list] = rest % itemsOf(list);
                rest /= itemsOf(list);
            }
        }
        if (draw) ShuffleWith(combinations, *draw);
    } else if (access.ListAccessType() == ListAccessHelper::kUnpaired) {
        // Each list walked in an order of its own.
        for (std::size_t list = 0; list < sizes.size(); ++list) {
            std::vector<std::size_t> order(itemsOf(list));
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
            if (draw) ShuffleWith(order, *draw);
            for (std::size_t k = 0; k < count; ++k) combinations[k][list] = order[k % order.size()];
        }
    } else {
        // Paired: one order for every list.
        std::vector<std::size_t> order(count);
        for (std::size_t i = 0; i < count; ++i) order[i] = i;
        if (draw) ShuffleWith(order, *draw);
        for (std::size_t k = 0; k < count; ++k)
            for (std::size_t list = 0; list < sizes.size(); ++list) combinations[k][list] = order[k] % itemsOf(list);
    }
    return combinations;
}

// One presentation of a trial in its block: the trial, the item of each of its lists,
// and the unit of the presentations made from the same place in the block.
struct TrialPresentation
{
    VTTrial* trial = nullptr;
    std::vector<std::size_t> items;
    std::size_t unit = 0;
    bool reshuffleInUnit = false;
};

// What planning one run keeps between its steps.
class Planning
{
public:
    Planning(VTExperiment& experiment, const VTParticipantGroup* group, VTRunPlan& plan)
        : m_Experiment(experiment),
          m_Plan(plan),
          m_Levels(experiment, group),
          m_Rules(experiment, plan.rules),
          m_Preview(experiment.GetRunOptions().IsPreview()),
          m_GroupID(group ? group->GetID() : 0)
    {
        m_Plan.columns.SetLevelColumns(m_Levels.GetColumnNames());
        m_Plan.variables = m_Levels.GetPlannedVariables();
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
                                      why) ||
            !PlanLoopsAndExtraActions(block, planned, why))
            return false;
        std::vector<std::vector<TrialPresentation>> units;
        for (unsigned i = 0; i < block.GetNumberOfUsedTrials(); ++i) {
            VTTrial* trial = block.GetUsedTrial(i);
            if (!trial) continue;
            for (unsigned r = 0; r < trial->GetRepetitions(); ++r) {
                units.emplace_back();
                if (!ExpandTrial(*trial, units.size() - 1, units.back(), why)) return false;
            }
        }
        std::vector<TrialPresentation> order = OrderTrials(block, planned, units);
        // Reserved: a growing list would copy every planned trial each time it grows.
        planned.trials.reserve(order.size());
        for (const TrialPresentation& presentation : order) {
            planned.trials.emplace_back();
            if (!PlanTrial(presentation, planned.trials.back(), why)) return false;
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

    // Looping and the extra actions; a mode or unit the run does not know refuses it.
    bool PlanLoopsAndExtraActions(const VTBlock& block, VTPlannedBlock& planned, wxString& why) const
    {
        switch (block.m_LoopMode) {
            case VTBlock::kLoopModeNone: break;
            case VTBlock::kLoopModeCount: planned.passes = unsigned(std::max(block.m_LoopCount, 1)); break;
            case VTBlock::kLoopModeForever: planned.loopsForever = true; break;
            default:
                why = wxString::Format(_("the block \"%s\" has a looping setting (%d) that a run cannot carry out."),
                                       block.GetName(), block.m_LoopMode);
                return false;
        }
        bool on = false;
        unsigned amount = 0;
        VTBlock::TimeLimitExtraActionUnits units = VTBlock::TimeLimitSeconds;
        block.GetTimeLimitExtraActionSettings(on, amount, units);
        if (on) {
            if (units != VTBlock::TimeLimitSeconds && units != VTBlock::TimeLimitMilliseconds) {
                why = wxString::Format(_("the block \"%s\" has a time limit in a unit (%d) that a run does not know."),
                                       block.GetName(), int(units));
                return false;
            }
            planned.timeLimitMs = (long long)(amount) * (units == VTBlock::TimeLimitSeconds ? 1000 : 1);
        }
        block.GetTrialLimitExtraActionSettings(on, amount);
        if (on) planned.trialLimit = amount;
        wxString message;
        block.GetPauseExtraActionSettings(on, amount, message);
        if (on && amount > 0) {
            planned.pauseEvery = amount;
            planned.pauseMessage = message;
        }
        return true;
    }

    // The presentations of one trial of the block: one per item combination of its
    // lists, in the order its list access gives them.
    bool ExpandTrial(VTTrial& trial, std::size_t unit, std::vector<TrialPresentation>& out, wxString& why)
    {
        const ListAccessHelper access = trial.GetReadOnlyReferenceToListAccess();
        if (access.HowManyStimlists() > 0 && (!ListAccessHelper::IsKnownShuffleCode(access.WhenToShuffle()) ||
                                              !ListAccessHelper::IsKnownAccessType(access.ListAccessType()))) {
            why = wxString::Format(_("the trial \"%s\" has a list access setting that a run cannot carry out."),
                                   trial.GetName());
            return false;
        }
        std::vector<std::vector<std::size_t>> combinations;
        switch (access.ShufflesListItems() ? access.WhenToShuffle() : ListAccessHelper::kShuffleNever) {
            case ShuffleCode::PerGroup: {
                const VTDraw draw = GroupDraw(m_GroupID, trial.GetID(), kListOrderSeed);
                combinations = ItemCombinations(access, &draw);
                break;
            }
            case ShuffleCode::PerRun: {
                // Kept for the run: every place that presents the trial walks it alike.
                auto kept = m_ListOrders.find(&trial);
                if (kept == m_ListOrders.end()) {
                    const VTDraw draw = RunDraw();
                    kept = m_ListOrders.emplace(&trial, ItemCombinations(access, &draw)).first;
                }
                combinations = kept->second;
                break;
            }
            default: combinations = ItemCombinations(access, nullptr); break;
        }
        const bool reshuffle = access.ShufflesListItems() && access.WhenToShuffle() == ShuffleCode::EveryPresentation;
        for (std::vector<std::size_t>& items : combinations) out.push_back({&trial, std::move(items), unit, reshuffle});
        return true;
    }

    // The block's trial order: as listed, or shuffled (each trial's presentations
    // together unless the lists are jumbled across trials); at every presentation the
    // run shuffles it anew (code 63).
    std::vector<TrialPresentation> OrderTrials(const VTBlock& block, VTPlannedBlock& planned,
                                               std::vector<std::vector<TrialPresentation>>& units) const
    {
        const bool shuffle = block.GetRandomizeTrials();
        // Shuffling with no "when" chosen happens once per run.
        const int when = shuffle ? block.GetRandomizeTrialsWhen() : -1;
        planned.jumbleLists = shuffle && block.GetListJumblingSetting();
        planned.reshuffleTrials = when == ShuffleCode::EveryPresentation;
        const VTDraw draw =
            when == ShuffleCode::PerGroup ? GroupDraw(m_GroupID, block.GetID(), kTrialOrderSeed) : RunDraw();
        const bool now = shuffle && !planned.reshuffleTrials;
        if (now && !planned.jumbleLists) ShuffleWith(units, draw);
        std::vector<TrialPresentation> order;
        for (std::vector<TrialPresentation>& unit : units)
            for (TrialPresentation& presentation : unit) order.push_back(std::move(presentation));
        if (planned.jumbleLists) {
            // The lists' own orders give way to the block's.
            for (TrialPresentation& presentation : order) presentation.reshuffleInUnit = false;
            if (now) ShuffleWith(order, draw);
        }
        return order;
    }

    bool PlanTrial(const TrialPresentation& presentation, VTPlannedTrial& planned, wxString& why)
    {
        VTTrial& trial = *presentation.trial;
        m_Levels.StartTrial();
        planned.levels = m_Levels.GetCurrentLabels();
        planned.levelIndexes = m_Levels.GetCurrentLevelIndexes();
        planned.trialID = int(trial.GetID());
        PlanTrialTags(trial);
        planned.name = trial.GetName();
        planned.paced = trial.UsingTrialSync();
        planned.startPeriodMs = std::max(0, trial.GetStartPeriod());
        planned.repeatLimit =
            trial.GetLimitOfRepeatsDueToFeedbackFlag() ? (long long)(trial.GetLimitOfRepeatsDueToFeedback()) : -1;
        planned.unit = presentation.unit;
        planned.reshuffleInUnit = presentation.reshuffleInUnit;
        // The owner's name only matters for a trial with criteria (a trial repeated
        // thousands of times is planned that often).
        const MetaTFPredicate* when = trial.GetWhenToPresent();
        if (!m_Rules.AddRulesOf(trial, VTRuleCompiler::Context::TrialRules, planned.rules, why) ||
            !m_Rules.AddWhenToPresent(when, VTRuleCompiler::Context::TrialWhen,
                                      when ? wxString::Format(_("the trial \"%s\""), trial.GetName()) : wxString(),
                                      planned.whenToPresent, why))
            return false;
        std::vector<VTEvent*> events;
        for (unsigned e = 0; e < trial.GetNumberOfUsedEvents(); ++e)
            if (VTEvent* event = trial.GetUsedEvent(e)) events.push_back(event);
        OrderEvents(trial, events, planned);
        planned.events.reserve(events.size());
        const std::vector<std::uint32_t> lists = trial.GetUsedStimListIDs();
        for (VTEvent* event : events) {
            std::size_t item = 0;
            if (event->IsListEvent()) {
                const auto list = std::find(lists.begin(), lists.end(), std::uint32_t(event->GetStimListID()));
                const std::size_t position = std::size_t(list - lists.begin());
                const std::size_t count = event->GetNumberOfStimulusItems();
                if (position < presentation.items.size() && count) item = presentation.items[position] % count;
            }
            planned.events.push_back(PlanEventAt(*event, item));
            if (!CheckCanEnd(planned.events.back(), why)) return false;
        }
        return true;
    }

    // Event shuffling: once per group or per run here (the same order at every
    // presentation of the trial), at every presentation by the run.
    void OrderEvents(const VTTrial& trial, std::vector<VTEvent*>& events, VTPlannedTrial& planned)
    {
        if (!trial.GetRandomizeEvents()) return;
        const bool keepFirst = trial.m_ExcludeFirstEventFromRandomization;
        const bool keepLast = trial.m_ExcludeLastEventFromRandomization;
        const int when = trial.GetRandomizeEventsWhen();
        if (when == ShuffleCode::EveryPresentation) {
            planned.reshuffleEvents = true;
            planned.keepFirstEvent = keepFirst;
            planned.keepLastEvent = keepLast;
            return;
        }
        auto kept = m_EventOrders.find(&trial);
        if (kept == m_EventOrders.end()) {
            std::vector<std::size_t> order(events.size());
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
            // Shuffling with no "when" chosen happens once per run.
            ShuffleKeepingEnds(order, keepFirst, keepLast,
                               when == ShuffleCode::PerGroup ? GroupDraw(m_GroupID, trial.GetID(), kEventOrderSeed)
                                                             : RunDraw());
            kept = m_EventOrders.emplace(&trial, std::move(order)).first;
        }
        std::vector<VTEvent*> ordered;
        for (std::size_t i : kept->second) ordered.push_back(events[i]);
        events = std::move(ordered);
    }

    // Events that rules present step through their items, one per presentation.
    VTPlannedEvent PlanListEvent(VTEvent& event)
    {
        size_t item = 0;
        if (event.IsListEvent()) {
            const size_t count = event.GetNumberOfStimulusItems();
            item = count ? m_ItemPresentations[&event]++ % count : 0;
        }
        return PlanEventAt(event, item);
    }

    VTPlannedEvent PlanEventAt(VTEvent& event, size_t item)
    {
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
    const std::uint32_t m_GroupID;
    // Orders decided once per run, by trial.
    std::map<const VTTrial*, std::vector<std::vector<std::size_t>>> m_ListOrders;
    std::map<const VTTrial*, std::vector<std::size_t>> m_EventOrders;
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
