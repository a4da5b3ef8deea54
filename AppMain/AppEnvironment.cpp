#include "AppMain/AppEnvironment.h"
#include "AppMain/PumpPeriod.h"

#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <wx/utils.h>

#include <cstdint>

namespace Vantrel {

namespace {
bool IsSet(const char* name) { return wxGetEnv(name, nullptr); }
}  // namespace

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

namespace AppEnvironment {

bool VersionCheckDisabled() { return IsSet("ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING"); }
bool UnderMemoryChecker() { return IsSet("ORBISK_VALGRIND_MEMDEBUGGING"); }
bool DataHookEnabled() { return IsSet("VANTREL_ENABLE_DATA_HOOK_PLUGIN_OPERATION"); }

}  // namespace AppEnvironment

}  // namespace Vantrel
