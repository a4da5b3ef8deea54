#pragma once
// The editor of one event: its type with one page per event-type plug-in on the
// Stimulus tab, how it ends and what it records on the Input tab, its correct
// responses and its tags. Every change goes into the working copy of the event;
// OK writes it back in a fixed order. While a preview runs, OK, Cancel and the
// navigation buttons do nothing but say why.

#include "EventInputSettings.h"

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgT.h>
#include <VTCore/VTEvent.h>
#include <VTPlugInCommon/VTSdkEventEditing.h>

#include <memory>
#include <vector>

class BTEDlgHeadingPanelWithNote;
class VTPanelSwitcher;
class wxCheckBox;
class wxChoice;
class wxNotebook;
class wxNotebookEvent;
class wxTextCtrl;

namespace VantrelSDK {
class VTSdkEventInstance;
}

namespace Vantrel {

class VTEventPlugInPage;
class VTListCtrlResponses;
class VTPlugIn;
class VTTagsGrid;

class VTEditEventDlg : public VTEditElementBaseDlgT<VTEvent>
{
public:
    VTEditEventDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool multiInsert);
    ~VTEditEventDlg() override;

    wxString GetPersistenceName() const override { return VTEditElementBaseDlgT<VTEvent>::GetPersistenceName(); }
    bool GetDialogValues(VTEvent& event) override;
    void OnOK(wxCommandEvent& event) override;
    void SetDialogValues(VTEvent& event) override;
    void OnOKPrevOrNext(int buttonId) override;

    // The plug-in instance and the page of one event type.
    struct PlugInInfo
    {
        PlugInInfo() = default;
        PlugInInfo(const PlugInInfo&) = delete;
        PlugInInfo& operator=(const PlugInInfo&) = delete;
        ~PlugInInfo();
        VantrelSDK::VTSdkEventInstance* instance = nullptr;
        VTEventPlugInPage* page = nullptr;
    };
    // The active type's; an empty one (both null) when no type is active.
    PlugInInfo& ActivePlugInInfo();
    void SwitchPlugIn(int index);
    int GetCurrentPlugInIndex() const { return m_CurrentPlugIn; }
    std::size_t GetPlugInCount() const { return m_PlugInInfos.size(); }
    const std::shared_ptr<VantrelSDK::MiscEventSettingsOrderForm>&
    GetSettingsOrderForm_OnlyCalledBy_VTEventPlugInPage() const
    {
        return m_SettingsForm;
    }
    // The event being edited (the working copy).
    VTEvent& WorkingEvent() const { return *TheTempObject(); }
    // True, after saying so, while a preview shows the presentation window.
    static bool IsAPreviewActiveIfSoWarn();

private:
    void InitEventTypes();
    void InitInputTab();
    void LoadInputTab(const VTEvent& event);
    bool WriteInputTab(VTEvent& event);
    EndOptions ShownEndOptions() const;
    void ShowEndOptions(const EndOptions& options);
    void UpdateTimeLimitCheckboxLabel();
    void PopulateTimeLimitVariablesControl();
    void SyncEventEndThisEventAndMoveOnSettingsToInputTabCheckBoxes(VTEvent& event);
    void DoSelectStaticOrStimList(int mode);
    void RefreshTagsTab();
    void ShowCorrectResponses();

    void OnCancel(wxCommandEvent& event);
    void OnSelectStimFile(wxCommandEvent& event);
    void SelectStimFile();
    void OnSwitchEventType(wxCommandEvent& event);
    void OnSwitchStimList(wxCommandEvent& event);
    void OnSelectStaticOrStimList(wxCommandEvent& event);
    void OnEndEventCheckboxClicked(wxCommandEvent& event);
    void OnUpdateTimeLimitControls(wxUpdateUIEvent& event);
    void OnEditTrialVariable(wxCommandEvent& event);
    void OnCreateTag(wxCommandEvent& event);
    void OnNotebookPageChanged(wxNotebookEvent& event);

    VTPanelSwitcher* m_PlugInPanels = nullptr;
    wxChoice* m_EventType = nullptr;
    VTPanelSwitcher* m_TimeLimitPanels = nullptr;
    wxChoice* m_TimeLimitKind = nullptr;
    wxChoice* m_TimeLimitVariable = nullptr;
    wxCheckBox* m_Immediately = nullptr;
    wxCheckBox* m_AnyResponse = nullptr;
    wxCheckBox* m_CorrectResponse = nullptr;
    wxCheckBox* m_TimeLimit = nullptr;
    wxCheckBox* m_DelayFeedback = nullptr;
    wxCheckBox* m_Record = nullptr;
    wxCheckBox* m_ResetTimer = nullptr;
    wxTextCtrl* m_FixedLimit = nullptr;
    VTTagsGrid* m_TagsGrid = nullptr;
    wxPanel* m_TagsPanel = nullptr;
    VTListCtrlResponses* m_Responses = nullptr;
    wxNotebook* m_Notebook = nullptr;
    std::vector<VTPlugIn*> m_PlugIns;
    int m_CurrentPlugIn = -1;
    std::vector<std::unique_ptr<PlugInInfo>> m_PlugInInfos;
    PlugInInfo m_NoPlugIn;
    bool m_Initialised = false;
    BTEDlgHeadingPanelWithNote* m_Heading = nullptr;
    std::shared_ptr<VantrelSDK::MiscEventSettingsOrderForm> m_SettingsForm;
};

}  // namespace Vantrel
