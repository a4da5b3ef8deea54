#pragma once
// What a rule row needs of the panel that holds it.

namespace Vantrel {

class RuleComponentRowPanel;

class Interface_MultiRowManager
{
public:
    virtual ~Interface_MultiRowManager() = default;
    virtual void InsertRowFollowing(RuleComponentRowPanel* row) = 0;
    virtual void InsertDuplicateRowFollowing(RuleComponentRowPanel* row) = 0;
    virtual void RemoveRow(RuleComponentRowPanel* row) = 0;
    virtual void OnSubrowReportingChanges(RuleComponentRowPanel* row) = 0;
    virtual bool IsVeryFirstLeadingSubrow(const RuleComponentRowPanel* row) const = 0;
};

}  // namespace Vantrel
