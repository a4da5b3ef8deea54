#include "VTRuntime/VTRunBudget.h"

#include <wx/intl.h>

#include <limits>

#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

namespace {

// A string's characters live in a block of their own; this is the block's overhead
// beyond its characters (the allocator's header and rounding).
constexpr std::uint64_t kBlockOverhead = 32;
constexpr std::uint64_t kTrialBytes = sizeof(VTPlannedTrial) + kBlockOverhead;
// An event's name, text, path, label and correct-response list.
constexpr std::uint64_t kEventBytes = sizeof(VTPlannedEvent) + 5 * kBlockOverhead;
constexpr std::uint64_t kResponseBytes = sizeof(VTPlannedResponse) + kBlockOverhead;
constexpr std::uint64_t kLabelBytes = sizeof(wxString) + kBlockOverhead;
constexpr std::uint64_t kCharacterBytes = sizeof(wxStringCharType);

}  // namespace

bool VTRunBudget::Add(std::uint64_t& count, std::uint64_t times, std::uint64_t each, std::uint64_t limit, Over over)
{
    if (m_Over != Over::Nothing) return false;
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t added = each != 0 && times > kMost / each ? kMost : times * each;
    count = added > kMost - count ? kMost : count + added;
    if (count > limit) m_Over = over;
    return m_Over == Over::Nothing;
}

bool VTRunBudget::AddMemory(std::uint64_t times, std::uint64_t each)
{
    // `each` comes from counts already within their limits, so it cannot overflow.
    return Add(m_MemoryBytes, times, each, m_Limits.memoryBytes, Over::Memory);
}

bool VTRunBudget::AddTrials(std::uint64_t repetitions, std::uint64_t savedVariables, std::uint64_t textCharacters)
{
    return Add(m_Trials, repetitions, 1, m_Limits.trials, Over::Trials) &&
           Add(m_LevelLabels, repetitions, savedVariables, m_Limits.levelLabels, Over::LevelLabels) &&
           Add(m_TextCharacters, repetitions, textCharacters, m_Limits.textCharacters, Over::TextCharacters) &&
           AddMemory(repetitions, kTrialBytes + savedVariables * kLabelBytes + textCharacters * kCharacterBytes);
}

bool VTRunBudget::AddEvents(std::uint64_t presentations, std::uint64_t acceptedResponses, std::uint64_t textCharacters)
{
    return Add(m_Events, presentations, 1, m_Limits.events, Over::Events) &&
           Add(m_Responses, presentations, acceptedResponses, m_Limits.responses, Over::Responses) &&
           Add(m_TextCharacters, presentations, textCharacters, m_Limits.textCharacters, Over::TextCharacters) &&
           AddMemory(presentations,
                     kEventBytes + acceptedResponses * kResponseBytes + textCharacters * kCharacterBytes);
}

wxString VTRunBudget::Describe() const
{
    const auto limit = [](std::uint64_t n) { return static_cast<unsigned long long>(n); };
    switch (m_Over) {
        case Over::Nothing: return wxString();
        case Over::Trials:
        case Over::Events:
            return wxString::Format(_("it would run more than %llu trials or %llu events."), limit(m_Limits.trials),
                                    limit(m_Limits.events));
        case Over::Responses:
            return wxString::Format(_("its events would accept more than %llu responses in all (each presentation "
                                      "of an event counts its accepted responses)."),
                                    limit(m_Limits.responses));
        case Over::LevelLabels:
            return wxString::Format(_("its trials would keep more than %llu levels in all (each presentation of a "
                                      "trial counts its saved trial variables)."),
                                    limit(m_Limits.levelLabels));
        case Over::TextCharacters:
            return wxString::Format(_("it would copy more than %llu characters of text (names, stimulus text and "
                                      "settings, for each presentation)."),
                                    limit(m_Limits.textCharacters));
        case Over::Memory:
            return wxString::Format(_("its plan would take more than %llu MB of memory."),
                                    limit(m_Limits.memoryBytes >> 20));
    }
    return wxString();
}

}  // namespace Vantrel
