#pragma once
// The actions of a rule or of a feedback, in order, as action order forms.

#include <VTCore/OrderFormForActionCreation.h>

#include <boost/shared_ptr.hpp>
#include <wx/string.h>
#include <vector>

namespace Vantrel {

class VTExperiment;

class VTActionList
{
public:
    VTActionList() = default;
    VTActionList(std::vector<OrderFormForActionCreation> forms, const wxString& name);

    bool IsEmpty() const { return m_Forms.empty(); }
    std::size_t Size() const { return m_Forms.size(); }
    // The actions as order forms, in order (a copy the caller may keep).
    boost::shared_ptr<const std::vector<OrderFormForActionCreation>> GetOrderFormsToShowActionsInGUI() const;
    const std::vector<OrderFormForActionCreation>& GetForms() const { return m_Forms; }
    std::vector<OrderFormForActionCreation>& GetMutableForms() { return m_Forms; }
    const wxString& GetName() const { return m_Name; }
    void SetName(const wxString& name) { m_Name = name; }

    // Same forms (verbatim) and name.
    bool IsVerbatimEqual(const VTActionList& o) const;

private:
    std::vector<OrderFormForActionCreation> m_Forms;
    wxString m_Name;
};

class ActionFactory
{
public:
    // A new list from the first rowCount forms (fewer when the vector is shorter).
    // Never null.
    static boost::shared_ptr<VTActionList>
    MakeActionListFromOrderForms(VTExperiment* experiment, const std::vector<OrderFormForActionCreation>& forms,
                                 const wxString& name, int rowCount);
    // The label of a level setting 3018-3021 as the level choice shows it (3020:
    // "Random level"); empty for other codes.
    static wxString GetDropDownLabelForTrialLevelForcedTarget(int code);
};

}  // namespace Vantrel
