#pragma once
// The kinds of stored settings and the one field template that binds a kind to a
// data member. A class declares a field with `MakeField(key, &Class::m_Member, kind)`;
// the kind knows how the value is written, read, compared, copied and which
// references it holds.

#include "JsonFieldReader.h"

#include <NonPersistentHelpers/VTLinkT.h>
#include <NonPersistentHelpers/WxQtStrings.h>
#include <VTCore/DeclaredFields.h>

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace Vantrel {

inline std::string DescribeText(const wxString& s) { return "\"" + std::string(s.utf8_str()) + "\""; }

// Defaults for kinds whose value copies and compares with its own operators.
template <class Value>
struct PlainKind
{
    void CopyForClone(Value& to, const Value& from) const { to = from; }
    void CopySetting(Value& to, const Value& from) const { to = from; }
    bool Equal(const Value& a, const Value& b) const { return a == b; }
    void VisitReferences(Value&, const ReferenceVisitor&) const {}
    VTLinkT* Links(Value&) const { return nullptr; }
    bool WarnsOnPurge() const { return true; }
};

// A whole number (or an enumeration stored as one) within [min, max].
template <class Value>
struct IntKind : PlainKind<Value>
{
    long long min = INT_MIN;
    long long max = INT_MAX;

    void Write(const Value& v, QJsonObject& o, const char* key) const { o[key] = qint64(v); }
    void Read(Value& v, JsonFieldReader& f, const char* key) const { v = Value(f.Int(key, (long long)(v), min, max)); }
    std::string Describe(const Value& v) const { return std::to_string((long long)(v)); }
    void MakeDifferent(Value& v, const ElementIdSource&) const
    {
        const long long n = (long long)(v);
        v = Value(n < max ? n + 1 : min);
    }
};

template <class Value>
IntKind<Value> Whole(long long min = INT_MIN, long long max = INT_MAX)
{
    IntKind<Value> kind;
    kind.min = min;
    kind.max = max;
    return kind;
}

struct BoolKind : PlainKind<bool>
{
    void Write(const bool& v, QJsonObject& o, const char* key) const { o[key] = v; }
    void Read(bool& v, JsonFieldReader& f, const char* key) const { v = f.Bool(key, v); }
    std::string Describe(const bool& v) const { return v ? "true" : "false"; }
    void MakeDifferent(bool& v, const ElementIdSource&) const { v = !v; }
};

struct TextKind : PlainKind<wxString>
{
    void Write(const wxString& v, QJsonObject& o, const char* key) const { o[key] = ToQtString(v); }
    void Read(wxString& v, JsonFieldReader& f, const char* key) const { v = f.String(key, v); }
    std::string Describe(const wxString& v) const { return DescribeText(v); }
    void MakeDifferent(wxString& v, const ElementIdSource&) const { v += wxS("\u00e9x"); }
};

struct TextListKind : PlainKind<std::vector<wxString>>
{
    void Write(const std::vector<wxString>& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const wxString& s : v) array.append(ToQtString(s));
        o[key] = array;
    }
    void Read(std::vector<wxString>& v, JsonFieldReader& f, const char* key) const { v = f.Strings(key, v); }
    std::string Describe(const std::vector<wxString>& v) const
    {
        std::string s;
        for (const wxString& t : v) s += DescribeText(t) + " ";
        return "[" + s + "]";
    }
    void MakeDifferent(std::vector<wxString>& v, const ElementIdSource&) const
    {
        v.push_back(wxString::Format(wxS("file%zu.png"), v.size()));
    }
};

// The id of one element of a type, or `none`.
template <class Value>
struct ReferenceKind : PlainKind<Value>
{
    VTElementType type = 0;
    long long none = -1;

    void Write(const Value& v, QJsonObject& o, const char* key) const { o[key] = qint64(v); }
    void Read(Value& v, JsonFieldReader& f, const char* key) const
    {
        const long long n = f.Int(key, (long long)(v), std::min<long long>(none, 1), kMaxElementID);
        v = Value(n < 1 ? none : n);
    }
    std::string Describe(const Value& v) const { return std::to_string((long long)(v)); }
    void VisitReferences(Value& v, const ReferenceVisitor& visit) const
    {
        if ((long long)(v) >= 1 && !visit(type, std::uint32_t(v))) v = Value(none);
    }
    void MakeDifferent(Value& v, const ElementIdSource& ids) const
    {
        std::uint32_t id = ids(type, 0);
        if ((long long)(id) == (long long)(v)) id = ids(type, 1);
        v = Value(id ? (long long)(id) : none);
    }
};

template <class Value>
ReferenceKind<Value> ReferenceTo(VTElementType type, long long none)
{
    ReferenceKind<Value> kind;
    kind.type = type;
    kind.none = none;
    return kind;
}

// A list of element ids of one type (each a reference).
struct IdListKind : PlainKind<std::vector<std::uint32_t>>
{
    VTElementType type = 0;

    void Write(const std::vector<std::uint32_t>& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (std::uint32_t id : v) array.append(qint64(id));
        o[key] = array;
    }
    void Read(std::vector<std::uint32_t>& v, JsonFieldReader& f, const char* key) const { v = f.IDs(key, v); }
    std::string Describe(const std::vector<std::uint32_t>& v) const;
    void VisitReferences(std::vector<std::uint32_t>& v, const ReferenceVisitor& visit) const
    {
        v.erase(std::remove_if(v.begin(), v.end(), [&](std::uint32_t id) { return !visit(type, id); }), v.end());
    }
    void MakeDifferent(std::vector<std::uint32_t>& v, const ElementIdSource& ids) const;
};

inline IdListKind IdsOf(VTElementType type)
{
    IdListKind kind;
    kind.type = type;
    return kind;
}

// A link list ({"unique": bool, "links": [[id, extra], ...]}); its type is its own.
struct LinksKind
{
    bool warnsOnPurge = true;

    void CopyForClone(VTUsedElements& to, const VTUsedElements& from) const { to = from; }
    void CopySetting(VTUsedElements& to, const VTUsedElements& from) const { to.CopyLinksFrom(from); }
    bool Equal(const VTUsedElements& a, const VTUsedElements& b) const;
    void Write(const VTUsedElements& v, QJsonObject& o, const char* key) const;
    void Read(VTUsedElements& v, JsonFieldReader& f, const char* key) const { f.Links(key, v); }
    std::string Describe(const VTUsedElements& v) const;
    void VisitReferences(VTUsedElements& v, const ReferenceVisitor& visit) const;
    VTLinkT* Links(VTUsedElements& v) const { return &v; }
    bool WarnsOnPurge() const { return warnsOnPurge; }
    void MakeDifferent(VTUsedElements& v, const ElementIdSource& ids) const;
};

template <class Kind, class Value, class = void>
struct HasParameterNames : std::false_type
{};
template <class Kind, class Value>
struct HasParameterNames<Kind, Value,
                         std::void_t<decltype(std::declval<const Kind&>().VisitParameterNames(
                             std::declval<Value&>(), std::declval<const ParameterNameVisitor&>()))>> : std::true_type
{};

// Binds a kind to a data member of Class (Owner is the root of Class's hierarchy).
template <class Owner, class Class, class Value, class Kind>
class MemberField final : public DeclaredField<Owner>
{
public:
    MemberField(const char* key, Value Class::*member, Kind kind)
        : DeclaredField<Owner>(key), m_Member(member), m_Kind(std::move(kind))
    {}

    void CopyForClone(Owner& to, const Owner& from) const override { m_Kind.CopyForClone(Get(to), Get(from)); }
    void CopySetting(Owner& to, const Owner& from) const override { m_Kind.CopySetting(Get(to), Get(from)); }
    bool Equal(const Owner& a, const Owner& b) const override { return m_Kind.Equal(Get(a), Get(b)); }
    std::string Describe(const Owner& owner) const override { return m_Kind.Describe(Get(owner)); }
    void Write(const Owner& owner, QJsonObject& o) const override { m_Kind.Write(Get(owner), o, this->Key()); }
    void Read(Owner& owner, JsonFieldReader& f) const override { m_Kind.Read(Get(owner), f, this->Key()); }
    void VisitReferences(Owner& owner, const ReferenceVisitor& visit) const override
    {
        m_Kind.VisitReferences(Get(owner), visit);
    }
    void VisitParameterNames(Owner& owner, const ParameterNameVisitor& visit) const override
    {
        // Only the kinds that hold parameter names (rule forms) have the operation.
        if constexpr (HasParameterNames<Kind, Value>::value) m_Kind.VisitParameterNames(Get(owner), visit);
    }
    VTLinkT* Links(Owner& owner) const override { return m_Kind.Links(Get(owner)); }
    bool WarnsOnPurge() const override { return m_Kind.WarnsOnPurge(); }
    void MakeDifferent(Owner& owner, const ElementIdSource& ids) const override
    {
        m_Kind.MakeDifferent(Get(owner), ids);
    }

private:
    // The table of Class is only ever applied to objects of Class.
    Value& Get(Owner& owner) const { return static_cast<Class&>(owner).*m_Member; }
    const Value& Get(const Owner& owner) const { return static_cast<const Class&>(owner).*m_Member; }

    Value Class::*m_Member;
    Kind m_Kind;
};

template <class Owner, class Class, class Value, class Kind>
std::unique_ptr<const DeclaredField<Owner>> MakeField(const char* key, Value Class::*member, Kind kind)
{
    return std::make_unique<MemberField<Owner, Class, Value, Kind>>(key, member, std::move(kind));
}

// Shorthands for element classes.
template <class Class, class Value, class Kind>
std::unique_ptr<const ElementField> ElementMember(const char* key, Value Class::*member, Kind kind)
{
    return MakeField<Minimal_VTElement>(key, member, std::move(kind));
}

}  // namespace Vantrel
