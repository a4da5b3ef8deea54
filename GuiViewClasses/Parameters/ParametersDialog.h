#pragma once
// The parameters of one experiment: a list of them, the edit panel of the selected one
// beside it, a button that creates a parameter of a chosen type and one that deletes
// the selected parameter. The dialog changes the experiment's parameter collection
// directly: a created parameter is added at once, and the panel's edits are committed
// (and the document marked modified) when another row is selected, when nothing is
// selected any more, when a parameter is created, and on "Done", which stays open
// while a commit is refused. A renamed parameter takes the rules that name it along
// (the collection tells the experiment); deleting goes through the deletion manager,
// which asks first and removes what refers to the parameter. A locked experiment is
// shown but not changed: creating, committing and deleting are refused with the reason.

#include <GuiViewClasses/DialogClasses/persdlg.h>

#include <boost/shared_ptr.hpp>

#include <wx/bitmap.h>
#include <wx/icon.h>

class DropdownButton;
class wxBitmapButton;
class wxPanel;
class wxSimpleHtmlListBox;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class CollOfTrialsEditPanel;
class CounterParamEditPanel;
class NoParamInfoPanel;
class ParamEditPanelBase;
class PerExperimentParameterCollection;
class ResponseParamEditPanel;
class TextParamEditPanel;
class TimerParamEditPanel;
class VTExperiment;
struct OrderFormForParameterCreation;

class ParametersDialog : public wxDialogPersistentPosition
{
    wxDECLARE_DYNAMIC_CLASS(ParametersDialog);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_LIST = 10053,
        ID_BOOK = 10054,
        ID_CREATE = 10063,
        ID_DELETE = 10064
    };
    // Book pages.
    enum
    {
        PageNone = 0,
        PageText = 1,
        PageCounter = 2,
        PageResponse = 3,
        PageCollection = 4,
        PageTimer = 5
    };

    ParametersDialog();
    ParametersDialog(VTExperiment* experiment, wxWindow* parent, wxWindowID id = wxID_ANY,
                     const wxString& caption = _("Parameters"), const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize,
                     long style = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~ParametersDialog() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                long style);
    void CreateControls();
    wxString GetPersistenceName() const override { return "ParametersDialog"; }
    static bool ShowToolTips() { return true; }
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }

    // The ids the create menu gave its items: text, counter, response, timer, collection
    // (-987 until the menu is built).
    int GetMenuItemId(int index) const { return m_MenuItemIds[index]; }
    ParamEditPanelBase* GetCurrentPanel() const { return m_CurrentPanel; }
    int GetEditedIndex() const { return m_EditedIndex; }
    // The type of parameter a create-menu item makes, or -1.
    int TypeOfMenuItem(int itemId) const;

    // Commits the current panel into the collection; false (the user told why) when refused.
    bool MutateCurrentParameter();
    // The list row's text (markup) for a name: the name as plain text, "(empty)" for none.
    static wxString RowText(const wxString& name);

private:
    void PopulateParameterList();
    void ShowPanel(int page, ParamEditPanelBase* panel);

    void OnSelectParameter(wxCommandEvent& event);
    void OnCreateParameter(wxCommandEvent& event);
    void OnRemoveParameter(wxCommandEvent& event);
    void OnDone(wxCommandEvent& event);
    void OnParamNameFieldChange(wxCommandEvent& event);
    void OnUpdateDelete(wxUpdateUIEvent& event);

    VTExperiment* m_Experiment = nullptr;
    boost::shared_ptr<PerExperimentParameterCollection> m_Parameters;
    wxSimpleHtmlListBox* m_List = nullptr;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Book = nullptr;
    NoParamInfoPanel* m_NoParamPanel = nullptr;
    TextParamEditPanel* m_TextPanel = nullptr;
    CounterParamEditPanel* m_CounterPanel = nullptr;
    ResponseParamEditPanel* m_ResponsePanel = nullptr;
    CollOfTrialsEditPanel* m_CollectionPanel = nullptr;
    TimerParamEditPanel* m_TimerPanel = nullptr;
    DropdownButton* m_CreateButton = nullptr;
    wxBitmapButton* m_DeleteButton = nullptr;
    ParamEditPanelBase* m_CurrentPanel = nullptr;
    int m_EditedIndex = 0;
    int m_MenuItemIds[5] = {-987, -987, -987, -987, -987};
};

}  // namespace Vantrel
