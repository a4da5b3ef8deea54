#pragma once
// The welcome window of the editing configuration: start a new experiment with
// a chosen input device, or open one of the four most recent files or a file
// picked in a chooser. The owner shows it modally and then calls
// CarryOutUserRequest, which acts through the document manager; the dialog
// itself never creates or opens a document.

#include <wx/dialog.h>

#include <memory>

class wxBoxSizer;
class wxButton;
class wxChoice;
class wxDocManager;
class wxEventBlocker;
class wxFileName;
class wxPanel;
class wxStaticText;
class InputPluginLaunchDialogHelper;
class PanelWithHoverActions;

class ExperimentSelectLaunchDialog : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(ExperimentSelectLaunchDialog);
    wxDECLARE_EVENT_TABLE();

public:
    // The longest file or folder name shown unshortened.
    static constexpr int MAX_LENGTH_OF_FILE_OR_FOLDER_NAME = 150;

    // Window identifiers (the event table and the keyboard shortcuts use them).
    enum
    {
        ID_MAIN_PANEL = 10003,
        ID_INPUT_CHOICE = 10004,
        ID_CONFLICT_PANEL = 10006,
        ID_NEW_EXPERIMENT = 10007,
        ID_SEPARATOR = 10008,
        ID_RECENT_1 = 10009,
        ID_RECENT_2 = 10014,
        ID_RECENT_3 = 10118,
        ID_RECENT_4 = 10150,
        ID_OPEN_FILE = 10157,
        ID_MORE_INFORMATION = 10192
    };

    ExperimentSelectLaunchDialog();
    ExperimentSelectLaunchDialog(wxWindow* parent, wxDocManager* manager, int id = wxID_ANY,
                                 const wxString& caption = wxString(), const wxPoint& pos = wxDefaultPosition,
                                 const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE);
    ~ExperimentSelectLaunchDialog() override;

    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void Init();
    void CreateControls();

    // Performs the choice the user made: opens the chosen file, or creates a
    // new experiment with the chosen input device; nothing when no choice was made.
    void CarryOutUserRequest();

    // Lights the entry for a moment so a key press shows which entry it chose.
    void FlashRecentFileButtonDueToKeyPress(PanelWithHoverActions* panel);

    // The folder line of a recent-file entry: the folder path, shortened from
    // the left to about 30 characters, as In "path".
    static wxString GenerateFilepathString(const wxFileName& file);

    bool ChoseNewExperiment() const { return m_NewExperiment; }
    const wxString& GetChosenPath() const { return m_ChosenPath; }

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

private:
    void FillFromPluginsAndHistory();
    void SetUpRecentPanel(PanelWithHoverActions* panel, const wxString& historyEntry, unsigned int number);
    // Narrows the recent entries' lines until the dialog fits the screen's width.
    void FitWithinScreenWidth();
    // Every choice ends the dialog the same way: later clicks and keys do nothing.
    void EndWithChoiceMade();

    void OnNewExperiment(wxCommandEvent& event);
    void OnOpenExperiment(wxCommandEvent& event);
    void OnRecentExperiment(wxCommandEvent& event);
    void OnSelectInput(wxCommandEvent& event);

    wxChoice* m_InputChoice;
    wxPanel* m_ConflictPanel;
    wxBoxSizer* m_ConflictSizer;
    wxStaticText* m_ConflictText;
    wxButton* m_NewExperimentButton;
    wxBoxSizer* m_RecentColumnSizer;
    PanelWithHoverActions* m_RecentPanels[4];
    PanelWithHoverActions* m_OpenFilePanel;
    wxDocManager* m_DocManager = nullptr;
    std::shared_ptr<InputPluginLaunchDialogHelper> m_PluginChooser;
    bool m_NewExperiment;
    wxString m_ChosenPath;
    std::unique_ptr<wxEventBlocker> m_EventBlocker;
};
