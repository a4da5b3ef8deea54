#include "CloudTaskSupport/BalancedGroupChoice.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

using Vantrel::ChooseBalancedGroup;
using Vantrel::CountGroupRuns;

// Records the range asked for and answers with a fixed position.
struct ScriptedDraw
{
    int answer = 0;
    int low = -1, high = -1;
    Vantrel::DrawInRange Function()
    {
        return [this](int l, int h) {
            low = l;
            high = h;
            return answer;
        };
    }
};

TEST(BalancedGroupChoice, CountsEveryOccurrenceOfKnownGroupsOnly)
{
    const std::string runInfo =
        "'group_id':'3'\n'group_id':'3'\n'group_id':'7''group_id':'7'\n"
        "'group_id':'99'\n'group_id':'abc'\n'group_id':'3x'\n'group_id':'99999999999999'\n'group_id':''\n";
    const auto counts = CountGroupRuns({3, 7, 11}, runInfo);
    EXPECT_EQ(counts, (std::map<std::uint32_t, unsigned>{{3, 2}, {7, 2}, {11, 0}}));
}

TEST(BalancedGroupChoice, PicksAmongTheLeastUsedGroups)
{
    struct Case
    {
        std::vector<std::uint32_t> groups;
        std::string runInfo;
        int answer;
        int expectedHigh;
        std::optional<std::uint32_t> expected;
    } cases[] = {
        {{3, 7}, "'group_id':'3'\n'group_id':'3'\n'group_id':'7'\n", 0, 0, 7u},
        {{3, 7}, "'group_id':'3'\n'group_id':'7'\n", 1, 1, 7u},
        {{3, 7}, "'group_id':'3'\n'group_id':'7'\n", 0, 1, 3u},
        {{3, 7}, "", 0, 1, 3u},
        {{5}, "'group_id':'12'\n'group_id':'12'\n", 0, 0, 5u},    // unknown ids are never drawn
        {{4, 9}, "'group_id':'4'\n'group_id':'zz'\n", 0, 0, 9u},  // non-decimal captures are skipped
        {{}, "'group_id':'3'\n", 0, -1, std::nullopt},            // no groups: nothing to draw
        {{3, 7}, "", 42, 1, 7u},                                  // a draw out of range is held in range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.runInfo);
        ScriptedDraw draw;
        draw.answer = c.answer;
        EXPECT_EQ(ChooseBalancedGroup(c.groups, c.runInfo, draw.Function()), c.expected);
        EXPECT_EQ(draw.high, c.expectedHigh);
    }
}

TEST(BalancedGroupChoice, ARealRandomDrawReachesEveryTiedGroup)
{
    std::set<std::uint32_t> seen;
    unsigned seed = 1;
    auto draw = [&seed](int low, int high) {
        seed = seed * 1103515245u + 12345u;
        return low + static_cast<int>((seed >> 16) % static_cast<unsigned>(high - low + 1));
    };
    for (int i = 0; i < 200; ++i) seen.insert(*ChooseBalancedGroup({2, 4, 6}, "'group_id':'8'\n", draw));
    EXPECT_EQ(seen, (std::set<std::uint32_t>{2, 4, 6}));
}

TEST(BalancedGroupChoice, AMissingRunInfoFileReadsAsNoRuns)
{
    EXPECT_EQ(Vantrel::ReadRunInfoText(TestSupport::HomeFolder() + "/no/rt_info"), "");
    const std::string path = TestSupport::MakeTempFolder("rt") + "/rt_info";
    std::ofstream(path, std::ios::binary) << "'group_id':'3'\n";
    EXPECT_EQ(Vantrel::ReadRunInfoText(path), "'group_id':'3'\n");
}

}  // namespace

namespace {

// Participants can append to the run-info file; a single enormous line, with or
// without a closing quote, must be counted in one pass and never exhaust the stack.
TEST(BalancedGroupChoice, AHugeAppendedLineIsScannedWithoutRecursion)
{
    const std::string huge(1u << 20, '7');
    const std::string runInfo = "'group_id':'3'\n'group_id':'" + huge + "\n'group_id':'" + huge + "'\n'group_id':'7'\n";
    EXPECT_EQ(CountGroupRuns({3, 7}, runInfo), (std::map<std::uint32_t, unsigned>{{3, 1}, {7, 1}}));
}

TEST(BalancedGroupChoice, ReadingTheRunInfoFileStopsAtItsBound)
{
    const std::string path = TestSupport::MakeTempFolder("rt-big") + "/rt_info";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string chunk(1u << 20, 'x');
        for (size_t written = 0; written <= Vantrel::kMaxRunInfoBytes; written += chunk.size()) out << chunk;
    }
    EXPECT_EQ(Vantrel::ReadRunInfoText(path).size(), Vantrel::kMaxRunInfoBytes);
}

}  // namespace
