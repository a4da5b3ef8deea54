#pragma once
// The experiment options dialog: the run's background colour, the correctness
// codes and columns of the data file, the preferred data folder, the header and
// saving options, and the light-sensor patch. A tree on the left picks one of
// seven pages of a book with a hidden selector. Everything is read from the
// experiment when the dialog is shown and written back only when OK succeeds;
// Cancel writes nothing. Built in code; its geometry is remembered as "VTOptionsDlg".
//
// The folder page (VTOptionsDlgFolderPage.cpp) keeps a folder string ("$(V)",
// "$(V)/name" or a path, V being the experiment-folder variable), the folder it
// designates and four mode radios consistent, and checks the folder on OK.
//
// Beyond the plain store, OK refuses (page shown, field focused, nothing written):
// sensor fields that are not whole 32-bit numbers, a folder that a file is in the
// way of, and a folder that could not be created after the user asked for it.
// Correctness codes lose tabs and line breaks, which would break the data file's
// columns. An experiment without a sensor patch gets a disabled sensor page.

#include <GuiViewClasses/DialogClasses/GeneratedWindow.h>
#include <GuiViewClasses/DialogClasses/persdlg.h>

#include <boost/shared_ptr.hpp>
#include <wx/colourdata.h>
#include <wx/filename.h>
#include <wx/treectrl.h>

class wxButton;
class wxCheckBox;
class wxPanel;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class VTExperiment;
class VTSensorPatch;
class VantrelVariable;

// The page a tree item shows.
class IntTreeClientData : public wxTreeItemData
{
public:
    explicit IntTreeClientData(int page) : m_Page(page) {}
    ~IntTreeClientData() override;
    int GetPage() const { return m_Page; }

private:
    int m_Page;
};

class VTOptionsDlg : public GeneratedWindowT<wxDialogPersistentPosition>
{
    wxDECLARE_EVENT_TABLE();

public:
    // Book pages, in order.
    enum Page
    {
        PageBackground = 0,
        PageSavingData,
        PageErrorCodes,
        PageColumns,
        PageFolder,
        PageMiscellaneous,
        PageSensorPatch,
        PageCount
    };
    // Window ids of the controls.
    enum
    {
        ID_TREE = 10001,
        ID_BOOK = 10002,
        ID_PANEL_COLOR = 10003,
        ID_BACKGROUND_WHITE = 10005,
        ID_BACKGROUND_BLACK = 10006,
        ID_BACKGROUND_OTHER = 10007,
        ID_SELECT_COLOR = 10008,
        ID_BACKGROUND_LABEL = 10009,
        ID_PANEL_BLANK = 10010,
        ID_PANEL_CODES = 10011,
        ID_CODE_CORRECT = 10014,
        ID_CODE_SELF_CORRECT = 10016,
        ID_CODE_INCORRECT = 10018,
        ID_CODE_NO_RESPONSE = 10020,
        ID_PANEL_COLUMNS = 10022,
        ID_COLUMN_FIRST = 10023,  // ... 10034, in the order of the column table
        ID_PANEL_FOLDER = 10035,
        ID_FOLDER_PREVIOUS = 10036,
        ID_FOLDER_EXPERIMENT = 10037,
        ID_FOLDER_SUB = 10038,
        ID_FOLDER_NAME = 10039,
        ID_FOLDER_ANOTHER = 10040,
        ID_SELECT_FOLDER = 10041,
        ID_FOLDER_PATH = 10042,
        ID_PANEL_MISC = 10043,
        ID_NO_HEADER = 10044,
        ID_FLUSH_EVERY_TRIAL = 10045,
        ID_PANEL_SENSOR = 10046,
        ID_SENSOR_X = 10047,
        ID_SENSOR_Y = 10048,
        ID_SENSOR_SIZE = 10049,
        ID_SENSOR_WHITE = 10050,
        ID_SENSOR_BLACK = 10051,
        ID_SENSOR_OTHER = 10052,
        ID_SELECT_SENSOR_COLOR = 10053,
        ID_SENSOR_LABEL = 10055,
        ID_SENSOR_DISABLE = 10056,
        ID_LINE = 10057
    };
    static constexpr int kColumnCount = 12;

    VTOptionsDlg();
    VTOptionsDlg(wxWindow* parent, VTExperiment* experiment, int id = wxID_ANY,
                 const wxString& caption = _("Experiment Options"), const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~VTOptionsDlg() override;

    void Init();
    // Made without a parent window, whatever `parent` is.
    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void CreateControls() override;

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    wxString GetPersistenceName() const override { return "VTOptionsDlg"; }

    // Takes a folder string apart into mode, folder-name field and folder; true.
    bool UpdateFolderBasedOnString(const wxString& text);

    // For tests and callers: the book page shown and the folder state.
    int GetShownPage() const;
    const wxString& GetFolderString() const { return m_FolderString; }
    const wxFileName& GetFolder() const { return m_Folder; }
    // Shows a page by selecting its tree item.
    void SelectPage(Page page);

private:
    // One colour choice: three radios, a button, a label and its two colour records.
    struct ColourChoice
    {
        wxRadioButton* white = nullptr;
        wxRadioButton* black = nullptr;
        wxRadioButton* other = nullptr;
        wxStaticText* label = nullptr;
        wxColourData* chosen = nullptr;
        wxColourData* custom = nullptr;
    };

    // Handlers.
    void OnPanelChanged(wxTreeEvent& event);
    void OnSelectColor(wxCommandEvent& event);
    void OnSelectSensorColor(wxCommandEvent& event);
    void OnUpdateSelectColor(wxUpdateUIEvent& event);
    void OnUpdateSelectSensorColor(wxUpdateUIEvent& event);
    void OnSelectFolder(wxCommandEvent& event);
    void OnUpdateSelectFolder(wxUpdateUIEvent& event);
    void OnUpdateSavePath(wxUpdateUIEvent& event);
    void OnSelectFolderPrevious(wxCommandEvent& event);
    void OnSelectFolderAnother(wxCommandEvent& event);
    void OnSelectFolderExperiment(wxCommandEvent& event);
    void OnSelectFolderSubExperiment(wxCommandEvent& event);
    void OnUserUpdatedTextCtrl(wxCommandEvent& event);

    // Pages.
    wxPanel* CreateBackgroundPage(wxWindow* book);
    wxPanel* CreateCodesPage(wxWindow* book);
    wxPanel* CreateColumnsPage(wxWindow* book);
    wxPanel* CreateFolderPage(wxWindow* book);
    wxPanel* CreateMiscPage(wxWindow* book);
    wxPanel* CreateSensorPage(wxWindow* book);
    void CreateTree();

    // Colours.
    ColourChoice BackgroundChoice();
    ColourChoice SensorChoice();
    static void UpdateColourChoice(const ColourChoice& choice);
    void ChooseColour(const ColourChoice& choice);
    static void LoadColour(const ColourChoice& choice, const wxColour& colour);

    // Folder page.
    wxString FolderReference() const;  // "$(V)"
    wxString FolderVariableValue() const;
    int SelectedFolderMode() const;
    void SelectFolderMode(int mode);
    void ComposeMode0();
    void ComposeMode1();
    void ComposeMode3();
    void ApplySelectFolderUpdate();
    void ApplySavePathUpdate();
    void LoadFolder();
    void StoreFolder();
    // False when OK must not go on.
    bool CheckFolderBeforeStoring();
    void ReturnToFolderPage();

    // Sensor patch: the patch, or null when the experiment has none.
    boost::shared_ptr<VTSensorPatch> SensorPatch() const;
    bool CheckSensorFields(int values[3]);

    // Controls (null until CreateControls()).
    wxTreeCtrl* m_Tree;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Book;
    wxRadioButton* m_BackgroundWhite;
    wxRadioButton* m_BackgroundBlack;
    wxRadioButton* m_BackgroundOther;
    wxStaticText* m_BackgroundLabel;
    wxTextCtrl* m_CodeCorrect;
    wxTextCtrl* m_CodeSelfCorrect;
    wxTextCtrl* m_CodeIncorrect;
    wxTextCtrl* m_CodeNoResponse;
    wxCheckBox* m_Columns[kColumnCount];
    wxRadioButton* m_FolderPrevious;
    wxRadioButton* m_FolderExperiment;
    wxRadioButton* m_FolderSub;
    wxTextCtrl* m_FolderName;
    wxRadioButton* m_FolderAnother;
    wxTextCtrl* m_FolderPath;
    wxCheckBox* m_NoHeader;
    wxCheckBox* m_FlushEveryTrial;
    wxTextCtrl* m_SensorX;
    wxTextCtrl* m_SensorY;
    wxTextCtrl* m_SensorSize;
    wxRadioButton* m_SensorWhite;
    wxRadioButton* m_SensorBlack;
    wxRadioButton* m_SensorOther;
    wxStaticText* m_SensorLabel;
    wxCheckBox* m_SensorDisable;

    // The tree items, kept to return to a page after a refused OK.
    wxTreeItemId m_PageItems[PageCount];
    IntTreeClientData* m_FolderItemData;

    wxColourData m_BackgroundChosen;
    wxColourData m_BackgroundCustom;
    wxColourData m_SensorChosen;
    wxColourData m_SensorCustom;

    wxString m_FolderString;
    wxFileName m_Folder;
    VantrelVariable* m_FolderVariable;

    VTExperiment* m_Experiment;
};

}  // namespace Vantrel
