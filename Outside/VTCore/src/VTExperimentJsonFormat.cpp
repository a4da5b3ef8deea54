#include "VTExperimentJsonFormat.h"

#include "VTCore/JsonDocumentScanner.h"
#include "JsonFieldReader.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/WxQtStrings.h>
#include <VTCore/ElementDocumentText.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <wx/intl.h>
#include <wx/log.h>

#include <algorithm>
#include <climits>
#include <map>
#include <unordered_set>
#include <memory>

namespace Vantrel {

namespace {

// The envelope of one element: its type, id and place in its list; the settings
// are the element's own declared fields.
QJsonObject ElementToJson(const Minimal_VTElement& el)
{
    QJsonObject o;
    o["type"] = int(el.GetElementType());
    o["id"] = qint64(el.GetID());
    if (const auto* e = dynamic_cast<const VTElement*>(&el)) o["sortKey"] = e->GetSortKey();
    el.GetFieldTable().Write(el, o);
    return o;
}

void ReadElementFields(Minimal_VTElement& el, JsonFieldReader& f)
{
    if (auto* e = dynamic_cast<VTElement*>(&el)) e->SetSortKey(f.Int32("sortKey", 0));
    el.GetFieldTable().Read(el, f);
    if (f.Ok()) el.AfterFieldsRead();
}

wxString Describe(const Minimal_VTElement& el)
{
    return wxString::Format(_("The %s \"%s\" (id %u)"), VTElement::ElementTypeName(el.GetElementType()), el.GetName(),
                            unsigned(el.GetID()));
}

// A document that a crash or an older version left with dangling references still
// opens: tags without their tag set and references to missing elements are
// dropped, each with a warning that names it.
void RepairReferences(VTExperiment& experiment)
{
    const auto exists = [&experiment](VTElementType type, std::uint32_t id) {
        return experiment.LookupElementByTypeAndID(type, id) != nullptr;
    };
    VTElementsList& tags = experiment.GetElementsOfType(ElementType::Tag);
    std::unordered_set<const Minimal_VTElement*> orphans;
    wxString firstOrphan;
    for (std::size_t i = 0; i < tags.Size(); ++i)
        if (auto* tag = dynamic_cast<VTTag*>(tags[i]); tag && !exists(ElementType::TagSet, tag->GetParentTagSetID())) {
            if (orphans.empty()) firstOrphan = Describe(*tag);
            orphans.insert(tag);
        }
    // One warning however many: a document can hold very many orphans.
    if (orphans.size() == 1)
        wxLogWarning(_("%s belongs to no tag set; it was removed."), firstOrphan);
    else if (!orphans.empty())
        wxLogWarning(_("%zu tags belong to no tag set and were removed; the first: %s."), orphans.size(), firstOrphan);
    if (!orphans.empty())
        static_cast<VTElementsList_Concrete&>(tags).DeleteElementsIf(
            [&orphans](const Minimal_VTElement& el) { return orphans.count(&el) != 0; });

    // One warning per element and missing type, however many references it lost.
    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList& list = experiment.GetElementsOfType(type);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            Minimal_VTElement* el = list[i];
            std::map<VTElementType, std::vector<std::uint32_t>> missing;
            el->VisitReferences([&](VTElementType refType, std::uint32_t id) {
                if (exists(refType, id)) return true;
                missing[refType].push_back(id);
                return false;
            });
            for (const auto& [refType, ids] : missing) {
                const wxString typeName = VTElement::ElementTypeName(refType);
                if (ids.size() == 1) {
                    wxLogWarning(_("%s referred to a %s with id %u that does not exist; the reference was removed."),
                                 Describe(*el), typeName, unsigned(ids[0]));
                    continue;
                }
                wxString shown;
                for (std::size_t k = 0; k < ids.size() && k < 5; ++k) shown += wxString::Format(wxS("%u, "), ids[k]);
                if (ids.size() > 5)
                    shown += wxS("...");
                else
                    shown.RemoveLast(2);
                wxLogWarning(_("%s referred to %zu %ss that do not exist (ids %s); the references were removed."),
                             Describe(*el), ids.size(), typeName, shown);
            }
        }
    }
    // Rules name parameters; a name no parameter has is dropped like a missing id.
    for (const wxString& name : experiment.DropReferencesToMissingParameters())
        wxLogWarning(_("Rules referred to a parameter \"%s\" that does not exist; the references were removed."), name);
    VTExperiment::FieldTable().VisitReferences(experiment, [&](VTElementType refType, std::uint32_t id) {
        if (exists(refType, id)) return true;
        wxLogWarning(_("The experiment's settings referred to a %s with id %u that does not exist; the setting was "
                       "reset."),
                     VTElement::ElementTypeName(refType), unsigned(id));
        return false;
    });
}

}  // namespace

bool VTExperimentJsonFormat::Save(VTExperiment& experiment, const wxString& file, wxString& error)
{
    QJsonObject root;
    root["format"] = QString::fromLatin1(kFormatName);
    root["version"] = VTExperiment::kFormatVersion;

    QJsonObject settings;
    VTExperiment::FieldTable().Write(experiment, settings);
    root["experiment"] = settings;

    QJsonArray elements;
    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList_Concrete& list = *experiment.m_Lists[std::size_t(type)];
        list.OnSaveToDisk_AssignSequentialSortKeysToCollection();
        for (std::size_t i = 0; i < list.Size(); ++i) {
            if (!list[i]) continue;
            elements.append(ElementToJson(*list[i]));
        }
    }
    root["elements"] = elements;

    QSaveFile out(ToQtString(file));
    if (!out.open(QIODevice::WriteOnly)) {
        error = ToWxString(out.errorString());
        return false;
    }
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (out.write(bytes) != bytes.size()) {
        error = ToWxString(out.errorString());
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        error = ToWxString(out.errorString());
        return false;
    }
    return true;
}

VTExperimentJsonFormat::LoadResult VTExperimentJsonFormat::Load(VTExperiment& experiment, const wxString& file,
                                                                wxString& error)
{
    QFile in(ToQtString(file));
    if (!in.open(QIODevice::ReadOnly)) {
        error = ToWxString(in.errorString());
        return LoadResult::Refused;
    }
    if (in.size() > kMaxFileBytes) {
        error = _("the file is too large to be an experiment.");
        return LoadResult::Refused;
    }
    // The size is known and bounded: read what is there, not a buffer of the limit.
    const QByteArray bytes = in.readAll();
    if (bytes.size() > kMaxFileBytes) {
        error = _("the file is too large to be an experiment.");
        return LoadResult::Refused;
    }

    // One pass finds the envelope and each element without building a tree of the
    // whole file; only then is anything parsed, the envelope and one element at a time.
    ScannedDocument scanned;
    std::string what;
    int offset = 0;
    bool tooManyElements = false;
    if (!ScanJsonDocument(bytes, kMaxElements, kMaxNesting, scanned, what, offset, tooManyElements)) {
        if (tooManyElements)
            error = wxString::Format(_("The file: the list \"elements\" holds more than %d entries."), kMaxElements);
        else
            error = wxString::Format(_("the file is not a readable experiment (%s at byte %d)."),
                                     wxString::FromUTF8(what.c_str()), offset);
        return LoadResult::Refused;
    }
    if (!scanned.rootIsObject) {
        error = _("the file is not an experiment.");
        return LoadResult::Refused;
    }
    QByteArray envelope("{");
    for (const auto& [key, range] : scanned.rootMembers)
        envelope += '"' + key + "\":" + bytes.mid(range.begin, range.end - range.begin) + ',';
    if (envelope.size() > 1) envelope.chop(1);
    envelope += '}';
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(envelope, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error =
            wxString::Format(_("the file is not a readable experiment (%s)."), ToWxString(parseError.errorString()));
        return LoadResult::Refused;
    }
    JsonFieldReader root(document.object(), error, _("The file"));
    if (root.String("format") != wxString::FromUTF8(kFormatName)) {
        if (error.empty()) error = _("the file is not an experiment.");
        return LoadResult::Refused;
    }
    if (!root.Has("version")) {
        error = _("the file does not say which version of the format it uses.");
        return LoadResult::Refused;
    }
    const long long version = root.Int("version", 0, 1, INT_MAX);
    if (!root.Ok()) return LoadResult::Refused;
    if (version > VTExperiment::kFormatVersion) {
        error = wxString::Format(_("it was made by a newer version of Study Station (format %lld; this version reads "
                                   "up to %d). Please update Study Station to open it."),
                                 version, VTExperiment::kFormatVersion);
        return LoadResult::NewerVersion;
    }

    JsonFieldReader settings = root.Child(root.Object("experiment"));
    VTExperiment::FieldTable().Read(experiment, settings);
    if (!root.Ok()) return LoadResult::Refused;

    // A list of elements was taken apart by the scan; anything else is in the envelope.
    if (root.Has("elements")) root.Array("elements");
    if (!root.Ok()) return LoadResult::Refused;
    for (std::size_t i = 0; i < scanned.elements.size(); ++i) {
        const ScannedDocument::Range& range = scanned.elements[i];
        const wxString where = wxString::Format(_("Element %d"), int(i) + 1);
        if (bytes.at(range.begin) != '{') {
            error = where + wxS(": ") + _("it is not an object.");
            return LoadResult::Refused;
        }
        const QJsonDocument one = QJsonDocument::fromJson(
            QByteArray::fromRawData(bytes.constData() + range.begin, range.end - range.begin), &parseError);
        if (parseError.error != QJsonParseError::NoError) {
            error = wxString::Format(_("the file is not a readable experiment (%s at byte %d)."),
                                     ToWxString(parseError.errorString()), range.begin + parseError.offset);
            return LoadResult::Refused;
        }
        const QJsonObject object = one.object();
        JsonFieldReader envelope(object, error, where);
        if (!envelope.Has("type") || !envelope.Has("id")) {
            envelope.Fail(_("it needs a type and an id"));
            return LoadResult::Refused;
        }
        const VTElementType type = VTElementType(envelope.Int("type", 0, 0, ElementType::Count - 1));
        const std::uint32_t id = std::uint32_t(envelope.Int("id", 0, 1, kMaxElementID));
        if (!envelope.Ok()) return LoadResult::Refused;
        // Made without the experiment, so reading hands out no fresh ids.
        std::unique_ptr<Minimal_VTElement> el(NewElementOfType(type, nullptr));
        if (!el) {
            envelope.Fail(wxString::Format(_("there is no element type %d"), int(type)));
            return LoadResult::Refused;
        }
        // Problems with its settings name the element.
        JsonFieldReader f(
            object, error,
            wxString::Format(_("Element %d (%s, id %u)"), int(i) + 1, VTElement::ElementTypeName(type), unsigned(id)));
        el->ReplaceID_BeforeAddingToAList(id);
        el->SetOwningExperiment(&experiment);
        ReadElementFields(*el, f);
        if (!f.Ok()) return LoadResult::Refused;
        VTElementsList& list = experiment.GetElementsOfType(type);
        if (list.LookupElementPtrByID(id)) {
            f.Fail(wxString::Format(_("another %s already has the id %u"), VTElement::ElementTypeName(type),
                                    unsigned(id)));
            return LoadResult::Refused;
        }
        experiment.ReserveElementID(type, id);
        if (!list.AddElement(el.get(), -1)) {
            f.Fail(_("it could not be added"));
            return LoadResult::Refused;
        }
        el.release();
    }

    for (auto& list : experiment.m_Lists) list->OnFinishLoading_SortByStreamedInKeyNumbers();
    RepairReferences(experiment);
    experiment.RefreshAllElementLinks();
    return LoadResult::Loaded;
}

wxString ElementToDocumentText(const Minimal_VTElement& element)
{
    return ToWxString(QString::fromUtf8(QJsonDocument(ElementToJson(element)).toJson(QJsonDocument::Compact)));
}

bool ElementFromDocumentText(Minimal_VTElement& element, const wxString& text, wxString& error)
{
    error.clear();
    // Pasted text comes from anywhere; a repeated key is refused as the file reader refuses it.
    const QByteArray bytes = ToQtString(text).toUtf8();
    const QJsonDocument document = IsJsonWithDistinctKeys(bytes, VTExperimentJsonFormat::kMaxNesting)
                                       ? QJsonDocument::fromJson(bytes)
                                       : QJsonDocument();
    if (!document.isObject()) {
        error = _("the text is not an element.");
        return false;
    }
    JsonFieldReader f(document.object(), error, _("The element"));
    ReadElementFields(element, f);
    return f.Ok();
}

}  // namespace Vantrel
