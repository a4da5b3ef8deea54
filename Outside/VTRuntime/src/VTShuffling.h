#pragma once
// The random orders of a run. Each comes from the run's random numbers (seeded by
// tests), or, for what is shuffled once per participant group, from a stream seeded
// by the group and the element, so that every participant of a group gets the same
// order on every machine. Shuffling codes: 61 once per group, 62 once per run, 63 at
// every presentation.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace Vantrel {

namespace ShuffleCode {
constexpr int PerGroup = 61;
constexpr int PerRun = 62;
constexpr int EveryPresentation = 63;
}  // namespace ShuffleCode

// Uniform in [0, n) for n > 0.
using VTDraw = std::function<std::size_t(std::size_t n)>;

// Uniform in [0, n) from a generator whose sequence the standard fixes.
std::size_t UniformFrom(std::mt19937& generator, std::size_t n);
std::mt19937 SeededStream(std::uint32_t a, std::uint32_t b, std::uint32_t purpose);
// Draws from the run's random numbers.
VTDraw RunDraw();
// Draws from a stream of its own seeded by the group and an element.
VTDraw GroupDraw(std::uint32_t groupID, std::uint32_t elementID, std::uint32_t purpose);

template <class T>
void ShuffleWith(std::vector<T>& items, const VTDraw& draw, std::size_t first = 0, std::size_t end = std::size_t(-1))
{
    end = std::min(end, items.size());
    for (std::size_t i = end; i > first + 1; --i) std::swap(items[i - 1], items[first + draw(i - first)]);
}

// Shuffles everything but the first and/or the last item, which stay in place.
template <class T>
void ShuffleKeepingEnds(std::vector<T>& items, bool keepFirst, bool keepLast, const VTDraw& draw)
{
    const std::size_t first = keepFirst ? 1 : 0;
    const std::size_t end = keepLast && !items.empty() ? items.size() - 1 : items.size();
    if (end > first) ShuffleWith(items, draw, first, end);
}

}  // namespace Vantrel
