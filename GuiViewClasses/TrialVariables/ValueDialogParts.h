#pragma once
// What the location and colour value dialogs share: their centred Cancel/OK row
// and the rule for a level's name.

#include <wx/list.h>
#include <wx/string.h>

class wxSizer;
class wxWindow;

namespace Vantrel {
namespace ValueDialogParts {

// A centred row "Cancel" (wxID_CANCEL), "OK" (wxID_OK, the default button).
void AddCancelOkRow(wxWindow* dialog, wxSizer* sizer);

// A name is usable when it is not empty and no other level has exactly it
// (case counts).
bool NameIsUsable(const wxString& name, const wxStringList& usedNames);

}  // namespace ValueDialogParts
}  // namespace Vantrel
