#include "VTParticipantInputDlg.h"

#include "VTEditResponseDlg.h"

#include <GuiViewClasses/DialogClasses/ElementEditorCore.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <UserInterface/Dialogs/ModalSheetSupport.h>
#include <UserInterface/Dialogs/ModalSheetWHyperlink.h>
#include <UserInterface/Dialogs/wxAlertBox.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTPlugInCommon/GeneralHelpers.h>
#include <VTPlugInCommon/VTListViews.h>
#include <VTPlugInCommon/VTPanels.h>
#include <VTPlugInCommon/VTPlugInKinds.h>
#include <VTPlugInCommon/VTPresenter.h>
#include <VTPlugInCommon/VTSdkInputPlugin.h>
#include <VTPlugInCommon/VTSdkWindowHelpers.h>
#include <VTRuntime/VTPlugIn.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/config.h>
#include <wx/evtloop.h>
#include <wx/filesys.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include <algorithm>
#include <memory>

namespace Vantrel {

namespace {

wxWindow* FindChildByName(wxWindow* page, const char* name)
{
    if (!page) return nullptr;
    if (wxWindow* byName = wxWindow::FindWindowByName(name, page)) return byName;
    return page->FindWindow(wxXmlResource::GetXRCID(name));
}

// A page for a device that brings none of its own, so rows and pages stay aligned.
wxWindow* PlaceholderPage(wxWindow* parent, const wxString& text)
{
    auto* page = new wxPanel(parent);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(page, wxID_ANY, text), 0, wxALL, 12);
    page->SetSizer(sizer);
    return page;
}

constexpr int kPreviewButtonID = 29916;

}  // namespace

wxBEGIN_EVENT_TABLE(VTCheckedChangedEvtHandler, wxEvtHandler)
    EVT_LEFT_DOWN(VTCheckedChangedEvtHandler::OnLeftClick)
wxEND_EVENT_TABLE()

void VTCheckedChangedEvtHandler::OnLeftClick(wxMouseEvent& event)
{
    int flags = 0;
    const long row = m_List->HitTest(event.GetPosition(), flags);
    if (row == wxNOT_FOUND || !(flags & wxLIST_HITTEST_ONITEMICON)) {
        event.Skip();
        return;
    }
    // Agreed: the list toggles the box as usual; refused: the click ends here.
    if (m_Dialog->OnCheckedChanged(int(row), !m_List->IsChecked(row))) event.Skip();
}

void VTParticipantInputDlg::LaunchModalParticipantInputDlg(wxWindow* parent, VTExperiment* experiment)
{
    auto* dialog = new VTParticipantInputDlg(parent, experiment);
    dialog->ShowModal();
    dialog->Destroy();
}

VTParticipantInputDlg::VTParticipantInputDlg(wxWindow* parent, VTExperiment* experiment)
    : VTDialogBase(parent, experiment, "dlg_participant_input")
{
    m_MainSwitcher = dynamic_cast<VTPanelSwitcher*>(ElementEditorCore::FindByXrcName(this, "panel_switcher_main"));
    m_PictureSwitcher = dynamic_cast<VTPanelSwitcher*>(ElementEditorCore::FindByXrcName(this, "panel_switcher_bmp"));
    m_DevicesList = dynamic_cast<VTListCtrlCheckableSimple*>(ElementEditorCore::FindByXrcName(this, "list_available"));
    if (!m_MainSwitcher || !m_PictureSwitcher || !m_DevicesList) {
        wxLogError(_("The participant input dialog could not be built."));
        return;
    }
    m_DevicesList->InitColumns();
    if (wxWindow* done = ElementEditorCore::FindByXrcName(this, "wxID_CANCEL"))
        Bind(wxEVT_BUTTON, &VTParticipantInputDlg::OnDone, this, done->GetId());
    else
        wxLogError("Failed to locate button for button event.");

    std::vector<VTPlugIn*> inputs;
    VTPlugIn::GetPlugInsList(inputs, VantrelSDK::VT_PLUGIN_KIND_INPUT);
    m_PlugIns.push_back(nullptr);  // the keyboard
    m_PlugIns.insert(m_PlugIns.end(), inputs.begin(), inputs.end());
    HideResponsesPriorityHelpText();

    const std::vector<int> used = m_Experiment->GetInputPlugInIDsInUse();
    const int first = PopulateDevicesListbox(used);
    PopulateNotebook();

    m_CheckedChangedHandler = new VTCheckedChangedEvtHandler(this, m_DevicesList);
    m_DevicesList->PushEventHandler(m_CheckedChangedHandler);

    m_DevicesList->Bind(wxEVT_LIST_ITEM_SELECTED, &VTParticipantInputDlg::OnSelectDevice, this);
    Bind(VT_EVT_MODEL_CHANGED, &VTParticipantInputDlg::OnModelChanged, this);
    const int previewID = wxXmlResource::GetXRCID("ID_PREVIEW");
    for (int id : {previewID, kPreviewButtonID}) {
        Bind(wxEVT_UPDATE_UI, &VTParticipantInputDlg::OnUpdatePreviewButton, this, id);
        Bind(wxEVT_BUTTON, &VTParticipantInputDlg::ResponsesPreview, this, id);
    }

    UpdatePanelsVisibilty(true);
    if (GetSizer()) {
        GetSizer()->SetSizeHints(this);
        GetSizer()->Fit(this);
    }
    Layout();
    if (m_DevicesList->GetItemCount() > 0) m_DevicesList->SetSelection(first);
}

VTParticipantInputDlg::~VTParticipantInputDlg() { PseudoDestructor(); }

bool VTParticipantInputDlg::Destroy()
{
    PseudoDestructor();
    return VTDialogBase::Destroy();
}

VTPlugIn* VTParticipantInputDlg::PlugInOf(int row) const
{
    return row >= 0 && size_t(row) < m_PlugIns.size() ? m_PlugIns[size_t(row)] : nullptr;
}

int VTParticipantInputDlg::DeviceID(int row) const
{
    if (row == kKeyboardRow) return InputPlugIn::Keyboard;
    VTPlugIn* plugin = PlugInOf(row);
    return plugin ? plugin->GetPlugInID() : -1;
}

int VTParticipantInputDlg::CurrentRow() const { return m_MainSwitcher ? m_MainSwitcher->GetSelectedPageIndex() : -1; }
wxWindow* VTParticipantInputDlg::CurrentPage() const
{
    return m_MainSwitcher ? m_MainSwitcher->GetSelectedPage() : nullptr;
}

bool VTParticipantInputDlg::ExperimentLocked() const
{
    wxString reason;
    return m_Experiment->IsLocked(reason);
}

void VTParticipantInputDlg::ConfigurePanel(int row)
{
    VTPlugIn* plugin = PlugInOf(row);
    wxWindow* panel = plugin ? plugin->GetConfigPanelNoCreate() : nullptr;
    VantrelSDK::VTSdkInputPlugin* input = plugin ? plugin->GetSdkBaseInputPtr() : nullptr;
    if (!panel || !input) return;
    if (auto helper = input->GetParticipantInputWindowHelper())
        helper->ConfigureWindowUsingCurrentPluginState(*panel, !ExperimentLocked());
}

int VTParticipantInputDlg::PopulateDevicesListbox(const std::vector<int>& used)
{
    m_DevicesList->Clear();
    int first = -1;
    for (size_t i = 0; i < m_PlugIns.size(); ++i) {
        const int row = int(i);
        const wxString name = m_PlugIns[i] ? m_PlugIns[i]->GetName() : wxString(_("Keyboard"));
        m_DevicesList->Append(name);
        const bool isUsed = std::find(used.begin(), used.end(), DeviceID(row)) != used.end();
        m_DevicesList->Check(row, isUsed);
        if (isUsed) {
            ConfigurePanel(row);
            if (first < 0) first = row;
        }
    }
    // Showing the settings as they are is no change to the document.
    return first < 0 ? 0 : first;
}

void VTParticipantInputDlg::PopulateNotebook()
{
    for (size_t i = 0; i < m_PlugIns.size(); ++i) {
        VTPlugIn* plugin = m_PlugIns[i];
        if (!plugin) {
            PlaceholderPage(m_MainSwitcher, _("The keyboard is always ready: it needs no settings."));
            PlaceholderPage(m_PictureSwitcher, _("Keyboard"));
            continue;
        }
        if (auto* tracked = dynamic_cast<Orbisk::PanelWithVisibilityTracking*>(plugin->GetConfigPanelNoCreate()))
            tracked->ResetToNeverShown();
        wxWindow* panel = plugin->GetConfigPanel(m_MainSwitcher);
        if (!panel) PlaceholderPage(m_MainSwitcher, wxString::Format(_("%s has no settings."), plugin->GetName()));
        const int pictures = m_PictureSwitcher->GetPageCount();
        wxXmlResource* resources = plugin->GetResources();
        if (!resources) {
            if (VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr())
                input->AttachInputPluginSplashPanel(m_PictureSwitcher);
        } else if (panel) {
            resources->LoadPanel(m_PictureSwitcher, "device_picture");
        }
        if (m_PictureSwitcher->GetPageCount() == pictures) PlaceholderPage(m_PictureSwitcher, plugin->GetName());
    }
    AddListEventHandlingThroughoutNotebook();
}

void VTParticipantInputDlg::AddListEventHandlingThroughoutNotebook()
{
    for (int i = 0; i < m_MainSwitcher->GetPageCount(); ++i) {
        wxWindow* page = m_MainSwitcher->GetPage(i);
        // One handler per page: a second would answer every button twice.
        if (!page || !m_PagesWithHandler.insert(page).second) continue;
        page->PushEventHandler(new VTOrderedListEditorEvtHandler(&m_ResponsesEditorAdapter));
    }
}

void VTParticipantInputDlg::UpdatePanelsVisibilty(bool showSettings)
{
    m_MainSwitcher->Show(showSettings);
    m_PictureSwitcher->Show(!showSettings);
    Layout();
}

void VTParticipantInputDlg::DoSelectDevice(int row, bool checked)
{
    UpdatePanelsVisibilty(checked);
    m_MainSwitcher->SelectPage(row);
    m_PictureSwitcher->SelectPage(row);
    if (auto* tracked = dynamic_cast<Orbisk::PanelWithVisibilityTracking*>(m_MainSwitcher->GetPage(row)))
        if (checked) tracked->ForceRegisterAsVisible();
    if (VTSimpleListView* list = GetResponsesListControl(row)) {
        if (list->GetColumnCount() == 0) list->InitColumns();
        m_ResponsesListAdapter.Bind(list);
        ResponsesFillList();
    }
}

VTSimpleListView* VTParticipantInputDlg::GetResponsesListControl(int row)
{
    if (row < 0 || row >= m_MainSwitcher->GetPageCount()) {
        wxLogError("No such plugin index %d.", row);
        return nullptr;
    }
    return dynamic_cast<VTSimpleListView*>(FindChildByName(m_MainSwitcher->GetPage(row), "list"));
}

void VTParticipantInputDlg::ResponsesFillList()
{
    const int row = CurrentRow();
    VTSimpleListView* list = row >= 0 ? GetResponsesListControl(row) : nullptr;
    if (!list) return;
    list->Clear();
    const int id = DeviceID(row);
    VTElementsList& responses = m_Experiment->GetElementsOfType(ElementType::Response);
    for (size_t i = 0; i < responses.Size(); ++i) {
        auto* response = dynamic_cast<VTResponse*>(responses[i]);
        if (response && response->GetPlugInID() == id && !response->IsHiddenFromParticipant())
            list->AppendWithData(response->GetName(), reinterpret_cast<wxUIntPtr>(response));
    }
    ShowOneResponsesPriorityHelpText(PlugInOf(row), list->GetItemCount() > 1);
}

void VTParticipantInputDlg::ShowOneResponsesPriorityHelpText(VTPlugIn* plugin, bool manyResponses)
{
    wxWindow* panel = plugin ? plugin->GetConfigPanelNoCreate() : nullptr;
    if (auto* book = dynamic_cast<wxBookCtrlBase*>(FindChildByName(panel, "book_for_helptext")))
        book->SetSelection(manyResponses ? 0 : 1);
}

void VTParticipantInputDlg::HideResponsesPriorityHelpText()
{
    for (VTPlugIn* plugin : m_PlugIns) {
        wxWindow* panel = plugin ? plugin->GetConfigPanelNoCreate() : nullptr;
        wxWindow* book = FindChildByName(panel, "book_for_helptext");
        if (auto* hidden = dynamic_cast<Orbisk::OrbiskChoiceBookWithHiddenCtrl*>(book)) hidden->ConcealChoiceControl();
        if (auto* any = dynamic_cast<wxBookCtrlBase*>(book)) any->SetSelection(1);
    }
}

bool VTParticipantInputDlg::ResponsesEditItem(int index)
{
    const int row = CurrentRow();
    VTPlugIn* plugin = PlugInOf(row);
    wxXmlResource* own = plugin ? plugin->GetResources() : nullptr;
    wxXmlResource* previous = own ? wxXmlResource::Set(own) : nullptr;
    auto restore = [&] {
        if (own) wxXmlResource::Set(previous);
    };
    m_Experiment->SetNewSDKResponsePlugInID(DeviceID(row));
    VTSimpleListView* list = GetResponsesListControl(row);
    if (!list) {
        restore();
        return false;
    }
    VantrelSDK::VTSdkInputPlugin* input = plugin ? plugin->GetSdkBaseInputPtr() : nullptr;
    const int reportedID = input ? input->GetPlugInID() : DeviceID(row);
    boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper;
    if (input) helper = input->GetEditResponseWindowHelper();
    bool ok = false;
    try {
        ok = FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditResponseDlg>(
            this, m_Experiment, list, index == -1, false, reportedID, 0, helper);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (ok) m_Experiment->Modify(true);
    return ok;
}

void VTParticipantInputDlg::ResponsesDeleteItem(unsigned)
{
    VTSimpleListView* list = GetResponsesListControl(CurrentRow());
    if (!list) return;
    const int selected = list->GetSelection();
    auto* response = selected >= 0 ? reinterpret_cast<VTResponse*>(list->GetUserData(selected)) : nullptr;
    if (response) {
        VTDeletionMgr deletion(this, m_Experiment, response);
        if (deletion.HandleDeletion(VTDeletionMgr::RemovalType_Normal, true, true)) {
            m_Experiment->Modify(true);
            ResponsesFillList();
        } else {
            list->SetSelection(selected);
        }
    }
    m_DevicesList->SetFocus();
}

void VTParticipantInputDlg::DoMoveItem(int index, int direction)
{
    VTSimpleListView* list = GetResponsesListControl(CurrentRow());
    const int other = index + direction;
    if (!list || index < 0 || other < 0 || other >= list->GetItemCount()) return;
    auto* a = reinterpret_cast<VTResponse*>(list->GetUserData(index));
    auto* b = reinterpret_cast<VTResponse*>(list->GetUserData(other));
    if (!a || !b) return;
    if (m_Experiment->GetElementsOfType(ElementType::Response).ExchangeElementsByPointer(a, b))
        m_Experiment->Modify(true);
}

bool VTParticipantInputDlg::IsResponseUsedInEvents(VTResponse& response)
{
    return m_Experiment->GetNumberOfEventsUsingResponse(&response) > 0;
}

void VTParticipantInputDlg::GetMemoryBitmap(const wxString& name, wxBitmap& out)
{
    wxFileSystem files;
    std::unique_ptr<wxFSFile> file(files.OpenFile(name));
    if (!file || !file->GetStream()) return;
    wxImage image(*file->GetStream(), wxBITMAP_TYPE_ANY);
    if (image.IsOk()) out = wxBitmap(image);
}

bool VTParticipantInputDlg::OnCheckedChanged(int row, bool checked)
{
    if (ExperimentLocked()) return false;
    VTPlugIn* plugin = PlugInOf(row);
    if (!checked) {
        const bool removed = plugin ? m_Experiment->RemoveInputPluginFromExperiment(this, plugin)
                                    : m_Experiment->RemoveInputPluginFromExperimentByID(this, DeviceID(row));
        if (!removed) {
            m_DevicesList->Check(row, true);
            return false;
        }
    } else {
        CheckConflicts(row);
        const bool loaded =
            plugin ? m_Experiment->LoadInputPlugin(plugin, true) : m_Experiment->LoadInputPluginByID(DeviceID(row));
        ConfigurePanel(row);
        if (!loaded) return false;
    }
    AddListEventHandlingThroughoutNotebook();
    m_DevicesList->SetSelection(row);
    DoSelectDevice(row, checked);
    m_Experiment->Modify(true);
    return true;
}

void VTParticipantInputDlg::CheckConflicts(int row)
{
    VTPlugIn* plugin = PlugInOf(row);
    if (!plugin) return;
    std::vector<VTPlugIn*> inputs(m_PlugIns.begin() + 1, m_PlugIns.end());
    const wxString other = VTPlugIn::DoesThisPluginConflictWithSome_LOADED_and_USED_Plugin(
        plugin, m_Experiment->GetInputPlugInIDsInUse(), inputs);
    if (other.empty()) return;
    ModalSheetWHyperlinkBox(wxGetTopLevelParent(this),
                            wxString::Format(_("This input device may conflict with %s.  However, both can be used if "
                                               "they are each set to only look for input when a correct response "
                                               "has been defined."),
                                             other),
                            _("Click for additional information."),
                            _("https://support.studystation.example/input-devices/conflicts"), 22439, "wxART_HELP");
}

void VTParticipantInputDlg::OnSelectDevice(wxListEvent& event)
{
    event.Skip();
    m_ResponsesListAdapter.Bind(nullptr);
    const int row = int(event.GetIndex());
    if (row >= 0 && row < m_DevicesList->GetItemCount()) DoSelectDevice(row, m_DevicesList->IsChecked(row));
}

void VTParticipantInputDlg::OnModelChanged(wxNotifyEvent& event)
{
    const int row = CurrentRow();
    VTPlugIn* plugin = PlugInOf(row);
    if (!plugin) return;
    if (m_Experiment->DeleteThePlugInsResponses(this, plugin)) {
        m_Experiment->CreateDefaultResponsesOfPlugIn(plugin);
        m_Experiment->Modify(true);
        ResponsesFillList();
    } else {
        event.Veto();
    }
}

void VTParticipantInputDlg::OnDone(wxCommandEvent& event)
{
    bool anyChecked = false;
    for (int row = 0; row < m_DevicesList->GetItemCount(); ++row)
        anyChecked = anyChecked || m_DevicesList->IsChecked(row);
    if (!anyChecked && !ExperimentLocked()) {
        wxAlertBox(wxGetTopLevelParent(this), 16491, wxString(),
                   _("Experiments must have at least one input device selected."), _("No participant input devices"), 0,
                   wxString(), _("OK"), "wxART_HELP");
    } else {
        event.Skip();
    }
    VTPlugIn::WriteUsedPluginsToConfig(wxConfigBase::Get(), m_Experiment->GetInputPlugInIDsInUse());
}

void VTParticipantInputDlg::OnUpdatePreviewButton(wxUpdateUIEvent& event)
{
    const int row = CurrentRow();
    VTSimpleListView* list = row >= 0 && row < m_MainSwitcher->GetPageCount() ? GetResponsesListControl(row) : nullptr;
    event.Enable(list && list->GetItemCount() > 0);
}

void VTParticipantInputDlg::ResponsesPreview(wxCommandEvent&)
{
    Orbisk::RAII_TemporaryHidingForOpenModalDialog hideThis(this);
    std::unique_ptr<Orbisk::RAII_TemporaryHidingForOpenModalDialog> hideParent;
    if (auto* parent = dynamic_cast<wxDialog*>(GetParent()))
        hideParent = std::make_unique<Orbisk::RAII_TemporaryHidingForOpenModalDialog>(parent);
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    presenter->StartPresentation(true, true);
    VTPlugIn::BuildAllPlugInsListsOfSdkResponses();
    const int w = presenter->GetScreenWidth(), h = presenter->GetScreenHeight();
    for (const VTExperiment::OnScreenResponseRect& r : m_Experiment->GetOnScreenResponseRectsForPreview())
        presenter->AddLabelledRectangle(
            wxRect(w / 2 + r.x - r.width / 2, h / 2 + r.y - r.height / 2, r.width, r.height), r.label);
    while (!presenter->UserConfirmedEscapeKeyPress()) {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
            if (loop->Pending())
                loop->Dispatch();
            else
                loop->DispatchTimeout(10);
        }
    }
    presenter->TerminatePresentation();
}

void VTParticipantInputDlg::PseudoDestructor()
{
    if (m_PseudoDestroyed) return;
    m_PseudoDestroyed = true;
    if (m_CheckedChangedHandler && m_DevicesList) {
        m_DevicesList->RemoveEventHandler(m_CheckedChangedHandler);
        delete m_CheckedChangedHandler;
        m_CheckedChangedHandler = nullptr;
    }
    for (wxWindow* page : m_PagesWithHandler)
        Orbisk::GeneralAppHelpers::PopRemoveDeleteAllCustomEventHandlers(page, false);
    m_PagesWithHandler.clear();
    bool anyTracked = false, anyDisplayed = false;
    for (size_t i = 0; i < m_PlugIns.size(); ++i) {
        VTPlugIn* plugin = m_PlugIns[i];
        if (!plugin) continue;
        wxWindow* panel = plugin->GetConfigPanelNoCreate();
        auto* tracked = dynamic_cast<Orbisk::PanelWithVisibilityTracking*>(panel);
        if (tracked) {
            anyTracked = true;
            anyDisplayed = anyDisplayed || tracked->WasDisplayed();
        }
        if (panel && m_DevicesList && m_DevicesList->IsChecked(long(i))) {
            // A panel never shown holds no edits of the user's: storing it could only do harm.
            if (!tracked || tracked->WasDisplayed())
                if (VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr())
                    if (auto helper = input->GetParticipantInputWindowHelper())
                        helper->ApplyWindowValuesToInputPlugin(*panel);
            if (tracked) tracked->OnValuesStored();
        }
        plugin->OnCloseConfigDlg();
    }
    if (anyTracked && !anyDisplayed) wxLogWarning("Panel unable to save values.");
}

}  // namespace Vantrel
