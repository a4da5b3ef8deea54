#include "VTSdkQpxInputSettings.h"

#include "VTSdkQpxInput.h"

#include <wx/datstrm.h>

#include <QDataStream>

namespace VantrelSDK {

VTSdkQpxInputSettings::VTSdkQpxInputSettings() : VTSdkSerialPortSettings(kStreamSignature) {}

VTSdkQpxInputSettings::~VTSdkQpxInputSettings() {}

bool VTSdkQpxInputSettings::OnSaveToFile(QDataStream& out)
{
    const bool baseOk = VTSdkSerialPortSettings::OnSaveToFile(out);
    if (!baseOk) return baseOk;
    out << optionFlagA << static_cast<qint8>(optionByteB) << optionFlagC;
    // A stream that could not take the fields must not be reported as saved.
    return out.status() == QDataStream::Ok;
}

bool VTSdkQpxInputSettings::OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in)
{
    const bool baseOk = VTSdkSerialPortSettings::OnLoadFromFile(helper, in);
    if (!baseOk) return baseOk;
    bool flagA = false;
    qint8 byteB = 0;
    bool flagC = false;
    in >> flagA >> byteB >> flagC;
    // A stream cut short inside the own fields fails and leaves them as they were.
    if (in.status() != QDataStream::Ok) return false;
    optionFlagA = flagA;
    optionByteB = byteB;
    optionFlagC = flagC;
    return true;
}

bool VTSdkQpxInputSettings::OnLoadFromFile(PlugInSettingsStreamingHelper* helper, wxDataInputStream& in)
{
    const bool baseOk = VTSdkSerialPortSettings::OnLoadFromFile(helper, in);
    if (!baseOk) return baseOk;
    // Without a helper the version is unknown: read nothing beyond the base.
    const int version = helper ? helper->formatVersion : 0;
    if (version < kPaddingByteVersion) return baseOk;
    if (version < kOwnFieldsVersion) {
        in.Read8();
        return in.IsOk();
    }
    const wxUint8 a = in.Read8();
    const wxUint8 b = in.Read8();
    const wxUint8 c = in.Read8();
    if (!in.IsOk()) return false;
    optionFlagA = a != 0;
    optionByteB = static_cast<std::int8_t>(b);
    optionFlagC = c != 0;
    return true;
}

void VTSdkQpxInputSettings::OverrideWithPreviewSettings() {}

namespace {
// The plug-in whose settings the manager migrates: the latest one named, whichever
// call made the manager (a first call without a plug-in must not switch migration off).
VTSdkQpxInput*& MigratingPlugIn()
{
    static VTSdkQpxInput* plugin = nullptr;
    return plugin;
}
}  // namespace

boost::shared_ptr<VTSdkQpxInputSettingsManager> GetSettingsMgr(VTSdkQpxInput* plugin)
{
    if (plugin) MigratingPlugIn() = plugin;
    static const boost::shared_ptr<VTSdkQpxInputSettingsManager> manager(new VTSdkQpxInputSettingsManager([] {
        if (VTSdkQpxInput* current = MigratingPlugIn()) current->CheckNewSettingsForModelInfo();
    }));
    return manager;
}

}  // namespace VantrelSDK
