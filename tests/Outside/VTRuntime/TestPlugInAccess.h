#pragma once
// Reaches the control functions of the test input plug-in once the manager loaded it.

#include <dlfcn.h>

#include <string>

#include "TestInputPlugIn.h"

struct TestPlugInAccess
{
    VTTestInput_ScheduleFn schedule = nullptr;
    VTTestInput_ScheduleOnEventFn scheduleOnEvent = nullptr;
    VTTestInput_ResetFn reset = nullptr;
    VTTestInput_SetStartResultFn setStartResult = nullptr;
    VTTestInput_SetFlushFn setFlush = nullptr;
    VTTestInput_CountFn count = nullptr;
    VTTestInput_PollGapsFn pollGaps = nullptr;
    VTTestInput_DeliveredDueTimesFn deliveredDueTimes = nullptr;

    // `path`: the library as the manager loaded it; false when it is not loaded.
    bool Attach(const std::string& path)
    {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!handle) return false;
        schedule = reinterpret_cast<VTTestInput_ScheduleFn>(dlsym(handle, "VTTestInput_Schedule"));
        scheduleOnEvent = reinterpret_cast<VTTestInput_ScheduleOnEventFn>(dlsym(handle, "VTTestInput_ScheduleOnEvent"));
        reset = reinterpret_cast<VTTestInput_ResetFn>(dlsym(handle, "VTTestInput_Reset"));
        setStartResult = reinterpret_cast<VTTestInput_SetStartResultFn>(dlsym(handle, "VTTestInput_SetStartResult"));
        setFlush = reinterpret_cast<VTTestInput_SetFlushFn>(dlsym(handle, "VTTestInput_SetFlush"));
        count = reinterpret_cast<VTTestInput_CountFn>(dlsym(handle, "VTTestInput_Count"));
        pollGaps = reinterpret_cast<VTTestInput_PollGapsFn>(dlsym(handle, "VTTestInput_PollGaps"));
        deliveredDueTimes =
            reinterpret_cast<VTTestInput_DeliveredDueTimesFn>(dlsym(handle, "VTTestInput_DeliveredDueTimes"));
        dlclose(handle);  // drops only the reference NOLOAD took
        return schedule && scheduleOnEvent && reset && setStartResult && setFlush && count && pollGaps && deliveredDueTimes;
    }
};
