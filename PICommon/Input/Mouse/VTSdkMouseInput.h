#pragma once
// The mouse input plug-in: buttons pressed or released on the presentation window,
// anywhere, where the visual stimulus was drawn, or in a rectangle of the screen.

#include "VTPlugInCommon/VTSdkInputPlugin.h"

namespace VantrelSDK {

class VTSdkMouseInput : public VTSdkInputPlugin
{
public:
    static constexpr int kPlugInID = 2250;

    VTSdkMouseInput();
    ~VTSdkMouseInput() override;

    int GetPlugInID() override;
    bool GetString(int id, wxString& out) override;
    void GetShortString(wxString& out) override;
    int OnStartExperiment(RunningExperimentNecessities& necessities) override;
    int OnEndExperiment() override;
    VTSdkBaseResponse* CreateNewResponse() override;
    InputDetectedFunctionPtr GetIsInputDetectedFunctionPtr() override;
    // The button as pressed or released, stamped when the presentation window received it.
    boost::shared_ptr<VTSdkBaseResponse> OnGetCompleteResponse(unsigned long long& time,
                                                               boost::shared_ptr<Interface_DREForPlugins> dre) override;
    void CreateDefaultResponses(AddResponseCallback add) override;
    // An eye tracker's responses are on screen too, but a mouse cannot give them.
    int HasResponseConflicts(int otherPluginID) override;
    void OnFlushInput() override;

private:
    static bool IsButtonWaiting(RAII_InputDetectionForCyclingOverAllDevices* detection);
};

}  // namespace VantrelSDK
