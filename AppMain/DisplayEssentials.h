#pragma once

namespace Vantrel {

// Registers, once per process, every image handler, the XRC handlers and the
// program's embedded resource bundles. Dialogs built from XRC need all three,
// and the preferences check runs before the application's own start-up.
void EnsureThatGUIDisplayEssentialsAreInitialized();

}  // namespace Vantrel
