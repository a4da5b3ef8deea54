#pragma once
#include <string>

namespace OrbiskSDK::Detail {

// Adds every certificate of a PEM file to the trust store of an OpenSSL context
// (an SSL_CTX*), on top of the system's. Returns false with a reason when the
// file cannot be read or holds no certificate.
bool AddTrustedCertificatesFromPemFile(void* sslContext, const std::string& path, std::string& error);

}  // namespace OrbiskSDK::Detail
