#pragma once
// The participant group of a cloud run: a fixed group, or the least-used group
// of the experiment according to the service's run-info file.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Vantrel {

// Draws an integer in the closed range [low, high].
using DrawInRange = std::function<int(int low, int high)>;

// The cloud setting value that asks for balanced assignment.
constexpr std::uint32_t kBalancedGroupSetting = 1;

// Runs per group of the experiment, from the run-info text ("'group_id':'N'" per run,
// every occurrence counted). Identifiers that are not groups of the experiment and
// captures that are not plain decimal numbers are not counted: they cannot be drawn.
std::map<std::uint32_t, unsigned> CountGroupRuns(const std::vector<std::uint32_t>& groupIds,
                                                 const std::string& runInfoText);

// One of the least-used groups, drawn at random; nothing when the experiment has no group.
std::optional<std::uint32_t> ChooseBalancedGroup(const std::vector<std::uint32_t>& groupIds,
                                                 const std::string& runInfoText, const DrawInRange& draw);

// How much of the run-info file is read: far beyond any real experiment's runs, small
// enough that a file grown by hostile appends cannot exhaust memory.
constexpr size_t kMaxRunInfoBytes = 16u << 20;

// The run-info file's text, at most kMaxRunInfoBytes of it; empty when it is missing or
// unreadable (no runs counted).
std::string ReadRunInfoText(const std::string& path);

}  // namespace Vantrel
