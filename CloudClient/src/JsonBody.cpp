#include "CloudClient/JsonBody.h"

#include <cstdio>

namespace Vantrel {
namespace CloudTransport {

std::string EscapeJsonString(const std::string& value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out;
}

std::string BuildJsonBody(const std::vector<OmbraAPIHelper::CurlField>& fields)
{
    std::string body = "{";
    bool first = true;
    for (const auto& field : fields) {
        if (!first) body += ", ";
        first = false;
        body += '"';
        body += EscapeJsonString(field.name);
        body += "\": \"";
        body += EscapeJsonString(field.value);
        body += '"';
    }
    body += '}';
    return body;
}

}  // namespace CloudTransport
}  // namespace Vantrel
