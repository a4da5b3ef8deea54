#include "VTSdkQpxInput.h"

#include "VTSdkQpxInputSettings.h"

#include "QPXDriver/QPXDevice.h"
#include "VTPlugInCommon/VTHwQpxDevice.h"
#include "VTPlugInCommon/VTTimer.h"

#include <wx/intl.h>
#include <wx/log.h>

namespace VantrelSDK {

boost::shared_ptr<Orbisk::QPXDevice> VTSdkQpxInput::ms_pQpxPort;
VTSdkDiscreteKeyResp VTSdkQpxInput::ms_LastResponse(true);
VTSdkQpxInput* VTSdkQpxInput::ms_Self = nullptr;

VTSdkQpxInput::VTSdkQpxInput()
{
    hwDevice = new VTHwQpxDevice;
    ms_Self = this;
}

VTSdkQpxInput::~VTSdkQpxInput()
{
    delete hwDevice;
    if (ms_Self == this) ms_Self = nullptr;
}

Interface_DynamicPluginSettingsManager& VTSdkQpxInput::SettingsManager() { return *GetSettingsMgr(ms_Self); }

boost::shared_ptr<VTSdkQpxInputSettings> VTSdkQpxInput::GetQpxSettings()
{
    return GetSettingsMgr(ms_Self)->GetCurrentSettings();
}

bool VTSdkQpxInput::GetString(int id, wxString& out)
{
    if (id == 5001) {
        out = _("Malvora or KP Response Pad");
        return true;
    }
    return VTSdkBase::GetString(id, out);
}

bool VTSdkQpxInput::ThisIsBrevolaInput() { return false; }

void VTSdkQpxInput::CheckNewSettingsForModelInfo()
{
    boost::shared_ptr<VTSdkQpxInputSettings> settings = GetQpxSettings();
    if (!settings) return;
    int& model = settings->modelID;
    if (ThisIsBrevolaInput()) {
        if (model < 1) model = 3031;
        return;
    }
    // Suites from before the 3000 range: -1 meant the first q-node, 0..3000 an offset into the range.
    if (model == -1)
        model = 3002;
    else if (model <= 3000)
        model += 3000;
}

const VTSdkDiscreteKeySettings& VTSdkQpxInput::GetConstReferenceToKeypressKeyreleaseSettings()
{
    return GetQpxSettings()->keySettings;
}

int VTSdkQpxInput::OnStartExperiment(RunningExperimentNecessities&)
{
    flushWarningShown = false;
    return 0;
}

int VTSdkQpxInput::OnEndExperiment()
{
    hwDevice->OnEndExperimentBeforeBase();
    VTSdkInputPlugin::OnEndExperiment();
    hwDevice->OnEndExperimentAfterBase();
    return 0;
}

bool VTSdkQpxInput::IsResponsePadInputFound(RAII_InputDetectionForCyclingOverAllDevices* detection)
{
    Orbisk::QPXDevice* device = ms_pQpxPort.get();
    if (!device || !ms_Self) return false;
    device->PollForResponse();
    if (!device->HasQueuedResponses()) return false;
    const Orbisk::QPXResponse record = device->GetNextResponse();
    const bool pressed = (record.flags & 1u) != 0;
    const int key = static_cast<std::int16_t>((record.keyAndPort >> 32) & 0xFFFF);
    const int port = static_cast<std::int16_t>(record.keyAndPort & 0xFFFF);

    const VTSdkDiscreteKeySettings& keys = ms_Self->GetConstReferenceToKeypressKeyreleaseSettings();
    if (!pressed && keys.RespondsToPressesOnly()) return false;

    ms_LastResponse.SetResponseType(pressed ? VTSdkBaseResponse::RESPONSE_TYPE_PRESS
                                            : VTSdkBaseResponse::RESPONSE_TYPE_RELEASE);
    ms_LastResponse.SetKeyNumber(key);
    ms_LastResponse.SetPortNumber(port);
    ms_Self->SetResponseIDForLastResponse(&ms_LastResponse, detection ? detection->GetDREForPlugins() : nullptr);
    if (keys.AcceptsOnlyDefinedResponses()) return ms_Self->CheckIfResponseIsDefined(&ms_LastResponse);
    return true;
}

boost::shared_ptr<VTSdkBaseResponse> VTSdkQpxInput::OnGetCompleteResponse(unsigned long long& time,
                                                                          boost::shared_ptr<Interface_DREForPlugins>)
{
    time = Vantrel::VTTimer::GetTimer().GetElapsedTime();
    boost::shared_ptr<VTSdkBaseResponse> response(new VTSdkDiscreteKeyResp(ms_LastResponse));
    ms_LastResponse.ResetToDiscreteKeyDefaults();
    return response;
}

void VTSdkQpxInput::OnStartTrial(const TrialInfoNecessities&)
{
    if (!ms_pQpxPort) return;
    ms_pQpxPort->ResetRtTimer();
    ms_LastResponse.ResetToDiscreteKeyDefaults();
}

void VTSdkQpxInput::OnFlushInput()
{
    Orbisk::QPXDevice* device = ms_pQpxPort.get();
    if (!device) return;
    Vantrel::VTTimer& timer = Vantrel::VTTimer::GetTimer();
    const unsigned long long t0 = timer.GetElapsedTime();
    device->PollForResponse();
    // Clear before polling again, so that input arriving during the flush is what
    // the next round looks at; a device that never stops sending ends the flush by time.
    do {
        if (!device->HasQueuedResponses()) return;
        device->ClearResponseQueue();
        device->PollForResponse();
    } while (timer.GetElapsedTime() - t0 < kFlushLimit);

    if (!flushWarningShown) {
        wxLogError("%s", wxString("Flushing QPX input buffers took an unusually long time. \n\n"
                                  "QPX responses occurring during ISI periods may have carried over into "
                                  "subsequent events. \n\n"
                                  "Please contact Orbisk Corp. for assistance if this problem persists."));
        flushWarningShown = true;
    }
}

bool VTSdkQpxInput::BlockAndWaitForZeroKeysDown()
{
    Orbisk::QPXDevice* device = ms_pQpxPort.get();
    if (!device) return false;
    device->PollForResponse();
    if (device->HasQueuedResponses()) device->GetNextResponse();
    return device->GetNumberOfKeysDown() != 0;
}

int VTSdkQpxInput::WaitForAllKeysToBeReleased(RAII_InputDetectionForCyclingOverAllDevices*)
{
    return Vantrel::VTTimer::GetTimer().BlockEverythingExceptCancellationKeypress_InputPlugin(
        [this] { return BlockAndWaitForZeroKeysDown(); });
}

int VTSdkQpxInput::AdjustLastResponseForTrevasa2G()
{
    ms_LastResponse.SetKeyNumber(ms_LastResponse.GetKeyNumber() - 1);
    return ms_LastResponse.GetKeyNumber();
}

}  // namespace VantrelSDK
