#include "VTEditEventDlg.h"

#include "VTEventPlugInPage.h"

#include <GuiViewClasses/DialogClasses/ElementEditorCore.h>
#include <GuiViewClasses/MiscGui/BTEDlgHeadingPanelWithNote.h>
#include <GuiViewClasses/ResponseDialogs/VTListCtrlResponses.h>
#include <GuiViewClasses/TagSetDialogs/VTManageAllTagSetsDlg.h>
#include <GuiViewClasses/TagSetDialogs/VTTagsGrid.h>
#include <GuiViewClasses/TrialVariables/VTEditTrialVariableDlg.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>
#include <VTPlugInCommon/VTPanels.h>
#include <VTPlugInCommon/VTPresenter.h>
#include <VTPlugInCommon/VTSdkEventInstance.h>
#include <VTPlugInCommon/VTSdkEventPlugin.h>
#include <VTRuntime/VTEventSdkObject.h>
#include <VTRuntime/VTPlugIn.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

namespace {

// The notebook's tabs.
constexpr int kInputTab = 1;
constexpr int kCorrectResponseTab = 2;
constexpr int kTagsTab = 3;

template <class W>
W* Find(wxWindow* parent, const char* name)
{
    return dynamic_cast<W*>(ElementEditorCore::FindByXrcName(parent, name));
}

// The variable of an entry of the time-limit variable choice; null for the placeholder.
VTTrialVariable* VariableAt(wxChoice* choice, int index)
{
    if (!choice || index < 0 || unsigned(index) >= choice->GetCount() || !choice->HasClientUntypedData())
        return nullptr;
    return static_cast<VTTrialVariable*>(choice->GetClientData(unsigned(index)));
}

void Warn(wxWindow* parent, const wxString& message)
{
    wxMessageBox(message, "Vantrel", wxOK | wxICON_WARNING, parent);
}

}  // namespace

VTEditEventDlg::PlugInInfo::~PlugInInfo()
{
    delete page;
    page = nullptr;
    if (instance) instance->GetOwningPlugIn().DeleteEventInstance(instance);
    instance = nullptr;
}

VTEditEventDlg::VTEditEventDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                               bool multiInsert)
    : VTEditElementBaseDlgT<VTEvent>(parent, experiment, "dlg_edit_event", listWindow, isNew, multiInsert,
                                     /*skipPageMemory*/ true, /*nameControlFromSubclass*/ true,
                                     /*deferSetup*/ false, /*leaveExperimentUnchanged*/ false)
{
    m_SettingsForm = std::make_shared<VantrelSDK::MiscEventSettingsOrderForm>();

    // The heading takes the place of the layout's name row.
    if (wxWindow* placeholder = FindWindowByName("HEADER_PANEL_DESTROYED_IMMEDIATELY", this)) {
        if (GetSizer()) GetSizer()->Detach(placeholder);
        placeholder->Destroy();
    }
    m_Heading = new BTEDlgHeadingPanelWithNote("Event", 2, this, this);
    if (GetSizer()) GetSizer()->Insert(0, m_Heading, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    m_NameCtrl = m_Heading->GetNameCtrl();
    if (m_NameCtrl) {
        // Found by the name the layout gave the field it replaces.
        m_NameCtrl->SetName("text_name");
        m_NameCtrl->Enable(!DialogIsLocked());
    }

    m_EventType = Find<wxChoice>(this, "ID_MN_EVENT_TYPE");
    m_PlugInPanels = Find<VTPanelSwitcher>(this, "panel_plugins");
    if (m_EventType && m_PlugInPanels) {
        SetExtraStyle(GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
        m_PlugInPanels->SetExtraStyle(m_PlugInPanels->GetExtraStyle() | wxWS_EX_VALIDATE_RECURSIVELY);
        InitEventTypes();
    }
    InitInputTab();

    // The responses list is made here on its placeholder, so the layout needs no
    // resource handler of this library.
    if (auto* holder = Find<wxPanel>(this, "panel_checklist_responses")) {
        m_Responses = new VTListCtrlResponses();
        m_Responses->Create(holder, wxID_ANY, wxDefaultPosition, wxSize(360, 160), wxLC_REPORT | wxLC_SINGLE_SEL,
                            wxDefaultValidator, "checklist_responses");
        m_Responses->InitColumns();
        if (holder->GetSizer()) holder->GetSizer()->Add(m_Responses, 1, wxEXPAND);
    }

    m_Notebook = Find<wxNotebook>(this, "notebook");
    m_TagsPanel = Find<wxPanel>(this, "tagset_panel");
    if (m_TagsPanel && m_Experiment) {
        m_TagsGrid = new VTTagsGrid(m_TagsPanel, *m_Experiment, VTTagSet::EventOrListItemContext);
        if (m_TagsPanel->GetSizer()) m_TagsPanel->GetSizer()->Insert(0, m_TagsGrid, 1, wxEXPAND | wxALL, 5);
    }

    // Event types and their panels find the dialog's handlers by the standard names.
    const auto button = [this](const char* name, void (VTEditEventDlg::*handler)(wxCommandEvent&)) {
        Bind(wxEVT_BUTTON, handler, this, wxXmlResource::GetXRCID(name));
    };
    button("wxID_CANCEL", &VTEditEventDlg::OnCancel);
    Bind(wxEVT_BUTTON, &VTEditEventDlg::OnCancel, this, wxID_CANCEL);
    button("ID_BT_SELECT_FILE", &VTEditEventDlg::OnSelectStimFile);
    button("ID_EDIT_VARIABLES", &VTEditEventDlg::OnEditTrialVariable);
    button("create_tagsets_btn", &VTEditEventDlg::OnCreateTag);
    Bind(wxEVT_CHOICE, &VTEditEventDlg::OnSwitchEventType, this, wxXmlResource::GetXRCID("ID_MN_EVENT_TYPE"));
    Bind(wxEVT_CHOICE, &VTEditEventDlg::OnSwitchStimList, this, wxXmlResource::GetXRCID("ID_MN_SELECT_LIST"));
    Bind(wxEVT_CHOICE, &VTEditEventDlg::OnSelectStaticOrStimList, this,
         wxXmlResource::GetXRCID("ID_MN_USE_LIST_OR_FILE"));
    for (const char* name : {"check_immediately", "check_any_response", "check_correct_response", "check_time_limit",
                             "check_delay_fb_actions"})
        Bind(wxEVT_CHECKBOX, &VTEditEventDlg::OnEndEventCheckboxClicked, this, wxXmlResource::GetXRCID(name));
    for (const char* name : {"text_limit_fixed", "label_limit_fixed", "choice_time_limit", "check_delay_fb_actions"})
        Bind(wxEVT_UPDATE_UI, &VTEditEventDlg::OnUpdateTimeLimitControls, this, wxXmlResource::GetXRCID(name));
    if (m_Notebook) m_Notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &VTEditEventDlg::OnNotebookPageChanged, this);

    if (m_TimeLimitPanels) m_TimeLimitPanels->Layout();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Layout();
    if (m_TagsGrid) m_TagsGrid->DoCreateGrid();
    if (m_Notebook && m_LastUsedPanelIndex >= 0 && std::size_t(m_LastUsedPanelIndex) < m_Notebook->GetPageCount())
        m_Notebook->SetSelection(std::size_t(m_LastUsedPanelIndex));
    if (m_Experiment) m_Experiment->RefreshAfterEditorConstruction();
}

VTEditEventDlg::~VTEditEventDlg()
{
    // Pages go before the panels they host and the instances they edit.
    m_PlugInInfos.clear();
    for (VTPlugIn* plugin : m_PlugIns) plugin->OnCloseConfigDlg();
    // The switcher lets go of its choice while both still exist: the choice, its
    // sibling, may be destroyed first.
    if (m_TimeLimitPanels) m_TimeLimitPanels->BindManagingChoice(nullptr);
}

void VTEditEventDlg::InitEventTypes()
{
    if (VTPlugIn::GetPlugInsList_SkippingObsoleteDLLs(m_PlugIns, 1) == 0) return;
    for (VTPlugIn* plugin : m_PlugIns) {
        wxXmlResource* resources = plugin->GetResources();
        auto* panel = dynamic_cast<wxPanel*>(plugin->GetConfigPanel(m_PlugInPanels));
        VantrelSDK::VTSdkEventPlugin* eventPlugIn = plugin->GetSdkBaseEventPtr();
        if (!panel || !eventPlugIn) continue;
        m_EventType->Append(plugin->GetName(), static_cast<void*>(plugin));
        auto info = std::make_unique<PlugInInfo>();
        info->instance = eventPlugIn->NewEventInstance_CallerMustDelete();
        info->page = new VTEventPlugInPage(*this, *m_Experiment, info->instance, *panel, resources);
        m_PlugInInfos.push_back(std::move(info));
    }
    // No page shows before an event is loaded.
    for (int i = 0; i < m_PlugInPanels->GetPageCount(); ++i) m_PlugInPanels->GetPage(i)->Hide();
}

VTEditEventDlg::PlugInInfo& VTEditEventDlg::ActivePlugInInfo()
{
    if (m_CurrentPlugIn >= 0 && std::size_t(m_CurrentPlugIn) < m_PlugInInfos.size())
        return *m_PlugInInfos[std::size_t(m_CurrentPlugIn)];
    m_NoPlugIn.instance = nullptr;
    m_NoPlugIn.page = nullptr;
    return m_NoPlugIn;
}

void VTEditEventDlg::SwitchPlugIn(int index)
{
    if (index < 0 || index == m_CurrentPlugIn || std::size_t(index) >= m_PlugInInfos.size()) return;
    if (VTEventPlugInPage* leaving = ActivePlugInInfo().page) leaving->GetPageValues(true);
    VTEventPlugInPage* page = m_PlugInInfos[std::size_t(index)]->page;
    // The switcher's pages are the panels in the order they were made.
    for (int i = 0; i < m_PlugInPanels->GetPageCount(); ++i)
        if (m_PlugInPanels->GetPage(i) == page->GetPanel()) m_PlugInPanels->SelectPage(i);
    m_CurrentPlugIn = index;
    if (m_EventType) m_EventType->SetSelection(index);
    page->SetPageValues();
    DoSelectStaticOrStimList(WorkingEvent().IsListEvent() ? 1 : 0);
    RefreshTagsTab();
}

void VTEditEventDlg::SetDialogValues(VTEvent& event)
{
    m_Initialised = true;
    VTEditElementBaseDlgT<VTEvent>::SetDialogValues(event);
    event.RefreshAndPruneResponsesIfTheyArePoolBased();
    if (m_Heading) m_Heading->InitialHeadingSetup(event.GetName(), event.GetNotes());

    int index = -1;
    for (std::size_t i = 0; i < m_PlugInInfos.size(); ++i)
        if (m_PlugInInfos[i]->instance->GetPlugInID() == event.GetPlugInID()) {
            CopyEventSettingsIntoInstance(event, *m_PlugInInfos[i]->instance);
            index = int(i);
        }
    if (m_EventType) m_EventType->SetSelection(index);
    m_CurrentPlugIn = -1;
    SwitchPlugIn(index);

    LoadInputTab(event);
    MiscEventSettings_PrepopulateOrderFormWithCurrentValues(*m_SettingsForm, m_Experiment, event);
    ShowCorrectResponses();
    if (m_TagsGrid) m_TagsGrid->TransferDataToGrid(event.GetNonConstAccessToCodeValues());
    RefreshTagsTab();
}

bool VTEditEventDlg::GetDialogValues(VTEvent& event)
{
    if (!VTEditElementBaseDlgT<VTEvent>::GetDialogValues(event)) return false;
    if (!m_EventType || m_EventType->GetSelection() == wxNOT_FOUND || !ActivePlugInInfo().instance) {
        wxLogError(_("Invalid selection for event type. Unable to save event object. Try re-selecting the type."));
        return false;
    }
    // Checked before anything is written, so a refusal leaves the event as it was.
    int milliseconds = 0;
    wxString problem;
    if (m_FixedLimit && !ParseFixedTimeLimit(m_FixedLimit->GetValue(), milliseconds, problem)) {
        Warn(this, problem);
        SwitchToTab(kInputTab);
        m_FixedLimit->SetFocus();
        return false;
    }
    if (m_Heading) m_Heading->UsePanelStateToMutateActualGivenEvent(event);
    PlugInInfo& active = ActivePlugInInfo();
    active.page->GetPageValues(false);
    if (event.GetPlugInID() != active.instance->GetPlugInID()) {
        auto* plugin = static_cast<VTPlugIn*>(m_EventType->GetClientData(unsigned(m_EventType->GetSelection())));
        if (VantrelSDK::VTSdkEventPlugin* eventPlugIn = VTPlugIn::GetSdkBaseEventPtr(VTPlugIn::GetPlugInID(plugin)))
            SetNewSdkObject(event, eventPlugIn->NewEventInstance_CallerMustDelete(), true);
    }
    SetNewSdkObject(event, active.instance, false);
    if (!WriteInputTab(event)) return false;
    if (event.IsListEvent())
        event.GetNonConstAccessToCodeValues().RemoveAllElements();
    else if (m_TagsGrid)
        m_TagsGrid->TransferDataFromGrid(event.GetNonConstAccessToCodeValues());
    MiscEventSettings_PutOrderFormSettingsOntoVTEventForSaving(*m_SettingsForm, event);
    return true;
}

void VTEditEventDlg::OnOK(wxCommandEvent& event)
{
    if (IsAPreviewActiveIfSoWarn()) return;
    const int page = m_Notebook ? m_Notebook->GetSelection() : -1;
    VTEditElementBaseDlgT<VTEvent>::OnOK(event);
    if (!IsModal() && page >= 0) m_LastUsedPanelIndex = page;
}

void VTEditEventDlg::OnOKPrevOrNext(int buttonId)
{
    if (IsAPreviewActiveIfSoWarn()) return;
    VTEditElementBaseDlgT<VTEvent>::OnOKPrevOrNext(buttonId);
}

void VTEditEventDlg::OnCancel(wxCommandEvent& event)
{
    if (IsAPreviewActiveIfSoWarn()) return;
    event.Skip();
}

bool VTEditEventDlg::IsAPreviewActiveIfSoWarn()
{
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    if (!presenter || !presenter->IsVisible()) return false;
    wxLogMessage(_("Looks like you currently have a preview active! Please exit the preview before working in the "
                   "Event Editor again."));
    return true;
}

// ---- Stimulus tab

void VTEditEventDlg::OnSwitchEventType(wxCommandEvent& event) { SwitchPlugIn(event.GetSelection()); }

void VTEditEventDlg::OnSelectStimFile(wxCommandEvent&)
{
    // The prompt's modal loop runs after the click has been handled: a loop run
    // inside the button's own handler leaves GTK's button holding the pointer.
    CallAfter(&VTEditEventDlg::SelectStimFile);
}

void VTEditEventDlg::SelectStimFile()
{
    VTEventPlugInPage* page = ActivePlugInInfo().page;
    if (!page) return;
    const wxString suggestion = page->OnSelectStimulusFile();
    if (!suggestion.empty() && m_NameCtrl && m_NameCtrl->GetValue().empty()) m_NameCtrl->SetValue(suggestion);
}

void VTEditEventDlg::OnSwitchStimList(wxCommandEvent&)
{
    VTEventPlugInPage* page = ActivePlugInInfo().page;
    if (!page) return;
    WorkingEvent().SetStimListID(page->GetSelectedStimListID());
    ShowCorrectResponses();
}

void VTEditEventDlg::OnSelectStaticOrStimList(wxCommandEvent& event)
{
    DoSelectStaticOrStimList(event.GetSelection());
    RefreshTagsTab();
}

void VTEditEventDlg::DoSelectStaticOrStimList(int mode)
{
    VTEventPlugInPage* page = ActivePlugInInfo().page;
    if (!page) return;
    if (page->GetUseListOrFileChoice()) page->GetUseListOrFileChoice()->SetSelection(mode);
    WorkingEvent().SetStimListID(page->GetSelectedStimListID());
    page->OnStaticOrListControl(mode);
    ShowCorrectResponses();
}

// ---- Input tab

void VTEditEventDlg::InitInputTab()
{
    m_Immediately = Find<wxCheckBox>(this, "check_immediately");
    m_AnyResponse = Find<wxCheckBox>(this, "check_any_response");
    m_CorrectResponse = Find<wxCheckBox>(this, "check_correct_response");
    m_TimeLimit = Find<wxCheckBox>(this, "check_time_limit");
    m_DelayFeedback = Find<wxCheckBox>(this, "check_delay_fb_actions");
    if (!m_Immediately || !m_AnyResponse || !m_CorrectResponse || !m_TimeLimit || !m_DelayFeedback) return;
    m_Record = Find<wxCheckBox>(this, "check_record");
    m_ResetTimer = Find<wxCheckBox>(this, "check_reset_timer");
    m_TimeLimitPanels = Find<VTPanelSwitcher>(this, "panel_time_limit");
    m_TimeLimitKind = Find<wxChoice>(this, "choice_time_limit");
    if (!m_TimeLimitPanels || !m_TimeLimitKind) return;
    wxXmlResource::Get()->LoadPanel(m_TimeLimitPanels, "panel_time_limit_fixed");
    wxXmlResource::Get()->LoadPanel(m_TimeLimitPanels, "panel_time_limit_variable");
    m_TimeLimitPanels->BindManagingChoice(m_TimeLimitKind);
    m_TimeLimitPanels->SelectPage(0);
    m_FixedLimit = Find<wxTextCtrl>(this, "text_limit_fixed");
    m_TimeLimitVariable = Find<wxChoice>(this, "choice_limit_variable");
    PopulateTimeLimitVariablesControl();
}

void VTEditEventDlg::PopulateTimeLimitVariablesControl()
{
    if (!m_TimeLimitVariable || !m_Experiment) return;
    m_TimeLimitVariable->Clear();
    VTElementsList& variables = m_Experiment->GetReadOnlyElementsOfType(ElementType::TrialVariable);
    for (std::size_t i = 0; i < variables.Size(); ++i)
        if (auto* variable = dynamic_cast<VTTrialVariable*>(variables[i]);
            variable && variable->GetVariableType() == VariableType::TimeLimit)
            m_TimeLimitVariable->Append(variable->GetName(), static_cast<void*>(variable));
    const bool any = !m_TimeLimitVariable->IsEmpty();
    if (!any) {
        m_TimeLimitVariable->Append(_("(No time limit trial variable created yet)"));
        m_TimeLimitVariable->SetSelection(0);
    }
    m_TimeLimitVariable->Enable(any);
    if (wxWindow* edit = Find<wxWindow>(this, "ID_EDIT_VARIABLES")) edit->Enable(any);
}

EndOptions VTEditEventDlg::ShownEndOptions() const
{
    EndOptions options;
    if (!m_Immediately) return options;
    options.immediately = m_Immediately->GetValue();
    options.anyResponse = m_AnyResponse->GetValue();
    options.correctResponse = m_CorrectResponse->GetValue();
    options.timeLimit = m_TimeLimit->GetValue();
    return options;
}

void VTEditEventDlg::ShowEndOptions(const EndOptions& options)
{
    if (!m_Immediately) return;
    m_Immediately->SetValue(options.immediately);
    m_AnyResponse->SetValue(options.anyResponse);
    m_CorrectResponse->SetValue(options.correctResponse);
    m_TimeLimit->SetValue(options.timeLimit);
}

void VTEditEventDlg::LoadInputTab(const VTEvent& event)
{
    if (!m_Immediately) return;
    bool record = false, resetTimer = false, immediately = false, any = false, correct = false, timeLimit = false,
         delay = false;
    int kind = -99, milliseconds = -99, variableID = -99;
    event.GetCopiedInputSettingsForEditor(record, resetTimer, immediately, any, correct, timeLimit, delay, kind,
                                          milliseconds, variableID);
    EndOptions options;
    options.immediately = immediately;
    options.anyResponse = any;
    options.correctResponse = correct;
    options.timeLimit = timeLimit;
    ShowEndOptions(options);
    m_DelayFeedback->SetValue(delay);
    if (m_Record) m_Record->SetValue(record);
    if (m_ResetTimer) m_ResetTimer->SetValue(resetTimer);
    if (m_FixedLimit) {
        m_FixedLimit->Clear();
        m_FixedLimit->AppendText(wxString::Format("%d", milliseconds));
    }
    if (m_TimeLimitKind) {
        m_TimeLimitKind->SetSelection(kind == 1 ? 1 : 0);
        if (m_TimeLimitPanels) m_TimeLimitPanels->SelectPage(kind == 1 ? 1 : 0);
    }
    if (VariableAt(m_TimeLimitVariable, 0)) {
        if (variableID == -1) {
            m_TimeLimitVariable->SetSelection(0);
        } else {
            for (unsigned i = 0; i < m_TimeLimitVariable->GetCount(); ++i)
                if (VTTrialVariable* variable = VariableAt(m_TimeLimitVariable, int(i));
                    variable && int(variable->GetID()) == variableID)
                    m_TimeLimitVariable->SetSelection(int(i));
        }
    }
    UpdateTimeLimitCheckboxLabel();
}

bool VTEditEventDlg::WriteInputTab(VTEvent& event)
{
    if (!m_Immediately) return true;
    SyncEventEndThisEventAndMoveOnSettingsToInputTabCheckBoxes(event);
    const bool record = m_Record ? m_Record->GetValue() : true;
    const bool resetTimer = m_ResetTimer ? m_ResetTimer->GetValue() : true;
    int milliseconds = 0;
    wxString problem;
    if (m_FixedLimit && !ParseFixedTimeLimit(m_FixedLimit->GetValue(), milliseconds, problem)) return false;
    int variableID = -1;
    if (m_TimeLimitVariable)
        if (VTTrialVariable* variable = VariableAt(m_TimeLimitVariable, m_TimeLimitVariable->GetSelection()))
            variableID = int(variable->GetID());
    const TimeLimitChoice choice =
        ResolveTimeLimitChoice(m_TimeLimitKind ? m_TimeLimitKind->GetSelection() : 0, variableID);
    if (choice.reverted)
        Warn(this, _("You have selected a variable time limit. This option requires a trial variable for it to work. "
                     "\n\nVantrel will now revert to a fixed time limit instead."));
    event.AcceptInputSettingsForEditor(record, resetTimer, choice.kind, milliseconds, choice.variableID);
    return true;
}

void VTEditEventDlg::UpdateTimeLimitCheckboxLabel()
{
    if (m_TimeLimit) m_TimeLimit->SetLabel(TimeLimitCheckboxLabel(ShownEndOptions()));
}

void VTEditEventDlg::SyncEventEndThisEventAndMoveOnSettingsToInputTabCheckBoxes(VTEvent& event)
{
    const EndOptions options = ShownEndOptions();
    event.AcceptEndEventSettings(options.immediately, options.anyResponse, options.correctResponse, options.timeLimit);
    event.SetWhenToPresentFeedback(m_DelayFeedback && m_DelayFeedback->GetValue());
}

void VTEditEventDlg::OnEndEventCheckboxClicked(wxCommandEvent& event)
{
    if (!m_Immediately) return;
    const std::pair<wxCheckBox*, EndOptions::Which> boxes[] = {{m_Immediately, EndOptions::Immediately},
                                                               {m_AnyResponse, EndOptions::AnyResponse},
                                                               {m_CorrectResponse, EndOptions::CorrectResponse},
                                                               {m_TimeLimit, EndOptions::TimeLimit}};
    for (const auto& box : boxes) {
        if (box.first->GetId() != event.GetId()) continue;
        const EndOptionsClick click = ApplyEndOptionClick(ShownEndOptions(), box.second);
        if (click.refused) Warn(this, _("At least one event ending option must be selected."));
        ShowEndOptions(click.result);
    }
    UpdateTimeLimitCheckboxLabel();
    if (TheTempObject()) SyncEventEndThisEventAndMoveOnSettingsToInputTabCheckBoxes(WorkingEvent());
    if (m_TimeLimitKind) m_TimeLimitKind->Enable(m_TimeLimit->GetValue());
    m_DelayFeedback->Enable(m_TimeLimit->GetValue());
}

void VTEditEventDlg::OnUpdateTimeLimitControls(wxUpdateUIEvent& event)
{
    event.Enable(m_TimeLimit && m_TimeLimit->GetValue());
}

void VTEditEventDlg::OnEditTrialVariable(wxCommandEvent&)
{
    if (VTEditTrialVariableDlg::EitherExplainThatCreationIsDisallowed_Or_LaunchTrialVarDialog(
            this, m_Experiment, m_TimeLimitVariable, false, false, 0))
        m_Experiment->Modify(true);
}

// ---- Correct responses and tags

void VTEditEventDlg::ShowCorrectResponses()
{
    if (!TheTempObject()) return;
    MiscEventSettingsOrderForm_AdaptToLatestResponsePool(*m_SettingsForm, m_Experiment);
    if (!m_Responses || !m_Experiment) return;
    VTEvent& event = WorkingEvent();
    // Correct responses per list item or tag are chosen beside their pool, which
    // this tab does not show: the list is offered for the event as a whole only.
    const bool wholeEvent = event.GetResponsesBasis() == ElementType::Event;
    m_Responses->InitializeListWithProperExperimentInfo(
        &event, &m_Experiment->GetReadOnlyElementsOfType(ElementType::Response), ElementType::Event, nullptr);
    m_Responses->Enable(wholeEvent && !DialogIsLocked());
}

void VTEditEventDlg::RefreshTagsTab()
{
    if (!m_TagsPanel || !TheTempObject()) return;
    const bool linked = WorkingEvent().IsListEvent();
    const bool empty = !m_TagsGrid || m_TagsGrid->IsEmpty();
    if (m_TagsGrid) m_TagsGrid->Show(!linked && !empty);
    if (wxWindow* hint = Find<wxWindow>(this, "tags_hint_linked")) hint->Show(linked);
    if (wxWindow* hint = Find<wxWindow>(this, "tags_hint_unlinked")) hint->Show(empty && !linked);
    if (wxWindow* button = Find<wxWindow>(this, "create_tagsets_btn")) button->Show(!linked);
    m_TagsPanel->Layout();
}

void VTEditEventDlg::OnCreateTag(wxCommandEvent&)
{
    {
        VTManageAllTagSetsDlg manager(this, m_Experiment);
        manager.ShowModal();
    }
    if (m_TagsGrid) {
        m_TagsGrid->RefreshGrid();
        m_TagsGrid->TransferDataToGrid(WorkingEvent().GetNonConstAccessToCodeValues());
    }
    RefreshTagsTab();
    ShowCorrectResponses();
}

void VTEditEventDlg::OnNotebookPageChanged(wxNotebookEvent& event)
{
    event.Skip();
    const int page = event.GetSelection();
    if (VTEventPlugInPage* active = ActivePlugInInfo().page; active && page >= 0) active->UpdateEventEditorTab(page);
    if (page == kCorrectResponseTab) ShowCorrectResponses();
}

}  // namespace Vantrel
