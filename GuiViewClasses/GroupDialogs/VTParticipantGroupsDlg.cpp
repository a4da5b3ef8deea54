#include "VTParticipantGroupsDlg.h"

#include "VTEditGroupDlg.h"

#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/msgdlg.h>

namespace Vantrel {

VTParticipantGroupsDlg::VTParticipantGroupsDlg(wxWindow* parent, VTExperiment* experiment)
    : VTElementsListEditDlg(parent, experiment, _("Participant Groups"),
                            _("You can create different groups of participants, e.g. to decide\nwhich blocks get "
                              "presented or to obtain per-group randomization."),
                            ElementType::ParticipantGroup, "dlg_edit_list")
{}

bool VTParticipantGroupsDlg::EditItem(int index)
{
    const bool ok = FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditGroupDlg>(
        this, m_Experiment, m_List, index == -1, false, -1, 0, {});
    return ok && VTElementsListEditDlg::EditItem(index);
}

void VTParticipantGroupsDlg::DeleteItem(unsigned int index)
{
    if (m_ListAdapter.GetCount() == 1) {
        wxMessageBox(_("A Vantrel experiment needs at least one participant group."),
                     _("You cannot delete the last group."), wxOK, this);
        return;
    }
    VTElementsListEditDlg::DeleteItem(index);
}

}  // namespace Vantrel
