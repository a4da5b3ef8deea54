#include "VTPlugInCommon/VTSdkEventPlugin.h"

namespace VantrelSDK {

VTSdkEventPlugin::VTSdkEventPlugin() {}
VTSdkEventPlugin::~VTSdkEventPlugin() {}
bool VTSdkEventPlugin::PresentsVisually() { return true; }
bool VTSdkEventPlugin::IsFileBased() { return false; }
bool VTSdkEventPlugin::TakesStimulusFiles() { return IsFileBased(); }
bool VTSdkEventPlugin::OffersPreviews() { return false; }

}  // namespace VantrelSDK
