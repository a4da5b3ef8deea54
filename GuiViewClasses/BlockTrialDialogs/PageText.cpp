#include "PageText.h"

#include <Resources/BitmapRsrc.h>

#include <wx/settings.h>

namespace Vantrel {
namespace PageText {

wxStaticText* Note(wxWindow* parent, const wxString& text, const wxColour& colour, int wrap, wxWindowID id)
{
    auto* note = new wxStaticText(parent, id, text);
    note->SetForegroundColour(colour);
    if (wrap > 0) note->Wrap(wrap);
    return note;
}

wxStaticBitmap* Picture(wxWindow* parent, const wxString& name, const wxSize& size)
{
    wxBitmap bitmap = GetBitmapRsrc(name);
    if (!bitmap.IsOk()) bitmap = wxBitmap(size.x > 0 ? size.x : 1, size.y > 0 ? size.y : 1);
    return new wxStaticBitmap(parent, wxID_STATIC, bitmap, wxDefaultPosition, size);
}

wxStaticText* LargeHeading(wxWindow* parent, const wxString& text, int wrap, wxWindowID id)
{
    auto* heading = new wxStaticText(parent, id, text);
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(int(font.GetPointSize() * 2.6));
    heading->SetFont(font);
    heading->SetForegroundColour(kHeadingGrey);
    heading->Wrap(wrap);
    return heading;
}

wxSizer* EmptyState(wxWindow* parent, const wxString& image, const std::vector<wxStaticText*>& headings,
                    const wxString& explanation, int wrap)
{
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(Picture(parent, image), 0, wxALL, 10);
    auto* words = new wxBoxSizer(wxVERTICAL);
    for (wxStaticText* heading : headings) words->Add(heading);
    words->Add(Note(parent, explanation, kTextDarkGrey, wrap), 0, wxTOP, 10);
    sizer->Add(words, 1, wxEXPAND | wxALL, 10);
    return sizer;
}

wxTextValidator WholeNumberValidator()
{
    // Each typed character is judged by itself.
    wxTextValidator validator(wxFILTER_NUMERIC | wxFILTER_EXCLUDE_CHAR_LIST);
    validator.SetCharExcludes("-+e,.");
    return validator;
}

}  // namespace PageText
}  // namespace Vantrel
