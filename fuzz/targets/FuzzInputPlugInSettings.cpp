// An input plug-in's settings as a document carries them: the document's list of
// plug-in settings (each a stream in base64) read by the document, then handed to the
// q-node plug-in's settings manager the way the runtime applies a document's
// settings when it becomes the active one. The first byte says what the rest is: even,
// the settings stream (the target writes it into the document in base64); odd, the
// document's "settings" text itself. A document that opens keeps the settings byte for
// byte through a save and a reopen; settings that apply capture back to a stream that
// reads and captures to the same bytes again.

#include "FuzzSupport.h"

#include <VTCore/VTExperiment.h>
#include "VTSdkQNodeInput.h"
#include "VTSdkQpxInputSettings.h"

#include <QByteArray>
#include <QDataStream>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <string>

namespace {

using VantrelSDK::GetSettingsMgr;
using VantrelSDK::VTSdkQNodeInput;

class Document : public Vantrel::VTExperiment
{
public:
    using Vantrel::VTExperiment::DoOpenDocument;
    using Vantrel::VTExperiment::DoSaveDocument;
};

// The stream version the runtime reads and writes settings with.
constexpr QDataStream::Version kSettingsStreamVersion = QDataStream::Qt_5_15;

QByteArray DocumentWithSettings(const QString& settingsText)
{
    const QJsonObject settings{{"plugIn", VTSdkQNodeInput::kPlugInID}, {"settings", settingsText}};
    const QJsonObject experiment{{"inputPlugIns", QJsonArray{VTSdkQNodeInput::kPlugInID}},
                                 {"inputPlugInSettings", QJsonArray{settings}}};
    const QJsonObject document{
        {"format", "Study Station experiment"}, {"version", 1}, {"experiment", experiment}, {"elements", QJsonArray()}};
    return QJsonDocument(document).toJson(QJsonDocument::Compact);
}

// The runtime's apply: false when the stream is no settings suite of the plug-in.
bool Apply(const std::string& bytes)
{
    const auto manager = GetSettingsMgr(nullptr);
    const auto suite = manager->CreateSettingsSuite();
    QByteArray in(bytes.data(), int(bytes.size()));
    QDataStream stream(&in, QIODevice::ReadOnly);
    stream.setVersion(kSettingsStreamVersion);
    VantrelSDK::PlugInSettingsStreamingHelper helper;
    if (!suite->OnLoadFromFile(helper, stream)) return false;
    manager->ApplySettingsSuiteToCurrentPluginState(suite);
    return true;
}

// The runtime's capture of the current settings.
QByteArray Capture()
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setVersion(kSettingsStreamVersion);
    if (!GetSettingsMgr(nullptr)->GetCurrentSettingsSuite()->OnSaveToFile(stream))
        FuzzSupport::Fail("applied settings do not capture");
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 1) return 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), int(size - 1));
    const QString settingsText =
        data[0] % 2 == 0 ? QString::fromLatin1(rest.toBase64()) : QString::fromUtf8(rest.constData(), rest.size());
    const QByteArray json = DocumentWithSettings(settingsText);
    const wxString input = FuzzSupport::WriteScratchFile(
        "settings.vt6", reinterpret_cast<const std::uint8_t*>(json.constData()), std::size_t(json.size()));
    const wxString saved = FuzzSupport::ScratchFolder() + "/settings-saved.vt6";
    {
        Document document;
        if (document.DoOpenDocument(input)) {
            const std::map<int, std::string> settings = document.GetInputPlugInSettings();
            if (data[0] % 2 == 0 && (settings.size() != 1 || settings.begin()->second != rest.toStdString()))
                FuzzSupport::Fail("the document did not keep the settings stream as written");
            if (!document.DoSaveDocument(saved)) FuzzSupport::Fail("a document with settings did not save");
            Document reopened;
            if (!reopened.DoOpenDocument(saved) || reopened.GetInputPlugInSettings() != settings)
                FuzzSupport::Fail("the settings changed through a save and a reopen");
            for (const auto& [id, bytes] : settings) {
                if (id != VTSdkQNodeInput::kPlugInID || !Apply(bytes)) continue;
                const QByteArray captured = Capture();
                if (!Apply(captured.toStdString()) || Capture() != captured)
                    FuzzSupport::Fail("captured settings do not apply and capture to the same bytes");
            }
        }
    }
    for (const wxString& path : {input, saved}) FuzzSupport::RemoveScratchPath(path);
    return 0;
}
