#pragma once
// The program's start-up parameters. Only OPTION_TASKID (an option) and
// OPTION_NODATAUPLOAD (a switch) are registered with the command-line parser;
// the others keep their names, descriptions and preference keys for the
// experiment-running configurations that register them.

#include <VTPlugInCommon/StartupParam.h>

namespace Vantrel {

extern const VantrelSDK::StartupParam OPTION_PROJ;
extern const VantrelSDK::StartupParam OPTION_GROUP;
extern const VantrelSDK::StartupParam OPTION_DATA;
extern const VantrelSDK::StartupParam OPTION_NOSPLASH;
extern const VantrelSDK::StartupParam OPTION_PARTICIPANT;
extern const VantrelSDK::StartupParam OPTION_RUN;
extern const VantrelSDK::StartupParam OPTION_QUIT;
extern const VantrelSDK::StartupParam OPTION_REPEATS;
extern const VantrelSDK::StartupParam OPTION_TASKID;
extern const VantrelSDK::StartupParam OPTION_NODATAUPLOAD;

}  // namespace Vantrel
