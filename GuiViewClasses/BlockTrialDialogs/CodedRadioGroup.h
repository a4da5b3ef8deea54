#pragma once
// A group of radio buttons that stand for codes stored in an element. The group ends
// with a hidden radio of its own, so that "none of them" is a state the page can
// show: GTK keeps one radio of a group on, and a reused page would otherwise keep
// showing the previous element's choice for a code that matches none.

#include <wx/radiobut.h>

#include <utility>
#include <vector>

namespace Vantrel {

class CodedRadioGroup
{
public:
    // Creates the next radio of the group on `parent` (the first one starts the group).
    wxRadioButton* Add(wxWindow* parent, wxWindowID id, const wxString& label, int code);
    // Ends the group with its hidden "none" radio; call right after the last Add. The
    // group starts with its first radio on, or with none on.
    void Close(wxWindow* parent, bool startWithNone = false);

    // Turns on the radio of `code`, or none of them; false when none matches.
    bool Select(int code);
    void SelectNone();
    bool HasSelection() const;
    // The code of the radio that is on, else `none`.
    int SelectedCode(int none) const;
    wxRadioButton* RadioOf(int code) const;
    void Enable(bool enable);

private:
    std::vector<std::pair<wxRadioButton*, int>> m_Radios;
    wxRadioButton* m_None = nullptr;
};

}  // namespace Vantrel
