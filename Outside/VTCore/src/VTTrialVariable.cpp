#include <VTCore/VTTrialVariable.h>

#include "FieldKinds.h"

#include <wx/intl.h>

#include <algorithm>

namespace Vantrel {

VTVarBase::VTVarBase(VTElementType type, VTExperiment* experiment)
    : VTElement(type, experiment),
      m_Variable(Orbisk::Var::VarType::CreateNewVariable(VariableType::TimeLimit, wxString()))
{}

VTVarBase::VTVarBase(const VTVarBase& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_Variable(Orbisk::Var::VarType::CreateNewVariable(source.m_Variable->GetType(), wxString()))
{}

VTVarBase::~VTVarBase() = default;

void VTVarBase::ReplaceVariable(Orbisk::Var::Variable* variable, bool takeOwnership)
{
    if (!variable || variable == m_Variable.get()) return;
    if (takeOwnership)
        m_Variable.reset(variable);
    else
        m_Variable.reset(new Orbisk::Var::Variable(*variable));
}

namespace {

using Orbisk::Var::Variable;
using Orbisk::Var::VarValue;

// The variable with its levels: "variableType", "variableName", "method", "scope",
// "flag" and "levels" ([{"name", "text"}], a bare text for the text alone).
struct VariableKind
{
    using Value = std::unique_ptr<Variable>;

    void CopyForClone(Value& to, const Value& from) const { to.reset(new Variable(*from)); }
    void CopySetting(Value& to, const Value& from) const { *to = *from; }
    bool Equal(const Value& a, const Value& b) const { return Describe(a) == Describe(b); }
    void VisitReferences(Value&, const ReferenceVisitor&) const {}
    VTLinkT* Links(Value&) const { return nullptr; }
    bool WarnsOnPurge() const { return true; }

    std::string Describe(const Value& v) const
    {
        std::string s = std::to_string(v->GetType()) + DescribeText(v->GetName()) + " " +
                        std::to_string(v->GetMethod()) + "/" + std::to_string(v->GetScope()) + "/" +
                        std::to_string(v->GetFlag()) + " [";
        for (const VarValue* level : v->GetLevels())
            s += DescribeText(level->GetName()) + "=" + DescribeText(level->GetText()) + " ";
        return s + "]";
    }
    void Write(const Value& v, QJsonObject& o, const char*) const
    {
        o["variableType"] = v->GetType();
        o["variableName"] = ToQtString(v->GetName());
        o["method"] = v->GetMethod();
        o["scope"] = v->GetScope();
        o["flag"] = v->GetFlag();
        QJsonArray levels;
        for (const VarValue* level : v->GetLevels())
            levels.append(QJsonObject{{"name", ToQtString(level->GetName())}, {"text", ToQtString(level->GetText())}});
        o["levels"] = levels;
    }
    void Read(Value& v, JsonFieldReader& f, const char*) const
    {
        const int type = int(f.Int("variableType", v->GetType(), INT_MIN, INT_MAX));
        std::unique_ptr<Variable> read(
            Orbisk::Var::VarType::CreateNewVariable(type, f.String("variableName", v->GetName())));
        read->SetMethod(int(f.Int("method", v->GetMethod(), 0, 3)));
        read->SetScope(int(f.Int("scope", v->GetScope(), 0, 4)));
        read->SetFlag(f.Bool("flag", v->GetFlag()));
        std::vector<VarValue*> levels;
        for (const QJsonValue& entry : f.Array("levels")) {
            wxString name, text;
            if (entry.isString()) {
                text = ToWxString(entry.toString());
            } else if (entry.isObject()) {
                JsonFieldReader l = f.Child(entry.toObject());
                name = l.String("name");
                text = l.String("text");
            } else {
                f.Fail(_("a level must be a text or an object"));
            }
            if (!f.Ok()) break;
            std::unique_ptr<VarValue> level(read->MakeLevelForPosition(int(levels.size()) + 1));
            if (!level->SetFromText(text) && !text.empty()) {
                f.Fail(wxString::Format(_("the level \"%s\" does not suit the variable's type"), text));
                break;
            }
            if (entry.isObject()) level->SetName(name);
            levels.push_back(level.release());
        }
        read->ReplaceLevels(levels);
        if (f.Ok()) v = std::move(read);
    }
    void MakeDifferent(Value& v, const ElementIdSource&) const
    {
        const int type = v->GetType() == VariableType::TimeLimit  ? VariableType::Location
                         : v->GetType() == VariableType::Location ? VariableType::Colour
                                                                  : VariableType::TimeLimit;
        Value changed(Orbisk::Var::VarType::CreateNewVariable(type, v->GetName() + wxS("x")));
        changed->SetMethod((v->GetMethod() + 1) % 4);
        changed->SetScope((v->GetScope() + 1) % 5);
        changed->SetFlag(!v->GetFlag());
        for (const char* text : {"(10, -20)", "#FF8000", "750"}) {
            std::unique_ptr<VarValue> level(changed->MakeLevelForPosition(1));
            if (!level->SetFromText(text)) continue;
            level->SetName(wxS("first"));
            changed->AppendLevel(level.release());
            break;
        }
        v = std::move(changed);
    }
};

}  // namespace

const ElementFieldTable& VTVarBase::VarBaseFieldTable()
{
    static const ElementFieldTable table(&ElementBaseFieldTable(),
                                         ElementMember("description", &VTVarBase::m_Description, TextKind()),
                                         ElementMember("saveToData", &VTVarBase::m_SaveToData, BoolKind()),
                                         ElementMember("variable", &VTVarBase::m_Variable, VariableKind()));
    return table;
}

VTTrialVariable::VTTrialVariable(VTExperiment* experiment) : VTVarBase(ElementType::TrialVariable, experiment) {}

VTTrialVariable::VTTrialVariable(const VTTrialVariable& source, VTExperiment* experiment)
    : VTVarBase(source, experiment)
{
    CopyDeclaredFields(source);
}

VTTrialVariable::~VTTrialVariable() = default;

VTTrialVariable* VTTrialVariable::CreateTemporary_CallerMustDelete(const VTTrialVariable* original,
                                                                   VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTrialVariable::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTTrialVariable(*this, experiment);
}

void VTTrialVariable::SetVariableType(int type)
{
    if (type == GetVariableType()) return;
    const std::vector<wxString> texts = GetLevels();
    std::vector<wxString> names;
    for (const auto* level : GetVariable().GetLevels()) names.push_back(level->GetName());
    Orbisk::Var::Variable* replacement = Orbisk::Var::VarType::CreateNewVariable(type, GetVariable().GetName());
    replacement->SetMethod(GetVariable().GetMethod());
    replacement->SetScope(GetVariable().GetScope());
    replacement->SetFlag(GetVariable().GetFlag());
    ReplaceVariable(replacement, true);
    SetLevels(texts);
    for (std::size_t i = 0; i < names.size() && i < GetVariable().GetLevels().size(); ++i)
        GetVariable().GetLevels()[i]->SetName(names[i]);
}

std::vector<wxString> VTTrialVariable::GetLevels() const
{
    std::vector<wxString> texts;
    for (const auto* level : GetVariable().GetLevels()) texts.push_back(level->GetText());
    return texts;
}

void VTTrialVariable::SetLevels(const std::vector<wxString>& texts)
{
    std::vector<Orbisk::Var::VarValue*> levels;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        Orbisk::Var::VarValue* level = GetVariable().MakeLevelForPosition(int(i) + 1);
        level->SetFromText(texts[i]);
        levels.push_back(level);
    }
    GetVariable().ReplaceLevels(levels);
}

}  // namespace Vantrel
