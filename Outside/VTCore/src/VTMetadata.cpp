#include <VTCore/VTMetadata.h>

#include <algorithm>

namespace Vantrel {

wxString VTMetadata::GetValue(const wxString& name) const
{
    for (const VTMetaDataEntry& entry : m_Entries)
        if (entry.name == name) return entry.value;
    return wxString();
}

void VTMetadata::SetValue(const wxString& name, const wxString& value)
{
    for (VTMetaDataEntry& entry : m_Entries)
        if (entry.name == name) {
            entry.value = value;
            return;
        }
    m_Entries.push_back({name, value});
}

const std::vector<wxString>& VTMetadata::PredefinedNames()
{
    // Stored files use these exact names, the misspelt one too.
    static const std::vector<wxString> names{wxS("Author"), wxS("P.I."), wxS("Contrubutors"), wxS("Description"),
                                             wxS("Original Paper")};
    return names;
}

bool VTMetadata::IsPredefinedName(const wxString& name)
{
    const std::vector<wxString>& names = PredefinedNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace Vantrel
