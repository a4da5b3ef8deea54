#pragma once
// The generic editor of one response: name and notes from the base, the rest of the
// window filled and read back by the response together with its input plug-in's
// helper. The dialog resource "dlg_edit_response" comes from the input plug-in's
// resources, which must be installed before the dialog is built.
//
// The launcher opens the on-screen response editor (GUIDialogOnScreenResponse) for
// the mouse and the eye trackers (2250, 2411, 2413) and this one for every other device.

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgT.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTCore/VTResponse.h>

#include <boost/shared_ptr.hpp>

namespace VantrelSDK {
class Interface_EditResponseWindowHelper;
}

namespace Vantrel {

class VTEditResponseDlg : public VTEditElementEndInsertDlgT<VTResponse>
{
public:
    VTEditResponseDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                      bool insertRepeatedly, boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper,
                      wxString xrcName);
    ~VTEditResponseDlg() override;

    // Fits the dialog to whatever the helper put in, each time it is shown.
    bool Show(bool show = true) override;
    bool GetDialogValues(VTResponse& response) override;
    void SetDialogValues(VTResponse& response) override;
    // Nothing: the response's widgets are the helper's.
    virtual void ClearDialog();

    // The window ids of the launcher's choice.
    static constexpr int kOnScreenWindowID = 10040;
    // Whether a response of this input plug-in is edited in the on-screen editor.
    static bool UsesOnScreenEditor(int plugInID) { return InputPlugIn::IsOnScreen(plugInID); }

protected:
    boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> m_Helper;

private:
    void BindFixedIds();
};

// The response launch: the first extra value is the input plug-in's id.
template <>
struct EditorLaunchTraits<VTEditResponseDlg>
{
    static VTEditResponseDlg* Make(const EditorLaunchArgs& a);
    // Handlers that the plug-in's helper pushed onto the dialog go with it.
    static void BeforeDestroy(VTEditResponseDlg* dialog);
};

}  // namespace Vantrel
