#pragma once
// The location value editor: one row per location level, shown by name; New and
// Edit open the location value dialog.

#include "VTVariableEditorBase.h"

#include <VTPlugInCommon/VTListViews.h>

namespace Vantrel {

class VTLocationVariableEditor : public VTVariableEditorWithList<VTSimpleListView, Orbisk::Var::LocationSingleLevel>
{
public:
    VTLocationVariableEditor(wxPanel* panel, VTSimpleListView* list);

    int GetTypeID() override;
    bool LocEditItem(int index) override;
    void LocFillList() override;
};

}  // namespace Vantrel
