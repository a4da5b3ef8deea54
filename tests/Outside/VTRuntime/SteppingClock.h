#pragma once
// Replaces the run timer's clock for as long as it lives: each reading advances it by
// a fixed step, so time limits pass quickly and delays stay in order, whatever the
// machine's load.

#include <atomic>

#include "VTPlugInCommon/VTTimer.h"

struct SteppingClock
{
    std::atomic<unsigned long long> now{0};
    explicit SteppingClock(unsigned long long stepMicroseconds = 1000)
    {
        Vantrel::VTTimer::GetTimer().SetMicrosecondClockForTesting(
            [this, stepMicroseconds] { return now += stepMicroseconds; });
    }
    ~SteppingClock() { Vantrel::VTTimer::GetTimer().SetMicrosecondClockForTesting({}); }
    SteppingClock(const SteppingClock&) = delete;
    SteppingClock& operator=(const SteppingClock&) = delete;
};
