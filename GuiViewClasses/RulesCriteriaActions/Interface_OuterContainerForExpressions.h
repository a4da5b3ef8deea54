#pragma once
// What a host of criteria or action rows (the rules panel, the block and trial
// editors, the event feedback panel) hears from them.

#include <wx/string.h>

class wxWindow;

namespace Vantrel {

class Interface_OuterContainerForExpressions
{
public:
    virtual ~Interface_OuterContainerForExpressions() = default;
    // The panel showed or hid rows, or was loaded, reverted or emptied.
    virtual void OnPanelRowCountChanged(wxWindow* panel) = 0;
    // The first uncommitted change since the last load or commit (rule panels only).
    virtual void OnEntryIntoDirtyState_EditsHaveBegun(wxString message) = 0;
    // Any accepted change of a visible row.
    virtual void OnSubpanelReportingAnyMinisculeChangeToAnyRow() {}
};

}  // namespace Vantrel
