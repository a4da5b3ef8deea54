#include "VTEditResponseDlg.h"

#include "GUIDialogOnScreenResponse.h"

#include <VTPlugInCommon/GeneralHelpers.h>

#include <wx/log.h>
#include <wx/sizer.h>

namespace Vantrel {

VTEditResponseDlg::VTEditResponseDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                     bool insertRepeatedly,
                                     boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper,
                                     wxString xrcName)
    : VTEditElementEndInsertDlgT<VTResponse>(parent, experiment, xrcName, listWindow, isNew, insertRepeatedly,
                                             /*skipPageMemory*/ true, /*nameControlFromSubclass*/ false,
                                             /*deferSetup*/ xrcName.empty(), /*leaveExperimentUnchanged*/ true),
      m_Helper(helper)
{
    if (!xrcName.empty()) BindFixedIds();
}

VTEditResponseDlg::~VTEditResponseDlg() {}

void VTEditResponseDlg::BindFixedIds()
{
    // The fixed ids route like the resource names, which the base binds; a button
    // found by its name under the same id is bound once.
    struct Route
    {
        const char* name;
        int id;
        void (VTEditResponseDlg::*click)(wxCommandEvent&);
        void (VTEditResponseDlg::*update)(wxUpdateUIEvent&);
    };
    const Route routes[] = {
        {"wxID_OK", wxID_OK, &VTEditResponseDlg::OnOK, &VTEditResponseDlg::OnUpdateOKButton},
        {"ID_OK_NEXT", 29811, &VTEditResponseDlg::OnOKNext, &VTEditResponseDlg::OnUpdatePreviousNextButton},
        {"ID_OK_PREV", 29810, &VTEditResponseDlg::OnOKPrev, &VTEditResponseDlg::OnUpdatePreviousNextButton},
    };
    for (const Route& r : routes) {
        const wxWindow* named = ElementEditorCore::FindByXrcName(this, r.name);
        if (named && named->GetId() == r.id) continue;
        Bind(wxEVT_BUTTON, r.click, this, r.id);
        Bind(wxEVT_UPDATE_UI, r.update, this, r.id);
    }
}

bool VTEditResponseDlg::Show(bool show)
{
    const bool result = wxDialogPersistentPosition::Show(show);
    if (show && GetSizer()) GetSizer()->SetSizeHints(this);
    return result;
}

void VTEditResponseDlg::SetDialogValues(VTResponse& response)
{
    VTEditElementEndInsertDlgT<VTResponse>::SetDialogValues(response);
    response.InstructUnderlyingResponseObjectToMutateThisWindow(this, m_Helper.get());
}

bool VTEditResponseDlg::GetDialogValues(VTResponse& response)
{
    if (!VTEditElementEndInsertDlgT<VTResponse>::GetDialogValues(response)) return false;
    if (IsNewObject()) return response.MediateAndAllowWindowToMutateResponseObject(this, m_Helper.get(), nullptr);
    auto* stored = dynamic_cast<VTResponse*>(static_cast<Minimal_VTElement*>(TheOriginalObject()));
    if (!stored) {
        wxLogError(_("Unable to save response settings. Bad cast error. Please report this bug to Orbisk Corp."));
        return false;
    }
    return response.MediateAndAllowWindowToMutateResponseObject(this, m_Helper.get(), stored);
}

void VTEditResponseDlg::ClearDialog() {}

VTEditResponseDlg* EditorLaunchTraits<VTEditResponseDlg>::Make(const EditorLaunchArgs& a)
{
    if (VTEditResponseDlg::UsesOnScreenEditor(a.firstExtra))
        return new GUIDialogOnScreenResponse(a.parent, a.experiment, a.listWindow, a.isNew, a.insertRepeatedly,
                                             a.responseHelper, VTEditResponseDlg::kOnScreenWindowID,
                                             _("Mouse Response"));
    return new VTEditResponseDlg(a.parent, a.experiment, a.listWindow, a.isNew, a.insertRepeatedly, a.responseHelper,
                                 "dlg_edit_response");
}

void EditorLaunchTraits<VTEditResponseDlg>::BeforeDestroy(VTEditResponseDlg* dialog)
{
    Orbisk::GeneralAppHelpers::PopRemoveDeleteAllCustomEventHandlers(dialog, false);
}

}  // namespace Vantrel
