#include "CloudClient/ServiceConfiguration.h"

#include <cstdlib>

namespace Vantrel {
namespace ServiceConfiguration {

namespace {

// The defaults name the maker's service; deployments and tests override them.
constexpr const char* kDefaultCloudHost = "ombra-cloud.orbisk.example";
constexpr const char* kDefaultApiKey = "Rq4Tz9WmXc2Lb7NvHs5Ke3Pj8Gd1Fa6YuQo0ViEt4BnMr7Sw2Cx9Zh5Jl3Dp8Ag1";
constexpr const char* kDefaultMailRelay = "smtp.orbisk.example";
constexpr const char* kDefaultCredentialsUrl = "https://www.orbisk.example/studystation/relay-login.txt";
constexpr const char* kDefaultSender = "no-reply@orbisk.example";
constexpr const char* kSenderDisplayName = "Orbisk Study Station";
constexpr const char* kDefaultMailPort = "587";

// An empty value is as good as none for these settings.
std::string Setting(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    return (value != nullptr && *value != '\0') ? std::string(value) : std::string(fallback);
}

}  // namespace

std::string CloudHost() { return Setting(kCloudHostVariable, kDefaultCloudHost); }

std::string CloudBaseUrl() { return "https://" + CloudHost() + "/api/"; }

std::string CloudApiKey() { return Setting(kCloudApiKeyVariable, kDefaultApiKey); }

std::string ExtraCaBundle() { return Setting(kCaBundleVariable, ""); }

std::string MailRelayHostAndPort()
{
    std::string relay = Setting(kMailRelayVariable, kDefaultMailRelay);
    // A bracketed IPv6 literal carries colons of its own.
    const bool hasPort =
        relay.front() == '[' ? relay.find("]:") != std::string::npos : relay.find(':') != std::string::npos;
    if (!hasPort) relay += std::string(":") + kDefaultMailPort;
    return relay;
}

std::string MailRelayUrl() { return "smtp://" + MailRelayHostAndPort(); }

std::string MailCredentialsUrl() { return Setting(kMailCredentialsUrlVariable, kDefaultCredentialsUrl); }

std::string MailSenderAddress() { return Setting(kMailSenderVariable, kDefaultSender); }

std::string MailFromHeaderValue() { return std::string(kSenderDisplayName) + " <" + MailSenderAddress() + ">"; }

}  // namespace ServiceConfiguration
}  // namespace Vantrel
