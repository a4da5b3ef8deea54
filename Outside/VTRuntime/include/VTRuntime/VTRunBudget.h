#pragma once
// What a run's plan would hold, counted before anything of it is built. A small
// document multiplies: one trial linked many times with many repetitions, each
// presentation copying the event's accepted responses, its stimulus text and a
// level label per saved trial variable. The planner adds each trial and each event
// presentation here and refuses the run once a count passes its limit; the counts
// themselves stop growing at the first refusal, so counting stays cheap.

#include <wx/string.h>

#include <cstdint>

namespace Vantrel {

class VTRunBudget
{
public:
    struct Limits
    {
        std::uint64_t trials = 200000;
        std::uint64_t events = 2000000;
        // Events x the responses each accepts.
        std::uint64_t responses = 4000000;
        // Trials x saved trial variables.
        std::uint64_t levelLabels = 4000000;
        // Characters of text copied into the plan: names, stimulus text, settings.
        std::uint64_t textCharacters = 32000000;
        // What all of it takes in memory together, estimated from the sizes of the
        // plan's records and strings.
        std::uint64_t memoryBytes = std::uint64_t(512) << 20;
    };

    enum class Over
    {
        Nothing,
        Trials,
        Events,
        Responses,
        LevelLabels,
        TextCharacters,
        Memory
    };

    VTRunBudget() = default;
    explicit VTRunBudget(const Limits& limits) : m_Limits(limits) {}

    // `repetitions` presentations of a trial that keeps `savedVariables` level labels
    // and copies `textCharacters` of its own (its name, its labels).
    bool AddTrials(std::uint64_t repetitions, std::uint64_t savedVariables, std::uint64_t textCharacters);
    // `presentations` of an event, each copying `acceptedResponses` responses and at
    // most `textCharacters` of text.
    bool AddEvents(std::uint64_t presentations, std::uint64_t acceptedResponses, std::uint64_t textCharacters);

    bool Exceeded() const { return m_Over != Over::Nothing; }
    Over WhatIsOver() const { return m_Over; }
    // The reason a run is refused, to follow "cannot run: " (empty while within).
    wxString Describe() const;

    const Limits& GetLimits() const { return m_Limits; }
    std::uint64_t Trials() const { return m_Trials; }
    std::uint64_t Events() const { return m_Events; }
    std::uint64_t Responses() const { return m_Responses; }
    std::uint64_t LevelLabels() const { return m_LevelLabels; }
    std::uint64_t TextCharacters() const { return m_TextCharacters; }
    std::uint64_t MemoryBytes() const { return m_MemoryBytes; }

private:
    // count += times * each, saturating; true while within `limit`.
    bool Add(std::uint64_t& count, std::uint64_t times, std::uint64_t each, std::uint64_t limit, Over over);
    bool AddMemory(std::uint64_t times, std::uint64_t each);

    Limits m_Limits;
    Over m_Over = Over::Nothing;
    std::uint64_t m_Trials = 0, m_Events = 0, m_Responses = 0, m_LevelLabels = 0, m_TextCharacters = 0;
    std::uint64_t m_MemoryBytes = 0;
};

}  // namespace Vantrel
