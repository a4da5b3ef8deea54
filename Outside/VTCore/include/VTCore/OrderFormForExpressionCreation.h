#pragma once
// One criterion of a rule as the rules editor composes it, stored verbatim: the
// model keeps every field exactly as written (RuleCodes.h names the codes).

#include <VTCore/TrialSubsetDescription.h>

#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

struct OrderFormForExpressionCreation
{
    OrderFormForExpressionCreation() { ResetDefaults(); }

    std::int32_t streamingVersion;
    wxString flagText;  // markers (RuleFormMarkers.h)
    std::int32_t spareCode;
    std::int32_t kind;               // RuleCode::Kind*
    std::int32_t value;              // the compared number, or an element id
    std::int32_t operatorInContext;  // RuleCode::Op*, within the criterion's operator context
    std::int32_t builtIn;            // RuleCode::BuiltIn* (kind 1); collection's correct flag 0/1 (kind 4)
    std::int32_t rhsKind;            // RuleCode::Rhs*; the collection function (kind 4)
    std::int32_t value2;             // tag, trial level, parameter type, response, collection tag
    wxString name;                   // the left-side parameter or collection
    wxString text;                   // right-side text, or the right-side parameter's name (rhsKind 882)
    TrialSubsetDescription trialSubset;

    // The version this program writes.
    static std::int32_t ComputeExpressionFormStreamingVersion(bool current);

    void ResetDefaults();
    // Equal in every field the editor compares (streamingVersion is not compared).
    bool operator==(const OrderFormForExpressionCreation& o) const;
    bool operator!=(const OrderFormForExpressionCreation& o) const { return !(*this == o); }
    // Equal in every stored field, streamingVersion included.
    bool IsVerbatimEqual(const OrderFormForExpressionCreation& o) const;

    void MarkFormForTimerFeature503();
    void RemoveAnyStringsForTimerFeature503();
    void RemoveAnyTimeUnitStrings();
    void RemoveAnyTimeCollMembershipStrings();
    bool HasFlag(const wxChar* marker) const { return flagText.Find(marker) != wxNOT_FOUND; }

    // Records the unit whose text the row's unit choice shows ("milliseconds",
    // "seconds", "minutes", translated) as the one time-unit marker; the value stays
    // as typed. An unknown text records milliseconds.
    void ApplyAppropriateTimeUnitTranslation(const wxString& unitText, int value);
    // The text of the recorded unit; milliseconds when none is recorded.
    wxString GetUserInterfaceStringFromTimeUnitCode() const;
    // Milliseconds per unit of the recorded unit (1, 1000 or 60000).
    std::int64_t GetMillisecondsPerTimeUnit() const;
};

// A criteria row: the form and how it joins the row before it.
struct ExpressionFromGUI : OrderFormForExpressionCreation
{
    ExpressionFromGUI() = default;
    explicit ExpressionFromGUI(const OrderFormForExpressionCreation& form, bool and_ = true)
        : OrderFormForExpressionCreation(form), isAnd(and_)
    {}

    bool isAnd = true;  // joined to the previous row by "and" (true) or "or" (false); ignored on the first row

    void ResetDefaults()
    {
        OrderFormForExpressionCreation::ResetDefaults();
        isAnd = true;
    }
    bool IsVerbatimEqual(const ExpressionFromGUI& o) const
    {
        return isAnd == o.isAnd && OrderFormForExpressionCreation::IsVerbatimEqual(o);
    }
};

}  // namespace Vantrel
