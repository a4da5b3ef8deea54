#include "VTEventPlugInPage.h"

#include "VTEditEventDlg.h"

#include <UserInterface/Dialogs/ModalSheetSupport.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>
#include <VTPlugInCommon/VTSdkEventInstance.h>
#include <VTPlugInCommon/VTSdkEventPlugin.h>
#include <VTRuntime/DynamicRuntimeEnvironment.h>
#include <VTRuntime/VTCompiledExperiment.h>
#include <VTRuntime/VTEventSdkObject.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/panel.h>

#include <exception>

namespace Vantrel {

namespace {

std::function<void(bool, bool)>& IntensiveTasksSwitch()
{
    static std::function<void(bool, bool)> toggle;
    return toggle;
}

void SwitchIntensiveTasks(bool allow, bool second)
{
    if (IntensiveTasksSwitch()) IntensiveTasksSwitch()(allow, second);
}

wxString FilterEntry(const wxString& key) { return "/EventEditDialog/" + key + "/DefaultStimFileFilter"; }

template <class W>
W* FindOnPanel(wxWindow& panel, const char* name)
{
    return dynamic_cast<W*>(wxWindow::FindWindowByName(name, &panel));
}

void ShowIf(wxWindow* window, bool show)
{
    if (window) window->Show(show);
}

}  // namespace

void VTEventPlugInPage::SetIntensiveTasksSwitch(std::function<void(bool, bool)> toggle)
{
    IntensiveTasksSwitch() = std::move(toggle);
}

VTEventPlugInPage::VTEventPlugInPage(VTEditEventDlg& dialog, VTExperiment& experiment,
                                     VantrelSDK::VTSdkEventInstance* instance, wxPanel& panel, wxXmlResource* resources)
    : m_Dialog(dialog), m_Experiment(experiment), m_Instance(instance), m_Panel(panel)
{
    m_ListChoiceForEditor = new wxChoice(&m_Panel, wxID_ANY);
    m_ListChoiceForEditor->Hide();
    VantrelSDK::VTSdkEventPlugin* plugin = GetPlugIn();
    if (plugin) m_Editor = plugin->MakeEditorForHost(this);
    m_Environment = std::make_shared<DynamicRuntimeEnvironment>();

    if (plugin && plugin->HasOwnStimulusControls() && m_Editor) {
        const VantrelSDK::VTSdkStimulusWindows windows = m_Editor->GetStimulusWindows();
        m_UseListOrFile = dynamic_cast<wxChoice*>(windows.useListOrFile);
        m_SelectList = dynamic_cast<wxChoice*>(windows.selectList);
        m_EditList = windows.editList;
        m_CreateList = windows.createList;
        m_SelectFile = windows.selectFile;
        m_ShowGrid = dynamic_cast<wxCheckBox*>(windows.showGrid);
    }
    if (auto* useListOrFile = FindOnPanel<wxChoice>(m_Panel, "ID_MN_USE_LIST_OR_FILE")) {
        m_UseListOrFile = useListOrFile;
        m_SelectList = FindOnPanel<wxChoice>(m_Panel, "ID_MN_SELECT_LIST");
        m_EditList = FindOnPanel<wxWindow>(m_Panel, "ID_BT_EDIT_STIM_LIST");
        m_CreateList = FindOnPanel<wxWindow>(m_Panel, "ID_BT_CREATE_LIST");
        m_SelectFile = FindOnPanel<wxButton>(m_Panel, "ID_BT_SELECT_FILE");
        if (m_SelectList) m_SelectList->Clear();
    }
    // Lists are made and edited in the stimulus-list editor, which this program does
    // not have yet: the buttons that would open it are shown but not offered.
    for (wxWindow* listButton : {m_EditList, m_CreateList})
        if (listButton) listButton->Disable();
    if (auto* showGrid = FindOnPanel<wxCheckBox>(m_Panel, "ID_CB_SHOW_GRID")) m_ShowGrid = showGrid;
    if (m_ShowGrid) m_ShowGrid->SetValue(true);
    HandSettingsPack(resources);
}

VTEventPlugInPage::~VTEventPlugInPage()
{
    if (m_Editor && m_Instance) m_Instance->GetOwningPlugIn().DeleteEditor(m_Editor);
    m_Editor = nullptr;
    if (m_Instance) m_Instance->SetLoadedFiles(nullptr, 0);
    m_Instance = nullptr;
    m_UsedFiles.ClearAll();
}

VantrelSDK::VTSdkEventPlugin* VTEventPlugInPage::GetPlugIn() const
{
    return m_Instance ? &m_Instance->GetOwningPlugIn() : nullptr;
}

VTEvent& VTEventPlugInPage::Event() const { return m_Dialog.WorkingEvent(); }

VantrelSDK::VTSdkVarValueProviderBase* VTEventPlugInPage::GetVarValueProvider(bool otherKind)
{
    std::unique_ptr<VTVarValueProviderImpl>& provider = otherKind ? m_OtherProvider : m_VariableProvider;
    if (!provider)
        provider = std::make_unique<VTVarValueProviderImpl>(m_Experiment, otherKind ? ElementType::Reserved10
                                                                                    : ElementType::TrialVariable);
    return provider.get();
}

void VTEventPlugInPage::HandSettingsPack(wxXmlResource* resources)
{
    if (!m_Editor) return;
    VantrelSDK::VTSdkEditorSettingsPack pack;
    pack.instance = m_Instance;
    pack.resources = resources;
    pack.parameters = m_Experiment.GetParameters();
    pack.form = m_Dialog.GetSettingsOrderForm_OnlyCalledBy_VTEventPlugInPage().get();
    m_Editor->TakeSettingsPack(pack);
}

void VTEventPlugInPage::SetPageValues()
{
    if (HasStimulusControls()) {
        PopulateSelectStimListMenu();
        SetListControlValues();
        LoadUsedStimuliFiles();
    }
    HandSettingsPack(nullptr);
    UpdateStimuliControls();
}

void VTEventPlugInPage::GetPageValues(bool dropFiles)
{
    if (dropFiles) {
        DropInternalAndEventFiles();
        if (Event().IsListEvent()) Event().SetStimListID(GetSelectedStimListID());
    }
    if (m_Editor && m_Instance) m_Editor->WriteStateIntoInstance(*m_Instance);
}

void VTEventPlugInPage::SetListControlValues()
{
    if (!HasStimulusControls()) return;
    const bool isList = Event().IsListEvent();
    if (isList) ForgetInternallyKnownFiles();
    m_UseListOrFile->SetSelection(isList ? 1 : 0);
    OnStaticOrListControl(isList ? 1 : 0);
    if (m_SelectList && !m_SelectList->IsEmpty()) {
        m_SelectList->SetSelection(0);
        for (unsigned i = 0; i < m_SelectList->GetCount(); ++i)
            if (int(reinterpret_cast<wxIntPtr>(m_SelectList->GetClientData(i))) == Event().GetStimListID())
                m_SelectList->SetSelection(int(i));
    }
}

void VTEventPlugInPage::PopulateSelectStimListMenu()
{
    if (!HasStimulusControls() || !m_SelectList) return;
    m_SelectList->Clear();
    const int plugInID = GetPlugIn() ? GetPlugIn()->GetPlugInID() : -1;
    VTElementsList& lists = m_Experiment.GetReadOnlyElementsOfType(ElementType::StimList);
    for (std::size_t i = 0; i < lists.Size(); ++i) {
        auto* list = dynamic_cast<VTStimList*>(lists[i]);
        if (!list) continue;
        const int kind = list->GetPlugInID();
        // Rapid serial presentation shows the reading lists too.
        if (kind == plugInID || (plugInID == EventPlugIn::RSVP && kind == EventPlugIn::Reading))
            m_SelectList->Append(list->GetName(), reinterpret_cast<void*>(wxIntPtr(list->GetID())));
    }
    RestoreStimListSelection();
}

void VTEventPlugInPage::RestoreStimListSelection()
{
    if (!m_SelectList) return;
    for (int pass = 0; pass < 2; ++pass) {
        const int eventList = Event().GetStimListID();
        if (eventList == -1) {
            if (!m_SelectList->IsEmpty()) m_SelectList->SetSelection(0);
            return;
        }
        for (unsigned i = 0; i < m_SelectList->GetCount(); ++i)
            if (int(reinterpret_cast<wxIntPtr>(m_SelectList->GetClientData(i))) == eventList) {
                m_SelectList->SetSelection(int(i));
                return;
            }
        // A list the stimulus-list editor just made or edited takes the event's place.
        if (pass == 0 && m_ListChoiceForEditor->GetCount() == 1) {
            auto* list = static_cast<VTStimList*>(m_ListChoiceForEditor->GetClientData(0));
            if (list && int(list->GetID()) != eventList) {
                Event().SetStimListID(int(list->GetID()));
                continue;
            }
        }
        break;
    }
    if (!m_SelectList->IsEmpty()) m_SelectList->SetSelection(0);
}

int VTEventPlugInPage::GetSelectedStimListID() const
{
    if (!HasStimulusControls() || m_UseListOrFile->GetSelection() != 1 || !m_SelectList) return -1;
    const int selection = m_SelectList->GetSelection();
    if (selection == wxNOT_FOUND) return -1;
    return int(reinterpret_cast<wxIntPtr>(m_SelectList->GetClientData(unsigned(selection))));
}

void VTEventPlugInPage::OnStaticOrListControl(int mode)
{
    if (!HasStimulusControls() || (mode != 0 && mode != 1)) return;
    if (mode == 1) DropInternalAndEventFiles();
    const bool haveLists = m_SelectList && !m_SelectList->IsEmpty();
    ShowIf(m_SelectList, mode == 1 && haveLists);
    ShowIf(m_EditList, mode == 1 && haveLists);
    ShowIf(m_CreateList, mode == 1 && !haveLists);
    if (GetPlugIn() && GetPlugIn()->TakesStimulusFiles()) ShowIf(m_SelectFile, mode == 0);
    UpdateStimuliControls();
    m_Panel.Layout();
}

void VTEventPlugInPage::ForgetInternallyKnownFiles()
{
    m_UsedFiles.UnloadStimuliFiles();
    m_UsedFiles.ClearAll();
    if (m_Instance) m_Instance->SetLoadedFiles(nullptr, 0);
}

void VTEventPlugInPage::DropInternalAndEventFiles()
{
    ForgetInternallyKnownFiles();
    Event().RemoveAllStimFiles();
}

void VTEventPlugInPage::LoadUsedStimuliFiles()
{
    ForgetInternallyKnownFiles();
    m_UsedFiles.FillFromEvent(Event(), GetPlugIn());
    if (LoadCurrentListOfFiles()) return;
    if (!GetPlugIn() || !GetPlugIn()->ReportsOwnLoadFailures()) {
        wxLogError(_("Failed to load a stimulus file."));
        for (const wxString& problem : m_UsedFiles.GetProblems()) wxLogError("%s", problem);
    }
    ForgetInternallyKnownFiles();
}

bool VTEventPlugInPage::LoadCurrentListOfFiles()
{
    if (m_UsedFiles.LoadStimuliFiles(true, false, false, false) != 0) return false;
    const std::vector<wxString>& files = m_UsedFiles.BuildSdkFilesList();
    if (m_Instance) m_Instance->SetLoadedFiles(files.empty() ? nullptr : files.data(), int(files.size()));
    return true;
}

int VTEventPlugInPage::GetLastExtIndex(const wxString& key, const wxString& wildcard)
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (!config) return 0;
    const wxString stored = config->Read(FilterEntry(key), wxString());
    if (stored.empty()) return 0;
    const wxArrayString tokens = wxSplit(wildcard, '|', '\0');
    const int position = tokens.Index(stored);
    return position == wxNOT_FOUND ? 0 : position / 2;
}

void VTEventPlugInPage::SetLastExtIndex(const wxString& key, const wxString& wildcard, int index)
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (!config) return;
    const wxArrayString tokens = wxSplit(wildcard, '|', '\0');
    const std::size_t position = std::size_t(std::max(0, index)) * 2;
    config->Write(FilterEntry(key), position < tokens.size() ? tokens[position] : wxString());
    config->Flush();
}

wxString VTEventPlugInPage::PromptForStimFile()
{
    VantrelSDK::VTSdkEventPlugin* plugin = GetPlugIn();
    if (!plugin) return wxString();
    wxString title, wildcard, key;
    plugin->GetString(102, title);
    plugin->GetString(101, wildcard);
    plugin->GetString(5001, key);
    wxFileDialog chooser(&m_Dialog, title, wxString(), wxString(), wildcard, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    chooser.SetFilterIndex(GetLastExtIndex(key, wildcard));
    if (chooser.ShowModal() != wxID_OK) return wxString();
    SetLastExtIndex(key, wildcard, chooser.GetFilterIndex());
    return chooser.GetPath();
}

wxString VTEventPlugInPage::OnSelectStimulusFile()
{
    wxString suggestion;
    // What is typed on the panel is kept: the settings pack below shows the instance.
    if (m_Editor && m_Instance) m_Editor->WriteStateIntoInstance(*m_Instance);
    if (m_Editor) m_Editor->OnBeforeFilePrompt();
    const wxString path = PromptForStimFile();
    if (!path.empty() && GetPlugIn() && GetPlugIn()->TakesStimulusFiles()) {
        ForgetInternallyKnownFiles();
        Event().RemoveAllStimFilesAndStartFreshWithThisOne(path);
        LoadUsedStimuliFiles();
        suggestion = wxFileName(path).GetName();
    }
    HandSettingsPack(nullptr);
    UpdateStimuliControls();
    if (m_Editor) m_Editor->OnAfterFilePrompt();
    return suggestion;
}

void VTEventPlugInPage::UpdateStimuliControls()
{
    if (!m_Instance) return;
    const bool isList = Event().IsListEvent();
    if (m_Editor && !m_Editor->UpdateOwnStimulusControls(*m_Instance, 0, isList)) return;
    const bool hasFile = Event().GetNumberOfUsedStimFiles() > 0;
    if (wxWindow* attributes = FindOnPanel<wxWindow>(m_Panel, "ID_BT_EDIT_VISUAL_ATTRIBUTES"))
        attributes->Enable(isList || hasFile);
    if (m_SelectFile) m_SelectFile->Enable(!isList);
    const bool takesFiles = GetPlugIn() && GetPlugIn()->TakesStimulusFiles();
    if (wxWindow* preview = FindOnPanel<wxWindow>(m_Panel, "ID_BT_PREVIEW"))
        preview->Enable(!takesFiles || (isList ? Event().GetStimListID() >= 0 : hasFile));
}

wxChoice* VTEventPlugInPage::GetFabricatedStimListChoice()
{
    m_ListChoiceForEditor->Clear();
    const int selected = GetSelectedStimListID();
    if (selected >= 0)
        if (VTStimList* list = m_Experiment.GetStimListIfacePtr(std::uint32_t(selected))) {
            m_ListChoiceForEditor->Append(list->GetName(), static_cast<void*>(list));
            m_ListChoiceForEditor->SetSelection(0);
        }
    return m_ListChoiceForEditor;
}

void VTEventPlugInPage::UpdateEventEditorTab(int tab)
{
    if (m_Editor) m_Editor->OnEventEditorTabChanged(tab);
}

bool VTEventPlugInPage::ProcessPreviewEvent(bool onlyForListEvents)
{
    if (VTEditEventDlg::IsAPreviewActiveIfSoWarn()) return false;
    if (onlyForListEvents && !Event().IsListEvent()) return false;
    PreviewInTheActualRuntime();
    return true;
}

void VTEventPlugInPage::PreviewInTheActualRuntime()
{
    m_LastPreviewProblem.clear();
    m_LastPreviewRanToItsEnd = false;
    if (VTEditEventDlg::IsAPreviewActiveIfSoWarn()) return;
    const bool wasModified = m_Experiment.IsModified();
    const bool wasMinimal = m_Experiment.m_LockStateMinimal;
    m_Experiment.SetLockStateMinimal_forUseInPreview(false);

    // The blocks the user had selected are selected again afterwards.
    std::vector<VTBlock*> selectedBlocks;
    VTElementsList& blocks = m_Experiment.GetReadOnlyElementsOfType(ElementType::Block);
    for (std::size_t i = 0; i < blocks.Size(); ++i)
        if (auto* block = dynamic_cast<VTBlock*>(blocks[i]); block && block->IsSelected()) {
            selectedBlocks.push_back(block);
            block->SetSelected(false);
        }

    std::vector<Minimal_VTElement*> temporaries;
    wxString problem;
    {
        Orbisk::RAII_TemporaryHidingForOpenModalDialog hiding(&m_Dialog);
        SwitchIntensiveTasks(false, false);
        try {
            RunPreview(temporaries, problem);
        } catch (const std::exception& e) {
            problem = wxString::FromUTF8(e.what());
        }
        SwitchIntensiveTasks(true, true);
    }

    // Whatever happened, the experiment is left as it was.
    // A locked experiment refuses deletions through the manager; the preview's own
    // temporaries go all the same.
    wxString lockReason;
    if (!temporaries.empty()) {
        if (m_Experiment.IsLocked(lockReason))
            m_Experiment.DeleteElementsAndTheirLinks(temporaries);
        else
            VTDeletionMgr(nullptr, &m_Experiment, temporaries).HandleDeletion(0, false, true);
    }
    for (VTBlock* block : selectedBlocks) block->SetSelected(true);
    m_Experiment.SetLockStateMinimal_forUseInPreview(wasMinimal);
    m_Experiment.Modify(wasModified);
    m_Experiment.GetRunOptions().RevertPreviewSettings();
    if (!problem.empty()) {
        m_LastPreviewProblem = problem;
        wxLogError(_("The preview could not run: %s"), problem);
    }
}

bool VTEventPlugInPage::RunPreview(std::vector<Minimal_VTElement*>& temporaries, wxString& problem)
{
    VantrelSDK::VTSdkEventPlugin* plugin = GetPlugIn();
    if (!plugin || !m_Instance) {
        problem = _("the event has no event type.");
        return false;
    }
    VTEvent& event = Event();
    // A file that cannot be presented is named before anything is shown.
    if (!event.IsListEvent() && plugin->TakesStimulusFiles()) {
        if (event.GetNumberOfUsedStimFiles() == 0) {
            problem = _("the event has no stimulus file.");
            return false;
        }
        VTUsedStimuliFiles files(true);
        files.FillFromEvent(event, plugin);
        if (files.LoadStimuliFiles(true, false, false, false) != 0) {
            problem = wxJoin(wxArrayString(files.GetProblems().size(), files.GetProblems().data()), '\n', '\0');
            return false;
        }
    }

    const auto add = [&](Minimal_VTElement* element, const wxString& name) {
        element->SetName(name);
        m_Experiment.GetElementsOfType(element->GetElementType()).AddElement(element, -1);
        temporaries.push_back(element);
    };
    auto* group = new VTParticipantGroup(&m_Experiment);
    add(group, "Temp Preview Group");
    m_Experiment.GetRunOptions().ApplyPreviewSettings(int(group->GetID()));
    auto* block = new VTBlock(&m_Experiment);
    add(block, "Temp Preview Block");
    block->SetSelected(true);
    group->AddUsedBlock(block);
    if (!plugin->PresentsVisually()) {
        auto* infoTrial = new VTTrial(&m_Experiment);
        add(infoTrial, "Temp Preview Info Trial");
        auto* backdrop = new VTEvent(&m_Experiment);
        add(backdrop, "Temp Preview Backdrop");
        ConfigureFakeBackdropEventForNonVisualTypedEventPreview(*backdrop);
        infoTrial->AddUsedEvent(backdrop);
        block->AddUsedTrial(infoTrial);
    }
    auto* trial = new VTTrial(&m_Experiment);
    add(trial, "Temp Preview Trial");
    auto* copy = new VTEvent(&m_Experiment);
    copy->CopySettingsFrom(event);
    VantrelSDK::VTSdkEventInstance* current = plugin->NewEventInstance_CallerMustDelete();
    current->CopySettingsFrom(*m_Instance);
    if (m_Editor) m_Editor->WriteStateIntoInstance(*current);
    ConfigureEventForPreview(*copy, *current);
    plugin->DeleteEventInstance(current);
    add(copy, event.GetName());
    trial->AddUsedEvent(copy);
    block->AddUsedTrial(trial);

    const bool showGrid = m_ShowGrid && m_ShowGrid->GetValue();
    VTCompiledExperiment compiled([](bool allow, bool second) { SwitchIntensiveTasks(allow, second); });
    bool ran = false;
    if (!m_Experiment.InstructCompiledExperimentBuilderToBuild(compiled, true)) {
        problem = _("the experiment could not be built for the preview.");
    } else {
        m_LastPreviewRanToItsEnd = compiled.Run(true, showGrid);
        ran = true;
        if (!compiled.GetLastReport().failure.empty()) problem = compiled.GetLastReport().failure;
    }
    block->SetSelected(false);
    return ran && problem.empty();
}

}  // namespace Vantrel
