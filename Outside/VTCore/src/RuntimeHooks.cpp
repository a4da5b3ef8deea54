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

void SetRuntimeForCore(Interface_RuntimeForCore* runtime) { Registered() = runtime; }

Interface_RuntimeForCore* GetRuntimeForCore() { return Registered(); }

}  // namespace Vantrel
