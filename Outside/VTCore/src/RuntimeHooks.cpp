#include <VTCore/RuntimeHooks.h>

namespace Vantrel {

namespace {
Interface_RuntimeForCore*& Registered()
{
    static Interface_RuntimeForCore* runtime = nullptr;
    return runtime;
}
}  // namespace

Interface_RuntimeForCore::~Interface_RuntimeForCore() = default;

unsigned Interface_RuntimeForCore::CreateDefaultResponses(VTPlugIn*, VTExperiment&) { return 0; }
bool Interface_RuntimeForCore::CapturePlugInSettings(int, std::string&) { return false; }
bool Interface_RuntimeForCore::ApplyPlugInSettings(int, const std::string&) { return false; }
bool Interface_RuntimeForCore::ShowResponseInWindow(const VTResponse&, wxWindow&,
                                                    VantrelSDK::Interface_EditResponseWindowHelper*)
{
    return false;
}
bool Interface_RuntimeForCore::ReadResponseFromWindow(VTResponse&, const wxWindow&,
                                                      VantrelSDK::Interface_EditResponseWindowHelper*)
{
    return false;
}

void SetRuntimeForCore(Interface_RuntimeForCore* runtime) { Registered() = runtime; }

Interface_RuntimeForCore* GetRuntimeForCore() { return Registered(); }

}  // namespace Vantrel
