#pragma once
// Up to twelve action rows: the actions of a rule or of a feedback condition.

#include "RulesSubpanelBuilderOfManyRows.h"

#include <VTCore/VTActionList.h>

namespace Vantrel {

class PanelForActionsRows : public RulesSubpanelBuilderOfManyRows<OrderFormForActionCreation>
{
public:
    PanelForActionsRows(Interface_MasterVTObjectEditor* master, int editingContext, wxWindow* parent, int id = wxID_ANY,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxTAB_TRAVERSAL);

    void UseTheseActions(boost::shared_ptr<const std::vector<OrderFormForActionCreation>> forms);
    // A new action list of the working rows; the host commits first.
    boost::shared_ptr<VTActionList> GetActionList(const wxString& name) const;

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);

private:
    void CreateControls();

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
