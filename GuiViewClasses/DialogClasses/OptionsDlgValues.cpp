#include "OptionsDlgValues.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace Vantrel {
namespace OptionsDlgValues {

wxString ColourLabel(const wxColour& colour)
{
    return wxString::Format("( %u, %u, %u )", unsigned(colour.Red()), unsigned(colour.Green()),
                            unsigned(colour.Blue()));
}

bool ParseWholeInt32(const wxString& text, int& value)
{
    wxString trimmed(text);
    trimmed.Trim(true).Trim(false);
    const wxString digits = trimmed.StartsWith("-") || trimmed.StartsWith("+") ? trimmed.Mid(1) : trimmed;
    if (digits.empty() || digits.find_first_not_of("0123456789") != wxString::npos) return false;
    long long number = 0;
    if (!trimmed.ToLongLong(&number) || number < INT_MIN || number > INT_MAX) return false;
    value = int(number);
    return true;
}

wxString CleanCorrectnessCode(const wxString& code)
{
    wxString clean;
    for (wxUniChar c : code)
        if (c != '\t' && c != '\n' && c != '\r') clean += c;
    return clean;
}

FolderString InterpretFolderString(const wxString& text, const wxString& variableName, wxUniChar separator)
{
    if (text.empty()) return {FolderString::Empty, wxString()};
    if (text.find('$') == wxString::npos) return {FolderString::Path, wxString()};
    if (text[0] != '$') return {FolderString::Unrecognised, wxString()};
    // A "$" without "(" and a ")" after it names no variable: never V.
    const size_t open = text.find('(');
    const size_t close = open == wxString::npos ? wxString::npos : text.find(')', open);
    if (close == wxString::npos) return {FolderString::Unrecognised, wxString()};
    if (text.Mid(open + 1, close - open - 1) != variableName) return {FolderString::Unrecognised, wxString()};
    const wxString rest = text.Mid(close + 1);
    if (rest.empty() || rest == wxString(separator)) return {FolderString::ExperimentFolder, wxString()};
    return {FolderString::SubFolder, rest[0] == separator ? rest.Mid(1) : rest};
}

}  // namespace OptionsDlgValues
}  // namespace Vantrel
