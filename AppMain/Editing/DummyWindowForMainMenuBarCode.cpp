#include "AppMain/Editing/DummyWindowForMainMenuBarCode.h"

#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/stockitem.h>
#include <wx/window.h>

namespace {

// One menu row: a separator when `label` is null; `submenu` is appended as
// the item's submenu (it must be filled before).
struct MenuRow
{
    int id;
    const char* label;
    const char* help;
    wxItemKind kind;
};

const MenuRow kSeparator{wxID_SEPARATOR, nullptr, nullptr, wxITEM_SEPARATOR};

// wxGTK gives an item with a standard identifier (wxID_NEW, wxID_EXIT, ...) whose
// label names no shortcut the toolkit's stock shortcut for it (Ctrl+N, Ctrl+Q, ...):
// a shortcut the menu does not list, and Ctrl+N is "One New Block..." here. The
// item is appended under a passing plain identifier, so its native item gets no
// stock shortcut, and takes its standard identifier back at once: it keeps its
// stock help text and sends its standard command.
void AppendWithoutStockShortcut(wxMenu* menu, wxMenuItem* item)
{
    const int id = item->GetId();
    if (!wxIsStockID(id) || item->GetItemLabel().Contains('\t')) {
        menu->Append(item);
        return;
    }
    const wxWindowID passing = wxWindow::NewControlId();
    item->SetId(passing);
    menu->Append(item);
    item->SetId(id);
    wxWindow::UnreserveControlId(passing);
}

void AppendRows(wxMenu* menu, std::initializer_list<MenuRow> rows)
{
    for (const MenuRow& row : rows) {
        if (!row.label) {
            menu->AppendSeparator();
            continue;
        }
        AppendWithoutStockShortcut(menu, wxMenuItem::New(menu, row.id, wxGetTranslation(row.label),
                                                         row.help ? wxGetTranslation(row.help) : wxString(), row.kind));
    }
}

void AppendSubmenu(wxMenu* menu, int id, const char* label, wxMenu* submenu)
{
    menu->Append(wxMenuItem::New(menu, id, wxGetTranslation(label), wxString(), wxITEM_NORMAL, submenu));
}

}  // namespace

wxIMPLEMENT_CLASS(DummyWindowForMainMenuBarCode, wxMDIParentFrame);

wxBEGIN_EVENT_TABLE(DummyWindowForMainMenuBarCode, wxMDIParentFrame)
wxEND_EVENT_TABLE()

DummyWindowForMainMenuBarCode::DummyWindowForMainMenuBarCode(wxWindow* parent, wxWindowID id, const wxString& caption,
                                                             const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, caption, pos, size, style);
}

bool DummyWindowForMainMenuBarCode::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                           const wxSize& size, long style)
{
    wxMDIParentFrame::Create(parent, id, caption, pos, size, style, wxASCII_STR(wxFrameNameStr));
    CentreOnParent(wxBOTH);
    return true;
}

wxMenuBar* DummyWindowForMainMenuBarCode::CreateMenuBar()
{
    auto* bar = new wxMenuBar;

    auto* file = new wxMenu;
    AppendRows(file, {
                         {wxID_NEW, wxTRANSLATE("&New"), wxTRANSLATE("Opens a new window"), wxITEM_NORMAL},
                         {wxID_OPEN, wxTRANSLATE("&Open\tCtrl-O"), nullptr, wxITEM_NORMAL},
                         {wxID_CLOSE, wxTRANSLATE("&Close\tCtrl-W"), nullptr, wxITEM_NORMAL},
                         {wxID_SAVE, wxTRANSLATE("&Save\tCtrl-S"), nullptr, wxITEM_NORMAL},
                         {wxID_SAVEAS, wxTRANSLATE("Save &As..."), nullptr, wxITEM_NORMAL},
                         {10002, wxTRANSLATE("Create an Experiment Pac&kage...\tCtrl-K"), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {10032, wxTRANSLATE("Publish..."), nullptr, wxITEM_NORMAL},
                         {10033, wxTRANSLATE("Cloud Dashboard..."), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {wxID_EXIT, wxTRANSLATE("E&xit"), nullptr, wxITEM_NORMAL},
                     });
    bar->Append(file, _("&File"));

    auto* edit = new wxMenu;
    AppendRows(edit, {
                         {wxID_UNDO, wxTRANSLATE("&Undo\tCtrl-Z"), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {wxID_CUT, wxTRANSLATE("Cu&t\tCtrl-X"), nullptr, wxITEM_NORMAL},
                         {wxID_COPY, wxTRANSLATE("&Copy\tCtrl-C"), nullptr, wxITEM_NORMAL},
                         {wxID_PASTE, wxTRANSLATE("&Paste\tCtrl-V"), nullptr, wxITEM_NORMAL},
                         {wxID_CLEAR, wxTRANSLATE("Delete"), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {10004, wxTRANSLATE("One &New Block...\tCtrl-N"), nullptr, wxITEM_NORMAL},
                         {10005, wxTRANSLATE("Many New Blocks..."), nullptr, wxITEM_NORMAL},
                         {10007, wxTRANSLATE("&Edit Block...\tCtrl-E"), nullptr, wxITEM_NORMAL},
                     });
    auto* select = new wxMenu;
    AppendRows(select, {
                           {10009, wxTRANSLATE("&All\tCtrl-A"), nullptr, wxITEM_NORMAL},
                           {10010, wxTRANSLATE("&None"), nullptr, wxITEM_NORMAL},
                       });
    AppendSubmenu(edit, 10008, wxTRANSLATE("&Select"), select);
    bar->Append(edit, _("&Edit"));

    auto* experiment = new wxMenu;
    AppendRows(experiment, {
                               {10011, wxTRANSLATE("&Tag Sets..."), nullptr, wxITEM_NORMAL},
                               {10012, wxTRANSLATE("Participant &Input..."), nullptr, wxITEM_NORMAL},
                               {10013, wxTRANSLATE("Participant &Groups..."), nullptr, wxITEM_NORMAL},
                               {10014, wxTRANSLATE("&Parameters..."), nullptr, wxITEM_NORMAL},
                               {10015, wxTRANSLATE("Trial Le&vels..."), nullptr, wxITEM_NORMAL},
                           });
    auto* marking = new wxMenu;
    AppendRows(marking, {
                            {10034, wxTRANSLATE("TTL..."), nullptr, wxITEM_NORMAL},
                            {10036, wxTRANSLATE("BIOPAC AcqKnowledge..."), nullptr, wxITEM_NORMAL},
                            {10035, wxTRANSLATE("Lab Streaming Layer (LSL)..."), nullptr, wxITEM_NORMAL},
                        });
    AppendSubmenu(experiment, 10067, wxTRANSLATE("Event Marking"), marking);
    AppendRows(experiment, {
                               kSeparator,
                               {10016, wxTRANSLATE("&Stimulus Lists..."), nullptr, wxITEM_NORMAL},
                               {10017, wxTRANSLATE("&Expand Events That Use Lists..."), nullptr, wxITEM_NORMAL},
                               kSeparator,
                               {10018, wxTRANSLATE("&Options..."), nullptr, wxITEM_NORMAL},
                               {10019, wxTRANSLATE("&About This Experiment..."), nullptr, wxITEM_NORMAL},
                               {10020, wxTRANSLATE("&Lock"),
                                wxTRANSLATE("Lock experiment to prevent accidental editing"), wxITEM_CHECK},
                               kSeparator,
                               {10021, wxTRANSLATE("&Run...\tCtrl-R"), nullptr, wxITEM_NORMAL},
                           });
    bar->Append(experiment, _("E&xperiment"));

    auto* help = new wxMenu;
    AppendRows(help, {
                         {wxID_HELP_CONTENTS, wxTRANSLATE("&Download Vantrel Manual...\tF1"), nullptr, wxITEM_NORMAL},
                         {10028, wxTRANSLATE("Send Us &Feedback..."), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {10029, wxTRANSLATE("Experiments on the Web"), nullptr, wxITEM_NORMAL},
                         kSeparator,
                         {wxID_ABOUT, wxTRANSLATE("&About Vantrel 5.0..."), nullptr, wxITEM_NORMAL},
                     });
    bar->Append(help, _("&Help"));

    // The about command names this program, whatever the generated label says.
    if (wxMenuItem* about = help->FindItem(wxID_ABOUT))
        about->SetItemLabel(_("&About ") + wxString("Study Station") + _("..."));
    return bar;
}

wxBitmap DummyWindowForMainMenuBarCode::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon DummyWindowForMainMenuBarCode::GetIconResource(const wxString&) { return wxNullIcon; }
