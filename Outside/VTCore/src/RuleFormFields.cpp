#include "RuleFormFields.h"

#include <NonPersistentHelpers/WxQtStrings.h>
#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>

#include <QJsonDocument>
#include <boost/make_shared.hpp>
#include <wx/intl.h>

#include <algorithm>

namespace Vantrel {

namespace {

// ---- The stored fields of each form, declared once for writing, reading and describing.

template <class Form>
struct IntMember
{
    const char* key;
    std::int32_t Form::*member;
};

template <class Form>
struct TextMember
{
    const char* key;
    wxString Form::*member;
};

using Expr = OrderFormForExpressionCreation;
using Action = OrderFormForActionCreation;

const IntMember<Expr> kExpressionInts[] = {
    {"streamingVersion", &Expr::streamingVersion},
    {"spareCode", &Expr::spareCode},
    {"kind", &Expr::kind},
    {"value", &Expr::value},
    {"operatorInContext", &Expr::operatorInContext},
    {"builtIn", &Expr::builtIn},
    {"rhsKind", &Expr::rhsKind},
    {"value2", &Expr::value2},
};
const TextMember<Expr> kExpressionTexts[] = {
    {"flagText", &Expr::flagText}, {"name", &Expr::name}, {"text", &Expr::text}};

const IntMember<Action> kActionInts[] = {
    {"streamingVersion", &Action::streamingVersion},
    {"spareCode", &Action::spareCode},
    {"actionType", &Action::actionType},
    {"target", &Action::target},
    {"target2", &Action::target2},
    {"operation", &Action::operation},
    {"parameterType", &Action::parameterType},
    {"number", &Action::number},
};
const TextMember<Action> kActionTexts[] = {
    {"flagText", &Action::flagText}, {"parameterName", &Action::parameterName}, {"text", &Action::text}};

template <class Form, std::size_t NI, std::size_t NT>
void WriteMembers(const Form& form, const IntMember<Form> (&ints)[NI], const TextMember<Form> (&texts)[NT],
                  QJsonObject& o)
{
    for (const auto& m : ints) o[m.key] = qint64(form.*m.member);
    for (const auto& m : texts) o[m.key] = ToQtString(form.*m.member);
}

// A missing key keeps the reset value.
template <class Form, std::size_t NI, std::size_t NT>
void ReadMembers(Form& form, const IntMember<Form> (&ints)[NI], const TextMember<Form> (&texts)[NT], JsonFieldReader& f)
{
    for (const auto& m : ints) form.*m.member = f.Int32(m.key, form.*m.member);
    for (const auto& m : texts) form.*m.member = f.String(m.key, form.*m.member);
}

QJsonObject SubsetToJson(const TrialSubsetDescription& s)
{
    return QJsonObject{{"rangeMode", s.rangeMode}, {"count", s.count}, {"useTag", s.useTag}, {"tagId", s.tagId}};
}

void ReadSubset(TrialSubsetDescription& s, JsonFieldReader& f)
{
    s.rangeMode = f.Int32("rangeMode", s.rangeMode);
    s.count = f.Int32("count", s.count);
    s.useTag = f.Bool("useTag", s.useTag);
    s.tagId = f.Int32("tagId", s.tagId);
}

// "#rrggbbaa"; "" for a colour that is not set.
QString ColourToText(const wxColour& c)
{
    if (!c.IsOk()) return QString();
    return QString::asprintf("#%02x%02x%02x%02x", c.Red(), c.Green(), c.Blue(), c.Alpha());
}

wxColour ReadFormColour(JsonFieldReader& f, const wxColour& def)
{
    if (!f.Has("colour")) return def;
    const wxString text = f.String("colour");
    if (!f.Ok()) return def;
    if (text.empty()) return wxColour();
    unsigned long rgba = 0;
    const wxString digits = text.Mid(1);
    if (text.length() != 9 || text[0] != '#' || digits.find_first_not_of("0123456789abcdefABCDEF") != wxString::npos ||
        !digits.ToULong(&rgba, 16)) {
        f.Fail(_("the field \"colour\" of an action must be a colour written as #rrggbbaa"));
        return def;
    }
    return wxColour((rgba >> 24) & 0xff, (rgba >> 16) & 0xff, (rgba >> 8) & 0xff, rgba & 0xff);
}

QJsonObject ExpressionToJson(const ExpressionFromGUI& row)
{
    QJsonObject o;
    WriteMembers(static_cast<const Expr&>(row), kExpressionInts, kExpressionTexts, o);
    o["trialSubset"] = SubsetToJson(row.trialSubset);
    o["isAnd"] = row.isAnd;
    return o;
}

ExpressionFromGUI ExpressionFromJson(JsonFieldReader& f)
{
    ExpressionFromGUI row;
    ReadMembers(static_cast<Expr&>(row), kExpressionInts, kExpressionTexts, f);
    if (f.Has("trialSubset")) {
        JsonFieldReader subset = f.Child(f.Object("trialSubset"));
        ReadSubset(row.trialSubset, subset);
    }
    row.isAnd = f.Bool("isAnd", row.isAnd);
    return row;
}

QJsonObject ActionToJson(const Action& form)
{
    QJsonObject o;
    WriteMembers(form, kActionInts, kActionTexts, o);
    o["colour"] = ColourToText(form.colour);
    return o;
}

Action ActionFromJson(JsonFieldReader& f)
{
    Action form;
    ReadMembers(form, kActionInts, kActionTexts, f);
    form.colour = ReadFormColour(f, form.colour);
    return form;
}

QJsonObject PredicateToJson(const MetaTFPredicate& p)
{
    QJsonArray rows;
    for (const ExpressionFromGUI& row : p.GetRows()) rows.append(ExpressionToJson(row));
    return QJsonObject{{"name", ToQtString(p.GetName())}, {"negated", p.ExpressionSetToBeNegated()}, {"rows", rows}};
}

void ReadPredicate(MetaTFPredicate& p, JsonFieldReader& f)
{
    std::vector<ExpressionFromGUI> rows;
    for (JsonFieldReader& row : f.Objects("rows", _("a criteria row"))) {
        rows.push_back(ExpressionFromJson(row));
        if (!row.Ok()) return;
    }
    const wxString name = f.String("name");
    const bool negated = f.Bool("negated", false);
    if (f.Ok()) p = MetaTFPredicate(std::move(rows), negated, name);
}

std::string JsonText(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }

// ---- References held by forms

bool IsParameterTypeCode(std::int32_t v)
{
    return (v >= ParameterType::Timer && v <= ParameterType::Text) || v == ParameterType::Collection;
}

// Visits one id of a criterion; a dropped one becomes -1. Ids below 1 (none, the
// sentinels) are not references.
void VisitId(std::int32_t& id, VTElementType type, const ReferenceVisitor& visit)
{
    if (id >= 1 && !visit(type, std::uint32_t(id))) id = -1;
}

bool ActionIdResolves(std::int32_t& id, VTElementType type, const ReferenceVisitor& visit)
{
    return id < 1 || visit(type, std::uint32_t(id));
}

// False when the name was dropped (it is then empty).
bool VisitName(wxString& name, const ParameterNameVisitor& visit)
{
    if (name.empty() || visit(name)) return true;
    name.clear();
    return false;
}

bool ActionNameResolves(wxString& name, const ParameterNameVisitor& visit) { return name.empty() || visit(name); }

bool ActsOnParameter(const Action& form)
{
    return form.actionType == RuleCode::ActionParameterFromParameter ||
           (form.actionType == RuleCode::ActionParameter && form.operation != RuleCode::OperationBackgroundColour);
}

}  // namespace

void VisitFormReferences(OrderFormForExpressionCreation& form, const ReferenceVisitor& visit)
{
    // A subset's tag is a tag wherever it stands.
    VisitId(form.trialSubset.tagId, ElementType::Tag, visit);
    switch (form.kind) {
        case RuleCode::KindBuiltIn:
            if (form.builtIn == RuleCode::BuiltInLastResponse) VisitId(form.value, ElementType::Response, visit);
            if (form.builtIn == RuleCode::BuiltInTrialTagSetBlockContext ||
                form.builtIn == RuleCode::BuiltInTrialTagSetRuleContext) {
                VisitId(form.value, ElementType::TagSet, visit);
                VisitId(form.value2, ElementType::Tag, visit);
            }
            break;
        case RuleCode::KindScalarParameter:
            // A response parameter compared with a response holds its id in both
            // value and value2; otherwise value2 is the parameter's type.
            if (form.rhsKind == RuleCode::RhsNumber && form.value == form.value2 && !IsParameterTypeCode(form.value2) &&
                form.value2 >= 1 && !visit(ElementType::Response, std::uint32_t(form.value2)))
                form.value = form.value2 = -1;
            break;
        case RuleCode::KindTrialLevel: VisitId(form.value2, ElementType::TrialVariable, visit); break;
        case RuleCode::KindCollection: VisitId(form.value2, ElementType::Tag, visit); break;
        default: break;
    }
}

bool VisitFormParameterNames(OrderFormForExpressionCreation& form, const ParameterNameVisitor& visit)
{
    bool kept = true;
    if (form.kind == RuleCode::KindScalarParameter || form.kind == RuleCode::KindCollection)
        kept = VisitName(form.name, visit);
    if (form.rhsKind == RuleCode::RhsParameter &&
        (form.kind == RuleCode::KindScalarParameter ||
         (form.kind == RuleCode::KindBuiltIn && form.builtIn == RuleCode::BuiltInLastTypedText)))
        kept = VisitName(form.text, visit) && kept;
    return kept;
}

bool VisitFormReferences(OrderFormForActionCreation& form, const ReferenceVisitor& visit)
{
    switch (form.actionType) {
        case RuleCode::ActionPresentBlock: return ActionIdResolves(form.target, ElementType::Block, visit);
        case RuleCode::ActionPresentEvent: return ActionIdResolves(form.target, ElementType::Event, visit);
        case RuleCode::ActionSetTrialTag:
        case RuleCode::ActionSetTagOnAllTrialsInBlock: {
            const bool set = ActionIdResolves(form.target, ElementType::TagSet, visit);
            const bool tag = ActionIdResolves(form.target2, ElementType::Tag, visit);
            return set && tag;
        }
        case RuleCode::ActionTrialLevel: return ActionIdResolves(form.target, ElementType::TrialVariable, visit);
        default: return true;
    }
}

bool VisitFormParameterNames(OrderFormForActionCreation& form, const ParameterNameVisitor& visit)
{
    if (!ActsOnParameter(form)) return true;
    const bool acted = ActionNameResolves(form.parameterName, visit);
    const bool source =
        form.actionType != RuleCode::ActionParameterFromParameter || ActionNameResolves(form.text, visit);
    return acted && source;
}

// ---- PredicateKind

void PredicateKind::Write(const MetaTFPredicate& v, QJsonObject& o, const char* key) const
{
    o[key] = PredicateToJson(v);
}

void PredicateKind::Read(MetaTFPredicate& v, JsonFieldReader& f, const char* key) const
{
    if (!f.Has(key)) return;
    JsonFieldReader p = f.Child(f.Object(key));
    if (f.Ok()) ReadPredicate(v, p);
}

std::string PredicateKind::Describe(const MetaTFPredicate& v) const { return JsonText(PredicateToJson(v)); }

void PredicateKind::VisitReferences(MetaTFPredicate& v, const ReferenceVisitor& visit) const
{
    for (ExpressionFromGUI& row : v.GetMutableRows()) VisitFormReferences(row, visit);
}

void PredicateKind::VisitParameterNames(MetaTFPredicate& v, const ParameterNameVisitor& visit) const
{
    auto& rows = v.GetMutableRows();
    std::vector<ExpressionFromGUI> kept;
    for (ExpressionFromGUI& row : rows)
        if (VisitFormParameterNames(row, visit) || !visit.removesCriteria) kept.push_back(row);
    rows.swap(kept);
}

void PredicateKind::MakeDifferent(MetaTFPredicate& v, const ElementIdSource& ids) const
{
    // A trial-level row with every field away from its reset value; references
    // resolve when the experiment has elements of the type.
    ExpressionFromGUI row;
    row.streamingVersion = 4;
    row.flagText = TIMEUNITS_SECS;
    row.spareCode = 7;
    row.kind = RuleCode::KindTrialLevel;
    row.value = 2;
    row.operatorInContext = RuleCode::OpNotEqual;
    row.builtIn = 9;
    row.rhsKind = RuleCode::RhsNumber;
    const std::uint32_t level = ids(ElementType::TrialVariable, 0);
    row.value2 = level ? std::int32_t(level) : -1;
    row.name = wxS("n\u00e9");
    row.text = wxS("t\u00e9xt");
    row.trialSubset.rangeMode = TrialSubsetDescription::kLastTrials;
    row.trialSubset.count = 3;
    row.trialSubset.useTag = true;
    const std::uint32_t tag = ids(ElementType::Tag, 0);
    row.trialSubset.tagId = tag ? std::int32_t(tag) : -1;
    row.isAnd = false;
    v.GetMutableRows().push_back(row);
    v.SetNegated(!v.ExpressionSetToBeNegated());
    v.SetName(v.GetName() + wxS("\u00e9"));
}

// ---- OptionalPredicateKind

void OptionalPredicateKind::CopyForClone(Ptr& to, const Ptr& from) const
{
    to = from ? boost::make_shared<MetaTFPredicate>(*from) : Ptr();
}

bool OptionalPredicateKind::Equal(const Ptr& a, const Ptr& b) const
{
    return (!a && !b) || (a && b && a->IsVerbatimEqual(*b));
}

// No key: always presented.
void OptionalPredicateKind::Write(const Ptr& v, QJsonObject& o, const char* key) const
{
    if (v) o[key] = PredicateToJson(*v);
}

void OptionalPredicateKind::Read(Ptr& v, JsonFieldReader& f, const char* key) const
{
    if (!f.Has(key)) return;
    JsonFieldReader p = f.Child(f.Object(key));
    if (!f.Ok()) return;
    auto predicate = boost::make_shared<MetaTFPredicate>();
    ReadPredicate(*predicate, p);
    if (f.Ok()) v = predicate;
}

std::string OptionalPredicateKind::Describe(const Ptr& v) const { return v ? JsonText(PredicateToJson(*v)) : "null"; }

void OptionalPredicateKind::VisitReferences(Ptr& v, const ReferenceVisitor& visit) const
{
    if (v) PredicateKind().VisitReferences(*v, visit);
}

void OptionalPredicateKind::VisitParameterNames(Ptr& v, const ParameterNameVisitor& visit) const
{
    if (v) PredicateKind().VisitParameterNames(*v, visit);
}

void OptionalPredicateKind::MakeDifferent(Ptr& v, const ElementIdSource& ids) const
{
    if (!v) v = boost::make_shared<MetaTFPredicate>();
    PredicateKind().MakeDifferent(*v, ids);
}

// ---- ActionListKind

void ActionListKind::CopyForClone(Ptr& to, const Ptr& from) const { to = boost::make_shared<VTActionList>(*from); }

void ActionListKind::Write(const Ptr& v, QJsonObject& o, const char* key) const
{
    QJsonArray rows;
    for (const Action& form : v->GetForms()) rows.append(ActionToJson(form));
    o[key] = QJsonObject{{"name", ToQtString(v->GetName())}, {"rows", rows}};
}

void ActionListKind::Read(Ptr& v, JsonFieldReader& f, const char* key) const
{
    if (!f.Has(key)) return;
    JsonFieldReader list = f.Child(f.Object(key));
    if (!f.Ok()) return;
    std::vector<Action> forms;
    for (JsonFieldReader& row : list.Objects("rows", _("an action row"))) {
        forms.push_back(ActionFromJson(row));
        if (!row.Ok()) return;
    }
    const wxString name = list.String("name");
    if (list.Ok()) v = boost::make_shared<VTActionList>(std::move(forms), name);
}

std::string ActionListKind::Describe(const Ptr& v) const
{
    QJsonObject o;
    Write(v, o, "actions");
    return JsonText(o);
}

void ActionListKind::VisitReferences(Ptr& v, const ReferenceVisitor& visit) const
{
    auto& forms = v->GetMutableForms();
    forms.erase(
        std::remove_if(forms.begin(), forms.end(), [&](Action& form) { return !VisitFormReferences(form, visit); }),
        forms.end());
}

void ActionListKind::VisitParameterNames(Ptr& v, const ParameterNameVisitor& visit) const
{
    auto& forms = v->GetMutableForms();
    forms.erase(
        std::remove_if(forms.begin(), forms.end(), [&](Action& form) { return !VisitFormParameterNames(form, visit); }),
        forms.end());
}

void ActionListKind::MakeDifferent(Ptr& v, const ElementIdSource& ids) const
{
    // "Present block" with every field away from its reset value (the block
    // resolves when the experiment has one; otherwise the action names none).
    Action form;
    form.streamingVersion = 4;
    form.flagText = TIMER_FEATURES_503;
    form.spareCode = 7;
    form.actionType = RuleCode::ActionPresentBlock;
    const std::uint32_t block = ids(ElementType::Block, 0);
    form.target = block ? std::int32_t(block) : 0;
    form.target2 = 0;
    form.operation = 3;
    form.parameterType = 0;
    form.number = 12;
    form.parameterName = wxS("p\u00e9");
    form.text = wxS("t\u00e9xt");
    form.colour = wxColour(10, 20, 30, 40);
    v->GetMutableForms().push_back(form);
    v->SetName(v->GetName() + wxS("\u00e9"));
}

}  // namespace Vantrel
