#pragma once
// The criteria of a rule, of a block's or trial's "When to Present": criteria rows
// joined by "and"/"or", optionally negated as a whole ("are not met").

#include <VTCore/OrderFormForExpressionCreation.h>

#include <boost/shared_ptr.hpp>
#include <wx/string.h>
#include <functional>
#include <vector>

namespace Vantrel {

class VTExperiment;

class MetaTFPredicate
{
public:
    MetaTFPredicate() = default;
    MetaTFPredicate(std::vector<ExpressionFromGUI> rows, bool negated, const wxString& name);

    // A new predicate from the first rowCount forms (fewer when the vector is
    // shorter: stale forms after rowCount are not read, and a short vector is never
    // read past its end). Never null.
    static boost::shared_ptr<MetaTFPredicate>
    FactoryFunction_MakeMetaPredUsingGUIInfo(VTExperiment* experiment, const std::vector<ExpressionFromGUI>& forms,
                                             bool negated, const wxString& name, int rowCount);

    // One form per row, in order, isAnd included (out is replaced).
    void RetrieveSafeCopyOfExpression(std::vector<ExpressionFromGUI>& out) const { out = m_Rows; }
    const std::vector<ExpressionFromGUI>& GetRows() const { return m_Rows; }
    std::vector<ExpressionFromGUI>& GetMutableRows() { return m_Rows; }
    bool ExpressionSetToBeNegated() const { return m_Negated; }
    void SetNegated(bool negated) { m_Negated = negated; }
    // The owner's description, for messages.
    const wxString& GetName() const { return m_Name; }
    void SetName(const wxString& name) { m_Name = name; }
    bool IsEmpty() const { return m_Rows.empty(); }

    // The truth of the whole: rows join left to right, "and" binding tighter than
    // "or" (A or B and C is A or (B and C)); the first row's isAnd is ignored; the
    // negation applies to the whole. No rows: true ("Always"), false when negated.
    // rowIsTrue is asked only for rows whose value can still change the result.
    bool Evaluate(const std::function<bool(const ExpressionFromGUI& row)>& rowIsTrue) const;

    // Same rows (verbatim), negation and name.
    bool IsVerbatimEqual(const MetaTFPredicate& o) const;

private:
    std::vector<ExpressionFromGUI> m_Rows;
    bool m_Negated = false;
    wxString m_Name;
};

}  // namespace Vantrel
