#pragma once
// The editor of one tag set: its name, its description and what its tags label
// (trials, or events and stimulus-list items). New sets are appended at the end.

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgT.h>
#include <VTCore/VTTagSet.h>

class wxRadioButton;

namespace Vantrel {

class VTEditTagSetDlg : public VTEditElementEndInsertDlgT<VTTagSet>
{
public:
    // Tag sets are made one at a time: insertRepeatedly is ignored.
    VTEditTagSetDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                    bool insertRepeatedly);

    void SetDialogValues(VTTagSet& set) override;
    // A changed context of an existing set must be agreed to first; refused, the
    // dialog stays open and nothing is stored.
    bool GetDialogValues(VTTagSet& set) override;

    // Whether the stored set may change what its tags label (the user is asked).
    bool VerifyTagsetContextChange();

private:
    wxRadioButton* m_AttachToTrial = nullptr;
    wxRadioButton* m_AttachToEvent = nullptr;
};

}  // namespace Vantrel
