#pragma once
// Stored settings declared once. Every element class (and the experiment) lists
// its settings in one table of fields; copying a working copy, committing it,
// saving, loading, the link walk and the reference check all go through that
// table. A setting that is declared is therefore copied, saved and loaded alike,
// and the round-trip test fills and compares every declared field without a list
// of its own.

#include <VTCore/VTElementType.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QJsonObject;
class wxString;

namespace Vantrel {

class JsonFieldReader;
class VTLinkT;

// Called for each reference a field holds to another element; returning false
// drops that reference (a link is removed, an id becomes "none").
using ReferenceVisitor = std::function<bool(VTElementType type, std::uint32_t id)>;
// Answers the id of an existing element of a type (0 when there is none), so a
// field can be given a reference that resolves. `salt` picks among several.
using ElementIdSource = std::function<std::uint32_t(VTElementType type, unsigned salt)>;
// Called for each experiment parameter a field names (rules refer to parameters by
// name). The call may rewrite the name it is given (a renamed parameter's references
// follow it). Returning false drops the reference: an action on it is removed; a
// criterion row that tests it is removed with `removesCriteria`, else its name
// becomes empty (the run then refuses the rule).
struct ParameterNameVisitor
{
    template <class F>
    ParameterNameVisitor(F f, bool removesCriteria_ = false) : visit(std::move(f)), removesCriteria(removesCriteria_)
    {}
    bool operator()(wxString& name) const { return visit(name); }

    std::function<bool(wxString& name)> visit;
    bool removesCriteria;
};

// One stored setting of objects of class Owner (an element or the experiment).
template <class Owner>
class DeclaredField
{
public:
    explicit DeclaredField(const char* key) : m_Key(key) {}
    virtual ~DeclaredField() = default;
    DeclaredField(const DeclaredField&) = delete;
    DeclaredField& operator=(const DeclaredField&) = delete;

    // The name in the document (several keys for a few composite settings).
    const char* Key() const { return m_Key; }

    // Making a clone or a working copy: link lists keep the source's experiment.
    virtual void CopyForClone(Owner& to, const Owner& from) const = 0;
    // Committing a working copy into its original: link lists keep their own experiment.
    virtual void CopySetting(Owner& to, const Owner& from) const = 0;
    virtual bool Equal(const Owner& a, const Owner& b) const = 0;
    // The value as text, for messages and test failures.
    virtual std::string Describe(const Owner& owner) const = 0;
    virtual void Write(const Owner& owner, QJsonObject& o) const = 0;
    // Reads the value when the document has it; a missing key keeps the value
    // the owner was constructed with. Problems go into the reader's error.
    virtual void Read(Owner& owner, JsonFieldReader& f) const = 0;
    virtual void VisitReferences(Owner&, const ReferenceVisitor&) const {}
    virtual void VisitParameterNames(Owner&, const ParameterNameVisitor&) const {}
    // The link list this field is, or null.
    virtual VTLinkT* Links(Owner&) const { return nullptr; }
    // Whether dropping unresolvable links of this list warns (rule links refresh quietly).
    virtual bool WarnsOnPurge() const { return true; }
    // Gives the field a valid value that differs from its current one.
    virtual void MakeDifferent(Owner& owner, const ElementIdSource& ids) const = 0;

private:
    const char* m_Key;
};

// The fields of one class: its parent class's table first, then its own.
template <class Owner>
class DeclaredFieldTable
{
public:
    using Field = DeclaredField<Owner>;
    using FieldPtr = std::unique_ptr<const Field>;

    template <class... Fields>
    explicit DeclaredFieldTable(const DeclaredFieldTable* parent, Fields&&... fields)
    {
        if (parent) m_All = parent->m_All;
        (m_Own.push_back(std::forward<Fields>(fields)), ...);
        for (const FieldPtr& f : m_Own) m_All.push_back(f.get());
    }

    const std::vector<const Field*>& Fields() const { return m_All; }

    void CopyForClone(Owner& to, const Owner& from) const
    {
        for (const Field* f : m_All) f->CopyForClone(to, from);
    }
    void CopySettings(Owner& to, const Owner& from) const
    {
        for (const Field* f : m_All) f->CopySetting(to, from);
    }
    void Write(const Owner& owner, QJsonObject& o) const
    {
        for (const Field* f : m_All) f->Write(owner, o);
    }
    void Read(Owner& owner, JsonFieldReader& reader) const
    {
        for (const Field* f : m_All) f->Read(owner, reader);
    }
    void VisitReferences(Owner& owner, const ReferenceVisitor& visit) const
    {
        for (const Field* f : m_All) f->VisitReferences(owner, visit);
    }
    void VisitParameterNames(Owner& owner, const ParameterNameVisitor& visit) const
    {
        for (const Field* f : m_All) f->VisitParameterNames(owner, visit);
    }
    template <class F>
    void ForEachLinkList(Owner& owner, F&& f) const
    {
        for (const Field* field : m_All)
            if (VTLinkT* links = field->Links(owner)) f(*links, field->WarnsOnPurge());
    }
    // "key: a / b" for every field whose values differ.
    std::vector<std::string> Differences(const Owner& a, const Owner& b) const
    {
        std::vector<std::string> out;
        for (const Field* f : m_All)
            if (!f->Equal(a, b)) out.push_back(std::string(f->Key()) + ": " + f->Describe(a) + " / " + f->Describe(b));
        return out;
    }

private:
    std::vector<FieldPtr> m_Own;
    std::vector<const Field*> m_All;
};

class Minimal_VTElement;
class VTExperiment;
using ElementField = DeclaredField<Minimal_VTElement>;
using ElementFieldTable = DeclaredFieldTable<Minimal_VTElement>;
using ExperimentFieldTable = DeclaredFieldTable<VTExperiment>;

}  // namespace Vantrel
