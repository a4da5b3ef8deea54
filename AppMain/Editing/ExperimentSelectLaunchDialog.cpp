#include "AppMain/Editing/ExperimentSelectLaunchDialog.h"

#include "AppMain/Editing/InputPluginLaunchDialogHelper.h"
#include "AppMain/Editing/PanelWithHoverActions.h"
#include "AppMain/WebAddresses.h"

#include <Resources/BitmapRsrc.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <VTCore/VTExperiment.h>

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/docview.h>
#include <wx/event.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/hyperlink.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>

namespace {

// The system's GUI font at `factor` times its size, same family, style, weight and face.
wxFont ScaledHeadingFont(double factor)
{
    const wxFont base = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    return wxFont(static_cast<int>(base.GetPointSize() * factor), base.GetFamily(), base.GetStyle(), base.GetWeight(),
                  false, base.GetFaceName());
}

wxString ShortenedName(const wxString& name)
{
    const size_t limit = ExperimentSelectLaunchDialog::MAX_LENGTH_OF_FILE_OR_FOLDER_NAME;
    return name.length() > limit ? wxString::Format("%s...", name.Left(limit)) : name;
}

const int kRecentIds[4] = {ExperimentSelectLaunchDialog::ID_RECENT_1, ExperimentSelectLaunchDialog::ID_RECENT_2,
                           ExperimentSelectLaunchDialog::ID_RECENT_3, ExperimentSelectLaunchDialog::ID_RECENT_4};

// Where the dialog waits, out of sight, while the file chooser is open: hiding
// a modal dialog would end its modal loop here.
const wxPoint kOffScreen(-20000, -20000);

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(ExperimentSelectLaunchDialog, wxDialog);

wxBEGIN_EVENT_TABLE(ExperimentSelectLaunchDialog, wxDialog)
    EVT_BUTTON(ID_NEW_EXPERIMENT, ExperimentSelectLaunchDialog::OnNewExperiment)
    EVT_BUTTON(ID_OPEN_FILE, ExperimentSelectLaunchDialog::OnOpenExperiment)
    EVT_BUTTON(ID_RECENT_1, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_BUTTON(ID_RECENT_2, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_BUTTON(ID_RECENT_3, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_BUTTON(ID_RECENT_4, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_MENU(ID_NEW_EXPERIMENT, ExperimentSelectLaunchDialog::OnNewExperiment)
    EVT_MENU(ID_OPEN_FILE, ExperimentSelectLaunchDialog::OnOpenExperiment)
    EVT_MENU(ID_RECENT_1, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_MENU(ID_RECENT_2, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_MENU(ID_RECENT_3, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_MENU(ID_RECENT_4, ExperimentSelectLaunchDialog::OnRecentExperiment)
    EVT_CHOICE(ID_INPUT_CHOICE, ExperimentSelectLaunchDialog::OnSelectInput)
wxEND_EVENT_TABLE()

ExperimentSelectLaunchDialog::ExperimentSelectLaunchDialog() { Init(); }

ExperimentSelectLaunchDialog::ExperimentSelectLaunchDialog(wxWindow* parent, wxDocManager* manager, int id,
                                                           const wxString& caption, const wxPoint& pos,
                                                           const wxSize& size, long style)
    : m_DocManager(manager), m_PluginChooser(std::make_shared<InputPluginLaunchDialogHelper>())
{
    Init();
    Create(parent, id, caption, pos, size, style);
    FillFromPluginsAndHistory();
}

ExperimentSelectLaunchDialog::~ExperimentSelectLaunchDialog() = default;

bool ExperimentSelectLaunchDialog::Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos,
                                          const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style, wxASCII_STR(wxDialogNameStr));
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void ExperimentSelectLaunchDialog::Init()
{
    m_NewExperiment = false;
    m_InputChoice = nullptr;
    m_ConflictPanel = nullptr;
    m_ConflictSizer = nullptr;
    m_ConflictText = nullptr;
    m_NewExperimentButton = nullptr;
    m_RecentColumnSizer = nullptr;
    for (PanelWithHoverActions*& panel : m_RecentPanels) panel = nullptr;
    m_OpenFilePanel = nullptr;
    m_ChosenPath.clear();
}

void ExperimentSelectLaunchDialog::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* main = new wxPanel(this, ID_MAIN_PANEL, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    top->Add(main, 1, wxGROW, 0);
    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    main->SetSizer(mainSizer);

    auto* title = new wxStaticText(main, wxID_STATIC, _("Welcome to Vantrel 6"));
    title->SetForegroundColour(wxColour(0, 0, 215));
    title->SetFont(ScaledHeadingFont(2.0));
    mainSizer->Add(title, 0, wxALL, 15);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(columns, 1, wxGROW | wxALL, 5);

    // Left column: a new experiment and its input device.
    auto* left = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 0, wxALL, 5);
    auto* startNew = new wxStaticText(main, wxID_STATIC, _("Start New"));
    startNew->SetFont(ScaledHeadingFont(1.8));
    left->Add(startNew, 0, wxALL, 5);
    left->Add(5, 5, 0, wxALIGN_CENTER_HORIZONTAL, 0);
    left->Add(new wxStaticText(main, wxID_STATIC, _("Using input device:")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
    m_InputChoice = new wxChoice(main, ID_INPUT_CHOICE, wxDefaultPosition, wxDefaultSize, wxArrayString(), 0,
                                 wxDefaultValidator, "Input Plugin Choice");
    left->Add(m_InputChoice, 0, wxALL, 3);
    left->Add(5, 5, 0, wxALL, 5);

    m_ConflictPanel =
        new wxPanel(main, ID_CONFLICT_PANEL, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE);
    left->Add(m_ConflictPanel, 1, wxGROW | wxTOP | wxBOTTOM, 5);
    m_ConflictSizer = new wxBoxSizer(wxHORIZONTAL);
    m_ConflictPanel->SetSizer(m_ConflictSizer);
    m_ConflictSizer->Add(new wxStaticBitmap(m_ConflictPanel, wxID_STATIC, GetBitmapResource("icon_warning_std.png"),
                                            wxDefaultPosition, wxSize(21, 18), 0),
                         0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* warning = new wxBoxSizer(wxVERTICAL);
    m_ConflictSizer->Add(warning, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_ConflictText =
        new wxStaticText(m_ConflictPanel, wxID_STATIC,
                         _("These input devices may conflict. You can change settings in Participant Input."),
                         wxDefaultPosition, wxSize(280, -1), 0);
    m_ConflictText->Wrap(280);
    warning->Add(m_ConflictText, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    warning->Add(new wxHyperlinkCtrl(m_ConflictPanel, ID_MORE_INFORMATION, _("More Information..."),
                                     Vantrel::kInputDeviceConflictsUrl, wxDefaultPosition, wxDefaultSize,
                                     wxHL_DEFAULT_STYLE),
                 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);

    left->Add(5, 5, 0, wxALL, 5);
    m_NewExperimentButton = new wxButton(main, ID_NEW_EXPERIMENT, _("Start New Experiment"));
    m_NewExperimentButton->SetDefault();
    left->Add(m_NewExperimentButton, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    left->Add(5, 5, 0, wxALL, 5);

    // A one-pixel grey line between the columns.
    auto* separator = new wxPanel(main, ID_SEPARATOR, wxDefaultPosition, wxSize(1, -1), 0);
    separator->SetBackgroundColour(wxColour(128, 128, 128));
    columns->Add(separator, 0, wxGROW | wxLEFT | wxRIGHT, 5);
    auto* separatorSizer = new wxBoxSizer(wxVERTICAL);
    separator->SetSizer(separatorSizer);
    separatorSizer->Add(1, 5, 0, 0, 0);

    // Right column: recent files and the file chooser.
    m_RecentColumnSizer = new wxBoxSizer(wxVERTICAL);
    columns->Add(m_RecentColumnSizer, 0, wxGROW | wxALL, 5);
    auto* openHeading = new wxStaticText(main, wxID_STATIC, _("Or Open Experiment"));
    openHeading->SetFont(ScaledHeadingFont(1.8));
    m_RecentColumnSizer->Add(openHeading, 0, wxALL, 5);
    m_RecentColumnSizer->Add(5, 10, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        m_RecentPanels[i] =
            new PanelWithHoverActions(main, kRecentIds[i], wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
        m_RecentColumnSizer->Add(m_RecentPanels[i], 0, wxGROW | wxLEFT | wxRIGHT | wxTOP, 5);
    }
    m_RecentColumnSizer->Add(5, 5, 0, wxALL, 5);
    m_OpenFilePanel = new PanelWithHoverActions(main, ID_OPEN_FILE, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_RecentColumnSizer->Add(m_OpenFilePanel, 0, wxGROW | wxLEFT | wxRIGHT | wxTOP, 5);
    m_RecentColumnSizer->Add(5, 5, 0, wxALL, 5);
}

void ExperimentSelectLaunchDialog::FillFromPluginsAndHistory()
{
    for (const wxString& entry : m_PluginChooser->GetListOfPluginStrings()) m_InputChoice->Append(entry);
    m_InputChoice->SetSelection(m_PluginChooser->GetInitialSelection());
    wxCommandEvent none;
    OnSelectInput(none);

    for (PanelWithHoverActions* panel : m_RecentPanels) panel->Hide();
    const size_t history = m_DocManager ? m_DocManager->GetHistoryFilesCount() : 0;
    for (size_t i = 0; i < 4 && i < history; ++i)
        SetUpRecentPanel(m_RecentPanels[i], m_DocManager->GetHistoryFile(i), static_cast<unsigned int>(i + 1));

    m_OpenFilePanel->SetTextLabelsAndTooltip("Choose experiment file to open...", wxString(), wxString());
    m_OpenFilePanel->SetBitmapsAccordingToFileNumber(5);

    GetSizer()->SetSizeHints(this);
    Fit();
    FitWithinScreenWidth();
    m_RecentColumnSizer->Layout();

    // Keys reach the menu-command rows of the event table: digits for the recent
    // files, n for a new experiment, o for the file chooser. Key events carry
    // letters in upper case, so the letters are entered that way.
    wxAcceleratorEntry keys[10];
    for (int i = 0; i < 4; ++i) {
        keys[i].Set(wxACCEL_NORMAL, '1' + i, kRecentIds[i]);
        keys[4 + i].Set(wxACCEL_NORMAL, WXK_NUMPAD1 + i, kRecentIds[i]);
    }
    keys[8].Set(wxACCEL_NORMAL, 'N', ID_NEW_EXPERIMENT);
    keys[9].Set(wxACCEL_NORMAL, 'O', ID_OPEN_FILE);
    SetAcceleratorTable(wxAcceleratorTable(10, keys));
}

void ExperimentSelectLaunchDialog::SetUpRecentPanel(PanelWithHoverActions* panel, const wxString& historyEntry,
                                                    unsigned int number)
{
    const wxFileName file(historyEntry);
    panel->SetTextLabelsAndTooltip(ShortenedName(file.GetFullName()), GenerateFilepathString(file), historyEntry);
    panel->SetBitmapsAccordingToFileNumber(number);
    panel->Show();
}

void ExperimentSelectLaunchDialog::FitWithinScreenWidth()
{
    // Long names make the recent entries, and with them the dialog, wider than the
    // screen: the widest lines give up the width that is too much.
    const int overflow = GetSize().x - wxDisplay(static_cast<const wxWindow*>(this)).GetClientArea().width;
    if (overflow <= 0) return;
    int widest = 0;
    for (PanelWithHoverActions* panel : m_RecentPanels)
        if (panel->IsShown()) widest = std::max(widest, panel->GetTextWidth());
    for (PanelWithHoverActions* panel : m_RecentPanels)
        if (panel->IsShown()) panel->LimitTextWidth(widest - overflow);
    GetSizer()->SetSizeHints(this);
    Fit();
}

wxString ExperimentSelectLaunchDialog::GenerateFilepathString(const wxFileName& file)
{
    wxArrayString folders = file.GetDirs();
    const wxString separator(wxFileName::GetPathSeparator());
    wxString result;
    bool shortened = false;
    while (!folders.empty()) {
        if (result.length() > 30) {
            result = "..." + result;
            shortened = true;
            break;
        }
        result = separator + ShortenedName(folders.Last()) + result;
        folders.RemoveAt(folders.size() - 1);
    }
    if (!shortened && !result.StartsWith(separator) && file.GetFullPath().StartsWith(separator))
        result = separator + result;
    return wxString::Format("In \"%s\"", result);
}

void ExperimentSelectLaunchDialog::OnSelectInput(wxCommandEvent&)
{
    const unsigned int remembered = m_PluginChooser->GetNumberOfPluginsInLastKnownConfig();
    const std::vector<wxString>& entries = m_PluginChooser->GetListOfPluginStrings();
    const int selection = m_InputChoice->GetSelection();
    const bool lastEntry = !entries.empty() && selection == static_cast<int>(entries.size()) - 1;
    if (remembered >= 2 && lastEntry && m_PluginChooser->CheckConflictsForStartupDialog()) {
        const wxString text = wxString::Format(
            "These %d input devices may conflict. Go to Participant Input to modify the settings.", remembered);
        Orbisk::HelperFunctionChangeStaticTextIfNew(m_ConflictText, m_ConflictSizer, nullptr, text,
                                                    GetTextExtent(entries.back()).GetWidth());
        m_ConflictPanel->Show();
    } else {
        m_ConflictPanel->Hide();
    }
    if (GetSizer()) GetSizer()->SetSizeHints(this);
}

void ExperimentSelectLaunchDialog::FlashRecentFileButtonDueToKeyPress(PanelWithHoverActions* panel)
{
    panel->OverrideHoverState(true);
    wxMilliSleep(250);
    panel->OverrideHoverState(false);
    wxMilliSleep(50);
}

void ExperimentSelectLaunchDialog::EndWithChoiceMade()
{
    m_EventBlocker.reset();  // blockers come off the window in the order they went on
    m_EventBlocker = std::make_unique<wxEventBlocker>(this);
    EndModal(wxID_OK);
}

void ExperimentSelectLaunchDialog::OnNewExperiment(wxCommandEvent&)
{
    m_NewExperiment = true;
    EndWithChoiceMade();
}

void ExperimentSelectLaunchDialog::OnOpenExperiment(wxCommandEvent&)
{
    FlashRecentFileButtonDueToKeyPress(m_OpenFilePanel);
    const wxPoint position = GetPosition();
    Move(kOffScreen);
    wxFileDialog chooser(GetParent(), _("Select an experiment"), wxString(), wxString(),
                         _("Vantrel Experiment (*.vt4, *.vt5, *.vt6)|*.vt4;*.vt5;*.vt6|All Files (*.*)|*.*||"),
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (chooser.ShowModal() == wxID_OK) m_ChosenPath = chooser.GetPath();
    Move(position);
    EndWithChoiceMade();
}

void ExperimentSelectLaunchDialog::OnRecentExperiment(wxCommandEvent& event)
{
    for (int i = 0; i < 4; ++i) {
        if (event.GetId() != kRecentIds[i]) continue;
        FlashRecentFileButtonDueToKeyPress(m_RecentPanels[i]);
        m_ChosenPath = m_RecentPanels[i]->GetFullFilenameFromPanel();
    }
    EndWithChoiceMade();
}

void ExperimentSelectLaunchDialog::CarryOutUserRequest()
{
    int selection = m_InputChoice ? m_InputChoice->GetSelection() : wxNOT_FOUND;
    if (selection == wxNOT_FOUND) {
        wxLogError(_("Invalid selection of input device."));
        selection = 0;
    }
    if (!m_DocManager) return;
    if (!m_NewExperiment) {
        if (m_ChosenPath.empty()) return;
        // A recent file may have been moved or deleted since it was listed.
        if (!wxFileName::FileExists(m_ChosenPath)) {
            wxLogError(_("The experiment file \"%s\" no longer exists. It has been removed from the recent files."),
                       m_ChosenPath);
            wxFileHistory* history = m_DocManager->GetFileHistory();
            for (size_t i = 0; history && i < history->GetCount(); ++i) {
                if (history->GetHistoryFile(i) != m_ChosenPath) continue;
                history->RemoveFileFromHistory(i);
                break;
            }
            return;
        }
        m_DocManager->CreateDocument(m_ChosenPath, wxDOC_SILENT);
        return;
    }
    wxDocument* document = m_DocManager->CreateDocument(wxString(), wxDOC_NEW);
    if (auto* experiment = wxDynamicCast(document, Vantrel::VTExperiment))
        m_PluginChooser->CommitPluginSelection(selection, experiment, true);
}

wxBitmap ExperimentSelectLaunchDialog::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }
wxIcon ExperimentSelectLaunchDialog::GetIconResource(const wxString&) { return wxNullIcon; }
