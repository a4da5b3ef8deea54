#pragma once
// The task code a participant types: exactly eight decimal digits.

#include <wx/string.h>

#include <cstdint>
#include <optional>

namespace Vantrel {

enum class TaskCodeProblem
{
    None,
    Empty,
    Invalid
};

struct TaskCodeReading
{
    TaskCodeProblem problem = TaskCodeProblem::Empty;
    std::uint32_t code = 0;  // valid only when problem is None
};

// Surrounding blanks are ignored; anything else than eight digits with a first digit
// other than 0 (no experiment has a shorter code) is Invalid, so it never reaches
// the code conversion or the network.
TaskCodeReading ReadTaskCode(const wxString& text);

}  // namespace Vantrel
