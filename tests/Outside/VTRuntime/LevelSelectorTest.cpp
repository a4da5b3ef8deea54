// How each method, scope and flag picks the current level, unit by unit, including
// what no run can show yet: a trial repeated due to feedback.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "VTRuntime/VTLevelSelector.h"

using namespace Vantrel;

namespace {

// A reproducible stand-in for the run's random numbers.
VTLevelSelector::RunDraw Stream(unsigned seed)
{
    auto state = std::make_shared<unsigned>(seed);
    return [state](std::size_t n) {
        *state = *state * 1103515245u + 12345u;
        return std::size_t((*state >> 8) % n);
    };
}

// One run: the level of each trial as a letter, blocks separated by '|'; a '+' marks a
// repeat of the trial before it (due to feedback) with the level it got.
std::string Picks(VTLevelSelector& selector, const std::string& shape, const VTRunGroup& group = {}, unsigned seed = 1)
{
    selector.StartRun(group, Stream(seed));
    std::string out;
    bool blockStarted = false;
    for (char c : shape) {
        if (c == '|') {
            out += '|';
            blockStarted = false;
            continue;
        }
        if (!blockStarted) selector.StartBlock();
        blockStarted = true;
        if (c == 't')
            selector.StartTrial();
        else if (c == 'r') {
            selector.RepeatTrialDueToFeedback();
            out += '+';
        }
        out += char('A' + selector.GetCurrentLevel());
    }
    return out;
}

std::string Picks(int method, int scope, bool flag, std::size_t levels, const std::string& shape,
                  const VTRunGroup& group = {}, unsigned seed = 1)
{
    VTLevelSelector selector(method, scope, flag, levels, 17);
    return Picks(selector, shape, group, seed);
}

bool IsPermutation(const std::string& s, std::size_t levels)
{
    std::set<char> seen(s.begin(), s.end());
    return s.size() == levels && seen.size() == levels && *seen.begin() == 'A' &&
           *seen.rbegin() == char('A' + levels - 1);
}

constexpr int Sequential = SelectionMethod::Sequential;
constexpr int RandomWithoutReplacement = SelectionMethod::RandomWithoutReplacement;
constexpr int RandomWithReplacement = SelectionMethod::RandomWithReplacement;
constexpr int Manual = SelectionMethod::Manual;
constexpr int OncePerGroup = SelectionScope::Group;
constexpr int EachRun = SelectionScope::Run;
constexpr int EachBlock = SelectionScope::Block;
constexpr int EachTrial = SelectionScope::Trial;
constexpr int EachTrialAndRepeat = SelectionScope::TrialAndRepeat;

}  // namespace

TEST(LevelSelector, DeterministicMethodsFollowTheirScopeAndFlag)
{
    struct Case
    {
        const char* what;
        int method, scope;
        bool flag;
        const char* shape;
        const char* expected;
    } cases[] = {
        {"sequential each trial restarts after the last", Sequential, EachTrial, true, "tt|ttt", "AB|CAB"},
        {"sequential each trial stays on the last", Sequential, EachTrial, false, "tt|ttt", "AB|CCC"},
        {"sequential each block", Sequential, EachBlock, true, "tt|tt|tt|tt", "AA|BB|CC|AA"},
        {"sequential each block stays on the last", Sequential, EachBlock, false, "tt|tt|tt|tt", "AA|BB|CC|CC"},
        {"sequential each run", Sequential, EachRun, true, "tt|tt", "AA|AA"},
        {"sequential each trial keeps its level on a repeat", Sequential, EachTrial, true, "trt|t", "A+AB|C"},
        {"sequential each trial and repeat", Sequential, EachTrialAndRepeat, true, "trt|t", "A+BC|A"},
        {"manual stays on the first level", Manual, EachTrial, true, "trt|tt", "A+AA|AA"},
        {"manual once per group", Manual, OncePerGroup, false, "tt", "AA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Picks(c.method, c.scope, c.flag, 3, c.shape), c.expected);
        // The next run starts over: nothing is carried from run to run.
        VTLevelSelector selector(c.method, c.scope, c.flag, 3, 17);
        Picks(selector, c.shape);
        EXPECT_EQ(Picks(selector, c.shape), c.expected);
    }
}

TEST(LevelSelector, SequentialOncePerGroupGivesEachGroupItsLevel)
{
    const std::size_t groups[] = {0, 1, 2, 3, 4};
    std::string withRestart, withoutRestart;
    for (std::size_t index : groups) {
        withRestart +=
            Picks(Sequential, OncePerGroup, true, 3, "t|t", {100 + std::uint32_t(index), index}).substr(0, 1);
        withoutRestart +=
            Picks(Sequential, OncePerGroup, false, 3, "t|t", {100 + std::uint32_t(index), index}).substr(0, 1);
    }
    EXPECT_EQ(withRestart, "ABCAB");
    EXPECT_EQ(withoutRestart, "ABCCC");
    EXPECT_EQ(Picks(Sequential, OncePerGroup, true, 3, "tt|tt", {7, 1}), "BB|BB");
}

TEST(LevelSelector, WithoutReplacementEveryLevelOnceBeforeAnyAgain)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        // Without the flag the same order comes round again.
        const std::string same = Picks(RandomWithoutReplacement, EachTrial, false, 4, "tttttttttt", {}, seed);
        EXPECT_TRUE(IsPermutation(same.substr(0, 4), 4)) << same;
        EXPECT_EQ(same.substr(4, 4), same.substr(0, 4));
        EXPECT_EQ(same.substr(8), same.substr(0, 2));
        // With it each round is a new order, still every level once.
        const std::string again = Picks(RandomWithoutReplacement, EachTrial, true, 4, "tttt|tttt", {}, seed);
        EXPECT_TRUE(IsPermutation(again.substr(0, 4), 4)) << again;
        EXPECT_TRUE(IsPermutation(again.substr(5, 4), 4)) << again;
        // Each block: one level per block, every level once across the first blocks.
        const std::string blocks = Picks(RandomWithoutReplacement, EachBlock, false, 3, "tt|tt|tt|tt", {}, seed);
        EXPECT_EQ(std::string() + blocks[0] + blocks[3] + blocks[6], std::string() + blocks[1] + blocks[4] + blocks[7]);
        EXPECT_TRUE(IsPermutation(std::string() + blocks[0] + blocks[3] + blocks[6], 3)) << blocks;
        EXPECT_EQ(blocks[9], blocks[0]);
        // Each run: one level for the whole run.
        const std::string run = Picks(RandomWithoutReplacement, EachRun, true, 3, "tt|tt", {}, seed);
        EXPECT_EQ(run, std::string() + run[0] + run[0] + '|' + run[0] + run[0]);
    }
    // The re-randomised rounds are not all the same order.
    std::set<std::string> secondRounds;
    for (unsigned seed = 1; seed <= 20; ++seed)
        secondRounds.insert(Picks(RandomWithoutReplacement, EachTrial, true, 4, "tttttttt", {}, seed).substr(4));
    EXPECT_GT(secondRounds.size(), 1u);
}

TEST(LevelSelector, ARepeatDueToFeedbackRandomisesAgainOnlyWhenAsked)
{
    for (unsigned seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        const std::string keep = Picks(RandomWithoutReplacement, EachTrial, false, 3, "trtt", {}, seed);
        EXPECT_EQ(keep[2], keep[0]) << keep;  // "A+A..": the repeat keeps the trial's level
        EXPECT_TRUE(IsPermutation(std::string() + keep[0] + keep[3] + keep[4], 3)) << keep;
        const std::string again = Picks(RandomWithoutReplacement, EachTrialAndRepeat, false, 3, "trtt", {}, seed);
        // The repeat takes the next level of the round, so the round still holds each once.
        EXPECT_TRUE(IsPermutation(std::string() + again[0] + again[2] + again[3], 3)) << again;
        EXPECT_EQ(again[4], again[0]) << "then the same order again";
        const std::string replaced = Picks(RandomWithReplacement, EachRun, false, 3, "trt", {}, seed);
        EXPECT_EQ(replaced[2], replaced[0]) << "with replacement a repeat keeps its level";
    }
}

TEST(LevelSelector, OncePerGroupIsTheSameForEveryParticipantOfAGroup)
{
    const VTRunGroup first{5, 0}, second{9, 1}, third{12, 2}, fourth{20, 3};
    // Without replacement: the levels are dealt to the groups, whatever the run draws.
    std::string dealt;
    for (const VTRunGroup& g : {first, second, third, fourth}) {
        const std::string a = Picks(RandomWithoutReplacement, OncePerGroup, false, 3, "tt|tt", g, 1);
        EXPECT_EQ(Picks(RandomWithoutReplacement, OncePerGroup, false, 3, "tt|tt", g, 99), a);
        EXPECT_EQ(a, std::string() + a[0] + a[0] + '|' + a[0] + a[0]);
        dealt += a[0];
    }
    EXPECT_TRUE(IsPermutation(dealt.substr(0, 3), 3)) << dealt;
    EXPECT_EQ(dealt[3], dealt[0]) << "without the flag the fourth group gets the first group's level";

    // With replacement: a sequence per trial, seeded from the group, not from the run.
    const std::string shape = "tttttt|tttttt";
    const std::string ofFirst = Picks(RandomWithReplacement, OncePerGroup, false, 3, shape, first, 1);
    EXPECT_EQ(Picks(RandomWithReplacement, OncePerGroup, false, 3, shape, first, 42), ofFirst);
    EXPECT_NE(Picks(RandomWithReplacement, OncePerGroup, false, 3, shape, second, 1), ofFirst);
    EXPECT_GT(std::set<char>(ofFirst.begin(), ofFirst.end()).size(), 2u) << ofFirst << " varies from trial to trial";
    // Each run instead follows the run's own random numbers.
    EXPECT_NE(Picks(RandomWithReplacement, EachRun, false, 3, shape, first, 1),
              Picks(RandomWithReplacement, EachRun, false, 3, shape, first, 2));
}

TEST(LevelSelector, AVariableWithoutLevelsHasNone)
{
    for (int method : {Sequential, RandomWithoutReplacement, RandomWithReplacement, Manual}) {
        VTLevelSelector selector(method, OncePerGroup, true, 0, 1);
        selector.StartRun({3, 2}, Stream(1));
        selector.StartBlock();
        selector.StartTrial();
        selector.RepeatTrialDueToFeedback();
        EXPECT_EQ(selector.GetCurrentLevel(), -1) << method;
    }
}
