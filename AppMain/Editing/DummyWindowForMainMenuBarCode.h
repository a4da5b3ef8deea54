#pragma once
// Holds the one operation that builds the editing configuration's menu bar
// (File, Edit, Experiment, Help). The frame class itself is never shown; it
// exists so generated code has a home for CreateMenuBar, and it cannot be
// created by class name.

#include <wx/mdi.h>

class wxMenuBar;

class DummyWindowForMainMenuBarCode : public wxMDIParentFrame
{
    wxDECLARE_CLASS(DummyWindowForMainMenuBarCode);
    wxDECLARE_EVENT_TABLE();

public:
    DummyWindowForMainMenuBarCode() = default;
    DummyWindowForMainMenuBarCode(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                  const wxSize& size, long style);

    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);

    // A new menu bar; the caller owns it until a frame takes it with SetMenuBar.
    static wxMenuBar* CreateMenuBar();

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }
};
