#include "UserInterface/Dialogs/wxAlertBox.h"

#include "UserInterface/Dialogs/wxAlert.h"

#include <wx/artprov.h>
#include <wx/defs.h>

#include <initializer_list>

namespace {

wxArrayString LabelArray(std::initializer_list<wxString> labels)
{
    wxArrayString array;
    for (const wxString& label : labels) array.Add(label);
    return array;
}

}  // namespace

wxArrayString CreateChoices(const wxString& l1) { return LabelArray({l1}); }

wxArrayString CreateChoices(const wxString& l1, const wxString& l2) { return LabelArray({l1, l2}); }

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3)
{
    return LabelArray({l1, l2, l3});
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4)
{
    return LabelArray({l1, l2, l3, l4});
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5)
{
    return LabelArray({l1, l2, l3, l4, l5});
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6)
{
    return LabelArray({l1, l2, l3, l4, l5, l6});
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6, const wxString& l7)
{
    return LabelArray({l1, l2, l3, l4, l5, l6, l7});
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6, const wxString& l7, const wxString& l8)
{
    return LabelArray({l1, l2, l3, l4, l5, l6, l7, l8});
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxArrayString& labels, const wxString& artId)
{
    const wxBitmap art = wxArtProvider::GetBitmap(artId, wxASCII_STR(wxART_OTHER), wxDefaultSize);
    auto* alert = new wxAlert(parent, message, informativeText, title, defaultButton, labels, id, art);
    alert->ShowWindowModal();
    return wxID_CANCEL;
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5),
                      artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5, l6),
                      artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7,
               const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton,
                      CreateChoices(l1, l2, l3, l4, l5, l6, l7), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7,
               const wxString& l8, const wxString& artId)
{
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton,
                      CreateChoices(l1, l2, l3, l4, l5, l6, l7, l8), artId);
}
