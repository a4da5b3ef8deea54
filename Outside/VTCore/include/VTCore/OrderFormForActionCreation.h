#pragma once
// One action of a rule or feedback as the rules editor composes it, stored
// verbatim (RuleCodes.h names the codes).

#include <wx/colour.h>
#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

struct OrderFormForActionCreation
{
    OrderFormForActionCreation() { ResetDefaults(); }

    std::int32_t streamingVersion;
    wxString flagText;  // TIMER_FEATURES_503 for timer actions
    std::int32_t spareCode;
    std::int32_t actionType;     // RuleCode::Action*
    std::int32_t target;         // first element id (block, event, trial level, tag set)
    std::int32_t target2;        // second element id (tag)
    std::int32_t operation;      // parameter operation 1-12, 1001 colour, 0/2 for 2004, 3016-3021 for 2016
    std::int32_t parameterType;  // 2101-2104, 2201, or 0 ("Reset parameter")
    std::int32_t number;         // numeric operand (counter value, level number)
    wxString parameterName;      // the parameter acted on
    wxString text;               // text operand, or the right-side parameter's name (2017)
    wxColour colour;             // background colour operand

    // The version this program writes.
    static std::int32_t ComputeActionFormStreamingVersion(bool current);

    void ResetDefaults();
    // Equal in every field the editor compares (streamingVersion is not compared).
    bool operator==(const OrderFormForActionCreation& o) const;
    bool operator!=(const OrderFormForActionCreation& o) const { return !(*this == o); }
    // Equal in every stored field, streamingVersion included.
    bool IsVerbatimEqual(const OrderFormForActionCreation& o) const;

    void RemoveAnyStringsForTimerFeature503();
    bool HasFlag(const wxChar* marker) const { return flagText.Find(marker) != wxNOT_FOUND; }
};

}  // namespace Vantrel
