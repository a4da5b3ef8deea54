#pragma once
// Everything the program shell reads from the environment is read in
// AppEnvironment.cpp (with the pump period of PumpPeriod.h), and nowhere else in
// the shell; README.md lists the variables.

namespace Vantrel {
namespace AppEnvironment {

// ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING is set (any value, even empty).
bool VersionCheckDisabled();
// ORBISK_VALGRIND_MEMDEBUGGING is set: no translation catalogue is loaded, so a
// memory checker sees none of the locale's allocations.
bool UnderMemoryChecker();
// VANTREL_ENABLE_DATA_HOOK_PLUGIN_OPERATION is set: the developers' data-hook run.
bool DataHookEnabled();

}  // namespace AppEnvironment
}  // namespace Vantrel
