#pragma once
// The options dialog's value rules, apart from its window so console tests reach them.

#include <wx/colour.h>
#include <wx/string.h>

namespace Vantrel {
namespace OptionsDlgValues {

// "( 255, 255, 255 )".
wxString ColourLabel(const wxColour& colour);

// A whole number from -2147483648 to 2147483647, blanks around it allowed; false otherwise.
bool ParseWholeInt32(const wxString& text, int& value);

// A correctness code as the data file can hold it: tabs and line breaks removed.
wxString CleanCorrectnessCode(const wxString& code);

// What a folder string designates.
struct FolderString
{
    enum Kind
    {
        Path,              // no "$": an ordinary path (or nothing at all when empty)
        Empty,             // ""
        ExperimentFolder,  // "$(V)" or "$(V)" + separator
        SubFolder,         // "$(V)" + separator + name
        Unrecognised       // another reference, a "$" without "(...)", or a "$" further in
    };
    Kind kind;
    wxString subFolder;  // SubFolder: the name, without its leading separator
};
FolderString InterpretFolderString(const wxString& text, const wxString& variableName, wxUniChar separator);

}  // namespace OptionsDlgValues
}  // namespace Vantrel
