#pragma once
// What this library reads from the environment, read in UpdateHost.cpp only
// (README.md lists the variables). Read on every call, so a changed environment
// takes effect at the next download.

#include <string>

namespace OrbiskSDK {
namespace Detail {

// VANTREL_UPDATE_HOST: host[:port] that replaces every download's host; "" when unset or empty.
std::string ConfiguredUpdateHost();
// VANTREL_CA_BUNDLE: a PEM file trusted besides the system's certificates; "" when unset.
std::string ExtraTrustedCertificatesFile();

}  // namespace Detail
}  // namespace OrbiskSDK
