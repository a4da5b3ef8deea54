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
    if (GetSizer()) GetSizer()->Fit(this);
}

void PanelForActionsRows::CreateControls()
{
    SetBackgroundColour(wxColour(200, 200, 200));
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    m_rowsPanel = new wxPanel(this, 10251, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    m_rowsPanel->SetBackgroundColour(wxColour(230, 239, 247));
    top->Add(m_rowsPanel, 0, wxEXPAND | wxALL, 1);
    m_rowsSizer = new wxBoxSizer(wxVERTICAL);
    m_rowsPanel->SetSizer(m_rowsSizer);
    m_firstRow = new RuleComponentRowPanel(this, m_editingContext, true, m_rowsPanel, wxID_ANY, wxDefaultPosition,
                                           wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    m_firstRow->SetBackgroundColour(wxColour(230, 239, 247));
    m_rowsSizer->Add(m_firstRow, 0, wxEXPAND | wxALL, 0);
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
