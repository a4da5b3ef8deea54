#pragma once
// The function a criterion applies to a collection parameter (count of tagged or
// correct trials, their percentage, the average reaction time, fullness,
// membership), with how it is described, shown on the collections operand page
// and written into an expression form.

#include <wx/string.h>
#include <cstdint>

class wxWindow;

namespace Vantrel {

class VTExperiment;
struct OrderFormForExpressionCreation;

struct CollectionFunctionInfo
{
    static constexpr std::int32_t kNumberTagged = 0;
    static constexpr std::int32_t kPercentTagged = 1;
    static constexpr std::int32_t kNumberCorrect = 2;
    static constexpr std::int32_t kPercentCorrect = 3;
    static constexpr std::int32_t kAverageRT = 4;
    static constexpr std::int32_t kIsFull = 5;
    static constexpr std::int32_t kContainsTrial = 6;
    static constexpr std::int32_t kContainsTrialToo = 7;

    std::int32_t function = kIsFull;
    std::int32_t tagId = -1;      // functions 0 and 1
    bool correct = true;          // functions 2 and 3: correct (true) or incorrect trials
    bool doesNotContain = false;  // functions 6 and 7

    bool operator==(const CollectionFunctionInfo& o) const
    {
        return function == o.function && tagId == o.tagId && correct == o.correct && doesNotContain == o.doesNotContain;
    }
    bool operator!=(const CollectionFunctionInfo& o) const { return !(*this == o); }

    // Only the counting functions compare a number.
    bool ComparesANumber() const { return function >= kNumberTagged && function <= kAverageRT; }

    // The text of the page's settings link.
    wxString GetSummaryDescription(const VTExperiment* experiment) const;
    // Shows or hides the operator, the number field and the units label of the page.
    static void ShowEquationalPortions(wxWindow* page, bool show);
    // Link text, operators, units and visibility of the collections page.
    void AdjustVisiblePanelsForCurrentInfo(wxWindow* page, const VTExperiment* experiment) const;
    // rhsKind, value2, builtIn and the one collmem marker of the form.
    void TranslateInfoOntoExpressionForm(OrderFormForExpressionCreation& form) const;
};

}  // namespace Vantrel
