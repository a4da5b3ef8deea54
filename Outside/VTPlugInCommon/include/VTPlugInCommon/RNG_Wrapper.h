#pragma once
// The process's random numbers.

#include <boost/shared_ptr.hpp>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Orbisk {

class VTSDK_API RandomNumberStream
{
public:
    virtual ~RandomNumberStream();
    // Uniform in the closed range [low, high]; low when high < low.
    virtual int Draw(int low, int high) = 0;
};

class VTSDK_API RNG_Wrapper
{
public:
    // Never null. Seeded from the system's entropy unless a test seeded it.
    static boost::shared_ptr<RandomNumberStream> GetRandomNumberStream_NoConcernForAnySeed();
    // Tests: a reproducible stream from `seed`.
    static void SeedForTesting(unsigned int seed);
    // Tests: replace the stream (null restores an entropy-seeded one).
    static void ReplaceStreamForTesting(boost::shared_ptr<RandomNumberStream> stream);
};

}  // namespace Orbisk
