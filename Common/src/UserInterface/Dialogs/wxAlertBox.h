#pragma once
// The alert-box family: build a wxAlert and show it window-modally on the
// parent. Every box returns wxID_CANCEL, which carries no answer; the answer
// is the return code (the pressed button's number, 0 to 3) of the
// wxEVT_WINDOW_MODAL_DIALOG_CLOSED event that arrives with the identifier
// given here. On GTK, showing window-modally blocks until the answer and the
// event is sent before the box returns; callers must not rely on either order.
// The alert belongs to the parent's window tree and is destroyed with it.

#include <wx/arrstr.h>
#include <wx/string.h>

class wxWindow;

wxArrayString CreateChoices(const wxString& l1);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6, const wxString& l7);
wxArrayString CreateChoices(const wxString& l1, const wxString& l2, const wxString& l3, const wxString& l4,
                            const wxString& l5, const wxString& l6, const wxString& l7, const wxString& l8);

// artId names a wxArtProvider bitmap, e.g. "wxART_HELP".
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxArrayString& labels, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7,
               const wxString& artId);
int wxAlertBox(wxWindow* parent, int id, const wxString& message, const wxString& informativeText,
               const wxString& title, unsigned int defaultButton, const wxString& l1, const wxString& l2,
               const wxString& l3, const wxString& l4, const wxString& l5, const wxString& l6, const wxString& l7,
               const wxString& l8, const wxString& artId);
