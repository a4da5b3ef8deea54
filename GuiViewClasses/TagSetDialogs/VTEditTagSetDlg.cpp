#include "VTEditTagSetDlg.h"

#include <VTCore/VTDeletionMgr.h>

#include <wx/radiobut.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

VTEditTagSetDlg::VTEditTagSetDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                 bool /*insertRepeatedly*/)
    : VTEditElementEndInsertDlgT<VTTagSet>(parent, experiment, "dlg_edit_one_tag_set", listWindow, isNew, false, false,
                                           false, false, false)
{
    m_AttachToTrial = XRCCTRL(*this, "radio_attach_to_trial", wxRadioButton);
    m_AttachToEvent = XRCCTRL(*this, "radio_attach_to_event", wxRadioButton);
}

void VTEditTagSetDlg::SetDialogValues(VTTagSet& set)
{
    if (set.m_TagsetContext == VTTagSet::TrialContext)
        m_AttachToTrial->SetValue(true);
    else
        m_AttachToEvent->SetValue(true);
    VTEditElementEndInsertDlgT<VTTagSet>::SetDialogValues(set);
}

bool VTEditTagSetDlg::GetDialogValues(VTTagSet& set)
{
    // The name is checked first, so the user is not asked about a change that a
    // refused name would throw away.
    if (!VTEditElementEndInsertDlgT<VTTagSet>::GetDialogValues(set)) return false;
    const VTTagSet::TagsetContext context =
        m_AttachToTrial->GetValue() ? VTTagSet::TrialContext : VTTagSet::EventOrListItemContext;
    // Compared with the stored set, not the working copy: a copy that an earlier,
    // refused OK already changed must not slip the change through unasked.
    const VTTagSet* stored = TheOriginalObject();
    if (!IsNewObject() && stored && context != stored->m_TagsetContext && !VerifyTagsetContextChange()) return false;
    set.SetContext(context);
    return true;
}

bool VTEditTagSetDlg::VerifyTagsetContextChange()
{
    VTDeletionMgr confirmation(this, TheExperiment(), TheOriginalObject());
    return confirmation.HandleDeletion(VTDeletionMgr::RemovalType_Normal, true, false);
}

}  // namespace Vantrel
