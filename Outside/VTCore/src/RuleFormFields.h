#pragma once
// How rule order forms are stored, copied, compared and walked for references:
// the criteria of rules and of "When to Present", and the actions of rules. Forms
// are stored verbatim, every field as written; only the reference walk changes
// them (a criterion naming a deleted element or parameter keeps its row with the
// reference neutralised, -1 or an empty name; an action on one is removed).

#include "FieldKinds.h"

#include <VTCore/MetaTFPredicate.h>
#include <VTCore/VTActionList.h>

#include <boost/shared_ptr.hpp>

namespace Vantrel {

// The reference walk of one form. A criterion's dropped reference is set to none;
// an action answers false when one of its references was dropped.
void VisitFormReferences(OrderFormForExpressionCreation& form, const ReferenceVisitor& visit);
// False when a name the row tests was dropped.
bool VisitFormParameterNames(OrderFormForExpressionCreation& form, const ParameterNameVisitor& visit);
bool VisitFormReferences(OrderFormForActionCreation& form, const ReferenceVisitor& visit);
bool VisitFormParameterNames(OrderFormForActionCreation& form, const ParameterNameVisitor& visit);

// An independent copy, or null.
inline boost::shared_ptr<MetaTFPredicate> CopyOfPredicate(const boost::shared_ptr<const MetaTFPredicate>& p)
{
    return p ? boost::shared_ptr<MetaTFPredicate>(new MetaTFPredicate(*p)) : boost::shared_ptr<MetaTFPredicate>();
}

// {"name": text, "negated": bool, "rows": [criteria rows]}.
struct PredicateKind : PlainKind<MetaTFPredicate>
{
    bool Equal(const MetaTFPredicate& a, const MetaTFPredicate& b) const { return a.IsVerbatimEqual(b); }
    void Write(const MetaTFPredicate& v, QJsonObject& o, const char* key) const;
    void Read(MetaTFPredicate& v, JsonFieldReader& f, const char* key) const;
    std::string Describe(const MetaTFPredicate& v) const;
    void VisitReferences(MetaTFPredicate& v, const ReferenceVisitor& visit) const;
    void VisitParameterNames(MetaTFPredicate& v, const ParameterNameVisitor& visit) const;
    void MakeDifferent(MetaTFPredicate& v, const ElementIdSource& ids) const;
};

// A predicate that may be absent (null: always): no key, or as PredicateKind.
struct OptionalPredicateKind
{
    using Ptr = boost::shared_ptr<MetaTFPredicate>;
    void CopyForClone(Ptr& to, const Ptr& from) const;
    void CopySetting(Ptr& to, const Ptr& from) const { CopyForClone(to, from); }
    bool Equal(const Ptr& a, const Ptr& b) const;
    void Write(const Ptr& v, QJsonObject& o, const char* key) const;
    void Read(Ptr& v, JsonFieldReader& f, const char* key) const;
    std::string Describe(const Ptr& v) const;
    void VisitReferences(Ptr& v, const ReferenceVisitor& visit) const;
    void VisitParameterNames(Ptr& v, const ParameterNameVisitor& visit) const;
    VTLinkT* Links(Ptr&) const { return nullptr; }
    bool WarnsOnPurge() const { return true; }
    void MakeDifferent(Ptr& v, const ElementIdSource& ids) const;
};

// An action list, never null: {"name": text, "rows": [action rows]}. Copies are
// deep, so a working copy shares nothing with its original.
struct ActionListKind
{
    using Ptr = boost::shared_ptr<VTActionList>;
    void CopyForClone(Ptr& to, const Ptr& from) const;
    void CopySetting(Ptr& to, const Ptr& from) const { CopyForClone(to, from); }
    bool Equal(const Ptr& a, const Ptr& b) const { return a->IsVerbatimEqual(*b); }
    void Write(const Ptr& v, QJsonObject& o, const char* key) const;
    void Read(Ptr& v, JsonFieldReader& f, const char* key) const;
    std::string Describe(const Ptr& v) const;
    void VisitReferences(Ptr& v, const ReferenceVisitor& visit) const;
    void VisitParameterNames(Ptr& v, const ParameterNameVisitor& visit) const;
    VTLinkT* Links(Ptr&) const { return nullptr; }
    bool WarnsOnPurge() const { return true; }
    void MakeDifferent(Ptr& v, const ElementIdSource& ids) const;
};

}  // namespace Vantrel
