#include "VTPlugInCommon/VTSdkBase.h"

#include "VTPlugInCommon/VTSdkSettings.h"

namespace VantrelSDK {

VTSdkBase::VTSdkBase() {}
VTSdkBase::~VTSdkBase() {}

bool VTSdkBase::Init() { return true; }
void VTSdkBase::DeInit() {}

Interface_DynamicPluginSettingsManager& VTSdkBase::SettingsManager()
{
    static VTSdkNoSettingsManager noSettings;
    return noSettings;
}

bool VTSdkBase::GetString(int, wxString& out)
{
    out.clear();
    return false;
}

bool VTSdkBase::NeedsPlugInID(int) { return false; }
int VTSdkBase::OnEndExperiment() { return 0; }
int VTSdkBase::OnStartExperiment(RunningExperimentNecessities&) { return 0; }
void VTSdkBase::SetPlugInInfoObject(VTPlugInInfoObject* info) { m_Info = info; }
VTPlugInInfoObject* VTSdkBase::GetPlugInInfoObject() { return m_Info; }
bool VTSdkBase::PluginHasBeenConvertedTo_NON_xrc() { return false; }
wxWindow* VTSdkBase::FactoryFunction_GetNewEventPluginConfigPanel(wxWindow*) { return nullptr; }
void VTSdkBase::GetShortString(wxString& out) { GetString(5001, out); }

}  // namespace VantrelSDK
