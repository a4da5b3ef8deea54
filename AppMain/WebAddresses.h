#pragma once
// The maker's web pages that the program opens in the default browser.

namespace Vantrel {

extern const char* const kOnlineManualUrl;
extern const char* const kHomePageUrl;
extern const char* const kSampleExperimentsUrl;
extern const char* const kFeedbackUrl;
extern const char* const kUpdatePageUrl;
// The support note on input devices that may not be used together.
extern const char* const kInputDeviceConflictsUrl;

}  // namespace Vantrel
