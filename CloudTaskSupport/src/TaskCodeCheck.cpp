#include "TaskCodeCheck.h"

namespace Vantrel {

TaskCodeReading ReadTaskCode(const wxString& text)
{
    TaskCodeReading reading;
    wxString trimmed = text;
    trimmed.Trim(true).Trim(false);
    if (trimmed.empty()) return reading;

    reading.problem = TaskCodeProblem::Invalid;
    if (trimmed.length() != 8 || trimmed[0] == '0') return reading;
    std::uint32_t value = 0;
    for (const wxUniChar c : trimmed) {
        if (c < '0' || c > '9') return reading;
        value = value * 10 + static_cast<std::uint32_t>(c.GetValue() - '0');
    }
    reading.problem = TaskCodeProblem::None;
    reading.code = value;
    return reading;
}

}  // namespace Vantrel
