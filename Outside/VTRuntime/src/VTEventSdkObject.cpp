#include "VTRuntime/VTEventSdkObject.h"

#include <VTCore/VTEvent.h>

#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkEventPlugin.h"

namespace Vantrel {

void SetNewSdkObject(VTEvent& event, VantrelSDK::VTSdkEventInstance* instance, bool takeOwnership)
{
    if (!instance) return;
    event.SetPlugInID(instance->GetPlugInID());
    event.SetStimulusText(instance->GetStimulusText());
    event.SetPlugInSettings(instance->GetSettings());
    if (takeOwnership) instance->GetOwningPlugIn().DeleteEventInstance(instance);
}

void CopyEventSettingsIntoInstance(const VTEvent& event, VantrelSDK::VTSdkEventInstance& instance)
{
    if (event.GetPlugInID() != instance.GetPlugInID()) return;
    instance.SetStimulusText(event.GetStimulusText());
    instance.SetSettings(event.GetPlugInSettings());
}

void ConfigureEventForPreview(VTEvent& event, const VantrelSDK::VTSdkEventInstance& instance)
{
    event.SetPlugInID(instance.GetPlugInID());
    event.SetStimulusText(instance.GetStimulusText());
    event.SetPlugInSettings(instance.GetSettings());
}

void ConfigureFakeBackdropEventForNonVisualTypedEventPreview(VTEvent& backdrop)
{
    backdrop.SetPlugInID(EventPlugIn::Pictures);
    backdrop.SetStimListID(-1);
    backdrop.RemoveAllStimFiles();
    backdrop.AcceptEndEventSettings(true, false, false, false);
}

}  // namespace Vantrel
