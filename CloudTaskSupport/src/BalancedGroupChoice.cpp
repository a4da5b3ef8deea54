#include "BalancedGroupChoice.h"

#include <CloudClient/TaskFolderNames.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <sstream>

namespace Vantrel {

namespace {

std::optional<std::uint32_t> ReadDecimal(const std::string& text)
{
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::map<std::uint32_t, unsigned> CountGroupRuns(const std::vector<std::uint32_t>& groupIds,
                                                 const std::string& runInfoText)
{
    std::map<std::uint32_t, unsigned> counts;
    for (const std::uint32_t id : groupIds) counts[id] = 0;

    // A plain scan, not a regular expression: the file grows with every participant's
    // run, and a recursive matcher over a long line would exhaust the stack.
    static const std::string kOpening = kRunInfoGroupOpening;
    size_t pos = 0;
    while ((pos = runInfoText.find(kOpening, pos)) != std::string::npos) {
        const size_t start = pos + kOpening.size();
        size_t end = start;
        while (end < runInfoText.size() && std::isalnum(static_cast<unsigned char>(runInfoText[end]))) ++end;
        if (end == start || end >= runInfoText.size() || runInfoText[end] != kRunInfoGroupClosing[0]) {
            ++pos;
            continue;
        }
        if (const std::optional<std::uint32_t> id = ReadDecimal(runInfoText.substr(start, end - start))) {
            const auto found = counts.find(*id);
            if (found != counts.end()) ++found->second;
        }
        pos = end + 1;
    }
    return counts;
}

std::optional<std::uint32_t> ChooseBalancedGroup(const std::vector<std::uint32_t>& groupIds,
                                                 const std::string& runInfoText, const DrawInRange& draw)
{
    const std::map<std::uint32_t, unsigned> counts = CountGroupRuns(groupIds, runInfoText);
    if (counts.empty()) return std::nullopt;

    unsigned fewest = std::numeric_limits<unsigned>::max();
    for (const auto& [id, count] : counts) fewest = std::min(fewest, count);
    std::vector<std::uint32_t> leastUsed;
    for (const auto& [id, count] : counts)
        if (count == fewest) leastUsed.push_back(id);

    const int last = static_cast<int>(leastUsed.size()) - 1;
    int pick = draw ? draw(0, last) : 0;
    pick = std::clamp(pick, 0, last);  // a faulty stream must not index past the table
    return leastUsed[static_cast<size_t>(pick)];
}

std::string ReadRunInfoText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::string();
    // Read as it comes: a buffer of the largest size would take 16 MiB for every file.
    std::string text;
    char chunk[1 << 16];
    while (text.size() < kMaxRunInfoBytes && in) {
        in.read(chunk, static_cast<std::streamsize>(std::min(sizeof chunk, kMaxRunInfoBytes - text.size())));
        text.append(chunk, static_cast<size_t>(in.gcount()));
    }
    return text;
}

}  // namespace Vantrel
