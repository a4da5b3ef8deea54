#include "AppMain/DisplayEssentials.h"

#include "Resources/EmbeddedResources.h"

#include <VTPlugInCommon/VTListViews.h>
#include <VTPlugInCommon/VTPanels.h>

#include <wx/image.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

void EnsureThatGUIDisplayEssentialsAreInitialized()
{
    static bool done = false;
    if (done) return;
    done = true;
    wxInitAllImageHandlers();
    wxXmlResource::Get()->InitAllHandlers();
    // The plug-in support library's list views and panels, ahead of the standard handlers.
    wxXmlResource::Get()->InsertHandler(new VTListViewXmlHandler);
    wxXmlResource::Get()->InsertHandler(new Orbisk::PanelWithVisibilityTrackingXmlHandler);
    Init_bitmaps_XRC();
    Init_ui_db_XRC();
}

}  // namespace Vantrel
