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

void SetRuntimeForCore(Interface_RuntimeForCore* runtime) { Registered() = runtime; }

Interface_RuntimeForCore* GetRuntimeForCore() { return Registered(); }

}  // namespace Vantrel
