#pragma once
// Turns the stored rules of the blocks and trials a run presents into the rules the
// run carries out (VTRunRules.h). A rule is compiled once, however many blocks or
// trials use it. A criterion or action the run cannot carry out, one that makes no
// sense where the rule is used, or one that names a block or event that no longer
// exists, keeps the run from starting: the reason names the rule and the item.
// Parameters are named by the rules and found by name among the experiment's
// parameters, whose order is that of VTRunPlan::parameters (VTRunPlanBuilder).

#include <wx/string.h>

#include <map>
#include <set>
#include <vector>

#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

class Interface_UsesRules;
class MetaTFPredicate;
class VTExperiment;
class VTRule;
class VTTrialVariable;
struct ExpressionFromGUI;
struct OrderFormForActionCreation;

class VTRuleCompiler
{
public:
    // Where criteria are evaluated: before a block or trial presentation ("When to
    // Present"), or after one (rules).
    enum class Context
    {
        BlockWhen,
        BlockRules,
        TrialWhen,
        TrialRules
    };
    static constexpr size_t kAlways = kAlwaysPresent;

    VTRuleCompiler(VTExperiment& experiment, std::vector<VTPlannedRule>& pool) : m_Experiment(experiment), m_Pool(pool)
    {}

    // Appends to `indexes` the pool index of each rule `owner` uses, in order. False
    // with `why` (a sentence fragment naming the rule and the item) when one cannot run.
    bool AddRulesOf(Interface_UsesRules& owner, Context context, std::vector<size_t>& indexes, wxString& why);

    // The pool index of a "When to Present" (owner names the block or trial in messages);
    // kAlways for none. False with `why` when it cannot run.
    bool AddWhenToPresent(const MetaTFPredicate* predicate, Context context, const wxString& owner, size_t& index,
                          wxString& why);

    // The blocks and events the compiled rules present, by id.
    const std::set<int>& GetPresentedBlocks() const { return m_PresentedBlocks; }
    const std::set<int>& GetPresentedEvents() const { return m_PresentedEvents; }

private:
    bool Compile(const VTRule& rule, Context context, VTPlannedRule& out, wxString& why);
    bool CompileCriteria(const MetaTFPredicate& predicate, Context context, VTPlannedRule& out, wxString& why);
    bool CompileCriterion(const ExpressionFromGUI& row, Context context, VTPlannedCriterion& out, wxString& item);
    bool CompileAction(const OrderFormForActionCreation& form, Context context, VTPlannedAction& out, wxString& item);
    bool CompileParameterCriterion(const ExpressionFromGUI& row, VTPlannedCriterion& out);
    bool CompileCollectionCriterion(const ExpressionFromGUI& row, bool aboutTheTrial, VTPlannedCriterion& out,
                                    wxString& item);
    bool CompileLevelAction(const OrderFormForActionCreation& form, VTPlannedAction& out);
    // The trial variable with that id and its index among the experiment's trial variables; null and -1 when gone.
    const VTTrialVariable* TrialVariable(int id, int& index);
    bool CompileLevelCriterion(const ExpressionFromGUI& row, bool aboutTheTrial, VTPlannedCriterion& out,
                               wxString& item);
    // The id of the tag set the tag belongs to; -1 when there is no such tag.
    int TagSetOf(int tagID) const;
    bool CompileParameterAction(const OrderFormForActionCreation& form, Context context, VTPlannedAction& out,
                                wxString& item);
    // The index of the named parameter in the experiment's order, or -1 (the refusal
    // is then in m_ParameterIssue, `what` naming the criterion or action).
    int ParameterIndex(const wxString& name, const wxString& what);
    // Whether the parameter has the type the item needs; else the refusal.
    bool ParameterHasType(int index, int type, const wxString& what);

    VTExperiment& m_Experiment;
    std::vector<VTPlannedRule>& m_Pool;
    std::map<std::pair<unsigned, Context>, size_t> m_Compiled;
    std::map<const MetaTFPredicate*, size_t> m_CompiledWhen;
    std::set<int> m_PresentedBlocks, m_PresentedEvents;
    // Set when the last criterion refused names an element that no longer exists.
    bool m_Dangling = false;
    // Why the last item naming a parameter was refused: the words after the rule's name.
    wxString m_ParameterIssue;
    std::map<wxString, int> m_ParameterIndexes;
    bool m_ParametersIndexed = false;
};

}  // namespace Vantrel
