#pragma once
// A rule of blocks (kind 0) or trials (kind 1): its criteria (a predicate of
// criteria rows) and its actions (a list of action forms). Blocks and trials link
// to the rules they use (Interface_UsesRules); a rule may be shared by many.

#include <VTCore/MetaTFPredicate.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTElement.h>

#include <boost/shared_ptr.hpp>

namespace Vantrel {

class VTRule : public VTElement
{
public:
    explicit VTRule(VTExperiment* experiment);
    VTRule(const VTRule& source, VTExperiment* experiment = nullptr);
    ~VTRule() override;
    static VTRule* CreateTemporary_CallerMustDelete(const VTRule* original, VTExperiment* experiment);

    // A new rule of that kind with the predicate (null: no criteria rows) and no
    // actions, named `name` and already appended to the experiment's rules, which
    // own it. Null without an experiment. The two flags are kept for callers and
    // have no effect.
    static VTRule*
    FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(const wxString& name, VTExperiment* experiment, int kind,
                                                          boost::shared_ptr<const MetaTFPredicate> predicate,
                                                          bool unused1, bool unused2);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    static constexpr int kKindBlocks = 0;
    static constexpr int kKindTrials = 1;

    int GetKind() const { return m_Kind; }
    void SetKind(int kind) { m_Kind = kind; }
    bool IsUsedWithBlocks() const { return m_Kind == kKindBlocks; }

    // Criteria. The copy is independent of the rule; setting copies the predicate
    // in (null: no criteria rows).
    boost::shared_ptr<MetaTFPredicate> GetCopyOfExpression() const;
    void SetMetaTFPredicate(boost::shared_ptr<const MetaTFPredicate> predicate);
    // The stored criteria, for reading without a copy (a run evaluates these).
    const MetaTFPredicate& GetExpression() const { return m_Criteria; }

    // Actions. The list given is held as it is (shared); null: no actions.
    void ReplaceActionsWithNewList(boost::shared_ptr<VTActionList> actions);
    boost::shared_ptr<const std::vector<OrderFormForActionCreation>> GetOrderFormsToShowActionsInGUI() const;
    // The stored actions, in order; never null.
    const VTActionList& GetActions() const { return *m_Actions; }

private:
    int m_Kind = kKindTrials;
    MetaTFPredicate m_Criteria;
    boost::shared_ptr<VTActionList> m_Actions;
};

}  // namespace Vantrel
