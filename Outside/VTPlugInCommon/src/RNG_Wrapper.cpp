#include "VTPlugInCommon/RNG_Wrapper.h"

#include <boost/make_shared.hpp>

#include <mutex>
#include <random>

namespace Orbisk {

RandomNumberStream::~RandomNumberStream() {}

namespace {

class MersenneStream : public RandomNumberStream
{
public:
    explicit MersenneStream(unsigned int seed) : m_Engine(seed) {}
    int Draw(int low, int high) override
    {
        if (high <= low) return low;
        std::lock_guard<std::mutex> lock(m_Mutex);
        return std::uniform_int_distribution<int>(low, high)(m_Engine);
    }

private:
    std::mutex m_Mutex;
    std::mt19937 m_Engine;
};

boost::shared_ptr<RandomNumberStream>& Current()
{
    static boost::shared_ptr<RandomNumberStream> stream = boost::make_shared<MersenneStream>(std::random_device{}());
    return stream;
}

}  // namespace

boost::shared_ptr<RandomNumberStream> RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed() { return Current(); }

void RNG_Wrapper::SeedForTesting(unsigned int seed) { Current() = boost::make_shared<MersenneStream>(seed); }

void RNG_Wrapper::ReplaceStreamForTesting(boost::shared_ptr<RandomNumberStream> stream)
{
    Current() = stream ? stream : boost::make_shared<MersenneStream>(std::random_device{}());
}

}  // namespace Orbisk
