#pragma once
// The one place that constructs, runs and destroys element editors on behalf of
// the lists that open them.
//
// Both launchers take the same eight arguments (parent, experiment, the launching
// list, new element, insert repeatedly, two extra values and the input plug-in's
// response helper) and return true when the editor ended with OK, or when it
// committed something before it was closed otherwise ("Done" after
// insert-repeatedly, Cancel after previous/next), so that callers refresh.
//
// Editors are built by EditorLaunchTraits<Dlg>: by default from the first five
// arguments. An editor whose constructor takes more specialises the traits next
// to its own declaration. Exceptions of an editor (VantrelSDK::VTException for a
// list without a selected element) pass to the caller; a dialog that was built
// is destroyed all the same.

#include <VTCore/VTExperiment.h>

#include <boost/shared_ptr.hpp>
#include <wx/dialog.h>
#include <wx/log.h>

namespace VantrelSDK {
class Interface_EditResponseWindowHelper;
}

namespace Vantrel {

// The arguments every launch receives; an editor uses the ones it needs.
struct EditorLaunchArgs
{
    wxWindow* parent;
    VTExperiment* experiment;
    wxWindow* listWindow;
    bool isNew;
    bool insertRepeatedly;
    int firstExtra;
    int secondExtra;
    boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> responseHelper;
};

template <class Dlg>
struct EditorLaunchTraits
{
    static Dlg* Make(const EditorLaunchArgs& a)
    {
        return new Dlg(a.parent, a.experiment, a.listWindow, a.isNew, a.insertRepeatedly);
    }
    // Between the end of the modal loop and Destroy (response editors remove the
    // event handlers they pushed here).
    static void BeforeDestroy(Dlg*) {}
};

class FriendToElementDialogs
{
public:
    // Refuses a new element in a locked experiment with the experiment's reason
    // (logged as an error) and opens nothing; otherwise launches.
    template <class Dlg>
    static bool EitherExplainThatCreationIsDisallowed_Or_LaunchDialog(
        wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly,
        int firstExtra, int secondExtra,
        boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> responseHelper)
    {
        wxString reason;
        if (experiment && experiment->IsLocked(reason) && isNew) {
            wxLogError("%s", reason);
            return false;
        }
        return LaunchDialog<Dlg>(parent, experiment, listWindow, isNew, insertRepeatedly, firstExtra, secondExtra,
                                 responseHelper);
    }

    // Construct, InitDialog, ShowModal, Destroy.
    template <class Dlg>
    static bool LaunchDialog(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                             bool insertRepeatedly, int firstExtra, int secondExtra,
                             boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> responseHelper)
    {
        const EditorLaunchArgs args{parent,           experiment, listWindow,  isNew,
                                    insertRepeatedly, firstExtra, secondExtra, responseHelper};
        Dlg* dialog = EditorLaunchTraits<Dlg>::Make(args);
        DestroyAtExit<Dlg> guard{dialog};
        dialog->InitDialog();
        const int result = dialog->ShowModal();
        return result == wxID_OK || dialog->CommittedAnElement();
    }

private:
    template <class Dlg>
    struct DestroyAtExit
    {
        Dlg* dialog;
        ~DestroyAtExit()
        {
            EditorLaunchTraits<Dlg>::BeforeDestroy(dialog);
            dialog->Destroy();
        }
    };
};

}  // namespace Vantrel
