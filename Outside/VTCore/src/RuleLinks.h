#pragma once
// The shared workings of Interface_UsesRules over one link list.

#include "FieldKinds.h"

#include <NonPersistentHelpers/VTLinkT.h>
#include <VTCore/VTRule.h>

namespace Vantrel {
namespace RuleLinks {

// Rule links refresh without warnings: a working copy may hold a rule the
// deletion manager has just removed.
inline LinksKind Kind()
{
    LinksKind kind;
    kind.warnsOnPurge = false;
    return kind;
}

inline bool Uses(const VTUsedElements& rules, const VTRule* rule)
{
    return rule && rules.GetIndexByID(rule->GetID()) >= 0;
}

inline void Refresh(VTUsedElements& rules)
{
    rules.WipeCleanAllElementPointers();
    rules.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(false);
}

inline bool Attach(VTUsedElements& rules, VTRule* rule)
{
    if (!rule) return false;
    if (Uses(rules, rule)) return true;
    rules.AppendLinkForLoading(rule->GetID(), 0);
    rules.SetElementPtr(unsigned(rules.Size() - 1), rule);
    return true;
}

inline bool Detach(VTUsedElements& rules, const VTRule* rule)
{
    const int i = rule ? rules.GetIndexByID(rule->GetID()) : -1;
    if (i < 0) return false;
    rules.RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(unsigned(i));
    return true;
}

}  // namespace RuleLinks
}  // namespace Vantrel
