#pragma once
// Dialogs that reopen where the user left them.
//
// wxDialogPersistentPosition stores its rectangle when hidden and restores it when
// shown, in the configuration group "/" + GetPersistenceName() with the entries
// "window_x", "window_y", "window_width" and "window_height". A rectangle that
// does not lie wholly inside the display's client area is neither stored nor
// restored, so a dialog never reopens off screen. Nothing is flushed here: the
// configuration file is written when the application saves its configuration.
//
// VTDialogBase adds the dialog resource of the embedded XRC bundle and the
// experiment the dialog works on.

#include <wx/dialog.h>

class wxControlWithItems;

namespace Vantrel {

class Minimal_VTElement;
class VTExperiment;

class wxDialogPersistentPosition : public wxDialog
{
public:
    wxDialogPersistentPosition() = default;
    ~wxDialogPersistentPosition() override;

    bool Show(bool show = true) override;
    // The configuration group (without the leading "/") of this dialog's geometry.
    virtual wxString GetPersistenceName() const = 0;

    // The stored rectangle of a persistence name, when all four entries are there
    // and it lies inside the display; false otherwise.
    static bool ReadStoredRect(const wxString& persistenceName, wxRect& rect);

private:
    void RestoreGeometry();
    void StoreGeometry();
};

class VTDialogBase : public wxDialogPersistentPosition
{
public:
    VTDialogBase() = default;
    // Stores the experiment and loads the dialog resource `xrcName` into this dialog.
    // The parent is accepted for the generated-dialog pattern; the resource is
    // loaded without one.
    VTDialogBase(wxWindow* parent, VTExperiment* experiment, const wxString& xrcName);
    ~VTDialogBase() override;
    // The same two steps for a dialog constructed without arguments.
    bool Create(wxWindow* parent, VTExperiment* experiment, const wxString& xrcName);

    // Selects the first item whose client data is `element`; its index, or -1 with
    // the selection unchanged.
    static int SelectItemByVTElementPtr(wxControlWithItems& control, const Minimal_VTElement* element);

protected:
    VTExperiment* m_Experiment = nullptr;
};

}  // namespace Vantrel
