#include "AppMain/StartupOptionTable.h"

#include <wx/intl.h>

namespace Vantrel {

// Defined in one unit so they are constructed in this order and destroyed in reverse.
const VantrelSDK::StartupParam OPTION_PROJ("e", "expfile", "/StartupExperiment/File", _("experiment to open"));
const VantrelSDK::StartupParam OPTION_GROUP("g", "group", "/StartupExperiment/ParticipantGroup",
                                            _("participant group name (implies -r, requires -e)"));
const VantrelSDK::StartupParam OPTION_DATA("o", "outputfile", "/StartupExperiment/DataOutputFile",
                                           _("collected data file (implies -r, requires -e)"));
const VantrelSDK::StartupParam OPTION_NOSPLASH("", "nosplash", "/Vantrel/SupressSplash",
                                               _("don't show splash screen on startup"));
const VantrelSDK::StartupParam OPTION_PARTICIPANT("n", "name", "/StartupExperiment/ParticipantName",
                                                  _("participant name (implies -r, requires -e)"));
const VantrelSDK::StartupParam OPTION_RUN("r", "run", "/StartupExperiment/RunExperiment",
                                          _("run experiment when Vantrel is launched (requires -e)"));
const VantrelSDK::StartupParam OPTION_QUIT("q", "quit", "/StartupExperiment/QuitAtExperimentEnd",
                                           _("quit Vantrel after running experiment (implies -r, requires -e)"));
const VantrelSDK::StartupParam
    OPTION_REPEATS("i", "iterate", "/StartupExperiment/Iterations",
                   _("number of times to repeatedly re-execute the experiment (implies -r, requires -e)"));
const VantrelSDK::StartupParam OPTION_TASKID("t", "taskid", "/StartupExperiment/TaskID",
                                             _("task id to automatically input into Study Station"));
const VantrelSDK::StartupParam OPTION_NODATAUPLOAD(
    "", "noupload", "/StartupExperiment/NoDataUpload",
    _("disable data upload in Study Station (this will break random group options and participant limits)"));

}  // namespace Vantrel
