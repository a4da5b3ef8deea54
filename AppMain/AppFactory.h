#pragma once

namespace Vantrel {

// Referenced by every entry point so the linker keeps the factory's
// registration, which only runs at static initialisation.
void EnsureApplicationFactoryIsLinked();

}  // namespace Vantrel
