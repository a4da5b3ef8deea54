#pragma once
#include <VTCore/VTElement.h>
#include <vector>

namespace Vantrel {

// Variable types.
namespace VariableType {
constexpr int TimeLimit = 2001;
constexpr int Location = 2003;
constexpr int Colour = 2006;
}  // namespace VariableType

// A trial variable: a named variable whose levels the trials step through.
class VTTrialVariable : public VTElement {
public:
    explicit VTTrialVariable(VTExperiment* experiment);
    VTTrialVariable(const VTTrialVariable& source, VTExperiment* experiment = nullptr);
    ~VTTrialVariable() override;
    static VTTrialVariable* CreateTemporary_CallerMustDelete(const VTTrialVariable* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    bool CopySettingsFrom(const Minimal_VTElement& source) override;

    const wxString& GetDescription() const { return m_Description; }
    void SetDescription(const wxString& d) { m_Description = d; }
    int GetVariableType() const { return m_VariableType; }
    void SetVariableType(int type) { m_VariableType = type; }
    bool GetSaveToDataFlag() const { return m_SaveToData; }
    void SetSaveToDataFlag(bool save) { m_SaveToData = save; }
    // Levels as text (time limits: milliseconds).
    const std::vector<wxString>& GetLevels() const { return m_Levels; }
    void SetLevels(const std::vector<wxString>& levels) { m_Levels = levels; }

private:
    wxString m_Description;
    int m_VariableType = VariableType::TimeLimit;
    bool m_SaveToData = true;
    std::vector<wxString> m_Levels;
};

}  // namespace Vantrel
