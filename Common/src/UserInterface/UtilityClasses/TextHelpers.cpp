#include "UserInterface/UtilityClasses/TextHelpers.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace Orbisk {

wxString GetNewName(const wxString& name, const std::vector<wxString>* existing)
{
    auto taken = [existing](const wxString& candidate) {
        return existing != nullptr && std::find(existing->begin(), existing->end(), candidate) != existing->end();
    };

    size_t digitsStart = name.length();
    while (digitsStart > 0 && name[digitsStart - 1] >= '0' && name[digitsStart - 1] <= '9') --digitsStart;
    wxString base = name;
    unsigned long long counter = 1;
    if (digitsStart < name.length()) {
        unsigned long long trailing = 0;
        // A run too long for a number counts as part of the base.
        if (name.Mid(digitsStart).ToULongLong(&trailing, 10)) {
            base = name.Left(digitsStart);
            counter = trailing;
        }
    }

    wxString candidate = name;
    while (taken(candidate)) candidate = base + wxString::Format("%llu", counter++);
    return candidate;
}

void StripBadCharsToGuaranteeSingleLineString(wxString& s)
{
    for (const char* bad : {"\n", "\t", "\a", "\b", "\r"}) s.Replace(bad, " ");
}

void HelperFunctionChangeStaticTextIfNew(wxStaticText* label, wxSizer* sizer, wxSizer* secondSizer,
                                         const wxString& text, int wrapWidth)
{
    if (label->GetLabel() == text) return;
    label->SetLabel(text);
    if (wrapWidth != -999) {
        label->SetMaxSize(wxSize(wrapWidth, -1));
        label->Wrap(wrapWidth);
    }
    sizer->Layout();
    if (secondSizer != nullptr) secondSizer->Layout();
}

}  // namespace Orbisk
