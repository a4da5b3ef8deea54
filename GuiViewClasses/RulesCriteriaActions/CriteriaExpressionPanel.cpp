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
    GetSizer()->Fit(this);
}

void CriteriaExpressionPanel::CreateControls()
{
    wxPanel* rows = MakeRowsArea(wxID_ANY, 10096);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    GetSizer()->Add(row, 0, wxEXPAND | wxALL, 1);
    row->Add(rows, 1, wxALL, 0);
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
