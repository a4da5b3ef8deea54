#include "DiagnosticLog.h"

#include <wx/log.h>
#include <wx/utils.h>

namespace Vantrel {
namespace NonPersistentDetail {

void LogVerboseOrErrorBasedOnEnvironment(const wxString& message)
{
    if (wxLog::GetVerbose() || wxGetEnv(wxS("ORBISK_OBTRUSIVE_DIAGNOSTIC_LOGGING"), nullptr))
        wxLogError(wxS("[OBTRUSIVE] %s"), message);
    else
        wxLogVerbose(wxS("%s"), message);
}

}  // namespace NonPersistentDetail
}  // namespace Vantrel
