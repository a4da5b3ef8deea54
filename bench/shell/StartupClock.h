#pragma once
// One clock for the benchmark driver and the programs it starts: the
// system-wide monotonic clock, in microseconds.

#include <cstdint>
#include <ctime>

inline std::int64_t MonotonicMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}
