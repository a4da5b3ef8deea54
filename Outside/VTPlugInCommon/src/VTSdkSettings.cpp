#include "VTPlugInCommon/VTSdkSettings.h"

#include <NonPersistentHelpers/WxQtStrings.h>
#include <wx/datstrm.h>

#include <QDataStream>
#include <string>
#include <QString>

namespace VantrelSDK {

namespace {
const qint32 kSerialLayoutVersion = 1;
// A device path is never longer than the system's path limit; a longer name in a
// stream is no port name (either form: characters in the one, bytes in the other).
const int kMaxPortNameLength = 4096;

bool Good(QDataStream& s) { return s.status() == QDataStream::Ok; }
// The data stream hides its source; a short read only shows there.
bool Good(wxDataInputStream& s, std::size_t lastReadSize)
{
    struct Access : wxDataInputStream
    {
        static wxInputStream* wxDataInputStream::*Member() { return &Access::m_input; }
    };
    const wxInputStream* raw = s.*Access::Member();
    return raw && raw->LastRead() == lastReadSize && (raw->IsOk() || raw->Eof());
}
}  // namespace

Interface_PlugInSettings::~Interface_PlugInSettings() {}
void Interface_PlugInSettings::OverrideWithPreviewSettings() {}

VTSdkEmptySettings::~VTSdkEmptySettings() {}
bool VTSdkEmptySettings::OnLoadFromFile(PlugInSettingsStreamingHelper*, wxDataInputStream&) { return true; }
bool VTSdkEmptySettings::OnLoadFromFile(PlugInSettingsStreamingHelper&, QDataStream&) { return true; }
bool VTSdkEmptySettings::OnSaveToFile(QDataStream&) { return true; }

VTSdkDiscreteKeySettings::VTSdkDiscreteKeySettings() {}
VTSdkDiscreteKeySettings::~VTSdkDiscreteKeySettings() {}

bool VTSdkDiscreteKeySettings::Save(QDataStream& out) const
{
    out << m_PressesOnly << m_OnlyDefined;
    return Good(out);
}

bool VTSdkDiscreteKeySettings::Load(QDataStream& in)
{
    bool pressesOnly = true, onlyDefined = false;
    in >> pressesOnly >> onlyDefined;
    if (!Good(in)) return false;
    m_PressesOnly = pressesOnly;
    m_OnlyDefined = onlyDefined;
    return true;
}

bool VTSdkDiscreteKeySettings::Load(wxDataInputStream& in)
{
    const wxUint8 pressesOnly = in.Read8();
    if (!Good(in, 1)) return false;
    const wxUint8 onlyDefined = in.Read8();
    if (!Good(in, 1)) return false;
    m_PressesOnly = pressesOnly != 0;
    m_OnlyDefined = onlyDefined != 0;
    return true;
}

VTHwSerialPortConfigInfo::VTHwSerialPortConfigInfo() {}
VTHwSerialPortConfigInfo::~VTHwSerialPortConfigInfo() {}

VTSdkSerialPortSettings::VTSdkSerialPortSettings(int signature) : m_Signature(signature) {}
VTSdkSerialPortSettings::~VTSdkSerialPortSettings() {}

bool VTSdkSerialPortSettings::OnSaveToFile(QDataStream& out)
{
    out << qint32(m_Signature) << kSerialLayoutVersion;
    if (!keySettings.Save(out)) return false;
    out << qint32(modelID) << Vantrel::ToQtString(portConfig.portName) << quint32(portConfig.configValue);
    return Good(out);
}

bool VTSdkSerialPortSettings::OnLoadFromFile(PlugInSettingsStreamingHelper&, QDataStream& in)
{
    qint32 signature = 0, version = 0;
    in >> signature >> version;
    if (!Good(in) || signature != m_Signature || version < 1) return false;
    VTSdkDiscreteKeySettings keys;
    if (!keys.Load(in)) return false;
    qint32 model = -1;
    QString name;
    quint32 config = VTHwSerialPortConfigInfo::CONFIG_UNSET;
    in >> model >> name >> config;
    if (!Good(in) || name.size() > kMaxPortNameLength) return false;
    keySettings = keys;
    modelID = model;
    portConfig.portName = Vantrel::ToWxString(name);
    portConfig.configValue = config;
    return true;
}

bool VTSdkSerialPortSettings::OnLoadFromFile(PlugInSettingsStreamingHelper*, wxDataInputStream& in)
{
    const wxUint32 signature = in.Read32();
    if (!Good(in, 4) || signature != static_cast<wxUint32>(m_Signature)) return false;
    VTSdkDiscreteKeySettings keys;
    if (!keys.Load(in)) return false;
    const wxInt32 model = static_cast<wxInt32>(in.Read32());
    if (!Good(in, 4)) return false;
    // The string's length comes first; it is read by hand so a short string shows.
    const wxUint32 length = in.Read32();
    if (!Good(in, 4) || length > wxUint32(kMaxPortNameLength)) return false;
    std::string bytes(length, '\0');
    if (length) {
        in.Read8(reinterpret_cast<wxUint8*>(&bytes[0]), length);
        if (!Good(in, length)) return false;
    }
    const wxString name = wxString::FromUTF8(bytes.data(), bytes.size());
    const wxUint32 config = in.Read32();
    if (!Good(in, 4)) return false;
    keySettings = keys;
    modelID = model;
    portConfig.portName = name;
    portConfig.configValue = config;
    return true;
}

Interface_DynamicPluginSettingsManager::~Interface_DynamicPluginSettingsManager() {}

boost::shared_ptr<Interface_PlugInSettings> Interface_DynamicPluginSettingsManager::GetCurrentSettingsSuite() const
{
    return {};
}

VTSdkNoSettingsManager::VTSdkNoSettingsManager()
    : SimpleSettingsManagerWithTypeCheckAssertion<VTSdkEmptySettings>(boost::function<void()>())
{}
VTSdkNoSettingsManager::~VTSdkNoSettingsManager() {}

}  // namespace VantrelSDK
