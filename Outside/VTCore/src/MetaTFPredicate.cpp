#include <VTCore/MetaTFPredicate.h>

#include <boost/make_shared.hpp>

#include <algorithm>

namespace Vantrel {

MetaTFPredicate::MetaTFPredicate(std::vector<ExpressionFromGUI> rows, bool negated, const wxString& name)
    : m_Rows(std::move(rows)), m_Negated(negated), m_Name(name)
{}

boost::shared_ptr<MetaTFPredicate>
MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(VTExperiment*, const std::vector<ExpressionFromGUI>& forms,
                                                          bool negated, const wxString& name, int rowCount)
{
    // The panel's vector may hold stale rows after rowCount, or fewer than rowCount.
    const std::size_t n = std::min(forms.size(), std::size_t(std::max(rowCount, 0)));
    return boost::make_shared<MetaTFPredicate>(std::vector<ExpressionFromGUI>(forms.begin(), forms.begin() + n),
                                               negated, name);
}

bool MetaTFPredicate::Evaluate(const std::function<bool(const ExpressionFromGUI& row)>& rowIsTrue) const
{
    // An "or" of "and" groups: a row with isAnd false (not the first) starts a group.
    // A true group decides the whole; a false row decides its group.
    bool groupTrue = true;
    for (std::size_t i = 0; i < m_Rows.size(); ++i) {
        const ExpressionFromGUI& row = m_Rows[i];
        if (i > 0 && !row.isAnd) {
            if (groupTrue) return !m_Negated;
            groupTrue = true;
        }
        if (groupTrue) groupTrue = rowIsTrue(row);
    }
    return groupTrue != m_Negated;
}

bool MetaTFPredicate::IsVerbatimEqual(const MetaTFPredicate& o) const
{
    return m_Negated == o.m_Negated && m_Name == o.m_Name &&
           std::equal(m_Rows.begin(), m_Rows.end(), o.m_Rows.begin(), o.m_Rows.end(),
                      [](const ExpressionFromGUI& a, const ExpressionFromGUI& b) { return a.IsVerbatimEqual(b); });
}

}  // namespace Vantrel
