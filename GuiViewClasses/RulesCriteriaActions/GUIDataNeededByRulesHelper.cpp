#include "GUIDataNeededByRulesHelper.h"

#include <limits>

namespace Vantrel {

void GUIDataNeededByRulesHelper::ResetDefaults() { *this = GUIDataNeededByRulesHelper(NoReset()); }

GUIDataNeededByRulesHelper::GUIDataNeededByRulesHelper(NoReset)
    : elementIdOne(-1),
      elementIdTwo(-1),
      levelSetting(0),
      rhsDirective(RhsDirective::None),
      colour(255, 255, 255),
      submenuId(-1)
{}

void GUIDataNeededByRulesHelper::SetTextFieldContent(const wxString& text)
{
    textFieldContent = text;
    if (firstTextFieldContent.empty() && !wxString(text).Trim(true).Trim(false).empty()) firstTextFieldContent = text;
}

wxString GUIDataNeededByRulesHelper::GetOriginalValueOrElseThis(const wxString& fallback) const
{
    return firstTextFieldContent.empty() ? fallback : firstTextFieldContent;
}

bool ParseRuleNumber(const wxString& text, std::int32_t& out)
{
    long long number = 0;
    // A number that does not fit is no number here: stored, it would come back as another.
    if (!text.ToLongLong(&number, 10) || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return false;
    out = std::int32_t(number);
    return true;
}

}  // namespace Vantrel
