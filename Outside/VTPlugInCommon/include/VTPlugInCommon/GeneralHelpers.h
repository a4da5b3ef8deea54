#pragma once
// Small helpers shared by the program and plug-ins.

#include <wx/string.h>

#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

class wxConfigBase;
class wxItemContainer;
class wxWindow;

// Implemented by the application, so code that reports problems during start-up can
// hide the splash screen first.
class VTSDK_API Interface_OwnsSplashscreen
{
public:
    virtual ~Interface_OwnsSplashscreen();
    virtual void HideSplashscreen() = 0;
    virtual void UnhideSplashscreen() = 0;
};

namespace Orbisk {

namespace GeneralAppHelpers {
// Reads the numbers stored under `key` in `path` as comma-separated decimals (the form
// the plug-in manager writes "most_recent_input_set" in). `values` is cleared first and
// stays empty when nothing (or nothing readable) is stored. The configuration's path
// is left as it was.
VTSDK_API void GetFloatArrayPreferenceValue(wxConfigBase* config, const wxString& path, const wxString& key,
                                            std::vector<double>& values);
// Pops and deletes every handler pushed onto `window` until it is its own handler.
// `onlyWhenShown` true: does nothing for a window that is being destroyed already.
VTSDK_API void PopRemoveDeleteAllCustomEventHandlers(wxWindow* window, bool onlyWhenShown);
}  // namespace GeneralAppHelpers

namespace GuiHelpers {
// The index of the first item whose client data equals `value`, or -1.
VTSDK_API int FindIndexByClientData(long long value, const wxItemContainer* control);
}  // namespace GuiHelpers

}  // namespace Orbisk
