// The binary streams of the model and the plug-in: the links from one element to
// others, the four correctness codes and the q-node plug-in's settings, each in its
// Qt stream form and its older wx stream form. The first byte picks the reader and
// the stream version; the rest is the stream. A read that fails leaves its object as
// it was; one that succeeds gives an object that writes and reads back the same.

#include "FuzzSupport.h"

#include <NonPersistentHelpers/VTErrorCodes.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <VTCore/VTExperiment.h>
#include "VTSdkQpxInputSettings.h"

#include <wx/datstrm.h>
#include <wx/mstream.h>

#include <QByteArray>
#include <QDataStream>

namespace {

using Vantrel::VTErrorCodes;
using Vantrel::VTUsedElements;
using VantrelSDK::PlugInSettingsStreamingHelper;
using VantrelSDK::VTSdkQpxInputSettings;

bool SameLinks(const VTUsedElements& a, const VTUsedElements& b)
{
    if (a.Size() != b.Size() || a.GetLinkedType() != b.GetLinkedType() ||
        a.CollectionIsEnforcingUniquenessOfElements() != b.CollectionIsEnforcingUniquenessOfElements())
        return false;
    for (std::size_t i = 0; i < a.Size(); ++i)
        if (a.Entries()[i].elementID != b.Entries()[i].elementID ||
            a.Entries()[i].extraData != b.Entries()[i].extraData)
            return false;
    return true;
}

// Reads links, resolves them against an experiment that has none of their elements,
// then round-trips what was read.
void Links(bool qtForm, int version, const QByteArray& bytes)
{
    Vantrel::VTExperiment experiment;
    VTUsedElements links(&experiment, Vantrel::ElementType::Trial);
    links.AppendLinkForLoading(7, 9);
    const VTUsedElements before = links;
    bool read;
    if (qtForm) {
        QDataStream in(bytes);
        read = links.OnReadFromFile(version, in);
    } else {
        wxMemoryInputStream raw(bytes.constData(), static_cast<size_t>(bytes.size()));
        wxDataInputStream in(raw);
        read = links.OnReadFromFile(version, in);
    }
    if (!read) {
        if (!SameLinks(links, before)) FuzzSupport::Fail("a failed link read changed the list");
        return;
    }
    QByteArray written;
    {
        QDataStream out(&written, QIODevice::WriteOnly);
        if (!links.OnSaveToFile(out)) FuzzSupport::Fail("links that were read do not write");
    }
    VTUsedElements again(&experiment, Vantrel::ElementType::Trial);
    QDataStream in(written);
    if (!again.OnReadFromFile(version, in) || !SameLinks(links, again))
        FuzzSupport::Fail("links do not read back as they were written");
    for (unsigned i = 0; i < links.Size(); ++i) links.GetUsedElementPtr(i);
    links.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(false);
}

void ErrorCodes(bool qtForm, const QByteArray& bytes)
{
    VTErrorCodes codes;
    if (qtForm) {
        const VTErrorCodes before = codes;
        QDataStream in(bytes);
        in >> codes;
        if (in.status() != QDataStream::Ok) {
            if (codes != before) FuzzSupport::Fail("a failed correctness-code read changed the codes");
            return;
        }
    } else {
        // The wx form shows a short read only through its stream; whatever it leaves
        // must still be codes that write and read back.
        wxMemoryInputStream raw(bytes.constData(), static_cast<size_t>(bytes.size()));
        wxDataInputStream in(raw);
        in >> codes;
    }
    QByteArray written;
    {
        QDataStream out(&written, QIODevice::WriteOnly);
        out << codes;
    }
    VTErrorCodes again;
    QDataStream in(written);
    in >> again;
    if (in.status() != QDataStream::Ok || again != codes)
        FuzzSupport::Fail("correctness codes do not read back as they were written");
    for (int c = 0; c < VTErrorCodes::kCount; ++c) codes.GetCodeAsString(VTErrorCodes::VTCorrectness(c));
}

void PlugInSettings(bool qtForm, int version, const QByteArray& bytes)
{
    VTSdkQpxInputSettings settings;
    PlugInSettingsStreamingHelper helper(version);
    bool read;
    if (qtForm) {
        QDataStream in(bytes);
        read = settings.OnLoadFromFile(helper, in);
    } else {
        wxMemoryInputStream raw(bytes.constData(), static_cast<size_t>(bytes.size()));
        wxDataInputStream in(raw);
        read = settings.OnLoadFromFile(&helper, in);
    }
    if (!read) return;
    QByteArray written;
    {
        QDataStream out(&written, QIODevice::WriteOnly);
        if (!settings.OnSaveToFile(out)) FuzzSupport::Fail("settings that were read do not write");
    }
    VTSdkQpxInputSettings again;
    PlugInSettingsStreamingHelper current(0);
    QDataStream in(written);
    if (!again.OnLoadFromFile(current, in)) FuzzSupport::Fail("settings do not read back as they were written");
    if (again.optionFlagA != settings.optionFlagA || again.optionByteB != settings.optionByteB ||
        again.optionFlagC != settings.optionFlagC || again.modelID != settings.modelID ||
        again.portConfig.portName != settings.portConfig.portName)
        FuzzSupport::Fail("settings changed on the way through a stream");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 2) return 0;
    const int reader = data[0] % 6;
    const int version = data[1];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 2), static_cast<int>(size - 2));
    switch (reader) {
        case 0: Links(true, version, bytes); break;
        case 1: Links(false, version, bytes); break;
        case 2: ErrorCodes(true, bytes); break;
        case 3: ErrorCodes(false, bytes); break;
        case 4: PlugInSettings(true, version, bytes); break;
        case 5: PlugInSettings(false, version, bytes); break;
    }
    return 0;
}
