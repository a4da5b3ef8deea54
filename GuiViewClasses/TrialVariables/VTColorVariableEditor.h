#pragma once
// The colour value editor: one row per colour level, shown by name with its
// colour; New and Edit open the colour value dialog.

#include "VTVariableEditorBase.h"

#include <VTPlugInCommon/VTListViews.h>

namespace Vantrel {

class VTColorVariableEditor : public VTVariableEditorWithList<VTListCtrlColor, Orbisk::Var::ColorSingleLevel>
{
public:
    VTColorVariableEditor(wxPanel* panel, VTListCtrlColor* list);

    int GetTypeID() override;
    bool LocEditItem(int index) override;
    void LocFillList() override;
};

}  // namespace Vantrel
