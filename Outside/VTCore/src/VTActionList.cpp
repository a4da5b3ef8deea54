#include <VTCore/RuleCodes.h>
#include <VTCore/VTActionList.h>

#include <boost/make_shared.hpp>
#include <wx/intl.h>

#include <algorithm>

namespace Vantrel {

VTActionList::VTActionList(std::vector<OrderFormForActionCreation> forms, const wxString& name)
    : m_Forms(std::move(forms)), m_Name(name)
{}

boost::shared_ptr<const std::vector<OrderFormForActionCreation>> VTActionList::GetOrderFormsToShowActionsInGUI() const
{
    return boost::make_shared<const std::vector<OrderFormForActionCreation>>(m_Forms);
}

bool VTActionList::IsVerbatimEqual(const VTActionList& o) const
{
    return m_Name == o.m_Name && std::equal(m_Forms.begin(), m_Forms.end(), o.m_Forms.begin(), o.m_Forms.end(),
                                            [](const OrderFormForActionCreation& a,
                                               const OrderFormForActionCreation& b) { return a.IsVerbatimEqual(b); });
}

boost::shared_ptr<VTActionList>
ActionFactory::MakeActionListFromOrderForms(VTExperiment*, const std::vector<OrderFormForActionCreation>& forms,
                                            const wxString& name, int rowCount)
{
    // The panel's vector may hold stale rows after rowCount, or fewer than rowCount.
    const std::size_t n = std::min(forms.size(), std::size_t(std::max(rowCount, 0)));
    return boost::make_shared<VTActionList>(std::vector<OrderFormForActionCreation>(forms.begin(), forms.begin() + n),
                                            name);
}

wxString ActionFactory::GetDropDownLabelForTrialLevelForcedTarget(int code)
{
    switch (code) {
        case RuleCode::LevelSetFirst: return _("First level");
        case RuleCode::LevelSetLast: return _("Last level");
        case RuleCode::LevelSetRandom: return _("Random level");
        case RuleCode::LevelSetNumber: return _("Chosen level");
        default: return wxString();
    }
}

}  // namespace Vantrel
