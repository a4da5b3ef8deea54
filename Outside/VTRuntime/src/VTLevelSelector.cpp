#include "VTRuntime/VTLevelSelector.h"

#include <numeric>

#include "VTShuffling.h"

namespace Vantrel {

namespace {

template <class DrawFn>
void FisherYates(std::vector<std::size_t>& deck, DrawFn&& draw)
{
    for (std::size_t i = deck.size(); i > 1; --i) std::swap(deck[i - 1], deck[draw(i)]);
}

constexpr std::uint32_t kGroupSequenceSeed = 0x67726f75;  // draws of one group
constexpr std::uint32_t kGroupDealSeed = 0x6465616c;      // levels dealt to the groups

}  // namespace

VTLevelSelector::VTLevelSelector(int method, int scope, bool flag, std::size_t levelCount, std::uint32_t variableID)
    : m_Method(method), m_Scope(scope), m_Flag(flag), m_Count(levelCount), m_VariableID(variableID)
{}

std::size_t VTLevelSelector::Draw(std::size_t n)
{
    if (n < 2) return 0;
    if (m_FromGroupStream) return UniformFrom(m_GroupStream, n);
    return m_RunDraw ? std::min(m_RunDraw(n), n - 1) : 0;
}

void VTLevelSelector::Shuffle(std::vector<std::size_t>& deck)
{
    FisherYates(deck, [this](std::size_t n) { return Draw(n); });
}

std::size_t VTLevelSelector::NextInSequence()
{
    const std::size_t position = m_Picked++;
    if (position < m_Count) return position;
    return m_Flag ? position % m_Count : m_Count - 1;
}

std::size_t VTLevelSelector::NextFromDeck()
{
    if (m_DeckPosition == m_Deck.size()) {
        m_DeckPosition = 0;
        if (m_Flag) Shuffle(m_Deck);
    }
    return m_Deck[m_DeckPosition++];
}

void VTLevelSelector::SelectForGroup(const VTRunGroup& group)
{
    const std::size_t round = group.index / m_Count;
    const std::size_t seat = group.index % m_Count;
    if (m_Method == SelectionMethod::Sequential) {
        m_Current = int(group.index < m_Count ? group.index : m_Flag ? seat : m_Count - 1);
        return;
    }
    // Each round of groups gets every level once; the order of a round depends only on
    // the variable (and, when re-randomised, on the round), never on the run.
    std::vector<std::size_t> deck(m_Count);
    std::iota(deck.begin(), deck.end(), std::size_t(0));
    std::mt19937 generator = SeededStream(m_VariableID, std::uint32_t(m_Flag ? round : 0), kGroupDealSeed);
    FisherYates(deck, [&generator](std::size_t n) { return UniformFrom(generator, n); });
    m_Current = int(deck[seat]);
}

void VTLevelSelector::StartRun(const VTRunGroup& group, const RunDraw& runDraw)
{
    m_RunDraw = runDraw;
    m_Picked = 0;
    m_FromGroupStream = false;
    m_Current = -1;
    m_Unit = Unit::None;
    if (m_Count == 0) return;
    switch (m_Method) {
        case SelectionMethod::Sequential:
        case SelectionMethod::RandomWithoutReplacement:
            if (m_Scope == SelectionScope::Group) {
                SelectForGroup(group);
                return;
            }
            if (m_Method == SelectionMethod::RandomWithoutReplacement) {
                m_Deck.resize(m_Count);
                std::iota(m_Deck.begin(), m_Deck.end(), std::size_t(0));
                Shuffle(m_Deck);
                m_DeckPosition = 0;
            }
            m_Unit = m_Scope == SelectionScope::Run     ? Unit::Run
                     : m_Scope == SelectionScope::Block ? Unit::Block
                                                        : Unit::Trial;
            if (m_Unit == Unit::Run) m_Current = int(Next());
            return;
        case SelectionMethod::RandomWithReplacement:
            m_FromGroupStream = m_Scope == SelectionScope::Group;
            if (m_FromGroupStream) m_GroupStream = SeededStream(group.id, m_VariableID, kGroupSequenceSeed);
            m_Unit = Unit::Trial;
            return;
        default:  // manual, and methods a newer program may add
            m_Current = 0;
            return;
    }
}

std::size_t VTLevelSelector::Next()
{
    switch (m_Method) {
        case SelectionMethod::Sequential: return NextInSequence();
        case SelectionMethod::RandomWithoutReplacement: return NextFromDeck();
        default: return Draw(m_Count);
    }
}

void VTLevelSelector::StartBlock()
{
    if (m_Unit == Unit::Block) m_Current = int(Next());
}

void VTLevelSelector::StartTrial()
{
    if (m_Unit == Unit::Trial) m_Current = int(Next());
}

void VTLevelSelector::RepeatTrialDueToFeedback()
{
    if (m_Unit == Unit::Trial && m_Scope == SelectionScope::TrialAndRepeat &&
        m_Method != SelectionMethod::RandomWithReplacement)
        m_Current = int(Next());
}

}  // namespace Vantrel
