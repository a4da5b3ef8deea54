#include <VTCore/VTTrialVariable.h>

#include <algorithm>

namespace Vantrel {

VTVarBase::VTVarBase(VTElementType type, VTExperiment* experiment)
    : VTElement(type, experiment),
      m_Variable(Orbisk::Var::VarType::CreateNewVariable(VariableType::TimeLimit, wxString()))
{}

VTVarBase::VTVarBase(const VTVarBase& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_Description(source.m_Description),
      m_SaveToData(source.m_SaveToData),
      m_Variable(new Orbisk::Var::Variable(*source.m_Variable))
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

void VTVarBase::CopyVarSettingsFrom(const VTVarBase& source)
{
    CopyElementSettingsFrom(source);
    m_Description = source.m_Description;
    m_SaveToData = source.m_SaveToData;
    *m_Variable = *source.m_Variable;
}

VTTrialVariable::VTTrialVariable(VTExperiment* experiment) : VTVarBase(ElementType::TrialVariable, experiment) {}

VTTrialVariable::VTTrialVariable(const VTTrialVariable& source, VTExperiment* experiment)
    : VTVarBase(source, experiment)
{}

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

bool VTTrialVariable::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTTrialVariable*>(&source);
    if (!s) return false;
    if (s != this) CopyVarSettingsFrom(*s);
    return true;
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
