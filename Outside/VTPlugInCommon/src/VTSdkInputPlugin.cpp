#include "VTPlugInCommon/VTSdkInputPlugin.h"

#include "VTPlugInCommon/VTSdkWindowHelpers.h"

namespace VantrelSDK {

Interface_DREForPlugins::~Interface_DREForPlugins() {}

VTSdkInputPlugin::VTSdkInputPlugin() {}
VTSdkInputPlugin::~VTSdkInputPlugin() {}

int VTSdkInputPlugin::OnEndExperiment() { return 0; }
bool VTSdkInputPlugin::AttachInputPluginSplashPanel(wxWindow*) { return false; }
bool VTSdkInputPlugin::StringInputWantsToStealTheMouseNow() { return false; }
VTSdkBaseResponse* VTSdkInputPlugin::CreateNewResponse() { return new VTSdkDiscreteKeyResp(false); }

const VTSdkDiscreteKeySettings& VTSdkInputPlugin::GetConstReferenceToKeypressKeyreleaseSettings()
{
    static const VTSdkDiscreteKeySettings defaults;
    return defaults;
}

wxString VTSdkInputPlugin::GetAdditionalFieldHeader(int, int) { return wxString(); }
InputDetectedFunctionPtr VTSdkInputPlugin::GetIsInputDetectedFunctionPtr() { return nullptr; }
int VTSdkInputPlugin::GetNumberOfResponseAdditionalFields() { return 0; }
int VTSdkInputPlugin::HasResponseConflicts(int) { return 0; }
wxString VTSdkInputPlugin::GetResponseAdditionalField(int, const VTSdkBaseResponse*) { return wxString(); }
bool VTSdkInputPlugin::LastDitchSettingsRecoveryOrWarningsPreExperimentRun_UseWithCaution(wxWindow*) { return true; }

boost::shared_ptr<VTSdkBaseResponse> VTSdkInputPlugin::OnGetCompleteResponse(unsigned long long&,
                                                                             boost::shared_ptr<Interface_DREForPlugins>)
{
    return boost::shared_ptr<VTSdkBaseResponse>();
}

void VTSdkInputPlugin::CreateDefaultResponses(AddResponseCallback) {}
void VTSdkInputPlugin::CreateCorrectiveResponsesToRepairSomethingMissing(AddResponseCallback) {}

boost::shared_ptr<Interface_ParticipantInputWindowHelper> VTSdkInputPlugin::GetParticipantInputWindowHelper()
{
    return boost::shared_ptr<Interface_ParticipantInputWindowHelper>();
}

boost::shared_ptr<Interface_EditResponseWindowHelper> VTSdkInputPlugin::GetEditResponseWindowHelper()
{
    return boost::shared_ptr<Interface_EditResponseWindowHelper>();
}

bool VTSdkInputPlugin::TheGivenHardwareModelCanBeSelectedForInput(unsigned int) { return true; }
int VTSdkInputPlugin::WaitForAllKeysToBeReleased(RAII_InputDetectionForCyclingOverAllDevices*) { return 0; }
void VTSdkInputPlugin::OnFlushInput() {}
void VTSdkInputPlugin::OnStartTrial(const TrialInfoNecessities&) {}
void VTSdkInputPlugin::OnStartEventInput() {}
void VTSdkInputPlugin::OnEndTrial() {}
void VTSdkInputPlugin::OnEndEventInput(bool) {}
bool VTSdkInputPlugin::ThisIsBrevolaInput() { return false; }

void VTSdkInputPlugin::SetResponseIDForLastResponse(VTSdkBaseResponse* response, Interface_DREForPlugins* dre)
{
    if (!response) return;
    response->SetResponseID(dre ? dre->FindDefinedResponseID(GetPlugInID(), *response)
                                : VTSdkBaseResponse::GetUniqueIdForUndefined());
}

bool VTSdkInputPlugin::CheckIfResponseIsDefined(const VTSdkBaseResponse* response) const
{
    return response && response->GetResponseID() != VTSdkBaseResponse::GetUniqueIdForUndefined();
}

}  // namespace VantrelSDK
