#pragma once
// Plug-in settings suites and their streams.
//
// Every suite streams in two forms: the current Qt data stream (read and written)
// and the older wide-data stream (read only). A derived suite first calls its
// base's stream operation and only streams its own fields when that succeeded.

#include <wx/string.h>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/make_shared.hpp>

#include "VTPlugInCommon/VTSdkExport.h"

class QDataStream;
class wxDataInputStream;

namespace VantrelSDK {

// Travels with an older stream; its first member is that stream's format version.
struct VTSDK_API PlugInSettingsStreamingHelper
{
    explicit PlugInSettingsStreamingHelper(int version = 0) : formatVersion(version) {}
    int formatVersion;
    int GetFormatVersion() const { return formatVersion; }
};

class VTSDK_API Interface_PlugInSettings
{
public:
    virtual ~Interface_PlugInSettings();
    virtual bool OnLoadFromFile(PlugInSettingsStreamingHelper* helper, wxDataInputStream& in) = 0;
    virtual bool OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in) = 0;
    virtual bool OnSaveToFile(QDataStream& out) = 0;
    virtual void OverrideWithPreviewSettings();
};

// A suite without fields (plug-ins that have nothing to store).
class VTSDK_API VTSdkEmptySettings : public Interface_PlugInSettings
{
public:
    ~VTSdkEmptySettings() override;
    bool OnLoadFromFile(PlugInSettingsStreamingHelper* helper, wxDataInputStream& in) override;
    bool OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in) override;
    bool OnSaveToFile(QDataStream& out) override;
};

// Key-press/key-release settings of discrete-key devices.
class VTSDK_API VTSdkDiscreteKeySettings
{
public:
    VTSdkDiscreteKeySettings();
    virtual ~VTSdkDiscreteKeySettings();

    // Releases are dropped; only presses become responses. Default true.
    bool RespondsToPressesOnly() const { return m_PressesOnly; }
    void SetRespondToPressesOnly(bool on) { m_PressesOnly = on; }
    // Only responses that the experiment defines are accepted. Default false.
    bool AcceptsOnlyDefinedResponses() const { return m_OnlyDefined; }
    void SetAcceptOnlyDefinedResponses(bool on) { m_OnlyDefined = on; }

    // Qt stream: bool presses only, bool only defined.
    bool Save(QDataStream& out) const;
    bool Load(QDataStream& in);
    // Older stream: two unsigned bytes, non-zero = true.
    bool Load(wxDataInputStream& in);

private:
    bool m_PressesOnly = true;
    bool m_OnlyDefined = false;
};

// Where a serial device was last found.
class VTSDK_API VTHwSerialPortConfigInfo
{
public:
    enum : unsigned int
    {
        CONFIG_UNSET = 0x1FFFFFF
    };
    VTHwSerialPortConfigInfo();
    virtual ~VTHwSerialPortConfigInfo();

    // The device path; "" when unset.
    wxString portName;
    // The line configuration; CONFIG_UNSET when unset.
    unsigned int configValue = CONFIG_UNSET;

    bool IsSet() const { return !portName.empty() && configValue != CONFIG_UNSET; }
};

// Base suite of serial-line devices. Stream layout of its part, first in both forms:
// Qt stream: qint32 signature, qint32 layout version (1), presses only (bool),
// only defined (bool), qint32 model ID, QString port name, quint32 configuration.
// Older stream: uint32 signature, two bytes (flags), int32 model ID, port name as
// uint32 byte count and UTF-8 bytes (the data stream's own string form), uint32
// configuration. Every short read fails the whole part.
// A signature that differs from the one the suite was built with fails the read.
class VTSDK_API VTSdkSerialPortSettings : public Interface_PlugInSettings
{
public:
    explicit VTSdkSerialPortSettings(int signature);
    ~VTSdkSerialPortSettings() override;

    bool OnLoadFromFile(PlugInSettingsStreamingHelper* helper, wxDataInputStream& in) override;
    bool OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in) override;
    bool OnSaveToFile(QDataStream& out) override;

    int GetSignature() const { return m_Signature; }

    VTSdkDiscreteKeySettings keySettings;
    int modelID = -1;
    VTHwSerialPortConfigInfo portConfig;

private:
    int m_Signature;
};

class VTSDK_API Interface_DynamicPluginSettingsManager
{
public:
    virtual ~Interface_DynamicPluginSettingsManager();
    // A new suite with defaults; the caller owns it.
    virtual boost::shared_ptr<Interface_PlugInSettings> CreateSettingsSuite() = 0;
    // The suite becomes the plug-in's current settings (shared, so later edits land in it).
    virtual void ApplySettingsSuiteToCurrentPluginState(boost::shared_ptr<Interface_PlugInSettings> suite) = 0;
    // The plug-in's current settings (what its panel edits and a run uses); null when none.
    virtual boost::shared_ptr<Interface_PlugInSettings> GetCurrentSettingsSuite() const;
};

template <class T>
class SettingsManagerWithTypeCheckAssertion : public Interface_DynamicPluginSettingsManager
{
public:
    explicit SettingsManagerWithTypeCheckAssertion(boost::function<void()> applyCallback = boost::function<void()>())
        : m_ApplyCallback(applyCallback)
    {}
    ~SettingsManagerWithTypeCheckAssertion() override {}

    boost::shared_ptr<Interface_PlugInSettings> CreateSettingsSuite() override = 0;

    // A suite of another type is not applied: the current settings stay and the callback does not run.
    void ApplySettingsSuiteToCurrentPluginState(boost::shared_ptr<Interface_PlugInSettings> suite) override
    {
        boost::shared_ptr<T> typed = boost::dynamic_pointer_cast<T>(suite);
        if (!typed) return;
        m_CurrentSettings = typed;
        if (m_ApplyCallback) m_ApplyCallback();
    }

    boost::shared_ptr<T> GetCurrentSettings() const { return m_CurrentSettings; }
    boost::shared_ptr<Interface_PlugInSettings> GetCurrentSettingsSuite() const override { return m_CurrentSettings; }

protected:
    boost::shared_ptr<T> m_CurrentSettings;
    boost::function<void()> m_ApplyCallback;
};

template <class T>
class SimpleSettingsManagerWithTypeCheckAssertion : public SettingsManagerWithTypeCheckAssertion<T>
{
public:
    explicit SimpleSettingsManagerWithTypeCheckAssertion(boost::function<void()> applyCallback)
        : SettingsManagerWithTypeCheckAssertion<T>(applyCallback)
    {
        this->m_CurrentSettings = boost::make_shared<T>();
    }
    ~SimpleSettingsManagerWithTypeCheckAssertion() override {}

    boost::shared_ptr<Interface_PlugInSettings> CreateSettingsSuite() override { return boost::make_shared<T>(); }
};

// The manager of plug-ins that keep no settings.
class VTSDK_API VTSdkNoSettingsManager : public SimpleSettingsManagerWithTypeCheckAssertion<VTSdkEmptySettings>
{
public:
    VTSdkNoSettingsManager();
    ~VTSdkNoSettingsManager() override;
};

}  // namespace VantrelSDK
