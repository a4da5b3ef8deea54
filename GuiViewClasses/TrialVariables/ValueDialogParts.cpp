#include "ValueDialogParts.h"

#include <wx/button.h>
#include <wx/sizer.h>

namespace Vantrel {
namespace ValueDialogParts {

void AddCancelOkRow(wxWindow* dialog, wxSizer* sizer)
{
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(dialog, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);
    auto* ok = new wxButton(dialog, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    sizer->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
}

bool NameIsUsable(const wxString& name, const wxStringList& usedNames)
{
    return !name.empty() && !usedNames.Member(name.wc_str());
}

}  // namespace ValueDialogParts
}  // namespace Vantrel
