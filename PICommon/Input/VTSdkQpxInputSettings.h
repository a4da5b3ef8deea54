#pragma once
// The settings suite of the QPX input plug-ins and the library's one settings manager.

#include <boost/shared_ptr.hpp>

#include <cstdint>

#include "VTPlugInCommon/VTSdkSettings.h"

namespace VantrelSDK {

class VTSdkQpxInput;

class VTSdkQpxInputSettings : public VTSdkSerialPortSettings
{
public:
    // The signature the base part of both streams carries.
    static constexpr int kStreamSignature = 339922177;  // 0x1442CD01
    // Older streams from this version on carry one discarded byte, from kOwnFieldsVersion on the three fields.
    static constexpr int kPaddingByteVersion = 32;
    static constexpr int kOwnFieldsVersion = 82;

    VTSdkQpxInputSettings();
    ~VTSdkQpxInputSettings() override;

    bool OnLoadFromFile(PlugInSettingsStreamingHelper* helper, wxDataInputStream& in) override;
    bool OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in) override;
    bool OnSaveToFile(QDataStream& out) override;
    void OverrideWithPreviewSettings() override;

    // Stored and streamed unchanged; the q-node reads none of them.
    bool optionFlagA = false;
    std::int8_t optionByteB = 50;
    bool optionFlagC = false;
};

typedef SimpleSettingsManagerWithTypeCheckAssertion<VTSdkQpxInputSettings> VTSdkQpxInputSettingsManager;

// The library's one settings manager; the first call creates it with `plugin`'s
// model-ID migration as its apply callback, later calls ignore their argument.
boost::shared_ptr<VTSdkQpxInputSettingsManager> GetSettingsMgr(VTSdkQpxInput* plugin);

}  // namespace VantrelSDK
