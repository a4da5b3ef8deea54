#include "VTShuffling.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "VTPlugInCommon/RNG_Wrapper.h"

namespace Vantrel {

std::size_t UniformFrom(std::mt19937& generator, std::size_t n)
{
    const std::uint64_t range = std::uint64_t(std::mt19937::max()) + 1;
    const std::uint64_t limit = range - range % n;
    std::uint64_t x;
    do x = generator();
    while (x >= limit);
    return std::size_t(x % n);
}

std::mt19937 SeededStream(std::uint32_t a, std::uint32_t b, std::uint32_t purpose)
{
    std::seed_seq seed{a, b, purpose};
    return std::mt19937(seed);
}

VTDraw RunDraw()
{
    auto stream = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed();
    return [stream](std::size_t n) {
        if (n < 2) return std::size_t(0);
        const int high = int(std::min<std::size_t>(n, std::size_t(INT_MAX)) - 1);
        return std::size_t(stream->Draw(0, high));
    };
}

VTDraw GroupDraw(std::uint32_t groupID, std::uint32_t elementID, std::uint32_t purpose)
{
    auto generator = std::make_shared<std::mt19937>(SeededStream(groupID, elementID, purpose));
    return [generator](std::size_t n) { return n < 2 ? std::size_t(0) : UniformFrom(*generator, n); };
}

}  // namespace Vantrel
