#include "AppMain/VTDebugReport.h"

#include "AppMain/AppIdentity.h"

namespace Vantrel {

const wxString& VTDebugReport::SubjectSuffix()
{
    static const wxString suffix = wxString(" crash report VT") + ProgramVersionString;
    return suffix;
}

bool VTDebugReport::DoProcess()
{
    SubjectSuffix();
    return true;
}

}  // namespace Vantrel
