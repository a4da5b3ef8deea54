#include "AppMain/PumpPeriod.h"

#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <wx/utils.h>

#include <cstdint>

namespace Vantrel {

unsigned int PumpPeriodFromEnvironment()
{
    unsigned int period = 1000;
    wxString text;
    if (!wxGetEnv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING", &text)) return period;
    unsigned long value = 0;
    if (text.ToULong(&value, 10) && !text.StartsWith("-")) {
        period = static_cast<std::uint32_t>(value);
        Orbisk::EitherLogVerboseOrLogNormalPopupMessageBasedOnEnvironment(
            wxString::Format("Override for update checker set to %d ms.", static_cast<int>(period)));
    } else {
        Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
            "The value found in OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING is not an unsigned int.");
    }
    return period;
}

}  // namespace Vantrel
