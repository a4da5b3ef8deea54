#pragma once
// The editing configuration's toolbar: open and save; cut, copy and paste;
// new, edit and delete item; move down and up; run. CreateToolbarItems fills
// any toolbar, so frames with a plain wxToolBar can use it too.

#include <wx/toolbar.h>

class VTToolBar : public wxToolBar
{
    wxDECLARE_DYNAMIC_CLASS(VTToolBar);
    wxDECLARE_EVENT_TABLE();

public:
    VTToolBar() = default;
    VTToolBar(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxTB_HORIZONTAL);

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTB_HORIZONTAL);
    void CreateControls() {}

    // Adds the eleven tools and four separators with the artwork library's
    // toolbar images, then realizes the toolbar.
    static void CreateToolbarItems(wxToolBar* toolbar);

    // The toolbar image of one of the 26 tool picture names (normal and
    // "_disabled" forms); the null bitmap for any other name.
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }
};
