#include "PanelForActionsRows.h"

#include <Resources/BitmapRsrc.h>

namespace Vantrel {

wxBEGIN_EVENT_TABLE(PanelForActionsRows, wxPanel)
    EVT_IDLE(PanelForActionsRows::OnIdle)
wxEND_EVENT_TABLE()

PanelForActionsRows::PanelForActionsRows(Interface_MasterVTObjectEditor* master, int editingContext, wxWindow* parent,
                                         int id, const wxPoint& pos, const wxSize& size, long style)
    : RulesSubpanelBuilderOfManyRows<OrderFormForActionCreation>(editingContext, true, master)
{
    Create(parent, id, pos, size, style);
    CreateControls();
    GetSizer()->Fit(this);
}

void PanelForActionsRows::CreateControls()
{
    wxPanel* rows = MakeRowsArea(10251, wxID_ANY);
    GetSizer()->Add(rows, 0, wxEXPAND | wxALL, 1);
}

void PanelForActionsRows::UseTheseActions(boost::shared_ptr<const std::vector<OrderFormForActionCreation>> forms)
{
    UseDataFromThisCollection(forms, false);
}

boost::shared_ptr<VTActionList> PanelForActionsRows::GetActionList(const wxString& name) const
{
    return ActionFactory::MakeActionListFromOrderForms(m_master ? m_master->TheExperiment() : m_experiment, m_working,
                                                       name, RowCountForResult());
}

wxBitmap PanelForActionsRows::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }
wxIcon PanelForActionsRows::GetIconResource(const wxString&) { return wxNullIcon; }

}  // namespace Vantrel
