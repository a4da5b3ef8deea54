#pragma once
// Reporting data and programming errors of the containers: loud in obtrusive
// diagnostic mode (wx verbose logging on, or ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING set),
// otherwise at verbose level, as the common toolkit's helper does.

#include <wx/string.h>

namespace Vantrel {
namespace NonPersistentDetail {
void LogVerboseOrErrorBasedOnEnvironment(const wxString& message);
}
}  // namespace Vantrel
