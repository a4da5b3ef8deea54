#pragma once
// What an event-type plug-in draws on during a run: the runtime's presentation
// window. Everything here is called on the GUI thread.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"

class wxBitmap;

namespace VantrelSDK {

class VTSDK_API Interface_PresentationSurface
{
public:
    virtual ~Interface_PresentationSurface();

    // The drawing area in pixels (the whole display during a run).
    virtual wxSize GetSurfaceSize() const = 0;
    virtual void ShowBlank() = 0;
    // Text centred on the surface, laid out by the runtime (line breaks kept).
    virtual void ShowText(const wxString& text) = 0;
    // A bitmap centred on the surface, drawn at its own size (the caller scales it).
    virtual void ShowBitmap(const wxBitmap& bitmap) = 0;
    // Draws what was shown, so it is on the display when this returns.
    virtual void PaintNow() = 0;
    // Where the last paint drew what was shown; false when nothing was drawn or the
    // surface cannot say.
    virtual bool GetDrawnRect(wxRect& rect) const;
};

}  // namespace VantrelSDK
