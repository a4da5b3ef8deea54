#include "DisplaySync.h"

#include <wx/utils.h>

// Last: Xlib defines macros (None, Bool, Status) that other headers use as names.
#include <X11/Xlib.h>

namespace Vantrel {

void WaitUntilTheDisplayHasDrawn()
{
    // Without an X11 display (Wayland) there is no server round trip to wait for.
    const wxDisplayInfo display = wxGetDisplayInfo();
    if (display.type == wxDisplayX11 && display.dpy) XSync(static_cast<Display*>(display.dpy), False);
}

}  // namespace Vantrel
