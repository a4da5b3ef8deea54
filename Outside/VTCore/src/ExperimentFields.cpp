// The stored settings of the experiment itself (the "experiment" object of a document).

#include "FieldKinds.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>

#include <wx/intl.h>

#include <QByteArray>

#include <map>
#include <string>

namespace Vantrel {

namespace {

// Settings held through a shared pointer: copies go into the pointee, so holders
// of the pointer keep seeing the experiment's values.
template <class Value>
struct SharedValueKind
{
    using Ptr = boost::shared_ptr<Value>;
    void CopyForClone(Ptr& to, const Ptr& from) const { *to = *from; }
    void CopySetting(Ptr& to, const Ptr& from) const { *to = *from; }
    void VisitReferences(Ptr&, const ReferenceVisitor&) const {}
    VTLinkT* Links(Ptr&) const { return nullptr; }
    bool WarnsOnPurge() const { return true; }
};

struct ErrorCodesKind : PlainKind<VTErrorCodes>
{
    void Write(const VTErrorCodes& codes, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (int i = 0; i < VTErrorCodes::kCount; ++i)
            array.append(ToQtString(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i))));
        o[key] = array;
    }
    void Read(VTErrorCodes& codes, JsonFieldReader& f, const char* key) const
    {
        const std::vector<wxString> read = f.Strings(key);
        if (read.empty()) return;
        if (read.size() != std::size_t(VTErrorCodes::kCount)) {
            f.Fail(_("there must be four correctness codes"));
            return;
        }
        for (int i = 0; i < VTErrorCodes::kCount; ++i)
            codes.SetCodeWithString(VTErrorCodes::VTCorrectness(i), read[std::size_t(i)]);
    }
    std::string Describe(const VTErrorCodes& codes) const
    {
        std::string s;
        for (int i = 0; i < VTErrorCodes::kCount; ++i)
            s += DescribeText(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i))) + " ";
        return s;
    }
    void MakeDifferent(VTErrorCodes& codes, const ElementIdSource&) const
    {
        for (int i = 0; i < VTErrorCodes::kCount; ++i)
            codes.SetCodeWithString(VTErrorCodes::VTCorrectness(i),
                                    codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i)) + wxS("x"));
    }
};

// {"enabled": bool, "groupRule": 1 balanced, else a group id}.
struct CloudKind : SharedValueKind<VTCloudSettings>
{
    bool Equal(const Ptr& a, const Ptr& b) const { return *a == *b; }
    void Write(const Ptr& v, QJsonObject& o, const char* key) const
    {
        o[key] = QJsonObject{{"enabled", v->m_CloudEnabled}, {"groupRule", qint64(v->m_GroupRule)}};
    }
    void Read(Ptr& v, JsonFieldReader& f, const char* key) const
    {
        JsonFieldReader cloud = f.Child(f.Object(key));
        v->m_CloudEnabled = cloud.Bool("enabled", v->m_CloudEnabled);
        v->m_GroupRule = std::uint32_t(cloud.Int("groupRule", v->m_GroupRule, 0, UINT32_MAX));
    }
    std::string Describe(const Ptr& v) const
    {
        return std::to_string(v->m_CloudEnabled) + "," + std::to_string(v->m_GroupRule);
    }
    // A group rule names a group; the balanced rule (1) names none.
    void VisitReferences(Ptr& v, const ReferenceVisitor& visit) const
    {
        if (!v->IsBalancedGroupAssignment() && !visit(ElementType::ParticipantGroup, v->m_GroupRule))
            v->m_GroupRule = VTCloudSettings::kBalancedGroupAssignment;
    }
    void MakeDifferent(Ptr& v, const ElementIdSource& ids) const
    {
        v->m_CloudEnabled = !v->m_CloudEnabled;
        const std::uint32_t group = ids(ElementType::ParticipantGroup, 0);
        v->m_GroupRule = v->IsBalancedGroupAssignment() && group ? group : VTCloudSettings::kBalancedGroupAssignment;
    }
};

// [{"name", "type", "text", "initialValue", "sizeLimit", "saveToDataFile",
//   "description", "hasMin", "hasMax", "min", "max"}], names unique.
struct ParametersKind : SharedValueKind<PerExperimentParameterCollection>
{
    static std::vector<OrderFormForParameterCreation> Items(const Ptr& v)
    {
        std::vector<OrderFormForParameterCreation> items;
        for (unsigned i = 0; i < v->ItemCount(); ++i) items.push_back(v->ItemDataAtIndex(i));
        return items;
    }
    bool Equal(const Ptr& a, const Ptr& b) const { return Items(a) == Items(b); }
    void Write(const Ptr& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const OrderFormForParameterCreation& p : Items(v))
            array.append(QJsonObject{{"name", ToQtString(p.name)},
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
        o[key] = array;
    }
    void Read(Ptr& v, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        v->Clear();
        for (JsonFieldReader& p : f.Objects(key, _("a parameter"))) {
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
            if (!p.Ok()) return;
            if (!v->AddNewItem(record)) {
                f.Fail(wxString::Format(_("the parameter name \"%s\" is empty or used twice"), record.name));
                return;
            }
        }
    }
    std::string Describe(const Ptr& v) const
    {
        std::string s;
        for (const OrderFormForParameterCreation& p : Items(v))
            s += DescribeText(p.name) + " " + std::to_string(p.type) + DescribeText(p.text) + " " +
                 std::to_string(p.initialValue) + " " + std::to_string(p.sizeLimit) + " " +
                 std::to_string(p.saveToDataFile) + DescribeText(p.description) + " " + std::to_string(p.hasMin) +
                 std::to_string(p.hasMax) + " " + std::to_string(p.min) + " " + std::to_string(p.max) + "; ";
        return s;
    }
    void MakeDifferent(Ptr& v, const ElementIdSource&) const
    {
        OrderFormForParameterCreation p(wxString::Format(wxS("parameter %u"), v->ItemCount() + 1), ParameterType::Text);
        p.text = wxS("start");
        p.initialValue = 3;
        p.sizeLimit = 40;
        p.saveToDataFile = false;
        p.description = wxS("about it");
        p.hasMin = p.hasMax = true;
        p.min = -5;
        p.max = 9;
        v->AddNewItem(p);
    }
};

// Input plug-in ids in use, in order.
struct IntListKind : PlainKind<std::vector<int>>
{
    // What a document without the field holds; empty: the value stays as it is.
    std::vector<int> whenAbsent;

    void Write(const std::vector<int>& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (int n : v) array.append(n);
        o[key] = array;
    }
    void Read(std::vector<int>& v, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) {
            if (!whenAbsent.empty()) v = whenAbsent;
            return;
        }
        std::vector<int> read = f.Ints(key, 0, INT_MAX);
        if (!f.Ok()) return;
        // Each device once, in the order first named.
        v.clear();
        for (int n : read)
            if (std::find(v.begin(), v.end(), n) == v.end()) v.push_back(n);
    }
    std::string Describe(const std::vector<int>& v) const
    {
        std::string s;
        for (int n : v) s += std::to_string(n) + " ";
        return "[" + s + "]";
    }
    void MakeDifferent(std::vector<int>& v, const ElementIdSource&) const
    {
        int next = 3000;
        for (int n : v) next = std::max(next, n + 1);
        v.push_back(next);
    }
};

// [{"name", "value"}] in order; names as typed, duplicates kept.
struct MetadataKind : PlainKind<VTMetadata>
{
    void Write(const VTMetadata& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const VTMetaDataEntry& e : v.m_Entries)
            array.append(QJsonObject{{"name", ToQtString(e.name)}, {"value", ToQtString(e.value)}});
        o[key] = array;
    }
    void Read(VTMetadata& v, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        std::vector<VTMetaDataEntry> read;
        for (JsonFieldReader& e : f.Objects(key, _("a metadata entry")))
            read.push_back({e.String("name"), e.String("value")});
        if (f.Ok()) v.m_Entries = std::move(read);
    }
    std::string Describe(const VTMetadata& v) const
    {
        std::string s;
        for (const VTMetaDataEntry& e : v.m_Entries) s += DescribeText(e.name) + "=" + DescribeText(e.value) + " ";
        return "[" + s + "]";
    }
    void MakeDifferent(VTMetadata& v, const ElementIdSource&) const
    {
        v.SetValue(wxS("Contrubutors"), v.GetValue(wxS("Contrubutors")) + wxS("x"));
        v.m_Entries.push_back({wxString::Format(wxS("own %zu"), v.m_Entries.size()), wxS("value\nline")});
    }
};

// The next id per element type; a document never lowers a counter below the ids it holds.
struct IdCountersKind : PlainKind<std::vector<std::uint32_t>>
{
    void Write(const std::vector<std::uint32_t>& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (std::uint32_t n : v) array.append(qint64(n));
        o[key] = array;
    }
    void Read(std::vector<std::uint32_t>& v, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        const std::vector<int> read = f.Ints(key, 1, kMaxElementID);
        if (!f.Ok()) return;
        if (read.size() != v.size()) {
            f.Fail(wxString::Format(_("the list \"%s\" must hold %d numbers"), key, int(v.size())));
            return;
        }
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::max(v[i], std::uint32_t(read[i]));
    }
    std::string Describe(const std::vector<std::uint32_t>& v) const
    {
        std::string s;
        for (std::uint32_t n : v) s += std::to_string(n) + " ";
        return "[" + s + "]";
    }
    void MakeDifferent(std::vector<std::uint32_t>& v, const ElementIdSource&) const
    {
        for (auto& n : v) n += 5;
    }
};

// "#rrggbb".
wxColour ReadColour(JsonFieldReader& f, const char* key, const wxColour& def)
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

QString ColourText(const wxColour& c) { return ToQtString(c.GetAsString(wxC2S_HTML_SYNTAX)); }

struct ColourKind : PlainKind<wxColour>
{
    void Write(const wxColour& v, QJsonObject& o, const char* key) const { o[key] = ColourText(v); }
    void Read(wxColour& v, JsonFieldReader& f, const char* key) const { v = ReadColour(f, key, v); }
    std::string Describe(const wxColour& v) const { return ColourText(v).toStdString(); }
    void MakeDifferent(wxColour& v, const ElementIdSource&) const { v.Set(v.Red() ^ 0x55, v.Green() ^ 0x0f, 200); }
};

// {"options": [14 booleans], "folderMode": 0..3, "folder": text, "subFolder": text}.
struct SaveDataOptionsKind : PlainKind<VTSaveDataOptions>
{
    void Write(const VTSaveDataOptions& v, QJsonObject& o, const char* key) const
    {
        QJsonArray options;
        for (int i = 0; i < VTSaveDataOptions::kCount; ++i) options.append(v.GetSaveOption(i));
        o[key] = QJsonObject{{"options", options},
                             {"folderMode", v.m_FolderMode},
                             {"folder", ToQtString(v.m_Folder.GetFullPath())},
                             {"subFolder", ToQtString(v.m_SubFolderName.GetFullPath())}};
    }
    void Read(VTSaveDataOptions& v, JsonFieldReader& f, const char* key) const
    {
        JsonFieldReader save = f.Child(f.Object(key));
        const QJsonArray options = save.Array("options");
        if (save.Has("options") && options.size() != VTSaveDataOptions::kCount)
            save.Fail(wxString::Format(_("there must be %d save options"), VTSaveDataOptions::kCount));
        for (int i = 0; i < options.size() && i < VTSaveDataOptions::kCount && save.Ok(); ++i) {
            if (!options.at(i).isBool()) save.Fail(_("save options must be true or false"));
            v.SetSaveOption(i, options.at(i).toBool());
        }
        v.m_FolderMode = int(save.Int("folderMode", v.m_FolderMode, VTSaveDataOptions::ExperimentFolder,
                                      VTSaveDataOptions::PreviousFolder));
        v.m_Folder = wxFileName(save.String("folder", v.m_Folder.GetFullPath()));
        v.m_SubFolderName = wxFileName(save.String("subFolder", v.m_SubFolderName.GetFullPath()));
    }
    std::string Describe(const VTSaveDataOptions& v) const
    {
        std::string s;
        for (int i = 0; i < VTSaveDataOptions::kCount; ++i) s += v.GetSaveOption(i) ? "1" : "0";
        return s + " mode " + std::to_string(v.m_FolderMode) + " " + DescribeText(v.m_Folder.GetFullPath()) + " " +
               DescribeText(v.m_SubFolderName.GetFullPath());
    }
    void MakeDifferent(VTSaveDataOptions& v, const ElementIdSource&) const
    {
        for (int i = 0; i < VTSaveDataOptions::kCount; ++i) v.SetSaveOption(i, !v.GetSaveOption(i));
        v.m_FolderMode = (v.m_FolderMode + 1) % 4;
        v.m_Folder = wxFileName(v.m_Folder.GetFullPath() + wxS("/Daten \u00e9"));
        v.m_SubFolderName = wxFileName(v.m_SubFolderName.GetFullPath() + wxS("Daten \u00e9"));
    }
};

// {"size", "x", "y": 32-bit whole numbers, "colour": "#rrggbb", "disable": bool}.
struct SensorPatchKind : SharedValueKind<VTSensorPatch>
{
    bool Equal(const Ptr& a, const Ptr& b) const { return *a == *b; }
    void Write(const Ptr& v, QJsonObject& o, const char* key) const
    {
        o[key] = QJsonObject{{"size", v->GetSensorPatchSize()},
                             {"x", v->GetSensorPatchPosX()},
                             {"y", v->GetSensorPatchPosY()},
                             {"colour", ColourText(v->GetSensorPatchColour())},
                             {"disable", v->GetSensorPatchDisable()}};
    }
    void Read(Ptr& v, JsonFieldReader& f, const char* key) const
    {
        JsonFieldReader p = f.Child(f.Object(key));
        v->SetSensorPatchSize(p.Int32("size", v->GetSensorPatchSize()));
        v->SetSensorPatchPosX(p.Int32("x", v->GetSensorPatchPosX()));
        v->SetSensorPatchPosY(p.Int32("y", v->GetSensorPatchPosY()));
        v->SetSensorPatchColour(ReadColour(p, "colour", v->GetSensorPatchColour()));
        v->SetSensorPatchDisable(p.Bool("disable", v->GetSensorPatchDisable()));
    }
    std::string Describe(const Ptr& v) const
    {
        return std::to_string(v->GetSensorPatchSize()) + " at " + std::to_string(v->GetSensorPatchPosX()) + "," +
               std::to_string(v->GetSensorPatchPosY()) + " " + ColourText(v->GetSensorPatchColour()).toStdString() +
               (v->GetSensorPatchDisable() ? " disabled" : "");
    }
    void MakeDifferent(Ptr& v, const ElementIdSource&) const
    {
        v->SetSensorPatchSize(v->GetSensorPatchSize() + 7);
        v->SetSensorPatchPosX(v->GetSensorPatchPosX() == INT_MAX ? INT_MIN : INT_MAX);
        v->SetSensorPatchPosY(v->GetSensorPatchPosY() - 13);
        v->SetSensorPatchColour(wxColour(1, 2, v->GetSensorPatchColour().Blue() ^ 0xff));
        v->SetSensorPatchDisable(!v->GetSensorPatchDisable());
    }
};

// [{"plugIn": id, "settings": the suite's stream in base64}], one per input plug-in.
struct PlugInSettingsKind : PlainKind<std::map<int, std::string>>
{
    using Value = std::map<int, std::string>;

    void Write(const Value& v, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const auto& [id, bytes] : v)
            array.append(
                QJsonObject{{"plugIn", id},
                            {"settings", QString::fromLatin1(QByteArray(bytes.data(), int(bytes.size())).toBase64())}});
        o[key] = array;
    }
    void Read(Value& v, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        Value read;
        for (JsonFieldReader& entry : f.Objects(key, _("a plug-in's settings"))) {
            const int id = int(entry.Int("plugIn", -1, 0, INT_MAX));
            const wxString text = entry.String("settings");
            if (!entry.Ok()) return;
            const auto decoded =
                QByteArray::fromBase64Encoding(ToQtString(text).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!entry.Has("plugIn") || !decoded) {
                f.Fail(_("a plug-in's settings need the plug-in's id and its settings in base64"));
                return;
            }
            if (!read.emplace(id, decoded.decoded.toStdString()).second) {
                f.Fail(wxString::Format(_("the settings of plug-in %d are given twice"), id));
                return;
            }
        }
        v = read;
    }
    std::string Describe(const Value& v) const
    {
        std::string s;
        for (const auto& [id, bytes] : v)
            s += std::to_string(id) + ":" + QByteArray(bytes.data(), int(bytes.size())).toHex().toStdString() + " ";
        return "[" + s + "]";
    }
    void MakeDifferent(Value& v, const ElementIdSource&) const
    {
        int next = 3000;
        for (const auto& entry : v) next = std::max(next, entry.first + 1);
        v[next] = std::string("\0\1settings\xff", 11);
    }
};

// An experiment that names no input devices runs on the keyboard alone.
IntListKind InputDevicesKind()
{
    IntListKind kind;
    kind.whenAbsent = {kKeyboardInputPlugInID};
    return kind;
}

}  // namespace

const ExperimentFieldTable& VTExperiment::FieldTable()
{
    static const ExperimentFieldTable table(
        nullptr, MakeField<VTExperiment>("errorCodes", &VTExperiment::m_ErrorCodes, ErrorCodesKind()),
        MakeField<VTExperiment>("backgroundColour", &VTExperiment::m_BackgroundColour, ColourKind()),
        MakeField<VTExperiment>("saveData", &VTExperiment::m_SaveDataOptions, SaveDataOptionsKind()),
        MakeField<VTExperiment>("sensorPatch", &VTExperiment::m_SensorPatch, SensorPatchKind()),
        MakeField<VTExperiment>("cloud", &VTExperiment::m_CloudSettings, CloudKind()),
        MakeField<VTExperiment>("inputPlugIns", &VTExperiment::m_InputPlugInIDs, InputDevicesKind()),
        MakeField<VTExperiment>("parameters", &VTExperiment::m_Parameters, ParametersKind()),
        MakeField<VTExperiment>("metadata", &VTExperiment::m_Metadata, MetadataKind()),
        MakeField<VTExperiment>("locked", &VTExperiment::m_Locked, BoolKind()),
        MakeField<VTExperiment>("lockReason", &VTExperiment::m_LockReason, TextKind()),
        MakeField<VTExperiment>("nextIDs", &VTExperiment::m_NextIDs, IdCountersKind()),
        MakeField<VTExperiment>("inputPlugInSettings", &VTExperiment::m_InputPlugInSettings, PlugInSettingsKind()));
    return table;
}

}  // namespace Vantrel
