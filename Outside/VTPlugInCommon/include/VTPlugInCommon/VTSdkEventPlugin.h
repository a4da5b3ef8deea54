#pragma once
// Base of event-type plug-ins (kind 1). The plug-in id is the stimulus-list kind
// it presents: 300 pictures, 311 audio, 320 movies, 330 text, 340/341 reading, 1000 digital output.

#include <wx/string.h>

#include "VTPlugInCommon/VTSdkBase.h"

namespace VantrelSDK {

class VTSDK_API VTSdkEventPlugin : public VTSdkBase
{
public:
    VTSdkEventPlugin();
    ~VTSdkEventPlugin() override;

    virtual bool PresentsVisually();
    virtual bool IsFileBased();
    virtual bool TakesStimulusFiles();
    virtual bool OffersPreviews();
};

}  // namespace VantrelSDK
