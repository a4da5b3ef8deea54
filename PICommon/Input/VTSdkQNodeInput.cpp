#include "VTSdkQNodeInput.h"

#include "QNodeGUILogic.h"
#include "VTSdkQpxInputSettings.h"

#include "QPXDriver/QPXDevice.h"
#include "VTPlugInCommon/VTHwQpxDevice.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <algorithm>

namespace VantrelSDK {

namespace {
// The input mode in which a q-node reports presses and releases of every line.
constexpr unsigned char kInputModeAllLines = 116;  // 't'
// Identification tries per port during detection.
constexpr int kDetectionAttempts = 2;
}  // namespace

const std::vector<unsigned>& VTSdkQNodeInput::AcceptedModelIDs()
{
    static const std::vector<unsigned> models{5071, 5103, 5122};
    return models;
}

const wxString& VTSdkQNodeInput::FamilyName()
{
    static const wxString family("q-node");
    return family;
}

VTSdkQNodeInput::VTSdkQNodeInput() {}

VTSdkQNodeInput::~VTSdkQNodeInput() {}

int VTSdkQNodeInput::GetPlugInID() { return kPlugInID; }

bool VTSdkQNodeInput::GetString(int id, wxString& out)
{
    if (id == 5001) {
        out = _("q-node Input");
        return true;
    }
    return VTSdkQpxInput::GetString(id, out);
}

void VTSdkQNodeInput::GetShortString(wxString& out) { out = _("q-node Input"); }

InputDetectedFunctionPtr VTSdkQNodeInput::GetIsInputDetectedFunctionPtr()
{
    return &VTSdkQpxInput::IsResponsePadInputFound;
}

boost::shared_ptr<VTHwQpxModelInfo> VTSdkQNodeInput::OnAutoDetect(bool, wxWindow* parent)
{
    return GetHwDevicePtr()->AutoDetectQpxModel(parent, AcceptedModelIDs(), FamilyName(), kDetectionAttempts);
}

int VTSdkQNodeInput::OnStartExperiment(RunningExperimentNecessities& necessities)
{
    const int base = VTSdkQpxInput::OnStartExperiment(necessities);
    if (base != 0) return base;

    boost::shared_ptr<VTSdkQpxInputSettings> settings = GetQpxSettings();
    const int savedModel = settings->modelID;
    const VTHwSerialPortConfigInfo& port = settings->portConfig;

    unsigned model = 0;
    if (!port.portName.empty() && port.configValue != VTHwSerialPortConfigInfo::CONFIG_UNSET && savedModel > 0 &&
        GetHwDevicePtr()->IsModelAvailable(static_cast<unsigned>(savedModel))) {
        model = static_cast<unsigned>(savedModel);
    } else {
        boost::shared_ptr<VTHwQpxModelInfo> found = OnAutoDetect(false, nullptr);
        if (!found) {
            wxLogError(_("Vantrel couldn't find a q-node with input connected to this computer."));
            return -10;
        }
        const auto& accepted = AcceptedModelIDs();
        if (std::find(accepted.begin(), accepted.end(), found->GetModelID()) == accepted.end()) {
            wxLogError(_("Vantrel found an \"%s\" but not a q-node that supports input."), found->GetDisplayName());
            return -10;
        }
        model = found->GetModelID();
        if (!GetHwDevicePtr()->IsModelAvailable(model)) return -10;
    }

    boost::shared_ptr<Orbisk::QPXDevice> device = GetHwDevicePtr()->OpenModel(model);
    if (!device) {
        // Gone between detection and opening: a run without its device must not start.
        wxLogError(_("Vantrel couldn't find a q-node with input connected to this computer."));
        return -10;
    }
    ms_pQpxPort = device;
    ms_pQpxPort->SetQNodeInputMode(kInputModeAllLines);
    return 0;
}

void VTSdkQNodeInput::CreateDefaultResponses(AddResponseCallback add)
{
    const wxString names[8] = {_("Line 1"), _("Line 2"), _("Line 3"), _("Line 4"),
                               _("Line 5"), _("Line 6"), _("Line 7"), _("Line 8")};
    for (int i = 0; i < 8; ++i) {
        VTSdkDiscreteKeyResp* response = new VTSdkDiscreteKeyResp(false);
        response->SetKeyNumber(i);
        response->SetPortNumber(3);
        add(names[i], response);
    }
}

boost::shared_ptr<Interface_ParticipantInputWindowHelper> VTSdkQNodeInput::GetParticipantInputWindowHelper()
{
    VTPlugInInfoObject* info = GetPlugInInfoObject();
    return boost::shared_ptr<Interface_ParticipantInputWindowHelper>(
        new QNodeGUILogic(GetQpxSettings(), info ? info->libraryPath : wxString(), this));
}

boost::shared_ptr<Interface_EditResponseWindowHelper> VTSdkQNodeInput::GetEditResponseWindowHelper()
{
    VTPlugInInfoObject* info = GetPlugInInfoObject();
    return boost::shared_ptr<Interface_EditResponseWindowHelper>(
        new QNodeGUILogic(GetQpxSettings(), info ? info->libraryPath : wxString(), this));
}

}  // namespace VantrelSDK
