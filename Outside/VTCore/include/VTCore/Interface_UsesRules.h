#pragma once
// The part of blocks and trials that links them to rules. Editors reach it with a
// dynamic_cast; other element classes do not have it.

namespace Vantrel {

class VTRule;
class VTUsedElements;

class Interface_UsesRules
{
public:
    virtual ~Interface_UsesRules();
    // Whether a link to that rule is held.
    virtual bool UsesRule(const VTRule* rule) const = 0;
    // Re-resolves the links by id, dropping cached pointers first (a working copy
    // may cache a rule that was just deleted) and links to rules that are gone.
    virtual void RefreshRuleUse() = 0;
    // Adds a link; a rule already held keeps its one link. False for null.
    virtual bool AttachRule(VTRule* rule) = 0;
    // Removes the link; false when none was held.
    virtual bool DetachRule(const VTRule* rule) = 0;
    // The rule links (type 4), in order.
    virtual VTUsedElements& GetUsedRules() = 0;
    virtual const VTUsedElements& GetUsedRules() const = 0;
};

}  // namespace Vantrel
