#include "OrbiskNetworking/VTSdkNetConnectionInfo.h"

#include "NetEnvironment.h"

#include <cstdlib>

namespace OrbiskSDK {

namespace Detail {

std::string ConfiguredUpdateHost()
{
    const char* configured = std::getenv("VANTREL_UPDATE_HOST");
    return configured != nullptr ? configured : "";
}

std::string ExtraTrustedCertificatesFile()
{
    const char* file = std::getenv("VANTREL_CA_BUNDLE");
    return file != nullptr ? file : "";
}

}  // namespace Detail

std::string VTSdkNetConnectionInfo::UpdateHost()
{
    const std::string configured = Detail::ConfiguredUpdateHost();
    return configured.empty() ? VANTREL_DEFAULT_UPDATE_HOST_TEXT : configured;
}

}  // namespace OrbiskSDK
