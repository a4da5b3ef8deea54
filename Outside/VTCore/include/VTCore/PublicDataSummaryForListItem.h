#pragma once
// The summary of one item of a stimulus list, as the list views of the editors show it.

#include <wx/string.h>

#include <cstdint>

namespace Vantrel {

struct PublicDataSummaryForListItem
{
    // Kept as the row's data.
    std::uint64_t itemValue = 0;
    wxString displayText;
    wxString secondText;
    // Not 0: the row shows the alternate (duplicate) icon.
    std::uint64_t duplicateValue = 0;
    wxString folderText;
    wxString pathText;
};

}  // namespace Vantrel
