#include "QNodeGUILogic.h"

#include "VTQNodeInputHandler.h"
#include "VTSdkQpxInputSettings.h"

#include "VTPlugInCommon/VTSdkResponses.h"
#include "VTPlugInCommon/VTSdkSettings.h"

#include <wx/choice.h>
#include <wx/xrc/xmlres.h>

namespace VantrelSDK {

namespace {
wxChoice* FindChoice(const wxWindow& panel, const char* name)
{
    return wxDynamicCast(panel.FindWindow(XRCID(name)), wxChoice);
}
}  // namespace

QNodeGUILogic::QNodeGUILogic(boost::shared_ptr<VTSdkQpxInputSettings> settings, const wxString& plugInInfo,
                             VTSdkQNodeInput* plugin)
    : m_settings(settings), m_plugInInfo(plugInInfo), m_plugin(plugin)
{}

QNodeGUILogic::~QNodeGUILogic() {}

bool QNodeGUILogic::ApplyWindowValuesToInputPlugin(const wxWindow& panel)
{
    return DiscreteKeySettingsProcessing::MutateSettingsToApplyWaitForKeyPressValues(panel, m_settings->keySettings);
}

void QNodeGUILogic::ConfigureWindowUsingCurrentPluginState(wxWindow& panel, bool enable)
{
    InputGUIFunctions::EnableOrDisableInputPluginWindow(panel, enable);
    DiscreteKeySettingsProcessing::SetWaitForKeyPressControlValues(panel, m_settings->keySettings);
    // A panel configured again keeps its one handler, which takes the new state.
    VTQNodeInputHandler* handler = VTQNodeInputHandler::FindOnPanel(&panel);
    if (handler) {
        handler->Rebind(m_plugInInfo, m_settings, m_plugin);
    } else {
        handler = new VTQNodeInputHandler(m_plugInInfo, &panel, m_settings, m_plugin);
        panel.PushEventHandler(handler);
    }
    handler->SetupAdditionalGUI(static_cast<unsigned>(m_settings->modelID));
    DiscreteKeySettingsProcessing::UpdateWaitForKeyPressControls(panel, m_settings->keySettings);
}

bool QNodeGUILogic::ApplyWindowValuesToResponseObject(const wxWindow& panel, VTSdkBaseResponse& response)
{
    if (wxChoice* line = FindChoice(panel, "choice_button")) {
        const int selection = line->GetSelection();
        auto* key = dynamic_cast<VTSdkDiscreteKeyResp*>(&response);
        if (key && selection >= 1 && selection <= kLineCount) {
            key->SetKeyNumber(selection - 1);
            key->SetPortNumber(kQNodePort);
        }
    }
    if (wxChoice* type = FindChoice(panel, "choice_resp_type")) {
        const int selection = type->GetSelection();
        if (selection != wxNOT_FOUND) response.SetResponseType(selection + 1);
    }
    return true;
}

void QNodeGUILogic::ConfigureWindowUsingCurrentResponseState(wxWindow& panel, const VTSdkBaseResponse& response)
{
    if (wxChoice* line = FindChoice(panel, "choice_button")) {
        // Shown the way it is read back: key k on the q-node's port is entry k+1;
        // anything else is not one of its lines and shows entry 0.
        int entry = 0;
        if (const auto* key = dynamic_cast<const VTSdkDiscreteKeyResp*>(&response)) {
            if (key->GetPortNumber() == kQNodePort && key->GetKeyNumber() >= 0 && key->GetKeyNumber() < kLineCount)
                entry = key->GetKeyNumber() + 1;
        }
        if (entry < static_cast<int>(line->GetCount())) line->SetSelection(entry);
    }
    if (wxChoice* type = FindChoice(panel, "choice_resp_type")) {
        const int entry = response.GetResponseType() - 1;
        if (entry >= 0 && entry < static_cast<int>(type->GetCount())) type->SetSelection(entry);
    }
}

}  // namespace VantrelSDK
