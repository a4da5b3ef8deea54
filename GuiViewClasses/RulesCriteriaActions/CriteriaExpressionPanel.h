#pragma once
// Criteria rows joined by "and"/"or", with the negation shown on a link that the
// host owns ("are met" / "are not met"). Edits a rule's condition and a block's or
// trial's "When to Present".

#include "RulesSubpanelBuilderOfManyRows.h"

#include <VTCore/MetaTFPredicate.h>

class wxHyperlinkCtrl;

namespace Vantrel {

class CriteriaExpressionPanel : public RulesSubpanelBuilderOfManyRows<ExpressionFromGUI>
{
public:
    CriteriaExpressionPanel(Interface_MasterVTObjectEditor* master, int editingContext, wxWindow* parent,
                            int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);

    // Loads a condition; null shows one default row, not negated.
    void SetMetaPredicate(boost::shared_ptr<MetaTFPredicate> predicate, VTExperiment* experiment,
                          wxHyperlinkCtrl* negationLink, wxSizer* linkSizer);
    // A new predicate of the working rows; the host commits first.
    boost::shared_ptr<MetaTFPredicate> GetMetaPredicate(VTExperiment* experiment, const wxString& name) const;
    // Toggles the negation of the whole condition.
    void OnClickHyperlink();
    void AdjustExpressionNegationGUI(bool negated) override;

    wxHyperlinkCtrl* NegationLink() const { return m_negationLink; }

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);

private:
    void CreateControls();

    wxHyperlinkCtrl* m_negationLink = nullptr;
    wxSizer* m_linkSizer = nullptr;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
