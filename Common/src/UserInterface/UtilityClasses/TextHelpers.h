#pragma once
// Small text helpers: unique names, single-line texts, labels that change.

#include <wx/string.h>

#include <vector>

class wxSizer;
class wxStaticText;

namespace Orbisk {

// name when it is not in existing (which may be null); otherwise the name's base
// (without its trailing digits) followed by the first free number, counting from
// the trailing number or from 1.
wxString GetNewName(const wxString& name, const std::vector<wxString>* existing);
inline wxString GetNewName(const wxString& name, const std::vector<wxString>& existing)
{
    return GetNewName(name, &existing);
}

// Replaces "\n", "\t", "\a", "\b" and "\r" by one space each, in place.
void StripBadCharsToGuaranteeSingleLineString(wxString& s);

// Sets and (unless wrapWidth is -999) wraps the label, then lays out the sizers;
// does nothing when the label already shows text. secondSizer may be null.
void HelperFunctionChangeStaticTextIfNew(wxStaticText* label, wxSizer* sizer, wxSizer* secondSizer,
                                         const wxString& text, int wrapWidth);

}  // namespace Orbisk
