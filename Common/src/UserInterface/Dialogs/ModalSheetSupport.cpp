#include "UserInterface/Dialogs/ModalSheetSupport.h"

#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/nonownedwnd.h>

namespace Orbisk {

namespace {

// Left of and above every display, so no part of the dialog is visible.
wxPoint OffScreenPosition(const wxDialog& dialog) {
    wxRect all;
    for (unsigned int i = 0; i < wxDisplay::GetCount(); ++i) all.Union(wxDisplay(i).GetGeometry());
    const wxSize size = dialog.GetSize();
    return wxPoint(all.GetLeft() - size.GetWidth() - 1000, all.GetTop() - size.GetHeight() - 1000);
}

}  // namespace

RAII_TemporaryHidingForOpenModalDialog::RAII_TemporaryHidingForOpenModalDialog(wxDialog* dialog)
    : dialog_(dialog) {
    if (!dialog_) return;
    position_ = dialog_->GetPosition();
    dialog_->Move(OffScreenPosition(*dialog_));
}

RAII_TemporaryHidingForOpenModalDialog::~RAII_TemporaryHidingForOpenModalDialog() {
    if (!dialog_ || dialog_->IsBeingDeleted()) return;
    dialog_->Move(position_);
    dialog_->Raise();
    dialog_->SetFocus();
}

bool WindowHasVacancyForNewModalSheet(const wxNonOwnedWindow* window) {
    if (!window) return false;
    for (const wxWindow* child : window->GetChildren()) {
        const auto* dialog = wxDynamicCast(child, wxDialog);
        if (dialog && dialog->IsShown() && dialog->IsModal()) return false;
    }
    return true;
}

}  // namespace Orbisk
