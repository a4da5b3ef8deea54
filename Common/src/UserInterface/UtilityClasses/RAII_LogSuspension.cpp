#include "UserInterface/UtilityClasses/RAII_LogSuspension.h"

#include <wx/log.h>

namespace Orbisk {

RAII_LogSuspension::RAII_LogSuspension() { wxLog::Suspend(); }

RAII_LogSuspension::~RAII_LogSuspension() { wxLog::Resume(); }

}  // namespace Orbisk
