#include "VTSdkMouseInput.h"

#include <wx/intl.h>

#include "VTPlugInCommon/VTSdkPointerInput.h"

namespace VantrelSDK {

VTSdkMouseInput::VTSdkMouseInput() {}
VTSdkMouseInput::~VTSdkMouseInput() {}

int VTSdkMouseInput::GetPlugInID() { return kPlugInID; }

bool VTSdkMouseInput::GetString(int id, wxString& out)
{
    if (id == 5001) {
        out = _("Standard Mouse");
        return true;
    }
    return VTSdkInputPlugin::GetString(id, out);
}

void VTSdkMouseInput::GetShortString(wxString& out) { out = _("Mouse"); }

int VTSdkMouseInput::OnStartExperiment(RunningExperimentNecessities&)
{
    PointerInputQueue::Get().SetListening(true);
    return 0;
}

int VTSdkMouseInput::OnEndExperiment()
{
    // Outside a run the presentation window's clicks are nobody's responses.
    PointerInputQueue::Get().SetListening(false);
    return VTSdkInputPlugin::OnEndExperiment();
}

VTSdkBaseResponse* VTSdkMouseInput::CreateNewResponse() { return new VTSdkOnScreenResp(); }

bool VTSdkMouseInput::IsButtonWaiting(RAII_InputDetectionForCyclingOverAllDevices*)
{
    return PointerInputQueue::Get().HasPending();
}

InputDetectedFunctionPtr VTSdkMouseInput::GetIsInputDetectedFunctionPtr() { return &VTSdkMouseInput::IsButtonWaiting; }

boost::shared_ptr<VTSdkBaseResponse> VTSdkMouseInput::OnGetCompleteResponse(unsigned long long& time,
                                                                            boost::shared_ptr<Interface_DREForPlugins>)
{
    PointerButtonEvent event;
    if (!PointerInputQueue::Get().Take(event)) return boost::shared_ptr<VTSdkBaseResponse>();
    // Which defined response a hit is depends on its place, so the run matches it
    // itself; the plug-in leaves the response id undefined.
    time = event.timeMicroseconds / 1000;
    return boost::shared_ptr<VTSdkBaseResponse>(new VTSdkOnScreenHit(event));
}

void VTSdkMouseInput::CreateDefaultResponses(AddResponseCallback add)
{
    struct Default
    {
        wxString name;
        int code;
    };
    const Default defaults[] = {{_("Left Button"), PointerButtonEvent::BUTTON_LEFT},
                                {_("Right Button"), PointerButtonEvent::BUTTON_RIGHT}};
    for (const Default& d : defaults) {
        auto* response = new VTSdkOnScreenResp();
        response->keyOrActionCode = d.code;
        add(d.name, response);
    }
}

int VTSdkMouseInput::HasResponseConflicts(int) { return 0; }

void VTSdkMouseInput::OnFlushInput() { PointerInputQueue::Get().Clear(); }

}  // namespace VantrelSDK
