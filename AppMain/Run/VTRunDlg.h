#pragma once
// The modal "Run Experiment" dialog: session, participant name and group, and
// the run's options. It edits the experiment's run options, which it writes in
// a fixed order when the run is accepted, and ends with wxID_OK (5100) then.
// Cancel or closing the window leaves the options as TransferDataToWindow
// left them (calibration not skipped, block use not restricted by the group).

#include <wx/dialog.h>
#include <wx/icon.h>

#include <functional>

class wxBoxSizer;
class wxButton;
class wxCheckBox;
class wxChoice;
class wxFlexGridSizer;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class Minimal_VTElement;
class VTExperiment;
class VTRunOptions;

class VTRunDlg : public wxDialog
{
public:
    // What the command-line road opens it with.
    static constexpr wxWindowID kWindowID = 10010;
    static constexpr long kWindowStyle = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL;
    static constexpr int kRunID = wxID_OK;

    enum
    {
        ID_SAVE_DATA = 10000,
        ID_SCREENSHOTS = 10001,
        ID_SELECTED_BLOCKS = 10002,
        ID_USED_BLOCKS = 10006,
        ID_TOTAL_BLOCKS = 10007,
        ID_NAME = 10011,
        ID_GROUP = 10011,  // the name field and the group choice share it; only the choice sends choice events
        ID_SESSION = 10012,
        ID_EDIT_GROUPS = 10034,
        ID_GROUP_CONTAINS = 10035,
        ID_MESSAGE_PAGE = 10043,
        ID_RUN_WITHOUT_CALIBRATION = 10081,
        ID_INPUT_WARNING = 10105,
        ID_NOTE = 5105,
    };
    // Pages of the group page book.
    enum GroupPage
    {
        kShowingMessage = 0,
        kEmpty = 1
    };

    // Opens the participant-group editor on the group that the list window's
    // selection carries; true when the editor ended with OK.
    using GroupEditorOpener = std::function<bool(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow)>;
    // By default the participant-group editor through the element-editor launcher;
    // replaceable (tests, other configurations). With none the button is disabled.
    static void SetGroupEditorOpener(GroupEditorOpener opener);
    static const GroupEditorOpener& GetGroupEditorOpener();

    VTRunDlg(wxWindow* parent, VTExperiment* experiment, VTRunOptions& runOptions, wxWindowID id = kWindowID,
             const wxString& caption = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = kWindowStyle);
    ~VTRunDlg() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void Init();
    void CreateControls();
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    void OnEditGroups(wxCommandEvent& event);
    void OnGroupSelect(wxCommandEvent& event);
    void OnEitherAcceptanceButton(wxCommandEvent& event);

    wxTextCtrl* GetSessionField() const { return m_SessionField; }
    wxTextCtrl* GetNameField() const { return m_NameField; }
    wxChoice* GetGroupChoice() const { return m_GroupChoice; }
    wxWindow* GetEditGroupsButton() const { return m_EditGroupsButton; }
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* GetGroupPageBook() const { return m_GroupPageBook; }
    wxStaticText* GetUsedBlocksText() const { return m_UsedBlocksText; }
    wxStaticText* GetTotalBlocksText() const { return m_TotalBlocksText; }
    wxCheckBox* GetSaveDataBox() const { return m_SaveDataBox; }
    wxCheckBox* GetScreenshotBox() const { return m_ScreenshotBox; }
    wxCheckBox* GetSelectedBlocksBox() const { return m_SelectedBlocksBox; }
    wxStaticText* GetInputWarning() const { return m_InputWarning; }
    wxButton* GetRunWithoutCalibrationButton() const { return m_RunWithoutCalibrationButton; }
    wxButton* GetRunButton() const { return m_RunButton; }

private:
    void AddIdentityRows();
    void AddGroupPageBook();
    void AddOptions();
    void AddButtons();
    void OfferCalibration();
    // One item per participant group in the model's order; the item of `keep`
    // stays selected when it is still there.
    void FillGroupChoice(const Minimal_VTElement* keep);
    int SelectedGroupIndex() const;

    wxFlexGridSizer* m_GridSizer;
    wxTextCtrl* m_SessionField;
    wxTextCtrl* m_NameField;
    wxChoice* m_GroupChoice;
    wxWindow* m_EditGroupsButton;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_GroupPageBook;
    wxPanel* m_MessagePage;
    wxStaticText* m_UsedBlocksText;
    wxStaticText* m_TotalBlocksText;
    wxBoxSizer* m_OptionsSizer;
    wxCheckBox* m_SaveDataBox;
    wxBoxSizer* m_ScreenshotRow;
    wxCheckBox* m_ScreenshotBox;
    wxStaticText* m_ScreenshotNote;
    wxCheckBox* m_SelectedBlocksBox;
    wxStaticText* m_InputWarning;
    wxBoxSizer* m_ButtonSizer;
    wxButton* m_RunWithoutCalibrationButton;
    wxButton* m_RunButton;
    VTRunOptions* m_RunOptions;
    VTExperiment* m_Experiment;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
