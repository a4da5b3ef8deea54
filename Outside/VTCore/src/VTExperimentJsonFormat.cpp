#include "VTExperimentJsonFormat.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/WxQtStrings.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <wx/intl.h>

#include <climits>
#include <cmath>
#include <memory>
#include <set>
#include <unordered_set>

namespace Vantrel {

namespace {

// ---------------------------------------------------------------- writing

QJsonArray LinksToJson(const VTLinkT& links)
{
    QJsonArray array;
    for (const auto& e : links.Entries()) array.append(QJsonArray{qint64(e.elementID), qint64(e.extraData)});
    return array;
}

QJsonObject LinkListToJson(const VTLinkT& links)
{
    QJsonObject o;
    o["unique"] = links.CollectionIsEnforcingUniquenessOfElements();
    o["links"] = LinksToJson(links);
    return o;
}

QJsonArray IDsToJson(const std::vector<std::uint32_t>& ids)
{
    QJsonArray array;
    for (std::uint32_t id : ids) array.append(qint64(id));
    return array;
}

QJsonArray StringsToJson(const std::vector<wxString>& strings)
{
    QJsonArray array;
    for (const wxString& s : strings) array.append(ToQtString(s));
    return array;
}

void WriteElement(const Minimal_VTElement& el, QJsonObject& o)
{
    o["type"] = int(el.GetElementType());
    o["id"] = qint64(el.GetID());
    o["name"] = ToQtString(el.GetName());
    o["notes"] = ToQtString(el.GetNotes());
    if (const auto* e = dynamic_cast<const VTElement*>(&el)) {
        o["sortKey"] = e->GetSortKey();
        o["childNum"] = e->GetChildNumForRandomization();
    }
    if (const auto* r = dynamic_cast<const Interface_UsesRules*>(&el)) o["rules"] = LinkListToJson(r->GetUsedRules());
    if (const auto* b = dynamic_cast<const VTBlock*>(&el)) {
        o["trials"] = LinkListToJson(b->GetUsedTrials());
        o["selected"] = b->IsSelected();
        o["randomizeTrials"] = b->GetRandomizeTrials();
        o["randomizeWhen"] = b->GetRandomizeTrialsWhen();
        o["loopMode"] = b->m_LoopMode;
        o["loopCount"] = b->m_LoopCount;
    } else if (const auto* t = dynamic_cast<const VTTrial*>(&el)) {
        o["events"] = LinkListToJson(t->GetUsedEvents());
        o["tags"] = LinkListToJson(t->GetUsedTags());
        o["startPeriodMs"] = t->GetStartPeriod();
        o["randomizeEvents"] = t->GetRandomizeEvents();
        o["randomizeWhen"] = t->GetRandomizeEventsWhen();
        o["repetitions"] = qint64(t->GetRepetitions());
    } else if (const auto* ev = dynamic_cast<const VTEvent*>(&el)) {
        bool record, resetTimer, endImmediately, endAny, endCorrect, endTimeLimit, delayFeedback;
        int kind, ms, variable;
        ev->GetCopiedInputSettingsForEditor(record, resetTimer, endImmediately, endAny, endCorrect, endTimeLimit,
                                            delayFeedback, kind, ms, variable);
        o["plugInID"] = ev->GetPlugInID();
        o["stimulusText"] = ToQtString(ev->GetStimulusText());
        o["stimListID"] = ev->GetStimListID();
        o["stimFiles"] = StringsToJson(ev->GetStimFiles());
        o["record"] = record;
        o["resetTimer"] = resetTimer;
        o["endImmediately"] = endImmediately;
        o["endAny"] = endAny;
        o["endCorrect"] = endCorrect;
        o["endTimeLimit"] = endTimeLimit;
        o["delayFeedback"] = delayFeedback;
        o["timeLimitKind"] = kind;
        o["timeLimitMs"] = ms;
        o["timeLimitVariableID"] = variable;
        o["responses"] = LinkListToJson(ev->GetUsedResponses());
        o["tags"] = LinkListToJson(ev->GetCodeValues());
        o["tagSetIDForCorrect"] = ev->GetTagSetIDUsedForCorrectResponses();
        QJsonArray rows;
        for (const auto& row : ev->GetCorrectResponseRows())
            rows.append(
                QJsonObject{{"row", row.poolRowID}, {"kind", row.kind}, {"chosen", IDsToJson(row.chosenResponseIDs)}});
        o["correctRows"] = rows;
    } else if (const auto* l = dynamic_cast<const VTStimList*>(&el)) {
        o["plugInID"] = l->GetPlugInID();
        o["description"] = ToQtString(l->GetDescription());
        QJsonArray items;
        for (const auto& item : l->GetItems())
            items.append(QJsonObject{
                {"id", qint64(item.id)}, {"text", ToQtString(item.text)}, {"tags", IDsToJson(item.tagIDs)}});
        o["items"] = items;
    } else if (const auto* r = dynamic_cast<const VTResponse*>(&el)) {
        int x, y, w, h;
        r->GetRegion(x, y, w, h);
        o["plugInID"] = r->GetPlugInID();
        o["keyCode"] = r->GetKeyCode();
        o["port"] = r->GetPortNumber();
        o["phase"] = r->GetPhase();
        o["regionMode"] = r->GetRegionMode();
        o["region"] = QJsonArray{x, y, w, h};
        o["hidden"] = r->IsHiddenFromParticipant();
    } else if (const auto* s = dynamic_cast<const VTTagSet*>(&el)) {
        o["context"] = int(s->GetContext());
        o["tags"] = LinkListToJson(s->GetCollectionOfUsedTags_deprecated());
        o["deleteTags"] = s->GetDeleteTagsFlag();
    } else if (const auto* tag = dynamic_cast<const VTTag*>(&el)) {
        o["parent"] = qint64(tag->GetParentTagSetID());
    } else if (const auto* g = dynamic_cast<const VTParticipantGroup*>(&el)) {
        o["runAllBlocks"] = g->m_RunAllBlocks;
        o["blocks"] = LinkListToJson(g->GetBlocksUsedByTheGroup());
    } else if (const auto* v = dynamic_cast<const VTTrialVariable*>(&el)) {
        const Orbisk::Var::Variable& variable = v->GetVariable();
        o["description"] = ToQtString(v->GetDescription());
        o["variableType"] = v->GetVariableType();
        o["saveToData"] = v->GetSaveToDataFlag();
        o["variableName"] = ToQtString(variable.GetName());
        o["method"] = variable.GetMethod();
        o["scope"] = variable.GetScope();
        o["flag"] = variable.GetFlag();
        QJsonArray levels;
        for (const Orbisk::Var::VarValue* level : variable.GetLevels())
            levels.append(QJsonObject{{"name", ToQtString(level->GetName())}, {"text", ToQtString(level->GetText())}});
        o["levels"] = levels;
    } else if (const auto* rule = dynamic_cast<const VTRule*>(&el)) {
        o["kind"] = rule->GetKind();
    }
}

// ---------------------------------------------------------------- reading

// Reads typed fields of one JSON object. The first problem is kept in the shared
// error text and later reads do nothing, so callers check once at the end.
class FieldReader
{
public:
    FieldReader(QJsonObject o, wxString& error, wxString where)
        : m_O(std::move(o)), m_Error(error), m_Where(std::move(where))
    {}
    FieldReader Child(const QJsonObject& o) const { return FieldReader(o, m_Error, m_Where); }

    bool Ok() const { return m_Error.empty(); }
    bool Has(const char* key) const { return m_O.contains(key); }

    long long Int(const char* key, long long def, long long min, long long max)
    {
        if (!Ok() || !m_O.contains(key)) return def;
        long long value = def;
        if (!ToInt(m_O.value(key), min, max, value))
            Fail(wxString::Format(_("the field \"%s\" must be a whole number from %lld to %lld"), key, min, max));
        return value;
    }
    int Int32(const char* key, int def) { return int(Int(key, def, INT_MIN, INT_MAX)); }

    bool Bool(const char* key, bool def)
    {
        if (!Ok() || !m_O.contains(key)) return def;
        const QJsonValue v = m_O.value(key);
        if (!v.isBool()) {
            Fail(wxString::Format(_("the field \"%s\" must be true or false"), key));
            return def;
        }
        return v.toBool();
    }

    wxString String(const char* key, const wxString& def = wxString())
    {
        if (!Ok() || !m_O.contains(key)) return def;
        const QJsonValue v = m_O.value(key);
        if (!v.isString()) {
            Fail(wxString::Format(_("the field \"%s\" must be a text"), key));
            return def;
        }
        return ToWxString(v.toString());
    }

    QJsonArray Array(const char* key, int maxEntries = VTExperimentJsonFormat::kMaxEntriesPerList)
    {
        if (!Ok() || !m_O.contains(key)) return QJsonArray();
        const QJsonValue v = m_O.value(key);
        if (!v.isArray()) {
            Fail(wxString::Format(_("the field \"%s\" must be a list"), key));
            return QJsonArray();
        }
        const QJsonArray array = v.toArray();
        if (array.size() > maxEntries) {
            Fail(wxString::Format(_("the list \"%s\" holds more than %d entries"), key, maxEntries));
            return QJsonArray();
        }
        return array;
    }

    QJsonObject Object(const char* key)
    {
        if (!Ok() || !m_O.contains(key)) return QJsonObject();
        const QJsonValue v = m_O.value(key);
        if (!v.isObject()) {
            Fail(wxString::Format(_("the field \"%s\" must be an object"), key));
            return QJsonObject();
        }
        return v.toObject();
    }

    std::vector<std::uint32_t> IDs(const char* key)
    {
        std::vector<std::uint32_t> ids;
        for (const QJsonValue& v : Array(key)) {
            long long id = 0;
            if (!ToInt(v, 1, kMaxElementID, id)) {
                Fail(wxString::Format(_("the list \"%s\" must hold element ids"), key));
                return {};
            }
            ids.push_back(std::uint32_t(id));
        }
        return ids;
    }

    std::vector<wxString> Strings(const char* key)
    {
        std::vector<wxString> strings;
        for (const QJsonValue& v : Array(key)) {
            if (!v.isString()) {
                Fail(wxString::Format(_("the list \"%s\" must hold texts"), key));
                return {};
            }
            strings.push_back(ToWxString(v.toString()));
        }
        return strings;
    }

    void Links(const char* key, VTLinkT& links)
    {
        links.RemoveAllElements();
        if (!Ok() || !m_O.contains(key)) return;
        FieldReader list = Child(Object(key));
        links.SetEnforceUniqueness(list.Bool("unique", true));
        std::unordered_set<std::uint32_t> seen;
        for (const QJsonValue& v : list.Array("links")) {
            const QJsonArray pair = v.toArray();
            long long id = 0, extra = 0;
            if (!v.isArray() || pair.size() != 2 || !ToInt(pair.at(0), 1, kMaxElementID, id) ||
                !ToInt(pair.at(1), 0, UINT32_MAX, extra)) {
                Fail(wxString::Format(_("the links \"%s\" must be pairs of an element id and a number"), key));
                return;
            }
            if (!seen.insert(std::uint32_t(id)).second && links.CollectionIsEnforcingUniquenessOfElements()) {
                Fail(wxString::Format(_("the links \"%s\" name one element twice"), key));
                return;
            }
            links.AppendLinkForLoading(std::uint32_t(id), std::uint32_t(extra));
        }
    }

    void Fail(const wxString& what)
    {
        if (Ok()) m_Error = m_Where + wxS(": ") + what + wxS(".");
    }

private:
    static bool ToInt(const QJsonValue& v, long long min, long long max, long long& out)
    {
        if (!v.isDouble()) return false;
        const double d = v.toDouble();
        if (!std::isfinite(d) || std::floor(d) != d || d < double(min) || d > double(max)) return false;
        out = static_cast<long long>(d);
        return true;
    }

    QJsonObject m_O;
    wxString& m_Error;
    wxString m_Where;
};

// ---------------------------------------------------------------- experiment options

QString ColourToJson(const wxColour& c) { return ToQtString(c.GetAsString(wxC2S_HTML_SYNTAX)); }

wxColour ReadColour(FieldReader& f, const char* key, const wxColour& def)
{
    if (!f.Has(key)) return def;
    const wxString text = f.String(key);
    const wxString digits = text.Mid(1);
    unsigned long rgb = 0;
    if (!f.Ok()) return def;
    if (text.length() != 7 || text[0] != '#' || digits.find_first_not_of("0123456789abcdefABCDEF") != wxString::npos ||
        !digits.ToULong(&rgb, 16)) {
        f.Fail(wxString::Format(_("the field \"%s\" must be a colour written as #rrggbb"), key));
        return def;
    }
    return wxColour((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

void WriteExperimentOptions(const VTExperiment& experiment, QJsonObject& settings)
{
    settings["backgroundColour"] = ColourToJson(experiment.m_BackgroundColour);
    const VTSaveDataOptions& save = experiment.GetSaveDataOptions();
    QJsonArray options;
    for (int i = 0; i < VTSaveDataOptions::kCount; ++i) options.append(save.GetSaveOption(i));
    settings["saveData"] = QJsonObject{{"options", options},
                                       {"folderMode", save.m_FolderMode},
                                       {"folder", ToQtString(save.m_Folder.GetFullPath())},
                                       {"subFolder", ToQtString(save.m_SubFolderName.GetFullPath())}};
    const VTSensorPatch& patch = *experiment.GetSensorPatch();
    settings["sensorPatch"] = QJsonObject{{"size", patch.GetSensorPatchSize()},
                                          {"x", patch.GetSensorPatchPosX()},
                                          {"y", patch.GetSensorPatchPosY()},
                                          {"colour", ColourToJson(patch.GetSensorPatchColour())},
                                          {"disable", patch.GetSensorPatchDisable()}};
}

void ReadExperimentOptions(VTExperiment& experiment, FieldReader& settings)
{
    experiment.m_BackgroundColour = ReadColour(settings, "backgroundColour", experiment.m_BackgroundColour);
    VTSaveDataOptions& save = experiment.GetSaveDataOptions();
    FieldReader saveData = settings.Child(settings.Object("saveData"));
    const QJsonArray options = saveData.Array("options");
    if (saveData.Has("options") && options.size() != VTSaveDataOptions::kCount)
        saveData.Fail(wxString::Format(_("there must be %d save options"), VTSaveDataOptions::kCount));
    for (int i = 0; i < options.size() && i < VTSaveDataOptions::kCount; ++i) {
        if (!options.at(i).isBool()) {
            saveData.Fail(_("save options must be true or false"));
            break;
        }
        save.SetSaveOption(i, options.at(i).toBool());
    }
    save.m_FolderMode = int(saveData.Int("folderMode", save.m_FolderMode, VTSaveDataOptions::ExperimentFolder,
                                         VTSaveDataOptions::PreviousFolder));
    save.m_Folder = wxFileName(saveData.String("folder", save.m_Folder.GetFullPath()));
    save.m_SubFolderName = wxFileName(saveData.String("subFolder", save.m_SubFolderName.GetFullPath()));
    VTSensorPatch& patch = *experiment.GetSensorPatch();
    FieldReader p = settings.Child(settings.Object("sensorPatch"));
    patch.SetSensorPatchSize(p.Int32("size", patch.GetSensorPatchSize()));
    patch.SetSensorPatchPosX(p.Int32("x", patch.GetSensorPatchPosX()));
    patch.SetSensorPatchPosY(p.Int32("y", patch.GetSensorPatchPosY()));
    patch.SetSensorPatchColour(ReadColour(p, "colour", patch.GetSensorPatchColour()));
    patch.SetSensorPatchDisable(p.Bool("disable", patch.GetSensorPatchDisable()));
}

Minimal_VTElement* NewElementOfType(VTElementType type, VTExperiment* experiment)
{
    switch (type) {
        case ElementType::Block: return new VTBlock(experiment);
        case ElementType::Trial: return new VTTrial(experiment);
        case ElementType::Event: return new VTEvent(experiment);
        case ElementType::TrialVariable: return new VTTrialVariable(experiment);
        case ElementType::Rule: return new VTRule(experiment);
        case ElementType::Response: return new VTResponse(experiment);
        case ElementType::StimList: return new VTStimList(experiment);
        case ElementType::ParticipantGroup: return new VTParticipantGroup(experiment);
        case ElementType::TagSet: return new VTTagSet(experiment);
        case ElementType::Tag: return new VTTag(experiment);
        default: return nullptr;
    }
}

void ReadEventSettings(VTEvent& ev, FieldReader& f)
{
    ev.SetPlugInID(f.Int32("plugInID", EventPlugIn::Text));
    ev.SetStimulusText(f.String("stimulusText"));
    ev.SetStimListID(int(f.Int("stimListID", -1, -1, kMaxElementID)));
    for (const wxString& file : f.Strings("stimFiles")) ev.AddStimFile(file);
    const bool record = f.Bool("record", true);
    const bool resetTimer = f.Bool("resetTimer", true);
    const bool endImmediately = f.Bool("endImmediately", false);
    const bool endAny = f.Bool("endAny", true);
    const bool endCorrect = f.Bool("endCorrect", false);
    const bool endTimeLimit = f.Bool("endTimeLimit", false);
    ev.SetWhenToPresentFeedback(f.Bool("delayFeedback", false));
    const int kind = int(f.Int("timeLimitKind", 0, 0, 1));
    const int ms = int(f.Int("timeLimitMs", 1000, 0, INT_MAX));
    const int variable = int(f.Int("timeLimitVariableID", -1, -1, kMaxElementID));
    ev.AcceptEndEventSettings(endImmediately, endAny, endCorrect, endTimeLimit);
    ev.AcceptInputSettingsForEditor(record, resetTimer, kind, ms, variable);
    f.Links("responses", ev.GetUsedResponses());
    f.Links("tags", ev.GetNonConstAccessToCodeValues());
    ev.SetTagSetID_ForCorrectResponses(int(f.Int("tagSetIDForCorrect", -1, -1, kMaxElementID)));
    std::vector<VTCorrectResponseRow> rows;
    std::set<int> seen;
    for (const QJsonValue& v : f.Array("correctRows")) {
        if (!v.isObject()) {
            f.Fail(_("a correct-response row must be an object"));
            break;
        }
        FieldReader r = f.Child(v.toObject());
        VTCorrectResponseRow row;
        row.poolRowID = int(r.Int("row", -1, -1, kMaxElementID));
        row.kind = int(r.Int("kind", CorrectKind::Any, CorrectKind::Any, CorrectKind::Chosen));
        row.chosenResponseIDs = r.IDs("chosen");
        if (!seen.insert(row.poolRowID).second) f.Fail(_("two correct-response rows share one pool row"));
        rows.push_back(row);
    }
    ev.SetCorrectResponseRows(rows);
}

void ReadVariableSettings(VTTrialVariable& v, FieldReader& f)
{
    v.SetDescription(f.String("description"));
    const int type = int(f.Int("variableType", VariableType::TimeLimit, INT_MIN, INT_MAX));
    v.ReplaceVariable(Orbisk::Var::VarType::CreateNewVariable(type, f.String("variableName")), true);
    v.SetSaveToDataFlag(f.Bool("saveToData", true));
    Orbisk::Var::Variable& variable = v.GetVariable();
    variable.SetMethod(int(f.Int("method", 0, 0, 3)));
    variable.SetScope(int(f.Int("scope", 0, 0, 4)));
    variable.SetFlag(f.Bool("flag", false));
    std::vector<Orbisk::Var::VarValue*> levels;
    for (const QJsonValue& entry : f.Array("levels")) {
        // A level is {"name", "text"}; a bare text is read as the text alone.
        wxString name, text;
        if (entry.isString()) {
            text = ToWxString(entry.toString());
        } else if (entry.isObject()) {
            FieldReader l = f.Child(entry.toObject());
            name = l.String("name");
            text = l.String("text");
        } else {
            f.Fail(_("a level must be a text or an object"));
        }
        if (!f.Ok()) break;
        Orbisk::Var::VarValue* level = variable.MakeLevelForPosition(int(levels.size()) + 1);
        if (!level->SetFromText(text) && !text.empty()) {
            delete level;
            f.Fail(wxString::Format(_("the level \"%s\" does not suit the variable's type"), text));
            break;
        }
        if (entry.isObject()) level->SetName(name);
        levels.push_back(level);
    }
    variable.ReplaceLevels(levels);
}

void ReadSettings(Minimal_VTElement& el, FieldReader& f)
{
    el.SetName(f.String("name"));
    el.SetNotes(f.String("notes"));
    if (auto* e = dynamic_cast<VTElement*>(&el)) {
        e->SetSortKey(f.Int32("sortKey", 0));
        e->SetChildNumForRandomization(f.Int32("childNum", 0));
    }
    if (auto* r = dynamic_cast<Interface_UsesRules*>(&el)) f.Links("rules", r->GetUsedRules());
    if (auto* b = dynamic_cast<VTBlock*>(&el)) {
        f.Links("trials", b->GetUsedTrials());
        b->SetSelected(f.Bool("selected", false));
        b->SetRandomizeTrials(f.Bool("randomizeTrials", false));
        b->SetRandomizeTrialsWhen(f.Int32("randomizeWhen", -1));
        b->m_LoopMode = f.Int32("loopMode", 81);
        b->m_LoopCount = int(f.Int("loopCount", 1, 0, 100000));
    } else if (auto* t = dynamic_cast<VTTrial*>(&el)) {
        f.Links("events", t->GetUsedEvents());
        f.Links("tags", t->GetUsedTags());
        t->SetStartPeriod(int(f.Int("startPeriodMs", 0, 0, INT_MAX)));
        t->SetRandomizeEvents(f.Bool("randomizeEvents", false));
        t->SetRandomizeEventsWhen(f.Int32("randomizeWhen", -1));
        t->SetRepetitions(unsigned(f.Int("repetitions", 1, 1, 100000)));
    } else if (auto* ev = dynamic_cast<VTEvent*>(&el)) {
        ReadEventSettings(*ev, f);
    } else if (auto* l = dynamic_cast<VTStimList*>(&el)) {
        l->SetFilePlugInID(f.Int32("plugInID", 0));
        l->SetDescription(f.String("description"));
        std::vector<VTStimListItem> items;
        for (const QJsonValue& v : f.Array("items")) {
            if (!v.isObject()) {
                f.Fail(_("a list item must be an object"));
                break;
            }
            FieldReader r = f.Child(v.toObject());
            VTStimListItem item;
            item.id = std::uint32_t(r.Int("id", 0, 1, kMaxElementID));
            item.text = r.String("text");
            item.tagIDs = r.IDs("tags");
            if (!r.Ok()) break;
            if (!r.Has("id")) {
                f.Fail(_("every list item needs its own id"));
                break;
            }
            items.push_back(item);
        }
        if (f.Ok() && !l->SetItems(items)) f.Fail(_("every list item needs its own id"));
    } else if (auto* r = dynamic_cast<VTResponse*>(&el)) {
        r->SetPlugInID(f.Int32("plugInID", kKeyboardInputPlugInID));
        r->SetKeyCode(f.Int32("keyCode", 0));
        r->SetPortNumber(f.Int32("port", 0));
        r->SetPhase(int(f.Int("phase", 1, 1, 2)));
        r->SetRegionMode(int(f.Int("regionMode", 0, 0, 2)));
        const QJsonArray region = f.Array("region");
        if (!region.isEmpty()) {
            if (region.size() != 4) {
                f.Fail(_("a region must have four numbers"));
            } else {
                r->SetRegion(region.at(0).toInt(), region.at(1).toInt(), region.at(2).toInt(), region.at(3).toInt());
            }
        }
        r->SetHiddenFromParticipant(f.Bool("hidden", false));
    } else if (auto* s = dynamic_cast<VTTagSet*>(&el)) {
        s->SetContext(VTTagSet::TagsetContext(f.Int("context", 0, 0, 1)));
        f.Links("tags", s->GetCollectionOfUsedTags_deprecated());
        s->SetDeleteTagsFlag(f.Bool("deleteTags", false));
    } else if (auto* tag = dynamic_cast<VTTag*>(&el)) {
        tag->SetParentTagSetID(std::uint32_t(f.Int("parent", 0, 0, kMaxElementID)));
    } else if (auto* g = dynamic_cast<VTParticipantGroup*>(&el)) {
        g->m_RunAllBlocks = f.Bool("runAllBlocks", true);
        f.Links("blocks", g->GetBlocksUsedByTheGroup());
    } else if (auto* v = dynamic_cast<VTTrialVariable*>(&el)) {
        ReadVariableSettings(*v, f);
    } else if (auto* rule = dynamic_cast<VTRule*>(&el)) {
        rule->SetKind(int(f.Int("kind", 1, 0, 1)));
    }
}

// Every reference between elements must land on an element of the right type.
bool CheckReferences(VTExperiment& experiment, wxString& error)
{
    const auto where = [](const Minimal_VTElement& el) {
        return wxString::Format(_("the %s \"%s\" (id %u)"), VTElement::ElementTypeName(el.GetElementType()),
                                el.GetName(), unsigned(el.GetID()));
    };
    const auto missing = [&](const Minimal_VTElement& el, VTElementType type, std::uint32_t id) {
        error = wxString::Format(_("%s refers to a %s with id %u that does not exist."), where(el),
                                 VTElement::ElementTypeName(type), unsigned(id));
        return false;
    };
    const auto exists = [&](VTElementType type, std::uint32_t id) {
        return experiment.LookupElementByTypeAndID(type, id) != nullptr;
    };
    const auto checkLinks = [&](const Minimal_VTElement& el, const VTLinkT& links) {
        for (const auto& e : links.Entries())
            if (!exists(links.GetLinkedType(), e.elementID)) return missing(el, links.GetLinkedType(), e.elementID);
        return true;
    };

    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList& list = experiment.GetElementsOfType(type);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            Minimal_VTElement* el = list[i];
            bool ok = true;
            if (auto* r = dynamic_cast<Interface_UsesRules*>(el)) ok = checkLinks(*el, r->GetUsedRules());
            if (auto* b = dynamic_cast<VTBlock*>(el); b && ok) ok = checkLinks(*b, b->GetUsedTrials());
            if (auto* t = dynamic_cast<VTTrial*>(el); t && ok)
                ok = checkLinks(*t, t->GetUsedEvents()) && checkLinks(*t, t->GetUsedTags());
            if (auto* g = dynamic_cast<VTParticipantGroup*>(el)) ok = checkLinks(*g, g->GetBlocksUsedByTheGroup());
            if (auto* s = dynamic_cast<VTTagSet*>(el)) ok = checkLinks(*s, s->GetCollectionOfUsedTags_deprecated());
            if (auto* tag = dynamic_cast<VTTag*>(el))
                ok = tag->GetParentTagSetID() == kNoElementID ||
                     exists(ElementType::TagSet, tag->GetParentTagSetID()) ||
                     missing(*tag, ElementType::TagSet, tag->GetParentTagSetID());
            if (auto* l = dynamic_cast<VTStimList*>(el))
                for (const auto& item : l->GetItems())
                    for (std::uint32_t id : item.tagIDs)
                        if (ok && !exists(ElementType::Tag, id)) ok = missing(*l, ElementType::Tag, id);
            if (auto* ev = dynamic_cast<VTEvent*>(el)) {
                ok = checkLinks(*ev, ev->GetUsedResponses()) && checkLinks(*ev, ev->GetCodeValues());
                if (ok && ev->IsListEvent() && !exists(ElementType::StimList, std::uint32_t(ev->GetStimListID())))
                    ok = missing(*ev, ElementType::StimList, std::uint32_t(ev->GetStimListID()));
                if (ok && ev->GetTagSetIDUsedForCorrectResponses() >= 0 &&
                    !exists(ElementType::TagSet, std::uint32_t(ev->GetTagSetIDUsedForCorrectResponses())))
                    ok = missing(*ev, ElementType::TagSet, std::uint32_t(ev->GetTagSetIDUsedForCorrectResponses()));
                bool r1, r2, r3, r4, r5, r6, r7;
                int kind, ms, variable;
                ev->GetCopiedInputSettingsForEditor(r1, r2, r3, r4, r5, r6, r7, kind, ms, variable);
                if (ok && variable >= 0 && !exists(ElementType::TrialVariable, std::uint32_t(variable)))
                    ok = missing(*ev, ElementType::TrialVariable, std::uint32_t(variable));
                for (const auto& row : ev->GetCorrectResponseRows())
                    for (std::uint32_t id : row.chosenResponseIDs)
                        if (ok && !exists(ElementType::Response, id)) ok = missing(*ev, ElementType::Response, id);
            }
            if (!ok) return false;
        }
    }
    return true;
}

}  // namespace

bool VTExperimentJsonFormat::Save(VTExperiment& experiment, const wxString& file, wxString& error)
{
    QJsonObject root;
    root["format"] = QString::fromLatin1(kFormatName);
    root["version"] = VTExperiment::kFormatVersion;

    QJsonObject settings;
    QJsonArray codes;
    for (int i = 0; i < VTErrorCodes::kCount; ++i)
        codes.append(ToQtString(experiment.m_ErrorCodes.GetCodeAsString(VTErrorCodes::VTCorrectness(i))));
    settings["errorCodes"] = codes;
    WriteExperimentOptions(experiment, settings);
    settings["cloud"] = QJsonObject{{"enabled", experiment.m_CloudSettings->m_CloudEnabled},
                                    {"groupRule", qint64(experiment.m_CloudSettings->m_GroupRule)}};
    QJsonArray inputs;
    for (int id : experiment.m_InputPlugInIDs) inputs.append(id);
    settings["inputPlugIns"] = inputs;
    QJsonArray parameters;
    for (unsigned i = 0; i < experiment.m_Parameters->ItemCount(); ++i) {
        const OrderFormForParameterCreation p = experiment.m_Parameters->ItemDataAtIndex(i);
        parameters.append(QJsonObject{{"name", ToQtString(p.name)},
                                      {"type", p.type},
                                      {"text", ToQtString(p.text)},
                                      {"initialValue", p.initialValue},
                                      {"sizeLimit", p.sizeLimit},
                                      {"saveToDataFile", p.saveToDataFile},
                                      {"description", ToQtString(p.description)},
                                      {"hasMin", p.hasMin},
                                      {"hasMax", p.hasMax},
                                      {"min", p.min},
                                      {"max", p.max}});
    }
    settings["parameters"] = parameters;
    settings["locked"] = experiment.m_Locked;
    settings["lockReason"] = ToQtString(experiment.m_LockReason);
    root["experiment"] = settings;

    QJsonArray elements;
    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList_Concrete& list = *experiment.m_Lists[std::size_t(type)];
        list.OnSaveToDisk_AssignSequentialSortKeysToCollection();
        for (std::size_t i = 0; i < list.Size(); ++i) {
            if (!list[i]) continue;
            QJsonObject o;
            WriteElement(*list[i], o);
            elements.append(o);
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

bool VTExperimentJsonFormat::Load(VTExperiment& experiment, const wxString& file, wxString& error)
{
    QFile in(ToQtString(file));
    if (!in.open(QIODevice::ReadOnly)) {
        error = ToWxString(in.errorString());
        return false;
    }
    if (in.size() > kMaxFileBytes) {
        error = _("the file is too large to be an experiment.");
        return false;
    }
    const QByteArray bytes = in.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        error = _("the file is too large to be an experiment.");
        return false;
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = wxString::Format(_("the file is not a readable experiment (%s at byte %d)."),
                                 ToWxString(parseError.errorString()), parseError.offset);
        return false;
    }
    if (!document.isObject()) {
        error = _("the file is not an experiment.");
        return false;
    }
    FieldReader root(document.object(), error, _("The file"));
    if (root.String("format") != wxString::FromUTF8(kFormatName)) {
        if (error.empty()) error = _("the file is not an experiment.");
        return false;
    }
    if (!root.Has("version")) {
        error = _("the file does not say which version of the format it uses.");
        return false;
    }
    const long long version = root.Int("version", 0, 1, INT_MAX);
    if (!root.Ok()) return false;
    if (version > VTExperiment::kFormatVersion) {
        error = wxString::Format(
            _("the file was written by a newer version of Study Station (format %lld; this version reads up to %d)."),
            version, VTExperiment::kFormatVersion);
        return false;
    }

    FieldReader settings = root.Child(root.Object("experiment"));
    const std::vector<wxString> codes = settings.Strings("errorCodes");
    if (!codes.empty() && codes.size() != std::size_t(VTErrorCodes::kCount))
        settings.Fail(_("there must be four correctness codes"));
    for (std::size_t i = 0; i < codes.size() && i < std::size_t(VTErrorCodes::kCount); ++i)
        experiment.m_ErrorCodes.SetCodeWithString(VTErrorCodes::VTCorrectness(i), codes[i]);
    ReadExperimentOptions(experiment, settings);
    FieldReader cloud = settings.Child(settings.Object("cloud"));
    experiment.m_CloudSettings->m_CloudEnabled = cloud.Bool("enabled", false);
    experiment.m_CloudSettings->m_GroupRule =
        std::uint32_t(cloud.Int("groupRule", VTCloudSettings::kBalancedGroupAssignment, 0, UINT32_MAX));
    if (settings.Has("inputPlugIns")) {
        for (const QJsonValue& v : settings.Array("inputPlugIns")) {
            const double d = v.toDouble();
            if (!v.isDouble() || std::floor(d) != d || d < 0 || d > INT_MAX) {
                settings.Fail(_("input devices must be given by number"));
                break;
            }
            experiment.LoadInputPluginByID(int(d));
        }
    }
    for (const QJsonValue& v : settings.Array("parameters")) {
        if (!v.isObject()) {
            settings.Fail(_("a parameter must be an object"));
            break;
        }
        FieldReader p = settings.Child(v.toObject());
        OrderFormForParameterCreation record(p.String("name"), p.Int32("type", ParameterType::Counter));
        record.text = p.String("text");
        record.initialValue = p.Int32("initialValue", 0);
        record.sizeLimit = p.Int32("sizeLimit", -1);
        record.saveToDataFile = p.Bool("saveToDataFile", true);
        record.description = p.String("description");
        record.hasMin = p.Bool("hasMin", false);
        record.hasMax = p.Bool("hasMax", false);
        record.min = p.Int32("min", 0);
        record.max = p.Int32("max", 0);
        if (!p.Ok()) break;
        if (!experiment.m_Parameters->AddNewItem(record)) {
            settings.Fail(wxString::Format(_("the parameter name \"%s\" is empty or used twice"), record.name));
            break;
        }
    }
    const bool locked = settings.Bool("locked", false);
    experiment.SetLocked(locked, settings.String("lockReason"));
    if (!root.Ok()) return false;

    const QJsonArray elements = root.Array("elements", kMaxElements);
    if (!root.Ok()) return false;
    for (int i = 0; i < elements.size(); ++i) {
        const QJsonValue v = elements.at(i);
        const wxString where = wxString::Format(_("Element %d"), i + 1);
        if (!v.isObject()) {
            error = where + wxS(": ") + _("it is not an object.");
            return false;
        }
        FieldReader f(v.toObject(), error, where);
        if (!f.Has("type") || !f.Has("id")) {
            f.Fail(_("it needs a type and an id"));
            return false;
        }
        const VTElementType type = VTElementType(f.Int("type", 0, 0, ElementType::Count - 1));
        const std::uint32_t id = std::uint32_t(f.Int("id", 0, 1, kMaxElementID));
        if (!f.Ok()) return false;
        std::unique_ptr<Minimal_VTElement> el(NewElementOfType(type, &experiment));
        if (!el) {
            f.Fail(wxString::Format(_("there is no element type %d"), int(type)));
            return false;
        }
        el->ReplaceID_BeforeAddingToAList(id);
        ReadSettings(*el, f);
        if (!f.Ok()) return false;
        VTElementsList& list = experiment.GetElementsOfType(type);
        if (list.LookupElementPtrByID(id)) {
            f.Fail(wxString::Format(_("another %s already has the id %u"), VTElement::ElementTypeName(type),
                                    unsigned(id)));
            return false;
        }
        experiment.ReserveElementID(type, id);
        if (!list.AddElement(el.get(), -1)) {
            f.Fail(_("it could not be added"));
            return false;
        }
        el.release();
    }

    if (!CheckReferences(experiment, error)) return false;
    for (auto& list : experiment.m_Lists) list->OnFinishLoading_SortByStreamedInKeyNumbers();
    experiment.RefreshAllElementLinks();
    return true;
}

}  // namespace Vantrel
