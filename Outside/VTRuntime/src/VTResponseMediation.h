#pragma once
// Between the data model's responses (fields) and the plug-in SDK's response objects
// that input plug-ins and response editor windows fill and read.

#include <memory>

class wxWindow;

namespace VantrelSDK {
class Interface_EditResponseWindowHelper;
class VTSdkBaseResponse;
}  // namespace VantrelSDK

namespace Vantrel {

class VTResponse;

// The SDK form of a response: on-screen for the mouse and eye trackers, else a key.
std::unique_ptr<VantrelSDK::VTSdkBaseResponse> SdkResponseOf(const VTResponse& response);
// The SDK response's fields into the model's response (phase, code, port, region).
void CopySdkFieldsInto(const VantrelSDK::VTSdkBaseResponse& sdk, VTResponse& response);

bool ShowResponseInWindow(const VTResponse& response, wxWindow& window,
                          VantrelSDK::Interface_EditResponseWindowHelper* helper);
bool ReadResponseFromWindow(VTResponse& response, const wxWindow& window,
                            VantrelSDK::Interface_EditResponseWindowHelper* helper);

}  // namespace Vantrel
