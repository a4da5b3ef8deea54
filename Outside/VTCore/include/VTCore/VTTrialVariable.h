#pragma once
#include <VTCore/OrbiskVar.h>
#include <VTCore/VTElement.h>
#include <memory>
#include <vector>

namespace Vantrel {

// Variable types.
namespace VariableType {
constexpr int TimeLimit = 2001;
constexpr int Location = 2003;
constexpr int Colour = 2006;
}  // namespace VariableType

// An element that carries a variable with levels.
class VTVarBase : public VTElement
{
public:
    ~VTVarBase() override;

    const wxString& GetDescription() const { return m_Description; }
    void SetDescription(const wxString& d) { m_Description = d; }
    bool GetSaveToDataFlag() const { return m_SaveToData; }
    void SetSaveToDataFlag(bool save) { m_SaveToData = save; }
    Orbisk::Var::Variable& GetVariable() { return *m_Variable; }
    const Orbisk::Var::Variable& GetVariable() const { return *m_Variable; }
    // Replaces the variable; with takeOwnership the element deletes it later,
    // otherwise a copy is taken. Null is ignored.
    void ReplaceVariable(Orbisk::Var::Variable* variable, bool takeOwnership = true);

    // The element fields plus description, save flag and the variable with its levels.
    static const ElementFieldTable& VarBaseFieldTable();

protected:
    VTVarBase(VTElementType type, VTExperiment* experiment);
    VTVarBase(const VTVarBase& source, VTExperiment* experiment);

private:
    wxString m_Description;
    bool m_SaveToData = true;
    std::unique_ptr<Orbisk::Var::Variable> m_Variable;
};

// A trial variable: a named variable whose levels the trials step through.
class VTTrialVariable : public VTVarBase
{
public:
    explicit VTTrialVariable(VTExperiment* experiment);
    VTTrialVariable(const VTTrialVariable& source, VTExperiment* experiment = nullptr);
    ~VTTrialVariable() override;
    static VTTrialVariable* CreateTemporary_CallerMustDelete(const VTTrialVariable* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    const ElementFieldTable& GetFieldTable() const override { return VarBaseFieldTable(); }

    int GetVariableType() const { return GetVariable().GetType(); }
    // A new type keeps the levels whose text reads as the new type.
    void SetVariableType(int type);
    // The levels as text, in order (time limits: milliseconds).
    std::vector<wxString> GetLevels() const;
    // Replaces the levels by ones of the variable's type read from text; texts that
    // do not read as that type give a default level.
    void SetLevels(const std::vector<wxString>& levels);
};

}  // namespace Vantrel
