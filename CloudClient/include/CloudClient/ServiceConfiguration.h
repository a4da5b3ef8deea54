#pragma once
// Hosts, keys and trust anchors of the cloud service and the mail relay.
// Each value is a compiled-in default that an environment variable overrides,
// so that tests and manual runs can point the program at local doubles.
// Values are read on every call: a change of the environment takes effect at
// the next request.

#include <string>

namespace Vantrel {
namespace ServiceConfiguration {

// host[:port] of the cloud service (VANTREL_CLOUD_HOST).
std::string CloudHost();
// "https://" + CloudHost() + "/api/": the scheme and the prefix are fixed.
std::string CloudBaseUrl();
// Value of the "X-Authorization" header (VANTREL_CLOUD_API_KEY).
std::string CloudApiKey();
// A PEM file of certificates trusted in addition to the system's ones
// (VANTREL_CA_BUNDLE); empty when not set.
std::string ExtraCaBundle();
// host[:port] of the mail relay (VANTREL_MAIL_RELAY), port 587 when none given.
std::string MailRelayHostAndPort();
// "smtp://" + MailRelayHostAndPort().
std::string MailRelayUrl();
// HTTPS address of the relay's credential text (VANTREL_MAIL_CREDENTIALS_URL).
std::string MailCredentialsUrl();
// Envelope sender mailbox, a bare address (VANTREL_MAIL_SENDER).
std::string MailSenderAddress();
// Display name and mailbox for the "From: " header line.
std::string MailFromHeaderValue();

// Names of the environment variables, for tests and scripts.
inline constexpr const char* kCloudHostVariable = "VANTREL_CLOUD_HOST";
inline constexpr const char* kCloudApiKeyVariable = "VANTREL_CLOUD_API_KEY";
inline constexpr const char* kCaBundleVariable = "VANTREL_CA_BUNDLE";
inline constexpr const char* kMailRelayVariable = "VANTREL_MAIL_RELAY";
inline constexpr const char* kMailCredentialsUrlVariable = "VANTREL_MAIL_CREDENTIALS_URL";
inline constexpr const char* kMailSenderVariable = "VANTREL_MAIL_SENDER";

}  // namespace ServiceConfiguration
}  // namespace Vantrel
