#pragma once
// An event's plug-in object as the event editor exchanges it: the event stores its
// type (the plug-in id), its stimulus text and its named plug-in settings; a
// VTSdkEventInstance holds the same while a plug-in's panel edits them.

namespace VantrelSDK {
class VTSdkEventInstance;
class VTSdkEventPlugin;
}  // namespace VantrelSDK

namespace Vantrel {

class VTEvent;

// The event takes the instance's type, text and settings. With `takeOwnership` the
// instance is handed back to its plug-in afterwards (the event keeps no pointer).
void SetNewSdkObject(VTEvent& event, VantrelSDK::VTSdkEventInstance* instance, bool takeOwnership);
// The instance takes the event's text and settings (when it is of the event's type).
void CopyEventSettingsIntoInstance(const VTEvent& event, VantrelSDK::VTSdkEventInstance& instance);
// The preview's copy of the event is presented with the editor's current state.
void ConfigureEventForPreview(VTEvent& event, const VantrelSDK::VTSdkEventInstance& instance);
// A plain picture event with no stimulus that ends at once: the backdrop of a
// preview whose event draws nothing (sound).
void ConfigureFakeBackdropEventForNonVisualTypedEventPreview(VTEvent& backdrop);

}  // namespace Vantrel
