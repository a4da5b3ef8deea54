#pragma once
// The list of the experiment's participant groups with New, Edit and Delete. An
// experiment always keeps at least one group.

#include <GuiViewClasses/DialogClasses/listeditdlg.h>

namespace Vantrel {

class VTParticipantGroupsDlg : public VTElementsListEditDlg
{
public:
    VTParticipantGroupsDlg(wxWindow* parent, VTExperiment* experiment);

    // Opens the group editor (a new group for -1); true when it ended with OK.
    bool EditItem(int index) override;
    // Refuses to delete the last group.
    void DeleteItem(unsigned int index) override;
};

}  // namespace Vantrel
