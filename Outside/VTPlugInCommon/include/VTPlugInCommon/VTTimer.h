#pragma once
// The run timer: one process-wide monotonic clock that a run resets at its start.
//
// Unit: GetElapsedTime() counts whole MILLISECONDS since the last Reset().
// GetElapsedMicroseconds() gives the same clock at microsecond resolution.

#include <atomic>
#include <functional>

#include <boost/function.hpp>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Vantrel {

class VTSDK_API VTTimer
{
public:
    // Codes of BlockEverythingExceptCancellationKeypress_InputPlugin.
    enum BlockResult
    {
        BLOCK_RELEASED = 0,
        BLOCK_CANCELLED = 1
    };

    static VTTimer& GetTimer();

    // Milliseconds since the last Reset().
    unsigned long long GetElapsedTime() const;
    unsigned long long GetElapsedMicroseconds() const;
    // Milliseconds since the last Reset(), with the fraction.
    double GetElapsedMilliseconds() const;
    void Reset();

    // Calls `stillBlocked` until it returns false (BLOCK_RELEASED) or the cancellation
    // key is pressed (BLOCK_CANCELLED). Never sleeps longer than 1 ms between calls.
    int BlockEverythingExceptCancellationKeypress_InputPlugin(boost::function<bool()> stillBlocked);

    // The presenter signals the cancellation key here; any thread may read it.
    void SignalCancellationKeypress() { m_Cancelled = true; }
    void ClearCancellationKeypress() { m_Cancelled = false; }
    bool CancellationKeypressSignalled() const { return m_Cancelled; }

    // Tests: replace the monotonic microsecond clock (empty function restores it).
    void SetMicrosecondClockForTesting(std::function<unsigned long long()> clock);
    // Microseconds of the underlying monotonic clock, not reset by Reset().
    unsigned long long GetAbsoluteMicroseconds() const;

private:
    VTTimer();
    std::function<unsigned long long()> m_Clock;
    std::atomic<unsigned long long> m_Origin{0};
    std::atomic<bool> m_Cancelled{false};
};

}  // namespace Vantrel
