#pragma once
// Where the program's shared-support files and plug-ins live: folders beside the
// executable, the same in the build tree and the install tree.

#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"

class VTSDK_API VTResourceHelper
{
public:
    // Full path of `fileName` in the shared-support folder, or "" when it is not there.
    // The folder is "<executable folder>/SharedSupport"; VANTREL_SHARED_SUPPORT_DIR overrides it.
    static wxString FindPath_SharedSupport_OrWin32Substitute(const wxString& fileName);
    static wxString GetSharedSupportFolder();
    // "<executable folder>/PlugIns"; VANTREL_PLUGIN_DIR overrides it.
    static wxString GetPlugInFolder();
    static wxString GetExecutableFolder();
};
