#include "UserInterface/Dialogs/ModalSheetSupport.h"

#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/nonownedwnd.h>
#include <wx/toplevel.h>

namespace Orbisk {

namespace {

// Left of and above every display, so no part of the dialog is visible.
wxPoint OffScreenPosition(const wxDialog& dialog)
{
    wxRect all;
    for (unsigned int i = 0; i < wxDisplay::GetCount(); ++i) all.Union(wxDisplay(i).GetGeometry());
    const wxSize size = dialog.GetSize();
    return wxPoint(all.GetLeft() - size.GetWidth() - 1000, all.GetTop() - size.GetHeight() - 1000);
}

}  // namespace

RAII_TemporaryHidingForOpenModalDialog::RAII_TemporaryHidingForOpenModalDialog(wxDialog* dialog) : dialog_(dialog)
{
    if (!dialog_) return;
    position_ = dialog_->GetPosition();
    dialog_->Move(OffScreenPosition(*dialog_));
}

RAII_TemporaryHidingForOpenModalDialog::~RAII_TemporaryHidingForOpenModalDialog()
{
    if (!dialog_ || dialog_->IsBeingDeleted()) return;
    dialog_->Move(position_);
    dialog_->Raise();
    dialog_->SetFocus();
}

bool WindowHasVacancyForNewModalSheet(const wxNonOwnedWindow* window)
{
    if (!window) return false;
    // A sheet shown for any window inside this one (a panel, say) is attached to it.
    for (const wxWindow* topLevel : wxTopLevelWindows) {
        const auto* dialog = wxDynamicCast(topLevel, wxDialog);
        if (!dialog || !dialog->IsShown() || !dialog->IsModal() || !dialog->GetParent()) continue;
        if (wxGetTopLevelParent(dialog->GetParent()) == window) return false;
    }
    return true;
}

}  // namespace Orbisk
