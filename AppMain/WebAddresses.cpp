#include "AppMain/WebAddresses.h"

namespace Vantrel {

const char* const kOnlineManualUrl = "https://www.orbisk.example/studystation/manual";
const char* const kHomePageUrl = "https://www.orbisk.example/";
const char* const kSampleExperimentsUrl = "https://www.orbisk.example/studystation/sample-experiments";
const char* const kFeedbackUrl = "https://www.orbisk.example/studystation/feedback";
const char* const kUpdatePageUrl = "https://www.orbisk.example/studystation/download";
const char* const kInputDeviceConflictsUrl = "https://www.orbisk.example/studystation/support/input-device-conflicts";

}  // namespace Vantrel
