#include "VTResponseMediation.h"

#include <wx/window.h>

#include <VTCore/VTResponse.h>

#include "VTPlugInCommon/VTSdkResponses.h"
#include "VTPlugInCommon/VTSdkWindowHelpers.h"

namespace Vantrel {

std::unique_ptr<VantrelSDK::VTSdkBaseResponse> SdkResponseOf(const VTResponse& response)
{
    if (InputPlugIn::IsOnScreen(response.GetPlugInID())) {
        auto screen = std::make_unique<VantrelSDK::VTSdkOnScreenResp>();
        screen->keyOrActionCode = response.GetKeyCode();
        screen->SetPhase(response.GetPhase());
        screen->SetRegion(response.GetRegionMode());
        int x, y, w, h;
        response.GetRegion(x, y, w, h);
        screen->SetBoundingRectForRegion(x, y, w, h);
        return screen;
    }
    auto key = std::make_unique<VantrelSDK::VTSdkDiscreteKeyResp>(false);
    key->SetResponseType(response.GetPhase());
    key->SetKeyNumber(response.GetKeyCode());
    key->SetPortNumber(response.GetPortNumber());
    return key;
}

void CopySdkFieldsInto(const VantrelSDK::VTSdkBaseResponse& sdk, VTResponse& response)
{
    response.SetPhase(sdk.GetResponseType());
    if (auto* key = dynamic_cast<const VantrelSDK::VTSdkDiscreteKeyResp*>(&sdk)) {
        response.SetKeyCode(key->GetKeyNumber());
        response.SetPortNumber(key->GetPortNumber());
    } else if (auto* screen = dynamic_cast<const VantrelSDK::VTSdkOnScreenResp*>(&sdk)) {
        response.SetKeyCode(screen->keyOrActionCode);
        response.SetRegionMode(screen->GetRegion());
        int x, y, w, h;
        screen->GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(x, y, w, h);
        response.SetRegion(x, y, w, h);
    }
}

bool ShowResponseInWindow(const VTResponse& response, wxWindow& window,
                          VantrelSDK::Interface_EditResponseWindowHelper* helper)
{
    const std::unique_ptr<VantrelSDK::VTSdkBaseResponse> sdk = SdkResponseOf(response);
    if (auto* own = dynamic_cast<Interface_ResponseWindow*>(&window))
        return own->ApplyResponseValuesToWindow(*sdk, InputPlugIn::IsEyeTracker(response.GetPlugInID()));
    if (!helper) return false;
    helper->ConfigureWindowUsingCurrentResponseState(window, *sdk);
    return true;
}

bool ReadResponseFromWindow(VTResponse& response, const wxWindow& window,
                            VantrelSDK::Interface_EditResponseWindowHelper* helper)
{
    const std::unique_ptr<VantrelSDK::VTSdkBaseResponse> sdk = SdkResponseOf(response);
    if (auto* own = dynamic_cast<const Interface_ResponseWindow*>(&window))
        own->StoreWindowWidgetStatesOntoResponseObj(*sdk);
    else if (!helper || !helper->ApplyWindowValuesToResponseObject(window, *sdk))
        return false;
    CopySdkFieldsInto(*sdk, response);
    return true;
}

}  // namespace Vantrel
