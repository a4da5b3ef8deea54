#include "VTRunPlanCount.h"

#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace Vantrel {

namespace {

// A file's path is resolved against the experiment's folder; path variables may
// lengthen it by this much besides.
constexpr std::uint64_t kResolvedPathSlack = 1024;

struct EventSize
{
    std::uint64_t acceptedResponses = 0;
    std::uint64_t textCharacters = 0;
};

class Measure
{
public:
    const EventSize& Of(const VTEvent& event)
    {
        const auto found = m_Events.find(&event);
        if (found != m_Events.end()) return found->second;
        EventSize size;
        const std::vector<VTResponse*> accepted = event.GetAcceptedResponses();
        size.acceptedResponses = accepted.size();
        std::uint64_t characters = event.GetName().length();
        for (const auto& [key, value] : event.GetPlugInSettings()) characters += key.length() + value.length();
        // Each name is copied with its response and into the correct-response column.
        for (const VTResponse* response : accepted) characters += 2 * (response->GetName().length() + 2);
        // The stimulus is copied as the text or path and as the data file's label.
        characters += 2 * LongestStimulus(event);
        size.textCharacters = characters;
        return m_Events.emplace(&event, size).first->second;
    }

private:
    std::uint64_t LongestStimulus(const VTEvent& event)
    {
        if (!event.IsListEvent()) {
            const VTPresentableStimulus stimulus = event.GetStimulusForPresentation(0);
            return std::max(stimulus.text.length(), stimulus.path.length());
        }
        VTExperiment* experiment = event.GetOwningExperiment();
        const VTStimList* list =
            experiment ? experiment->GetStimListIfacePtr(std::uint32_t(event.GetStimListID())) : nullptr;
        if (!list) return 0;
        const auto found = m_Lists.find(list);
        if (found != m_Lists.end()) return found->second;
        std::uint64_t longest = 0;
        for (std::size_t i = 0; i < list->GetItemCount(); ++i)
            longest = std::max<std::uint64_t>(longest, list->GetItem(i).text.length());
        if (longest != 0 && list->IsFileList())
            longest += experiment->GetDocumentFolder().length() + kResolvedPathSlack;
        return m_Lists.emplace(list, longest).first->second;
    }

    std::unordered_map<const VTEvent*, EventSize> m_Events;
    std::unordered_map<const VTStimList*, std::uint64_t> m_Lists;
};

}  // namespace

VTRunBudget CountRunPlan(const std::vector<VTBlock*>& blocks, const VTPlannedTrialSize& trialSize,
                         const VTRunBudget::Limits& limits)
{
    VTRunBudget budget(limits);
    Measure measure;
    for (VTBlock* block : blocks) {
        for (unsigned i = 0; i < block->GetNumberOfUsedTrials(); ++i) {
            VTTrial* trial = block->GetUsedTrial(i);
            if (!trial) continue;
            // Each repetition is presented once per item combination of the trial's lists.
            const std::uint64_t combinations = trial->GetReadOnlyReferenceToListAccess().PostExpansionItemCount();
            const std::uint64_t each = trial->GetRepetitions();
            const std::uint64_t repetitions = combinations > UINT64_MAX / each ? UINT64_MAX : combinations * each;
            if (!budget.AddTrials(repetitions, trialSize.savedVariables,
                                  trial->GetName().length() + trialSize.labelCharacters))
                return budget;
            for (unsigned e = 0; e < trial->GetNumberOfUsedEvents(); ++e) {
                const VTEvent* event = trial->GetUsedEvent(e);
                if (!event) continue;
                const EventSize& size = measure.Of(*event);
                if (!budget.AddEvents(repetitions, size.acceptedResponses, size.textCharacters)) return budget;
            }
        }
    }
    return budget;
}

}  // namespace Vantrel
