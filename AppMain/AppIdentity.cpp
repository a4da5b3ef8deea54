#include "AppMain/AppIdentity.h"

namespace Vantrel {

const char* const AppNameForConfig = "Study Station";
const char* const AppVersionForConfig = "6";
const char* const VendorNameForConfig = "Orbisk";
const char* const ProgramVersionString = "6.5.3";

}  // namespace Vantrel
