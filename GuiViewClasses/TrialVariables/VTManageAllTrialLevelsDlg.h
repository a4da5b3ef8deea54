#pragma once
// The list of every trial variable of the open experiment. Creating and editing
// open the trial variable editor; duplicating goes through the model's clipboard,
// deleting through the deletion manager. Every action reaches the experiment at
// once, so the dialog only closes. While the experiment has no trial variable a
// first-use page explains the three types and offers to create one.

#include <wx/dialog.h>

class AugmentedListBox;
class DropdownButton;
class wxBitmapButton;
class wxButton;
class wxChoice;
class wxFlexGridSizer;
class wxSizer;
class wxTextCtrl;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}
namespace Vantrel {
class VTExperiment;
class VTTrialVariable;
}  // namespace Vantrel

class VTManageAllTrialLevelsDlg : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(VTManageAllTrialLevelsDlg);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_PAGE_BOOK = 10039,
        ID_FIRST_USE_PAGE = 10040,
        ID_LOCATION_BUTTON = 10041,
        ID_COLOR_BUTTON = 10042,
        ID_TIME_LIMIT_BUTTON = 10043,
        ID_TYPE_CHOICE = 10044,
        ID_CREATE = 10045,
        ID_LIST_PAGE = 10046,
        ID_LIST = 10047,
        ID_DESCRIPTION = 10048,
        ID_NEW = 10049,
        ID_DELETE = 10050,
        ID_GEARS = 10037
    };
    // The pages of the book.
    enum Page
    {
        FirstUsePage = 0,
        ListPage = 1
    };
    // The new-variable menu's items.
    enum
    {
        MenuHeading = 17014,
        MenuLocation = 17015,
        MenuColor = 17016,
        MenuTimeLimit = 17017
    };
    // How RefreshList selects: the same row (or the last), the first, the last.
    enum RefreshMode
    {
        KeepSelection = 0,
        SelectFirst = 1,
        SelectLast = 2
    };

    VTManageAllTrialLevelsDlg();
    VTManageAllTrialLevelsDlg(wxWindow* parent, Vantrel::VTExperiment* experiment, wxWindowID id,
                              const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void Init();
    void CreateControls();

    // Refills the list from the experiment and shows the page that fits.
    void RefreshList(int mode);
    // Opens the trial variable editor on the row (a new variable of the type index
    // for -1); true when it was confirmed.
    bool EditItem(int index, int typeIndex);
    // Deletes the row's variable through the deletion manager.
    void DeleteItem(int index);
    // Duplicates the selected variable through the model's clipboard.
    void DoCopyPasteInOneFellSwoop();
    void DoPaste();

    void OnCreateFirst(wxCommandEvent& event);
    void OnNewViaBmpButton(wxCommandEvent& event);
    void OnNew(wxCommandEvent& event);
    void OnGears(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnEdit(wxCommandEvent& event);
    void OnListSelect(wxCommandEvent& event);
    void OnUpdateButtons(wxUpdateUIEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    AugmentedListBox* GetList() const { return m_List; }
    DropdownButton* GetNewButton() const { return m_NewButton; }
    DropdownButton* GetGearsButton() const { return m_GearsButton; }
    int GetEditMenuId() const { return m_EditMenuId; }
    int GetDuplicateMenuId() const { return m_DuplicateMenuId; }

private:
    wxWindow* CreateFirstUsePage(wxWindow* book);
    wxWindow* CreateListPage(wxWindow* book);
    void FillMenus();
    Vantrel::VTTrialVariable* VariableAt(int index) const;
    void ShowSelectedDescription();

    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Book;
    wxBitmapButton* m_LocationButton;
    wxBitmapButton* m_ColorButton;
    wxBitmapButton* m_TimeLimitButton;
    wxChoice* m_TypeChoice;
    wxButton* m_CreateButton;
    wxFlexGridSizer* m_ListGrid;
    AugmentedListBox* m_List;
    wxTextCtrl* m_Description;
    wxSizer* m_ListButtons;
    DropdownButton* m_NewButton;
    DropdownButton* m_GearsButton;
    Vantrel::VTExperiment* m_Experiment;
    int m_EditMenuId;
    int m_DuplicateMenuId;
};
