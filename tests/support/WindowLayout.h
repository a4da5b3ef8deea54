#pragma once
// What a window's layout looks like to the user, read from the rectangles of its
// windows: controls drawn over one another, or cut off by their parent's edge.

#include <wx/string.h>

class wxWindow;

namespace TestSupport {

// Every fault of the layout of `top` and the containers inside it (panels and
// book controls): a shown control that overlaps a shown sibling (a static box
// may hold its siblings), or that reaches outside its parent's client area. One
// line per fault naming both windows and their rectangles; "" when there is none.
// Controls are not looked inside: their own parts are theirs to place.
wxString LayoutFaults(wxWindow* top);

}  // namespace TestSupport
