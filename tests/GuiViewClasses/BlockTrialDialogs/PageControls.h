#pragma once
// Looking up an editor page's controls by id, as the pages' and the editors'
// suites both do.

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/window.h>

namespace PageControls {

template <class T>
T* Find(wxWindow* within, int id)
{
    T* window = dynamic_cast<T*>(within->FindWindow(id));
    EXPECT_NE(window, nullptr) << "no control " << id;
    return window;
}

// Whether the radio or check box is on.
inline bool On(wxWindow* within, int id)
{
    wxWindow* w = within->FindWindow(id);
    if (auto* radio = dynamic_cast<wxRadioButton*>(w)) return radio->GetValue();
    if (auto* box = dynamic_cast<wxCheckBox*>(w)) return box->GetValue();
    ADD_FAILURE() << "no radio or check box " << id;
    return false;
}

}  // namespace PageControls
