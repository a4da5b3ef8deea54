#pragma once
// Response input from the maker's QPX devices: the run-time side shared by the
// q-node plug-in (VTSdkQNodeInput) and its relatives.

#include <boost/shared_ptr.hpp>

#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTSdkResponses.h"

namespace Orbisk {
class QPXDevice;
}

namespace VantrelSDK {

class VTHwQpxDevice;
class VTSdkQpxInputSettings;

class VTSdkQpxInput : public VTSdkInputPlugin
{
public:
    // Limit of one flush, in run-timer units (ms).
    static constexpr unsigned long long kFlushLimit = 101;

    VTSdkQpxInput();
    ~VTSdkQpxInput() override;

    Interface_DynamicPluginSettingsManager& SettingsManager() override;
    bool GetString(int id, wxString& out) override;
    int OnEndExperiment() override;
    int OnStartExperiment(RunningExperimentNecessities& necessities) override;
    const VTSdkDiscreteKeySettings& GetConstReferenceToKeypressKeyreleaseSettings() override;
    boost::shared_ptr<VTSdkBaseResponse> OnGetCompleteResponse(unsigned long long& time,
                                                               boost::shared_ptr<Interface_DREForPlugins> dre) override;
    int WaitForAllKeysToBeReleased(RAII_InputDetectionForCyclingOverAllDevices* detection) override;
    void OnFlushInput() override;
    void OnStartTrial(const TrialInfoNecessities& trial) override;
    bool ThisIsBrevolaInput() override;

    // The poll function the runtime calls while it waits for input: true when a
    // usable response has just been read into the response being assembled.
    static bool IsResponsePadInputFound(RAII_InputDetectionForCyclingOverAllDevices* detection);

    VTHwQpxDevice* GetHwDevicePtr() const { return hwDevice; }
    boost::shared_ptr<VTSdkQpxInputSettings> GetQpxSettings();
    // The apply callback of the settings manager: moves old model IDs into today's range.
    void CheckNewSettingsForModelInfo();
    // The release wait's predicate: true while a key is held.
    bool BlockAndWaitForZeroKeysDown();
    int AdjustLastResponseForTrevasa2G();

    // The opened device and the response being assembled (one of each per library).
    static boost::shared_ptr<Orbisk::QPXDevice> ms_pQpxPort;
    static VTSdkDiscreteKeyResp ms_LastResponse;
    static VTSdkQpxInput* ms_Self;

protected:
    VTHwQpxDevice* hwDevice = nullptr;
    bool flushWarningShown = false;
};

}  // namespace VantrelSDK
