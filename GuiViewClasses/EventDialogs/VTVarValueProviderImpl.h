#pragma once
// Read access to the experiment's variables for an event-type plug-in's panel: the
// trial variables (element type 3) or the elements of type 10.

#include <VTCore/VTElementType.h>
#include <VTPlugInCommon/VTSdkEventEditing.h>

namespace Vantrel {

class VTExperiment;
class VTVarBase;

class VTVarValueProviderImpl : public VantrelSDK::VTSdkVarValueProviderBase
{
public:
    VTVarValueProviderImpl(VTExperiment& experiment, VTElementType type) : m_Experiment(experiment), m_Type(type) {}
    ~VTVarValueProviderImpl() override;

    // Appends the id of every element of the provider's type whose variable is of
    // `type`; returns how many elements it examined.
    int GetIDs(int type, std::vector<int>& ids) override;
    // Looked up among the trial variables, then among type 10.
    wxString GetVarNameByID(int id) override;
    const Orbisk::Var::VarValue* GetVarValueByID(int id) override;
    bool ContainsVarValuesOfType(int type) override;

private:
    VTVarBase* Find(int id) const;

    VTExperiment& m_Experiment;
    VTElementType m_Type;
};

}  // namespace Vantrel
