#include "OrbiskNetworking/VTSdkNetConnectionInfo.h"

#include <cstdlib>

namespace OrbiskSDK {

std::string VTSdkNetConnectionInfo::UpdateHost()
{
    const char* configured = std::getenv("VANTREL_UPDATE_HOST");
    if (configured != nullptr && *configured != '\0') return configured;
    return VANTREL_DEFAULT_UPDATE_HOST_TEXT;
}

}  // namespace OrbiskSDK
