#pragma once
// The editor of one trial variable: its name, its levels (edited by the value
// editor of the variable's type), how levels are chosen during a run, whether the
// chosen level is written to the data file, and a description.
//
// The type is settled when the editor is built and never changes afterwards: an
// existing variable is shown with the value editor of its own type, and only a
// new variable is (re)made with the type the caller chose. An existing variable
// of a type no value editor knows keeps its levels; the editor then stores the
// rest and logs a warning.

#include "VTVariableEditorBase.h"

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgNoXRCT.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTCore/VTTrialVariable.h>

#include <memory>
#include <vector>

class TLSPBase;
class wxBitmapButton;
class wxCheckBox;
class wxChoice;
class wxNotebook;
class wxStaticText;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class VTListCtrlColor;
class VTSimpleListView;

class VTEditTrialVariableDlg : public VTEditElementEndInsertDlgNoXRCT<VTTrialVariable>
{
    wxDECLARE_DYNAMIC_CLASS(VTEditTrialVariableDlg);
    wxDECLARE_EVENT_TABLE();
    using Base = VTEditElementEndInsertDlgNoXRCT<VTTrialVariable>;

public:
    // The type index: the position of the value editor and of the levels page.
    enum TypeIndex
    {
        LocationType = 0,
        ColorType = 1,
        TimeLimitType = 2,
        TypeCount = 3
    };
    enum
    {
        ID_DIALOG = 10095,
        ID_NAME_LABEL = 10096,
        ID_NAME = 10097,
        ID_OF_TYPE = 10099,
        ID_TYPE_LABEL = 10012,
        ID_NOTEBOOK = 10101,
        ID_LEVELS_BOOK = 10102,
        ID_LOCATION_PAGE = 10113,
        ID_COLOR_PAGE = 10106,
        ID_NUMBERS_PAGE = 10103,
        ID_NUMBERS = 10104,
        ID_NUMBERS_HINT = 10105,
        ID_SELECTION_PAGE = 10000,
        ID_METHOD = 10173,
        ID_METHOD_BOOK = 10171,
        ID_SEQUENTIAL_PAGE = 10172,
        ID_RAND_NO_REPL_PAGE = 10009,
        ID_RAND_WITH_REPL_PAGE = 10013,
        ID_MANUAL_PAGE = 10001,
        ID_OPTIONS_PAGE = 10129,
        ID_SAVE_TO_DATA = 10130,
        ID_OPTIONS_LINE = 10131,
        ID_DESCRIPTION_LABEL = 10132,
        // The list editor handlers bind these numbers.
        ID_LIST = 25714,
        ID_UP = 25715,
        ID_DOWN = 25716,
        ID_DELETE = 25717,
        ID_NEW = 25718,
        ID_EDIT = 25719
    };
    // The tabs of the notebook.
    enum Tab
    {
        LevelsTab = 0,
        LevelSelectionTab = 1,
        OptionsTab = 2
    };

    // Refuses a new variable in a locked experiment (with the lock reason), else
    // opens the editor modally; true when it ended with OK. For an existing
    // variable the list's selected row names it and `typeIndex` is only a default.
    static bool EitherExplainThatCreationIsDisallowed_Or_LaunchTrialVarDialog(wxWindow* parent,
                                                                              VTExperiment* experiment,
                                                                              wxWindow* listWindow, bool isNew,
                                                                              bool insertRepeatedly, int typeIndex);

    VTEditTrialVariableDlg();
    VTEditTrialVariableDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                           bool insertRepeatedly, int typeIndex, int id, const wxString& caption,
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                           long style = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~VTEditTrialVariableDlg() override;

    wxString GetPersistenceName() const override { return "VTEditTrialVariableDlg"; }
    bool Validate() override;
    bool CheckElementName_PossiblyEditingTheTextControl() override;
    bool GetDialogValues(VTTrialVariable& variable) override;
    void SetDialogValues(VTTrialVariable& variable) override;
    void DoInitialSetup() override {}
    // The row goes where asked (appended when negative); the selection stays.
    int InsertNewItemIntoListbox(int position, VTTrialVariable& variable) override;

    void OnSelectorTypeChange(wxCommandEvent& event);
    // The method book's page at the method choice's selection; null when none.
    TLSPBase* GetCurrentSelectorPagePtr();

    int GetTypeIndex() const { return m_TypeIndex; }

    void Init();
    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void CreateControls();
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

private:
    // Lays out a levels page: the list with Up and Down at its right, New, Delete
    // and Edit beneath it.
    void LayoutListPage(wxPanel* page, wxWindow* list, bool deleteHasHoverImage);
    wxBitmapButton* CreateListButton(wxWindow* page, int id, const wxString& image, const wxString& tip);
    wxPanel* CreateNumbersPage(wxWindow* book);
    wxPanel* CreateSelectionPage(wxWindow* book);
    wxPanel* CreateOptionsPage(wxWindow* book);
    // Makes the value editors and loads the one of the variable's type.
    void CreateValueEditors();
    // The value editor of the type index; null when the index is out of range.
    VTVariableEditorBase* CurrentValueEditor() const;

    wxStaticText* m_TypeLabel;
    wxNotebook* m_Notebook;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_LevelsBook;
    wxPanel* m_LocationPanel;
    VTSimpleListView* m_LocationList;
    wxPanel* m_ColorPanel;
    VTListCtrlColor* m_ColorList;
    wxPanel* m_NumbersPanel;
    wxTextCtrl* m_NumbersText;
    wxChoice* m_MethodChoice;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_MethodBook;
    wxCheckBox* m_SaveToData;
    wxTextCtrl* m_Description;

    std::vector<std::shared_ptr<VTVariableEditorBase>> m_Editors;
    int m_TypeIndex = LocationType;
    // False for an existing variable whose type no value editor knows: its levels
    // are then neither shown nor stored.
    bool m_TypeKnown = true;
};

// The launcher builds this editor with the type index (second extra value), its
// window id and its caption.
template <>
struct EditorLaunchTraits<VTEditTrialVariableDlg>
{
    static VTEditTrialVariableDlg* Make(const EditorLaunchArgs& a);
    static void BeforeDestroy(VTEditTrialVariableDlg*) {}
};

}  // namespace Vantrel
