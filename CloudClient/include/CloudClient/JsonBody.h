#pragma once
// The body of a JSON request: every field a string value, in the given order.

#include "CloudClient/OmbraAPIHelper.h"

#include <string>
#include <vector>

namespace Vantrel {
namespace CloudTransport {

// A value as the inside of a JSON string: quotes, backslashes and control
// characters escaped; every other byte (UTF-8 included) unchanged.
std::string EscapeJsonString(const std::string& value);

// {"name1": "value1", "name2": "value2"}; "{}" for no fields.
std::string BuildJsonBody(const std::vector<OmbraAPIHelper::CurlField>& fields);

}  // namespace CloudTransport
}  // namespace Vantrel
