#pragma once
// Control functions that the test input plug-in exports beside its entry point,
// found by tests and the benchmark with dlsym on the loaded library.
//
// The plug-in (id 9901, "Test Input") delivers discrete-key responses that were
// scheduled for a time of the run timer's absolute clock: its detection function
// returns true for the first scheduled response whose time has come.

#include <cstddef>
#include <cstdint>

extern "C" {
// Schedules a response: key, port, pressed (1) or released (0), due at `dueMicroseconds`
// on Vantrel::VTTimer's absolute clock (GetAbsoluteMicroseconds).
typedef void (*VTTestInput_ScheduleFn)(int key, int port, int pressed, unsigned long long dueMicroseconds);
// Schedules a response `delayMicroseconds` after the start of event input number
// `eventInputIndex` (counting from 0 since the last reset).
typedef void (*VTTestInput_ScheduleOnEventFn)(int eventInputIndex, int key, int port, int pressed,
                                              unsigned long long delayMicroseconds);
// Due times of the responses delivered since the last reset, in order; returns their count.
typedef size_t (*VTTestInput_DeliveredDueTimesFn)(unsigned long long* out, size_t max);
// Drops everything scheduled and the counters.
typedef void (*VTTestInput_ResetFn)();
// The result OnStartExperiment gives from now on (0 ready, -10 no device).
typedef void (*VTTestInput_SetStartResultFn)(int result);
// From now on the plug-in reports a response conflict with plug-in `pluginID` (-1: with none).
typedef void (*VTTestInput_SetConflictingPlugInIDFn)(int pluginID);
// Calls so far of: 0 OnStartExperiment, 1 OnEndExperiment, 2 OnStartTrial, 3 detection
// polls, 4 OnGetCompleteResponse, 5 OnFlushInput, 6 OnStartEventInput.
typedef unsigned long long (*VTTestInput_CountFn)(int which);
// Each flush from now on takes `busyMicroseconds`; with `staleKey` >= 0 a press of that
// key (port 1) arrives as the flush ends, before the next stimulus can be on screen.
typedef void (*VTTestInput_SetFlushFn)(unsigned long long busyMicroseconds, int staleKey);
// Gap between consecutive detection polls since the last reset, in microseconds.
typedef void (*VTTestInput_PollGapsFn)(double* meanMicroseconds, double* maxMicroseconds);
}

#define VTTEST_INPUT_PLUGIN_ID 9901
