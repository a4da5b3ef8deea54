// Settings suites, their two streams, the settings managers and responses.

#include <gtest/gtest.h>

#include <wx/datstrm.h>
#include <wx/mstream.h>

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>

#include "VTPlugInCommon/VTSdkResponses.h"
#include "VTPlugInCommon/VTSdkSettings.h"

using namespace VantrelSDK;

namespace {

const int kSignature = 339922177;

QByteArray Save(VTSdkSerialPortSettings& settings)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    EXPECT_TRUE(settings.OnSaveToFile(out));
    return bytes;
}

// A suite with fields of its own after the base part, as plug-ins derive them.
struct DerivedSettings : VTSdkSerialPortSettings
{
    DerivedSettings() : VTSdkSerialPortSettings(kSignature) {}
    qint8 own = 50;
    bool OnSaveToFile(QDataStream& out) override
    {
        if (!VTSdkSerialPortSettings::OnSaveToFile(out)) return false;
        out << own;
        return true;
    }
    bool OnLoadFromFile(PlugInSettingsStreamingHelper& helper, QDataStream& in) override
    {
        if (!VTSdkSerialPortSettings::OnLoadFromFile(helper, in)) return false;
        in >> own;
        return in.status() == QDataStream::Ok;
    }
    using VTSdkSerialPortSettings::OnLoadFromFile;
};

}  // namespace

TEST(SerialPortSettings, DefaultsAndQtStreamRoundTrip)
{
    VTSdkSerialPortSettings defaults(kSignature);
    EXPECT_TRUE(defaults.keySettings.RespondsToPressesOnly());
    EXPECT_FALSE(defaults.keySettings.AcceptsOnlyDefinedResponses());
    EXPECT_EQ(defaults.modelID, -1);
    EXPECT_EQ(defaults.portConfig.portName, "");
    EXPECT_EQ(defaults.portConfig.configValue, 0x1FFFFFFu);
    EXPECT_FALSE(defaults.portConfig.IsSet());

    DerivedSettings out;
    out.keySettings.SetRespondToPressesOnly(false);
    out.keySettings.SetAcceptOnlyDefinedResponses(true);
    out.modelID = 5103;
    out.portConfig.portName = wxString::FromUTF8("/dev/ttyUSB0 é");
    out.portConfig.configValue = 7;
    out.own = -3;
    const QByteArray bytes = Save(out);

    DerivedSettings in;
    QDataStream stream(bytes);
    PlugInSettingsStreamingHelper helper(0);
    ASSERT_TRUE(in.OnLoadFromFile(helper, stream));
    EXPECT_FALSE(in.keySettings.RespondsToPressesOnly());
    EXPECT_TRUE(in.keySettings.AcceptsOnlyDefinedResponses());
    EXPECT_EQ(in.modelID, 5103);
    EXPECT_EQ(in.portConfig.portName, wxString::FromUTF8("/dev/ttyUSB0 é"));
    EXPECT_EQ(in.portConfig.configValue, 7u);
    EXPECT_TRUE(in.portConfig.IsSet());
    EXPECT_EQ(in.own, -3);
}

TEST(SerialPortSettings, TruncatedOrForeignQtStreamsFailAndChangeNothing)
{
    DerivedSettings out;
    out.modelID = 3071;
    const QByteArray bytes = Save(out);
    for (int cut : {0, 4, 9, 12, bytes.size() - 5}) {
        SCOPED_TRACE(cut);
        DerivedSettings in;
        QDataStream stream(bytes.left(cut));
        PlugInSettingsStreamingHelper helper;
        EXPECT_FALSE(in.OnLoadFromFile(helper, stream));
        EXPECT_EQ(in.modelID, -1);
    }
    VTSdkSerialPortSettings other(12345);
    QDataStream stream(bytes);
    PlugInSettingsStreamingHelper helper;
    EXPECT_FALSE(other.OnLoadFromFile(helper, stream));  // written by another kind of suite
}

TEST(SerialPortSettings, OlderStreamIsReadAndItsShortReadsFail)
{
    wxMemoryOutputStream memory;
    {
        wxDataOutputStream out(memory);
        out.Write32(wxUint32(kSignature));
        out.Write8(0);  // releases too
        out.Write8(1);  // only defined
        out.Write32(wxUint32(71));
        out.WriteString("COM3");
        out.Write32(9600);
        out.Write8(0xAB);  // the derived suite's own byte follows the base part
    }
    const size_t size = memory.GetLength();
    std::vector<char> bytes(size);
    memory.CopyTo(bytes.data(), size);

    VTSdkSerialPortSettings in(kSignature);
    wxMemoryInputStream source(bytes.data(), size);
    wxDataInputStream data(source);
    PlugInSettingsStreamingHelper helper(82);
    ASSERT_TRUE(in.OnLoadFromFile(&helper, data));
    EXPECT_FALSE(in.keySettings.RespondsToPressesOnly());
    EXPECT_TRUE(in.keySettings.AcceptsOnlyDefinedResponses());
    EXPECT_EQ(in.modelID, 71);
    EXPECT_EQ(in.portConfig.portName, "COM3");
    EXPECT_EQ(in.portConfig.configValue, 9600u);
    EXPECT_EQ(data.Read8(), 0xAB);  // the base part consumed exactly its own bytes

    for (size_t cut : {size_t(0), size_t(3), size_t(6), size - 3}) {
        SCOPED_TRACE(cut);
        VTSdkSerialPortSettings shortRead(kSignature);
        wxMemoryInputStream part(bytes.data(), cut);
        wxDataInputStream partData(part);
        EXPECT_FALSE(shortRead.OnLoadFromFile(&helper, partData));
        EXPECT_EQ(shortRead.modelID, -1);
    }
}

TEST(SettingsManagers, ApplyTakesOnlyItsOwnTypeAndSharesTheSuite)
{
    int applied = 0;
    SimpleSettingsManagerWithTypeCheckAssertion<DerivedSettings> manager([&] { ++applied; });
    boost::shared_ptr<DerivedSettings> initial = manager.GetCurrentSettings();
    ASSERT_TRUE(initial);
    boost::shared_ptr<Interface_PlugInSettings> fresh = manager.CreateSettingsSuite();
    ASSERT_TRUE(boost::dynamic_pointer_cast<DerivedSettings>(fresh));
    EXPECT_NE(fresh.get(), initial.get());

    manager.ApplySettingsSuiteToCurrentPluginState(boost::make_shared<VTSdkEmptySettings>());
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(manager.GetCurrentSettings(), initial);

    manager.ApplySettingsSuiteToCurrentPluginState(fresh);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(manager.GetCurrentSettings().get(), fresh.get());
    boost::dynamic_pointer_cast<DerivedSettings>(fresh)->modelID = 4;
    EXPECT_EQ(manager.GetCurrentSettings()->modelID, 4);
}

TEST(Responses, DiscreteKeyDefaultsCopiesStreamsAndMatching)
{
    VTSdkDiscreteKeyResp assembling(true);
    assembling.SetKeyNumber(3);
    assembling.SetPortNumber(3);
    assembling.SetResponseType(2);
    assembling.SetResponseID(17);
    VTSdkDiscreteKeyResp copy(assembling);
    EXPECT_FALSE(copy.IsPluginStatic());
    EXPECT_EQ(copy.GetKeyNumber(), 3);
    EXPECT_EQ(copy.GetResponseType(), 2);
    EXPECT_EQ(copy.GetResponseID(), 17);
    assembling.ResetToDiscreteKeyDefaults();
    EXPECT_EQ(assembling.GetKeyNumber(), -1);
    EXPECT_EQ(assembling.GetPortNumber(), -1);
    EXPECT_EQ(assembling.GetResponseType(), 1);
    EXPECT_EQ(assembling.GetResponseID(), VTSdkBaseResponse::GetUniqueIdForUndefined());
    EXPECT_EQ(VTSdkBaseResponse::GetUniqueIdForUndefined(), -4444);

    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        ASSERT_TRUE(copy.SaveToStream(out));
    }
    VTSdkDiscreteKeyResp back(false);
    {
        QDataStream in(bytes);
        ASSERT_TRUE(back.LoadFromStream(in));
    }
    EXPECT_TRUE(back.IsSameResponseAs(copy));
    VTSdkOnScreenResp screen;
    {
        QDataStream in(bytes);
        EXPECT_FALSE(screen.LoadFromStream(in));  // another class's stream
    }
    EXPECT_FALSE(screen.IsSameResponseAs(copy));
    back.SetPortNumber(1);
    EXPECT_FALSE(back.IsSameResponseAs(copy));
}

TEST(Responses, OnScreenRegionKeepsWhatWasSet)
{
    VTSdkOnScreenResp r;
    r.SetRegion(VTSdkOnScreenResp::REGION_SPECIFIC);
    r.SetBoundingRectForRegion(100, 50, 40, 20);
    r.SetPhase(2);
    int x, y, w, h;
    r.GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(x, y, w, h);
    EXPECT_EQ(std::vector<int>({x, y, w, h}), std::vector<int>({100, 50, 40, 20}));
    EXPECT_EQ(r.GetRegion(), 2);
    EXPECT_EQ(r.GetPhase(), 2);
    std::unique_ptr<VTSdkBaseResponse> clone(r.Clone());
    EXPECT_TRUE(clone->IsSameResponseAs(r));
}
