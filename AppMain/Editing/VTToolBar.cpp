#include "AppMain/Editing/VTToolBar.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/icon.h>
#include <wx/image.h>
#include <wx/intl.h>

namespace {

// The artwork library's toolbar picture of that name, as a fresh bitmap at
// scale 1 and the screen's depth.
wxBitmap GetOrbiskBitmapResource(const wxString& name)
{
    const wxBitmap art = Orbisk::OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon(name);
    if (!art.IsOk()) return wxNullBitmap;
    return wxBitmap(art.ConvertToImage(), -1, 1.0);
}

struct ToolRow
{
    int id;  // wxID_SEPARATOR for a separator
    const char* label;
    const char* shortHelp;
    const char* longHelp;
    const char* picture;  // the disabled picture inserts "_disabled" before ".png"
};

const ToolRow kTools[] = {
    {wxID_OPEN, wxTRANSLATE("Open"), wxTRANSLATE("Open Experiment"), wxTRANSLATE("Open Experiment"), "icon_open"},
    {wxID_SAVE, wxTRANSLATE("Save"), wxTRANSLATE("Save Experiment"), wxTRANSLATE("Save Experiment"), "icon_save"},
    {wxID_SEPARATOR, nullptr, nullptr, nullptr, nullptr},
    {wxID_CUT, wxTRANSLATE("Cut"), wxTRANSLATE("Cut"), wxTRANSLATE("Cut the selection and put it on the clipboard"),
     "icon_cut"},
    {wxID_COPY, wxTRANSLATE("Copy"), wxTRANSLATE("Copy"), wxTRANSLATE("Copy the selection and put it on the clipboard"),
     "icon_copy"},
    {wxID_PASTE, wxTRANSLATE("Paste"), wxTRANSLATE("Paste"), wxTRANSLATE("Insert Clipboard contents"), "icon_paste"},
    {wxID_SEPARATOR, nullptr, nullptr, nullptr, nullptr},
    {10117, wxTRANSLATE("New Item"), wxTRANSLATE("New Item"), wxTRANSLATE("New Item"), "vt_add"},
    {10118, wxTRANSLATE("Edit Item"), wxTRANSLATE("Edit Item"), wxTRANSLATE("Edit selected item"), "vt_edit"},
    {10119, wxTRANSLATE("Delete Item"), wxTRANSLATE("Delete Item"), wxTRANSLATE("Delete selected item(s)"),
     "vt_delete"},
    {wxID_SEPARATOR, nullptr, nullptr, nullptr, nullptr},
    {10144, wxTRANSLATE("Move Down"), wxTRANSLATE("Move Down"), wxTRANSLATE("Move selected item(s) down"),
     "vt_nav_down"},
    {10145, wxTRANSLATE("Move Up"), wxTRANSLATE("Move Up"), wxTRANSLATE("Move selected item(s) up"), "vt_nav_up"},
    {wxID_SEPARATOR, nullptr, nullptr, nullptr, nullptr},
    {10146, wxTRANSLATE("Run"), wxTRANSLATE("Run"), wxTRANSLATE("Run experiment"), "icon_run"},
};

// The pictures GetBitmapResource knows: every tool's, plus the new and help
// pictures that no tool uses.
const char* const kKnownPictures[] = {"icon_new",   "icon_open", "icon_save", "icon_cut",  "icon_copy",
                                      "icon_paste", "vt_add",    "vt_edit",   "vt_delete", "vt_nav_down",
                                      "vt_nav_up",  "icon_run",  "icon_help"};

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(VTToolBar, wxToolBar);

wxBEGIN_EVENT_TABLE(VTToolBar, wxToolBar)
wxEND_EVENT_TABLE()

VTToolBar::VTToolBar(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

bool VTToolBar::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    wxToolBar::Create(parent, id, pos, size, style, wxASCII_STR(wxToolBarNameStr));
    CreateControls();
    return true;
}

void VTToolBar::CreateToolbarItems(wxToolBar* toolbar)
{
    toolbar->SetToolPacking(0);
    for (const ToolRow& row : kTools) {
        if (row.id == wxID_SEPARATOR) {
            toolbar->AddSeparator();
            continue;
        }
        const wxString picture(row.picture);
        toolbar->AddTool(row.id, wxGetTranslation(row.label), GetOrbiskBitmapResource(picture + ".png"),
                         GetOrbiskBitmapResource(picture + "_disabled.png"), wxITEM_NORMAL,
                         wxGetTranslation(row.shortHelp), wxGetTranslation(row.longHelp), nullptr);
    }
    toolbar->Realize();
}

wxBitmap VTToolBar::GetBitmapResource(const wxString& name)
{
    // The pictures are the artwork library's, not files beside the program, so
    // the result does not depend on the working folder.
    for (const char* picture : kKnownPictures) {
        const wxString base(picture);
        if (name == base + ".png" || name == base + "_disabled.png") return GetOrbiskBitmapResource(name);
    }
    return wxNullBitmap;
}

wxIcon VTToolBar::GetIconResource(const wxString&) { return wxNullIcon; }
