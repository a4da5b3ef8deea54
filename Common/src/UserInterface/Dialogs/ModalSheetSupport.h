#pragma once
// Helpers for code that shows sheets or previews over open modal dialogs.
//
// On GTK a window-modal sheet is a modal dialog whose parent is the window, and
// hiding a modal dialog would end its modal loop, so the hiding guard moves the
// dialog off the screen instead and puts it back afterwards.

#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/weakref.h>

class wxNonOwnedWindow;

namespace Orbisk {

class RAII_TemporaryHidingForOpenModalDialog
{
public:
    // Takes the dialog off the screen, open and modal as it is. Null does nothing.
    explicit RAII_TemporaryHidingForOpenModalDialog(wxDialog* dialog);
    // Puts the dialog back where it was, raised and focused.
    ~RAII_TemporaryHidingForOpenModalDialog();

    RAII_TemporaryHidingForOpenModalDialog(const RAII_TemporaryHidingForOpenModalDialog&) = delete;
    RAII_TemporaryHidingForOpenModalDialog& operator=(const RAII_TemporaryHidingForOpenModalDialog&) = delete;

private:
    wxWeakRef<wxDialog> dialog_;  // the dialog may be destroyed meanwhile
    wxPoint position_;
};

// True when no sheet (a shown modal dialog whose parent lies inside the
// window) is attached to the window; false for a null window.
bool WindowHasVacancyForNewModalSheet(const wxNonOwnedWindow* window);

}  // namespace Orbisk
