#pragma once
// The experiment's metadata: an ordered list of name/value texts. A few names are
// predefined: the information dialog stores its fields under them, and stored
// documents use them as spelt here ("Contrubutors" included).

#include <wx/string.h>

#include <vector>

namespace Vantrel {

struct VTMetaDataEntry
{
    wxString name;
    wxString value;
    bool operator==(const VTMetaDataEntry& other) const { return name == other.name && value == other.value; }
};

class VTMetadata
{
public:
    // The value of the first pair with that name; empty when there is none.
    wxString GetValue(const wxString& name) const;
    // Replaces the value of the first pair with that name, else appends a pair.
    void SetValue(const wxString& name, const wxString& value);
    static bool IsPredefinedName(const wxString& name);
    static const std::vector<wxString>& PredefinedNames();

    bool operator==(const VTMetadata& other) const { return m_Entries == other.m_Entries; }

    // In the order the pairs were appended.
    std::vector<VTMetaDataEntry> m_Entries;
};

}  // namespace Vantrel
