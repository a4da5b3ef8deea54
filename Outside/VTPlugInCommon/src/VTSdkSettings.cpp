#include "VTPlugInCommon/VTSdkSettings.h"

#include <wx/datstrm.h>

#include <QDataStream>
#include <QString>

namespace VantrelSDK {

namespace {
const qint32 kSerialLayoutVersion = 1;

bool Good(QDataStream& s) { return s.status() == QDataStream::Ok; }
bool Good(wxDataInputStream& s) { return s.IsOk(); }
}  // namespace

Interface_PlugInSettings::~Interface_PlugInSettings() {}
void Interface_PlugInSettings::OverrideWithPreviewSettings() {}

VTSdkEmptySettings::~VTSdkEmptySettings() {}
bool VTSdkEmptySettings::OnLoadFromFile(PlugInSettingsStreamingHelper*, wxDataInputStream&) { return true; }
bool VTSdkEmptySettings::OnLoadFromFile(PlugInSettingsStreamingHelper&, QDataStream&) { return true; }
bool VTSdkEmptySettings::OnSaveToFile(QDataStream&) { return true; }

VTSdkDiscreteKeySettings::VTSdkDiscreteKeySettings() {}
VTSdkDiscreteKeySettings::~VTSdkDiscreteKeySettings() {}

bool VTSdkDiscreteKeySettings::Save(QDataStream& out) const {
    out << m_PressesOnly << m_OnlyDefined;
    return Good(out);
}

bool VTSdkDiscreteKeySettings::Load(QDataStream& in) {
    bool pressesOnly = true, onlyDefined = false;
    in >> pressesOnly >> onlyDefined;
    if (!Good(in)) return false;
    m_PressesOnly = pressesOnly;
    m_OnlyDefined = onlyDefined;
    return true;
}

bool VTSdkDiscreteKeySettings::Load(wxDataInputStream& in) {
    const wxUint8 pressesOnly = in.Read8();
    const wxUint8 onlyDefined = in.Read8();
    if (!Good(in)) return false;
    m_PressesOnly = pressesOnly != 0;
    m_OnlyDefined = onlyDefined != 0;
    return true;
}

VTHwSerialPortConfigInfo::VTHwSerialPortConfigInfo() {}
VTHwSerialPortConfigInfo::~VTHwSerialPortConfigInfo() {}

VTSdkSerialPortSettings::VTSdkSerialPortSettings(int signature) : m_Signature(signature) {}
VTSdkSerialPortSettings::~VTSdkSerialPortSettings() {}

bool VTSdkSerialPortSettings::OnSaveToFile(QDataStream& out) {
    out << qint32(m_Signature) << kSerialLayoutVersion;
    if (!keySettings.Save(out)) return false;
    out << qint32(modelID) << QString::fromStdWString(portConfig.portName.ToStdWstring())
        << quint32(portConfig.configValue);
    return Good(out);
}

bool VTSdkSerialPortSettings::OnLoadFromFile(PlugInSettingsStreamingHelper&, QDataStream& in) {
    qint32 signature = 0, version = 0;
    in >> signature >> version;
    if (!Good(in) || signature != m_Signature || version < 1) return false;
    VTSdkDiscreteKeySettings keys;
    if (!keys.Load(in)) return false;
    qint32 model = -1;
    QString name;
    quint32 config = VTHwSerialPortConfigInfo::CONFIG_UNSET;
    in >> model >> name >> config;
    if (!Good(in)) return false;
    keySettings = keys;
    modelID = model;
    portConfig.portName = wxString(name.toStdWString());
    portConfig.configValue = config;
    return true;
}

bool VTSdkSerialPortSettings::OnLoadFromFile(PlugInSettingsStreamingHelper*, wxDataInputStream& in) {
    const wxUint32 signature = in.Read32();
    if (!Good(in) || signature != static_cast<wxUint32>(m_Signature)) return false;
    VTSdkDiscreteKeySettings keys;
    if (!keys.Load(in)) return false;
    const wxInt32 model = static_cast<wxInt32>(in.Read32());
    const wxString name = in.ReadString();
    const wxUint32 config = in.Read32();
    if (!Good(in)) return false;
    keySettings = keys;
    modelID = model;
    portConfig.portName = name;
    portConfig.configValue = config;
    return true;
}

Interface_DynamicPluginSettingsManager::~Interface_DynamicPluginSettingsManager() {}

VTSdkNoSettingsManager::VTSdkNoSettingsManager()
    : SimpleSettingsManagerWithTypeCheckAssertion<VTSdkEmptySettings>(boost::function<void()>()) {}
VTSdkNoSettingsManager::~VTSdkNoSettingsManager() {}

}  // namespace VantrelSDK
