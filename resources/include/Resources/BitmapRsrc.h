#pragma once
// Image look-up for generated dialog code: maps the image file names those
// dialogs ask for to the artwork library's images.

#include <wx/bitmap.h>
#include <wx/string.h>

#include <vector>

namespace Vantrel {

// The artwork image for a known name (exact, case-sensitive), else a null bitmap.
wxBitmap GetBitmapRsrc(const wxString& name);

// Every name GetBitmapRsrc knows, in the order they are tried.
std::vector<wxString> KnownBitmapRsrcNames();

}  // namespace Vantrel
