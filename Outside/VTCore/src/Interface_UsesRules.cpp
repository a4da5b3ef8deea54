#include <VTCore/Interface_UsesRules.h>

namespace Vantrel {

Interface_UsesRules::~Interface_UsesRules() = default;

}  // namespace Vantrel
