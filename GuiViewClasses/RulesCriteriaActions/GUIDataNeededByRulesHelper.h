#pragma once
// What one rule row currently shows, kept current by the row's event handlers
// while the user edits and converted to and from the stored order forms
// (RulesHelperMappings.h). A value type.

#include "CollectionFunctionInfo.h"

#include <VTCore/TrialSubsetDescription.h>

#include <wx/colour.h>
#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

namespace RhsDirective {
constexpr int None = -1;
constexpr int Value = 881;      // the right side is a typed value
constexpr int Parameter = 882;  // the right side is another parameter
}  // namespace RhsDirective

struct GUIDataNeededByRulesHelper
{
    GUIDataNeededByRulesHelper() : GUIDataNeededByRulesHelper(NoReset()) {}

    wxString choiceString;        // the page's first choice: operator (criteria) or parameter (actions)
    wxString secondChoiceString;  // the second choice: right-side parameter, time unit, level label
    wxString textFieldContent;
    wxString firstTextFieldContent;  // the first non-blank value the field had
    std::int32_t elementIdOne;
    std::int32_t elementIdTwo;
    std::int32_t levelSetting;  // 3018-3021 of "Set trial level"
    std::int32_t rhsDirective;  // RhsDirective
    wxColour colour;
    TrialSubsetDescription trialSubset;
    CollectionFunctionInfo collectionFunction;
    std::int32_t submenuId;  // the left-side submenu pick, -1 none

    void ResetDefaults();
    void SetTextFieldContent(const wxString& text);
    wxString GetOriginalValueOrElseThis(const wxString& fallback) const;

private:
    struct NoReset
    {};
    explicit GUIDataNeededByRulesHelper(NoReset);
};

// The base-10 integer in text when it is one that fits 32 bits; what a typed number
// means everywhere in the rules editor.
bool ParseRuleNumber(const wxString& text, std::int32_t& out);

}  // namespace Vantrel
