#pragma once

namespace Vantrel {

// Period of the asynchronous-services pump timer: 1000 ms, or the value of
// OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING when that is an unsigned decimal
// number (a value that is not is logged and ignored).
unsigned int PumpPeriodFromEnvironment();

}  // namespace Vantrel
