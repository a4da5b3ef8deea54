#include "CriteriaExpressionPanel.h"

#include "RulesPanel.h"

#include <Resources/BitmapRsrc.h>

#include <boost/make_shared.hpp>

#include <wx/hyperlink.h>

namespace Vantrel {

wxBEGIN_EVENT_TABLE(CriteriaExpressionPanel, wxPanel)
    EVT_IDLE(CriteriaExpressionPanel::OnIdle)
wxEND_EVENT_TABLE()

CriteriaExpressionPanel::CriteriaExpressionPanel(Interface_MasterVTObjectEditor* master, int editingContext,
                                                 wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                                 long style)
    : RulesSubpanelBuilderOfManyRows<ExpressionFromGUI>(editingContext, false, master)
{
    Create(parent, id, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
}

void CriteriaExpressionPanel::CreateControls()
{
    SetBackgroundColour(wxColour(200, 200, 200));
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    top->Add(row, 0, wxEXPAND | wxALL, 1);
    m_rowsPanel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    m_rowsPanel->SetBackgroundColour(wxColour(230, 239, 247));
    row->Add(m_rowsPanel, 1, wxALL, 0);
    m_rowsSizer = new wxBoxSizer(wxVERTICAL);
    m_rowsPanel->SetSizer(m_rowsSizer);
    m_firstRow = new RuleComponentRowPanel(this, m_editingContext, false, m_rowsPanel, 10096, wxDefaultPosition,
                                           wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    m_firstRow->SetBackgroundColour(wxColour(230, 239, 247));
    m_rowsSizer->Add(m_firstRow, 0, wxEXPAND | wxALL, 0);
}

void CriteriaExpressionPanel::SetMetaPredicate(boost::shared_ptr<MetaTFPredicate> predicate, VTExperiment*,
                                               wxHyperlinkCtrl* negationLink, wxSizer* linkSizer)
{
    m_reportingEnabled = true;
    m_negationLink = negationLink;
    m_linkSizer = linkSizer;
    if (m_negationLink) m_negationLink->SetLabel(RulesPanel::ARE_MET_TEXT());
    if (predicate) {
        auto rows = boost::make_shared<std::vector<ExpressionFromGUI>>();
        predicate->RetrieveSafeCopyOfExpression(*rows);
        UseDataFromThisCollection(rows, predicate->ExpressionSetToBeNegated());
        return;
    }
    // No condition is no negated condition: a reused editor must not keep the
    // negation of the element it showed before.
    m_negationWorking = m_negationCommitted = false;
    GotoNullState();
    AdjustExpressionNegationGUI(false);
}

boost::shared_ptr<MetaTFPredicate> CriteriaExpressionPanel::GetMetaPredicate(VTExperiment* experiment,
                                                                             const wxString& name) const
{
    return MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(experiment, m_working, m_negationWorking, name,
                                                                     RowCountForResult());
}

void CriteriaExpressionPanel::AdjustExpressionNegationGUI(bool negated)
{
    if (!m_negationLink) return;
    m_negationLink->SetLabel(negated ? RulesPanel::ARE_NOT_MET_TEXT() : RulesPanel::ARE_MET_TEXT());
    m_negationWorking = negated;
    if (m_linkSizer) m_linkSizer->Layout();
}

void CriteriaExpressionPanel::OnClickHyperlink()
{
    if (!m_negationLink) return;
    AdjustExpressionNegationGUI(m_negationLink->GetLabel() == RulesPanel::ARE_MET_TEXT());
}

wxBitmap CriteriaExpressionPanel::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }
wxIcon CriteriaExpressionPanel::GetIconResource(const wxString&) { return wxNullIcon; }

}  // namespace Vantrel
