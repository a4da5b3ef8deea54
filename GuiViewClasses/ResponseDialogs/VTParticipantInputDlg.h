#pragma once
// The experiment's input devices: every device (the built-in keyboard, then the input
// plug-ins in the manager's order) with a check box, and for the selected device its
// configuration panel (ticked) or its picture (not ticked). A panel's responses list
// is served with New, Edit, Delete, Up and Down; Preview shows the on-screen response
// areas on the presentation screen. Row i of the list, page i of both switchers and
// device i are the same device.

#include <GuiViewClasses/DialogClasses/IVTListCtrl.h>
#include <GuiViewClasses/DialogClasses/listeditdlg.h>
#include <GuiViewClasses/DialogClasses/persdlg.h>

#include <wx/bitmap.h>

#include <set>
#include <vector>

class VTPanelSwitcher;

namespace VantrelSDK {
class Interface_ParticipantInputWindowHelper;
}

namespace Vantrel {

class VTListCtrlCheckableSimple;
class VTParticipantInputDlg;
class VTPlugIn;
class VTResponse;
class VTSimpleListView;

// Lets only clicks on a row's check box through when the dialog agrees to the change.
class VTCheckedChangedEvtHandler : public wxEvtHandler
{
public:
    VTCheckedChangedEvtHandler(VTParticipantInputDlg* dialog, VTListCtrlCheckableSimple* list)
        : m_Dialog(dialog), m_List(list)
    {}
    void OnLeftClick(wxMouseEvent& event);

private:
    VTParticipantInputDlg* m_Dialog;
    VTListCtrlCheckableSimple* m_List;
    wxDECLARE_EVENT_TABLE();
};

class VTParticipantInputDlg : public VTDialogBase
{
public:
    // Shows the dialog modally; the document is marked modified only by a change made in it.
    static void LaunchModalParticipantInputDlg(wxWindow* parent, VTExperiment* experiment);

    VTParticipantInputDlg(wxWindow* parent, VTExperiment* experiment);
    ~VTParticipantInputDlg() override;
    bool Destroy() override;
    wxString GetPersistenceName() const override { return "VTParticipantInputDlg"; }

    int PopulateDevicesListbox(const std::vector<int>& used);
    void PopulateNotebook();
    void AddListEventHandlingThroughoutNotebook();
    void UpdatePanelsVisibilty(bool showSettings);
    void DoSelectDevice(int row, bool checked);
    VTSimpleListView* GetResponsesListControl(int row);
    void ResponsesFillList();
    void ShowOneResponsesPriorityHelpText(VTPlugIn* plugin, bool manyResponses);
    void HideResponsesPriorityHelpText();
    bool ResponsesEditItem(int index);
    void ResponsesDeleteItem(unsigned index);
    void ResponsesMoveItemUp(int index) { DoMoveItem(index, -1); }
    void ResponsesMoveItemDown(int index) { DoMoveItem(index, +1); }
    bool IsResponseUsedInEvents(VTResponse& response);
    static void GetMemoryBitmap(const wxString& name, wxBitmap& out);

    // A click on row `row`'s check box asks to set it to `checked`; false refuses.
    bool OnCheckedChanged(int row, bool checked);
    void CheckConflicts(int row);

    // The built-in keyboard's row (it has no plug-in).
    static constexpr int kKeyboardRow = 0;

    class ResponsesEditorAdapter : public IOrderedListEditor
    {
    public:
        explicit ResponsesEditorAdapter(VTParticipantInputDlg* dialog) : m_Dialog(dialog) {}
        bool EditItem(int index) override { return m_Dialog->ResponsesEditItem(index); }
        void DeleteItem(unsigned index) override { m_Dialog->ResponsesDeleteItem(index); }
        void FillList() override { m_Dialog->ResponsesFillList(); }
        IVTListCtrl* GetList() override { return &m_Dialog->m_ResponsesListAdapter; }
        ~ResponsesEditorAdapter() override = default;
        void MoveItemUp(int index) override { m_Dialog->ResponsesMoveItemUp(index); }
        void MoveItemDown(int index) override { m_Dialog->ResponsesMoveItemDown(index); }

    private:
        VTParticipantInputDlg* m_Dialog;
    };

private:
    // The device of a row: its plug-in (null for the keyboard) and id.
    VTPlugIn* PlugInOf(int row) const;
    int DeviceID(int row) const;
    wxWindow* CurrentPage() const;
    int CurrentRow() const;
    bool ExperimentLocked() const;
    void ConfigurePanel(int row);
    void DoMoveItem(int index, int direction);
    void PseudoDestructor();

    void OnSelectDevice(wxListEvent& event);
    void OnModelChanged(wxNotifyEvent& event);
    void OnDone(wxCommandEvent& event);
    void OnUpdatePreviewButton(wxUpdateUIEvent& event);
    void ResponsesPreview(wxCommandEvent& event);

    VTPanelSwitcher* m_MainSwitcher = nullptr;
    VTPanelSwitcher* m_PictureSwitcher = nullptr;
    VTListCtrlCheckableSimple* m_DevicesList = nullptr;
    // One entry per row; the keyboard's is null.
    std::vector<VTPlugIn*> m_PlugIns;
    VTCheckedChangedEvtHandler* m_CheckedChangedHandler = nullptr;
    IVTListCtrlImplForListCtrl m_ResponsesListAdapter;
    ResponsesEditorAdapter m_ResponsesEditorAdapter{this};
    // Pages that carry a list-editor handler already: one each.
    std::set<wxWindow*> m_PagesWithHandler;
    bool m_PseudoDestroyed = false;

    friend class ResponsesEditorAdapter;
};

}  // namespace Vantrel
