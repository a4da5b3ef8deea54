#pragma once
// Window objects of input plug-ins and the shared key-press panel functions.
//
// Controls of the key-press/key-release part of an input plug-in's panel (XRC names):
//   "check_presses_only"          check box: respond to presses only
//   "check_only_defined_responses" check box: accept only defined responses
// A panel that lacks one of them is left alone for that setting.

#include "VTPlugInCommon/VTSdkExport.h"

class wxWindow;

namespace VantrelSDK {

class VTSdkBaseResponse;
class VTSdkDiscreteKeySettings;

class VTSDK_API Interface_ParticipantInputWindowHelper
{
public:
    virtual ~Interface_ParticipantInputWindowHelper();
    virtual bool ApplyWindowValuesToInputPlugin(const wxWindow& panel) = 0;
    virtual void ConfigureWindowUsingCurrentPluginState(wxWindow& panel, bool editable) = 0;
};

class VTSDK_API Interface_EditResponseWindowHelper
{
public:
    virtual ~Interface_EditResponseWindowHelper();
    virtual bool ApplyWindowValuesToResponseObject(const wxWindow& panel, VTSdkBaseResponse& response) = 0;
    virtual void ConfigureWindowUsingCurrentResponseState(wxWindow& panel, const VTSdkBaseResponse& response) = 0;
};

namespace InputGUIFunctions {
// Enables or disables every child of the panel.
VTSDK_API void EnableOrDisableInputPluginWindow(wxWindow* panel, bool enable);
VTSDK_API void EnableOrDisableInputPluginWindow(wxWindow& panel, bool enable);
}  // namespace InputGUIFunctions

namespace DiscreteKeySettingsProcessing {
VTSDK_API void SetWaitForKeyPressControlValues(wxWindow* panel, const VTSdkDiscreteKeySettings& settings);
VTSDK_API void SetWaitForKeyPressControlValues(wxWindow& panel, const VTSdkDiscreteKeySettings& settings);
// Brings the controls' enabled state in line with the panel's.
VTSDK_API void UpdateWaitForKeyPressControls(wxWindow* panel, const VTSdkDiscreteKeySettings& settings);
VTSDK_API void UpdateWaitForKeyPressControls(wxWindow& panel, const VTSdkDiscreteKeySettings& settings);
// Copies the controls into the settings; true when done.
VTSDK_API bool MutateSettingsToApplyWaitForKeyPressValues(const wxWindow* panel, VTSdkDiscreteKeySettings& settings);
VTSDK_API bool MutateSettingsToApplyWaitForKeyPressValues(const wxWindow& panel, VTSdkDiscreteKeySettings& settings);
}  // namespace DiscreteKeySettingsProcessing

}  // namespace VantrelSDK

// A response editor window that shows and reads on-screen responses itself (the
// mouse and eye-tracker editor); the runtime calls it instead of a plug-in helper.
class VTSDK_API Interface_ResponseWindow
{
public:
    virtual ~Interface_ResponseWindow();
    virtual void StoreWindowWidgetStatesOntoResponseObj(VantrelSDK::VTSdkBaseResponse& response) const = 0;
    virtual bool ApplyResponseValuesToWindow(const VantrelSDK::VTSdkBaseResponse& response, bool isEyeTracker) = 0;
};
