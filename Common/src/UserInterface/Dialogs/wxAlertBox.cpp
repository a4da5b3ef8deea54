#include "UserInterface/Dialogs/wxAlertBox.h"

#include "UserInterface/Dialogs/wxAlert.h"

#include <wx/artprov.h>
#include <wx/defs.h>

wxArrayString CreateChoices(const wxString& l1) {
    wxArrayString labels;
    labels.Add(l1);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    labels.Add(l4);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    labels.Add(l4);
    labels.Add(l5);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    labels.Add(l4);
    labels.Add(l5);
    labels.Add(l6);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    labels.Add(l4);
    labels.Add(l5);
    labels.Add(l6);
    labels.Add(l7);
    return labels;
}

wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7, const wxString& l8) {
    wxArrayString labels;
    labels.Add(l1);
    labels.Add(l2);
    labels.Add(l3);
    labels.Add(l4);
    labels.Add(l5);
    labels.Add(l6);
    labels.Add(l7);
    labels.Add(l8);
    return labels;
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxArrayString& labels, const wxString& artId) {
    const wxBitmap art = wxArtProvider::GetBitmap(artId, wxASCII_STR(wxART_OTHER), wxDefaultSize);
    auto* alert = new wxAlert(parent, message, informativeText, title, defaultButton, labels, id, art);
    alert->ShowWindowModal();
    return wxID_CANCEL;
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5, l6), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5, l6, l7), artId);
}

int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7, const wxString& l8, const wxString& artId) {
    return wxAlertBox(parent, id, message, informativeText, title, defaultButton, CreateChoices(l1, l2, l3, l4, l5, l6, l7, l8), artId);
}
