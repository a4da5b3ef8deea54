#pragma once
#include <string>

namespace OrbiskSDK::Detail {

// Valid UTF-8 with every invalid or overlong sequence, surrogate and NUL byte
// replaced by U+FFFD, so a hostile reply cannot truncate or break the text.
std::string SanitisedUtf8(const std::string& bytes);

}  // namespace OrbiskSDK::Detail
