#pragma once
// Waits for the display server: what was drawn has reached the screen when it returns.

namespace Vantrel {

void WaitUntilTheDisplayHasDrawn();

}  // namespace Vantrel
