#include "VTQNodeInputHandler.h"

#include "VTSdkQNodeInput.h"
#include "VTSdkQpxInputSettings.h"

#include "QPXDriver/QPXDevice.h"
#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"
#include "VTPlugInCommon/VTHwQpxDevice.h"

#include <wx/app.h>
#include <wx/stattext.h>
#include <wx/window.h>
#include <wx/xrc/xmlres.h>

namespace VantrelSDK {

wxBEGIN_EVENT_TABLE(VTQNodeInputHandler, wxEvtHandler)
    EVT_BUTTON(XRCID("btn_auto_detect"), VTQNodeInputHandler::OnAutoDetect)
wxEND_EVENT_TABLE()

VTQNodeInputHandler::VTQNodeInputHandler(const wxString& plugInInfo, wxWindow* panel,
                                         boost::shared_ptr<VTSdkQpxInputSettings> settings, VTSdkQNodeInput* plugin)
    : m_plugin(plugin), m_settings(settings), m_plugInInfo(plugInInfo), m_panel(panel), m_book(nullptr)
{
    if (m_panel)
        m_book =
            dynamic_cast<Orbisk::OrbiskChoiceBookWithHiddenCtrl*>(m_panel->FindWindow(XRCID("hidden_choicebook_st2")));
    if (m_book) m_book->ConcealChoiceControl();
    ShowPage(PAGE_FIRST_GENERATION);
    ShowControl("st_1st_gen_warning", false);
    ShowControl("id_audit_sizer", false);
    ShowControl("check_save_audit_data", false);
    Bind(wxEVT_DESTROY, &VTQNodeInputHandler::OnPanelDestroyed, this);
    if (m_panel) m_panel->Layout();
}

VTQNodeInputHandler::~VTQNodeInputHandler() {}

VTQNodeInputHandler* VTQNodeInputHandler::FindOnPanel(wxWindow* panel)
{
    if (!panel) return nullptr;
    for (wxEvtHandler* h = panel->GetEventHandler(); h && h != panel; h = h->GetNextHandler()) {
        if (auto* mine = dynamic_cast<VTQNodeInputHandler*>(h)) return mine;
    }
    return nullptr;
}

void VTQNodeInputHandler::Rebind(const wxString& plugInInfo, boost::shared_ptr<VTSdkQpxInputSettings> settings,
                                 VTSdkQNodeInput* plugin)
{
    m_plugInInfo = plugInInfo;
    m_settings = settings;
    m_plugin = plugin;
    // The panel starts over as a newly configured one does.
    ShowPage(PAGE_FIRST_GENERATION);
    ShowControl("st_1st_gen_warning", false);
}

void VTQNodeInputHandler::OnPanelDestroyed(wxWindowDestroyEvent& event)
{
    if (!m_panel || event.GetEventObject() != m_panel) {
        event.Skip();
        return;
    }
    // A window must have no pushed handlers left when it goes: take this one off,
    // hand the event on to the rest of the chain, and be deleted once it is over.
    wxWindow* panel = m_panel;
    wxEvtHandler* next = GetNextHandler();
    m_panel = nullptr;
    m_book = nullptr;
    m_device.reset();
    panel->RemoveEventHandler(this);
    if (next) next->ProcessEvent(event);
    if (wxAppConsole* app = wxAppConsole::GetInstance()) app->ScheduleForDestruction(this);
}

void VTQNodeInputHandler::ShowPage(int page)
{
    if (m_book && page >= 0 && static_cast<size_t>(page) < m_book->GetPageCount())
        m_book->SetSelection(static_cast<size_t>(page));
}

void VTQNodeInputHandler::ShowControl(const char* name, bool show)
{
    if (!m_panel) return;
    if (wxWindow* w = m_panel->FindWindow(XRCID(name))) w->Show(show);
}

void VTQNodeInputHandler::OnAutoDetect(wxCommandEvent&)
{
    if (!m_panel || !m_plugin) return;
    ShowPage(PAGE_SEARCHING);
    ShowControl("text_searching", true);
    m_panel->Layout();
    m_panel->Update();
    boost::shared_ptr<VTHwQpxModelInfo> found = m_plugin->OnAutoDetect(false, m_panel);
    ShowControl("text_searching", false);
    if (!found) return;
    const unsigned model = found->GetModelID();
    SetupAdditionalGUI(model);
    if (m_settings) m_settings->modelID = static_cast<int>(model);
}

wxString VTQNodeInputHandler::FormatFirmware(int major, int minor)
{
    if (major > 1) return wxString::Format("%d.%d.%d", major, minor / 10, minor % 10);
    return wxString::Format("%d.%d", major, minor);
}

bool VTQNodeInputHandler::IsSupportedFirmware(int major, int minor)
{
    return major == 0 || (major == 2 && minor >= 21);
}

void VTQNodeInputHandler::SetupAdditionalGUI(unsigned modelID)
{
    if (!m_plugin || !m_plugin->GetHwDevicePtr()) return;
    m_device = m_plugin->GetHwDevicePtr()->OpenModel(modelID);
    if (!m_device) return;
    const Orbisk::DeviceConfig config = m_device->GetDeviceConfig();
    const char modelCharacter = config.GetModelID();
    const int major = config.GetMajorVersion();
    const int minor = m_device->GetMinorFirmwareVersion();
    const wxString firmware = FormatFirmware(major, minor);

    if (!IsSupportedFirmware(major, minor)) {
        ShowPage(PAGE_UNSUPPORTED_FIRMWARE);
        return;
    }
    ShowPage(PAGE_MODEL_1);
    if (modelCharacter == '4')
        ShowPage(PAGE_MODEL_4);
    else if (modelCharacter == '2')
        ShowPage(PAGE_MODEL_2);
    else if (modelCharacter == '1')
        ShowPage(PAGE_MODEL_1);

    if (major == 2) {
        ShowControl("st_1st_gen_warning", false);
    } else if (major == 0) {
        ShowControl("st_1st_gen_warning", true);
        ShowPage(PAGE_FIRST_GENERATION);
    }

    if (m_panel) {
        if (auto* model = wxDynamicCast(m_panel->FindWindow(XRCID("text_actual_model")), wxStaticText))
            model->SetLabel(wxString::FromUTF8(config.GetDeviceName().c_str()));
        if (auto* text = wxDynamicCast(m_panel->FindWindow(XRCID("text_firmware")), wxStaticText))
            text->SetLabel(firmware);
        m_panel->Layout();
    }
}

}  // namespace VantrelSDK
