#include "OptionsDlgValues.h"

#include <VTCore/WholeNumberText.h>

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
    return Vantrel::ParseWholeInt32(trimmed, value);
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
