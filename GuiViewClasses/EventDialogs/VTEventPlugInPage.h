#pragma once
// One event-type plug-in's page on the event editor's Stimulus tab: it hosts the
// plug-in's configuration panel, finds the standard stimulus controls on it, lets the
// user take the stimulus from a file or from a stimulus list, remembers the file
// filter chosen last per plug-in ("/EventEditDialog/<key>/DefaultStimFileFilter"),
// loads the event's files for the plug-in, and runs a preview of the event through
// the real runtime.

#include "VTVarValueProviderImpl.h"

#include <VTPlugInCommon/VTSdkEventEditing.h>
#include <VTRuntime/VTUsedStimuliFiles.h>

#include <wx/string.h>

#include <functional>
#include <memory>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxPanel;
class wxWindow;
class wxXmlResource;

namespace VantrelSDK {
class VTSdkEventEditor;
class VTSdkEventInstance;
class VTSdkEventPlugin;
}  // namespace VantrelSDK

namespace Vantrel {

class DynamicRuntimeEnvironment;
class VTEditEventDlg;
class VTEvent;
class VTExperiment;

class VTEventPlugInPage : public VantrelSDK::VTSdkBaseEditorPageHost
{
public:
    VTEventPlugInPage(VTEditEventDlg& dialog, VTExperiment& experiment, VantrelSDK::VTSdkEventInstance* instance,
                      wxPanel& panel, wxXmlResource* resources);
    ~VTEventPlugInPage() override;

    // ---- The host interface of the plug-in SDK
    wxPanel* GetPanel() override { return &m_Panel; }
    bool ProcessPreviewEvent(bool onlyForListEvents) override;
    VantrelSDK::VTSdkVarValueProviderBase* GetVarValueProvider(bool otherKind) override;
    std::shared_ptr<DynamicRuntimeEnvironment> GetDummyDREPointer() override { return m_Environment; }
    VTExperiment* GetExperimentPtrFromPageHost() override { return &m_Experiment; }

    // ---- What the event editor asks
    // The page became active: it shows the event.
    void SetPageValues();
    // Writes the page's state into its instance; with `dropFiles` the event's files go
    // (the page is left for another type).
    void GetPageValues(bool dropFiles);
    // -1 without stimulus controls, in file mode, or with nothing selected.
    int GetSelectedStimListID() const;
    // 0 the event's own stimulus (a file or the text typed), 1 a stimulus list.
    void OnStaticOrListControl(int mode);
    // Prompts for a stimulus file; the chosen file's name without folder and
    // extension, "" when none was chosen.
    wxString OnSelectStimulusFile();
    void PopulateSelectStimListMenu();
    // The hidden one-entry choice holding the selected list, for the list editor.
    wxChoice* GetFabricatedStimListChoice();
    void UpdateEventEditorTab(int tab);
    bool HasStimulusControls() const { return m_UseListOrFile != nullptr; }
    wxChoice* GetUseListOrFileChoice() const { return m_UseListOrFile; }
    VantrelSDK::VTSdkEventInstance* GetInstance() const { return m_Instance; }
    VantrelSDK::VTSdkEventPlugin* GetPlugIn() const;

    // The remembered file filter of the plug-in with configuration key `key`: the
    // index of the stored description among `wildcard`'s filters (0 when none).
    static int GetLastExtIndex(const wxString& key, const wxString& wildcard);
    static void SetLastExtIndex(const wxString& key, const wxString& wildcard, int index);

    // The program's switch for networking, disk work and other intensive tasks,
    // turned off while a preview runs. Unset: nothing is switched.
    static void SetIntensiveTasksSwitch(std::function<void(bool, bool)> toggle);

    // Why the last preview did not run ("" when it ran).
    const wxString& GetLastPreviewProblem() const { return m_LastPreviewProblem; }
    // Whether the last preview ran until the event ended (not cancelled, not refused).
    bool GetLastPreviewRanToItsEnd() const { return m_LastPreviewRanToItsEnd; }

private:
    VTEvent& Event() const;
    void ForgetInternallyKnownFiles();
    void DropInternalAndEventFiles();
    void LoadUsedStimuliFiles();
    bool LoadCurrentListOfFiles();
    void UpdateStimuliControls();
    void RestoreStimListSelection();
    void SetListControlValues();
    void HandSettingsPack(wxXmlResource* resources);
    // The file prompt: the chosen path, "" on Cancel.
    wxString PromptForStimFile();
    void PreviewInTheActualRuntime();
    // The preview proper, without the state it restores; false with the reason.
    bool RunPreview(std::vector<class Minimal_VTElement*>& temporaries, wxString& problem);

    VTEditEventDlg& m_Dialog;
    VTExperiment& m_Experiment;
    VantrelSDK::VTSdkEventEditor* m_Editor = nullptr;
    VantrelSDK::VTSdkEventInstance* m_Instance;
    wxChoice* m_UseListOrFile = nullptr;
    wxChoice* m_SelectList = nullptr;
    wxChoice* m_ListChoiceForEditor = nullptr;
    wxWindow* m_SelectFile = nullptr;
    wxWindow* m_EditList = nullptr;
    wxWindow* m_CreateList = nullptr;
    wxCheckBox* m_ShowGrid = nullptr;
    wxPanel& m_Panel;
    std::unique_ptr<VTVarValueProviderImpl> m_VariableProvider, m_OtherProvider;
    std::shared_ptr<DynamicRuntimeEnvironment> m_Environment;
    VTUsedStimuliFiles m_UsedFiles{true};
    wxString m_LastPreviewProblem;
    bool m_LastPreviewRanToItsEnd = false;
};

}  // namespace Vantrel
