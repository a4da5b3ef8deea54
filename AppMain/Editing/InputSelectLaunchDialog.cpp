#include "AppMain/Editing/InputSelectLaunchDialog.h"

#include "AppMain/Editing/InputPluginLaunchDialogHelper.h"
#include "AppMain/WebAddresses.h"

#include <Resources/BitmapRsrc.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTExperiment.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/hyperlink.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(InputSelectLaunchDialog, wxDialog);

wxBEGIN_EVENT_TABLE(InputSelectLaunchDialog, wxDialog)
    EVT_BUTTON(wxID_OK, InputSelectLaunchDialog::OnDone)
    EVT_CHOICE(ID_INPUT_CHOICE, InputSelectLaunchDialog::OnPluginChoice)
    EVT_CHAR_HOOK(InputSelectLaunchDialog::OnCharHook)
wxEND_EVENT_TABLE()

InputSelectLaunchDialog::InputSelectLaunchDialog() { Init(); }

InputSelectLaunchDialog::InputSelectLaunchDialog(bool loadFlag, wxWindow* parent, Vantrel::VTExperiment* experiment,
                                                 int id, const wxString& caption, const wxPoint& pos,
                                                 const wxSize& size, long style)
    : m_PluginChooser(std::make_shared<InputPluginLaunchDialogHelper>()), m_Experiment(experiment), m_LoadFlag(loadFlag)
{
    Init();
    Create(parent, id, caption, pos, size, style);
    for (const wxString& entry : m_PluginChooser->GetListOfPluginStrings()) m_InputChoice->Append(entry);
    m_InputChoice->SetSelection(m_PluginChooser->GetInitialSelection());
    wxCommandEvent none;
    OnPluginChoice(none);
}

InputSelectLaunchDialog::~InputSelectLaunchDialog() = default;

bool InputSelectLaunchDialog::Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos,
                                     const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, wxASCII_STR(wxDialogNameStr));
    // The only button is OK, which the GUI library would otherwise press for
    // Escape and the close box; both leave the experiment as it was.
    SetEscapeId(wxID_NONE);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void InputSelectLaunchDialog::Init()
{
    m_InputChoice = nullptr;
    m_ConflictBook = nullptr;
    m_ConflictPageSizer = nullptr;
    m_ConflictText = nullptr;
}

void InputSelectLaunchDialog::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* column = new wxBoxSizer(wxVERTICAL);
    top->Add(column, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    column->Add(new wxStaticText(this, wxID_STATIC, _("Please select an input device:")), 0, wxALL, 5);
    m_InputChoice = new wxChoice(this, ID_INPUT_CHOICE, wxDefaultPosition, wxDefaultSize, wxArrayString(), 0,
                                 wxDefaultValidator, "Input Plugin Choice");
    column->Add(m_InputChoice, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    m_ConflictBook =
        new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_CONFLICT_BOOK, wxDefaultPosition, wxDefaultSize, 0, false);
    column->Add(m_ConflictBook, 0, wxGROW, 0);

    auto* calm = new wxPanel(m_ConflictBook, ID_NO_CONFLICT_PAGE, wxDefaultPosition, wxDefaultSize,
                             wxTAB_TRAVERSAL | wxBORDER_NONE);
    auto* calmSizer = new wxBoxSizer(wxVERTICAL);
    calm->SetSizer(calmSizer);
    auto* note = new wxStaticText(calm, wxID_STATIC,
                                  _("An experiment requires at least one input device.  You can change your "
                                    "settings at any time by cliking on Experiment menu and choosing Participant "
                                    "Input."));
    note->SetForegroundColour(wxColour(64, 64, 64));
    note->Wrap(400);
    calmSizer->Add(note, 0, wxALL, 5);
    m_ConflictBook->AddPage(calm, _("No input devices conflict"), false);

    auto* warning = new wxPanel(m_ConflictBook, ID_CONFLICT_PAGE, wxDefaultPosition, wxDefaultSize,
                                wxTAB_TRAVERSAL | wxBORDER_NONE);
    m_ConflictPageSizer = new wxBoxSizer(wxHORIZONTAL);
    warning->SetSizer(m_ConflictPageSizer);
    m_ConflictPageSizer->Add(new wxStaticBitmap(warning, wxID_STATIC, GetBitmapResource("icon_warning_std.png"),
                                                wxDefaultPosition, wxSize(21, 18), 0),
                             0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* warningText = new wxBoxSizer(wxVERTICAL);
    m_ConflictPageSizer->Add(warningText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 5);
    m_ConflictText = new wxStaticText(
        warning, wxID_STATIC, _("These input devices may conflict. You can change settings in Participant Input."),
        wxDefaultPosition, wxSize(280, -1), 0);
    m_ConflictText->Wrap(280);
    warningText->Add(m_ConflictText, 1, wxALL, 5);
    warningText->Add(new wxHyperlinkCtrl(warning, ID_MORE_INFORMATION, _("More Information..."),
                                         Vantrel::kInputDeviceConflictsUrl, wxDefaultPosition, wxDefaultSize,
                                         wxHL_DEFAULT_STYLE),
                     0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    m_ConflictBook->AddPage(warning, _("We have input devices conflict"), false);

    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    column->Add(ok, 0, wxALIGN_RIGHT | wxALL, 5);
}

void InputSelectLaunchDialog::OnPluginChoice(wxCommandEvent&)
{
    const std::vector<wxString>& entries = m_PluginChooser->GetListOfPluginStrings();
    const bool lastEntry = !entries.empty() && m_InputChoice->GetSelection() == static_cast<int>(entries.size()) - 1;
    const bool conflict = m_PluginChooser->GetNumberOfPluginsInLastKnownConfig() >= 2 && lastEntry &&
                          m_PluginChooser->CheckConflictsForStartupDialog();
    m_ConflictBook->SetSelection(conflict ? PAGE_CONFLICT : PAGE_NO_CONFLICT);
}

void InputSelectLaunchDialog::OnDone(wxCommandEvent& event)
{
    int selection = m_InputChoice->GetSelection();
    if (selection == wxNOT_FOUND) {
        wxLogError(_("Unknown selection of input device."));
        selection = 0;
    }
    wxString reason;
    if (!m_Experiment) {
        // Nothing to load into.
    } else if (!m_Experiment->IsLocked(reason)) {
        m_PluginChooser->CommitPluginSelection(selection, m_Experiment, m_LoadFlag);
    } else {
        wxLogError(_("Unable to select the input plugin.  Experiment is locked. %s"), reason);
    }
    EndModal(wxID_OK);
    event.Skip();
}

void InputSelectLaunchDialog::OnCharHook(wxKeyEvent& event)
{
    // Escape closes without loading anything.
    if (event.GetKeyCode() == WXK_ESCAPE && IsModal()) {
        EndModal(wxID_CANCEL);
        return;
    }
    event.Skip();
}

wxBitmap InputSelectLaunchDialog::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }
wxIcon InputSelectLaunchDialog::GetIconResource(const wxString&) { return wxNullIcon; }
