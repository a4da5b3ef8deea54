#pragma once
// Small pieces every block and trial editor page builds alike.

#include <wx/colour.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/valtext.h>

#include <vector>

namespace Vantrel {
namespace PageText {

// Explanations drawn lighter than the notes around the controls.
inline const wxColour kExplanationGrey(115, 115, 115);
inline const wxColour kNoteGrey(80, 80, 80);
inline const wxColour kHeadingGrey(127, 127, 127);
inline const wxColour kTextDarkGrey(64, 64, 64);

// A static text in `colour`, wrapped at `wrap` pixels when it is positive.
wxStaticText* Note(wxWindow* parent, const wxString& text, const wxColour& colour, int wrap = -1,
                   wxWindowID id = wxID_STATIC);
// The program's image of that name, or an empty picture of the given size.
wxStaticBitmap* Picture(wxWindow* parent, const wxString& name, const wxSize& size = wxDefaultSize);
// A large grey heading in the default font scaled by 2.6, wrapped at `wrap` pixels.
wxStaticText* LargeHeading(wxWindow* parent, const wxString& text, int wrap, wxWindowID id = wxID_STATIC);

// What a page shows while it has nothing to edit: a picture beside large grey
// headings and an explanation wrapped at `wrap` pixels.
wxSizer* EmptyState(wxWindow* parent, const wxString& image, const std::vector<wxStaticText*>& headings,
                    const wxString& explanation, int wrap);

// The validator of the pages' whole-number fields: digits (and the upper-case
// exponent letter) pass as typed; signs, decimal separators and "e" are refused.
wxTextValidator WholeNumberValidator();

}  // namespace PageText
}  // namespace Vantrel
