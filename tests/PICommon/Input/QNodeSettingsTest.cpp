#include "QNodeTestHelpers.h"

#include <gtest/gtest.h>

#include <wx/datstrm.h>
#include <wx/mstream.h>

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>

using VantrelSDK::PlugInSettingsStreamingHelper;
using VantrelSDK::VTSdkQpxInputSettings;

namespace {

// The older wide-data stream of the base part as the support library reads it.
void WriteOldBase(wxDataOutputStream& out, int model)
{
    out.Write32(static_cast<wxUint32>(VTSdkQpxInputSettings::kStreamSignature));
    out.Write8(1);
    out.Write8(0);
    out.Write32(static_cast<wxUint32>(model));
    out.WriteString("/dev/ttyUSB0");
    out.Write32(7);
}

struct OldStream
{
    wxMemoryOutputStream buffer;
    wxDataOutputStream data{buffer};
};

}  // namespace

TEST(QNodeSettings, DefaultsAreTheDocumentedOnes)
{
    VTSdkQpxInputSettings s;
    EXPECT_FALSE(s.optionFlagA);
    EXPECT_EQ(50, s.optionByteB);
    EXPECT_FALSE(s.optionFlagC);
    EXPECT_EQ(VTSdkQpxInputSettings::kStreamSignature, s.GetSignature());
    EXPECT_EQ(0x1442CD01, s.GetSignature());
    EXPECT_TRUE(s.portConfig.portName.empty());
    EXPECT_EQ(0x1FFFFFFu, s.portConfig.configValue);
}

TEST(QNodeSettings, TheManagerIsOneAndCreatesDefaultSuites)
{
    auto& plugin = QNodeTest::PlugIn();
    // One call after the other: the manager is the same whichever call comes first.
    const auto withoutPlugIn = VantrelSDK::GetSettingsMgr(nullptr);
    const auto withPlugIn = VantrelSDK::GetSettingsMgr(&plugin);
    EXPECT_EQ(withoutPlugIn.get(), withPlugIn.get());
    EXPECT_EQ(&plugin.SettingsManager(), VantrelSDK::GetSettingsMgr(nullptr).get());
    auto suite = plugin.SettingsManager().CreateSettingsSuite();
    auto typed = boost::dynamic_pointer_cast<VTSdkQpxInputSettings>(suite);
    ASSERT_TRUE(typed);
    EXPECT_EQ(50, typed->optionByteB);
    EXPECT_NE(typed.get(), plugin.GetQpxSettings().get());
}

TEST(QNodeSettings, ApplyingMigratesOldModelIDs)
{
    const struct
    {
        int stored;
        int migrated;
    } table[] = {{-1, 3002}, {0, 3000}, {71, 3071}, {-2, 2998}, {3000, 6000}, {3001, 3001}, {5103, 5103}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.stored);
        auto applied = QNodeTest::ApplySettings([&](VTSdkQpxInputSettings& s) { s.modelID = row.stored; });
        EXPECT_EQ(row.migrated, applied->modelID);
    }
}

TEST(QNodeSettings, ASuiteOfAnotherTypeIsNotApplied)
{
    auto before = QNodeTest::ApplySettings([](VTSdkQpxInputSettings& s) { s.modelID = 5122; });
    QNodeTest::PlugIn().SettingsManager().ApplySettingsSuiteToCurrentPluginState(
        boost::make_shared<VantrelSDK::VTSdkEmptySettings>());
    EXPECT_EQ(before.get(), QNodeTest::PlugIn().GetQpxSettings().get());
    EXPECT_EQ(5122, QNodeTest::PlugIn().GetQpxSettings()->modelID);
}

TEST(QNodeSettings, QtStreamRoundTripsEveryField)
{
    for (int byteB : {-128, -1, 0, 50, 127}) {
        SCOPED_TRACE(byteB);
        VTSdkQpxInputSettings out;
        out.optionFlagA = true;
        out.optionByteB = static_cast<std::int8_t>(byteB);
        out.optionFlagC = byteB < 0;
        out.modelID = 5071;
        out.keySettings.SetRespondToPressesOnly(false);
        out.portConfig.portName = "/dev/ttyACM0";
        out.portConfig.configValue = 9;
        QByteArray bytes;
        {
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            ASSERT_TRUE(out.OnSaveToFile(stream));
        }
        VTSdkQpxInputSettings in;
        QDataStream stream(bytes);
        PlugInSettingsStreamingHelper helper(0);
        ASSERT_TRUE(in.OnLoadFromFile(helper, stream));
        EXPECT_TRUE(in.optionFlagA);
        EXPECT_EQ(byteB, in.optionByteB);
        EXPECT_EQ(byteB < 0, in.optionFlagC);
        EXPECT_EQ(5071, in.modelID);
        EXPECT_FALSE(in.keySettings.RespondsToPressesOnly());
        EXPECT_EQ(wxString("/dev/ttyACM0"), in.portConfig.portName);
        EXPECT_TRUE(stream.atEnd());
    }
}

TEST(QNodeSettings, QtStreamCutShortFailsAndKeepsTheFields)
{
    VTSdkQpxInputSettings out;
    out.optionByteB = -7;
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        ASSERT_TRUE(out.OnSaveToFile(stream));
    }
    // Cut inside the own fields (the last byte), then inside the base part.
    for (int cut : {1, 4}) {
        SCOPED_TRACE(cut);
        QByteArray shortBytes = bytes.left(bytes.size() - cut);
        VTSdkQpxInputSettings in;
        QDataStream stream(shortBytes);
        PlugInSettingsStreamingHelper helper(0);
        EXPECT_FALSE(in.OnLoadFromFile(helper, stream));
        EXPECT_EQ(50, in.optionByteB);
    }
}

TEST(QNodeSettings, QtStreamWithAForeignBaseLeavesTheOwnFieldsUnread)
{
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream << qint32(12345) << qint32(1);
    }
    VTSdkQpxInputSettings in;
    QDataStream stream(bytes);
    PlugInSettingsStreamingHelper helper(0);
    EXPECT_FALSE(in.OnLoadFromFile(helper, stream));
    EXPECT_EQ(50, in.optionByteB);
}

TEST(QNodeSettings, OldStreamReadsWhatItsVersionCarries)
{
    const struct
    {
        int version;
        std::size_t consumed;
        bool flagA;
        int byteB;
        bool flagC;
    } table[] = {
        {31, 0, false, 50, false}, {32, 1, false, 50, false}, {81, 1, false, 50, false},
        {82, 3, true, -3, true},   {120, 3, true, -3, true},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.version);
        OldStream old;
        WriteOldBase(old.data, 71);
        const auto baseSize = static_cast<std::size_t>(old.buffer.GetLength());
        old.data.Write8(1);
        old.data.Write8(0xFD);  // -3
        old.data.Write8(2);
        old.data.Write8(0xEE);  // what follows the settings must stay unread
        wxMemoryInputStream raw(old.buffer);
        wxDataInputStream in(raw);
        VTSdkQpxInputSettings s;
        PlugInSettingsStreamingHelper helper(row.version);
        ASSERT_TRUE(s.OnLoadFromFile(&helper, in));
        EXPECT_EQ(baseSize + row.consumed, static_cast<std::size_t>(raw.TellI()));
        EXPECT_EQ(row.flagA, s.optionFlagA);
        EXPECT_EQ(row.byteB, s.optionByteB);
        EXPECT_EQ(row.flagC, s.optionFlagC);
        EXPECT_EQ(71, s.modelID);
        EXPECT_EQ(wxString("/dev/ttyUSB0"), s.portConfig.portName);
    }
}

TEST(QNodeSettings, OldStreamCutShortFails)
{
    for (int version : {81, 82}) {
        SCOPED_TRACE(version);
        OldStream old;
        WriteOldBase(old.data, 71);
        if (version == 82) old.data.Write8(1);  // two of the three bytes missing
        wxMemoryInputStream raw(old.buffer);
        wxDataInputStream in(raw);
        VTSdkQpxInputSettings s;
        PlugInSettingsStreamingHelper helper(version);
        EXPECT_FALSE(s.OnLoadFromFile(&helper, in));
        EXPECT_FALSE(s.optionFlagA);
        EXPECT_EQ(50, s.optionByteB);
    }
    // A base part that does not fit stops before the own fields.
    wxMemoryOutputStream buffer;
    wxDataOutputStream data(buffer);
    data.Write32(1);
    wxMemoryInputStream raw(buffer);
    wxDataInputStream in(raw);
    VTSdkQpxInputSettings s;
    PlugInSettingsStreamingHelper helper(82);
    EXPECT_FALSE(s.OnLoadFromFile(&helper, in));
}

TEST(QNodeSettings, OldStreamWithoutAHelperReadsOnlyTheBase)
{
    OldStream old;
    WriteOldBase(old.data, 5);
    const auto baseSize = old.buffer.GetLength();
    old.data.Write8(1);
    wxMemoryInputStream raw(old.buffer);
    wxDataInputStream in(raw);
    VTSdkQpxInputSettings s;
    EXPECT_TRUE(s.OnLoadFromFile(nullptr, in));
    EXPECT_EQ(baseSize, raw.TellI());
}
