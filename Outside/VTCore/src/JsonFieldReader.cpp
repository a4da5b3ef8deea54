#include "JsonFieldReader.h"

#include <NonPersistentHelpers/VTLinkT.h>
#include <NonPersistentHelpers/WxQtStrings.h>

#include <wx/intl.h>

#include <climits>
#include <cmath>
#include <unordered_set>
#include <utility>

namespace Vantrel {

JsonFieldReader::JsonFieldReader(QJsonObject o, wxString& error, wxString where)
    : m_O(std::move(o)), m_Error(error), m_Where(std::move(where))
{}

bool JsonFieldReader::ToInt(const QJsonValue& v, long long min, long long max, long long& out)
{
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::floor(d) != d || d < double(min) || d > double(max)) return false;
    out = static_cast<long long>(d);
    return true;
}

void JsonFieldReader::Fail(const wxString& what)
{
    if (Ok()) m_Error = m_Where + wxS(": ") + what + wxS(".");
}

long long JsonFieldReader::Int(const char* key, long long def, long long min, long long max)
{
    if (!Ok() || !m_O.contains(key)) return def;
    long long value = def;
    if (!ToInt(m_O.value(key), min, max, value))
        Fail(wxString::Format(_("the field \"%s\" must be a whole number from %lld to %lld"), key, min, max));
    return value;
}

bool JsonFieldReader::Bool(const char* key, bool def)
{
    if (!Ok() || !m_O.contains(key)) return def;
    const QJsonValue v = m_O.value(key);
    if (!v.isBool()) {
        Fail(wxString::Format(_("the field \"%s\" must be true or false"), key));
        return def;
    }
    return v.toBool();
}

wxString JsonFieldReader::String(const char* key, const wxString& def)
{
    if (!Ok() || !m_O.contains(key)) return def;
    const QJsonValue v = m_O.value(key);
    if (!v.isString()) {
        Fail(wxString::Format(_("the field \"%s\" must be a text"), key));
        return def;
    }
    return ToWxString(v.toString());
}

QJsonArray JsonFieldReader::Array(const char* key, int maxEntries)
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

QJsonObject JsonFieldReader::Object(const char* key)
{
    if (!Ok() || !m_O.contains(key)) return QJsonObject();
    const QJsonValue v = m_O.value(key);
    if (!v.isObject()) {
        Fail(wxString::Format(_("the field \"%s\" must be an object"), key));
        return QJsonObject();
    }
    return v.toObject();
}

std::vector<JsonFieldReader> JsonFieldReader::Objects(const char* key, const wxString& entry)
{
    std::vector<JsonFieldReader> readers;
    for (const QJsonValue& v : Array(key)) {
        if (!v.isObject()) {
            Fail(wxString::Format(_("%s must be an object"), entry));
            return {};
        }
        readers.push_back(Child(v.toObject()));
    }
    return readers;
}

std::vector<int> JsonFieldReader::Ints(const char* key, long long min, long long max, const std::vector<int>& def)
{
    if (!Ok() || !m_O.contains(key)) return def;
    std::vector<int> values;
    for (const QJsonValue& v : Array(key)) {
        long long n = 0;
        if (!ToInt(v, min, max, n)) {
            Fail(wxString::Format(_("the list \"%s\" must hold whole numbers from %lld to %lld"), key, min, max));
            return def;
        }
        values.push_back(int(n));
    }
    return values;
}

std::vector<std::uint32_t> JsonFieldReader::IDs(const char* key, const std::vector<std::uint32_t>& def)
{
    if (!Ok() || !m_O.contains(key)) return def;
    std::vector<std::uint32_t> ids;
    for (const QJsonValue& v : Array(key)) {
        long long id = 0;
        if (!ToInt(v, 1, kMaxElementID, id)) {
            Fail(wxString::Format(_("the list \"%s\" must hold element ids"), key));
            return def;
        }
        ids.push_back(std::uint32_t(id));
    }
    return ids;
}

std::vector<wxString> JsonFieldReader::Strings(const char* key, const std::vector<wxString>& def)
{
    if (!Ok() || !m_O.contains(key)) return def;
    std::vector<wxString> strings;
    for (const QJsonValue& v : Array(key)) {
        if (!v.isString()) {
            Fail(wxString::Format(_("the list \"%s\" must hold texts"), key));
            return def;
        }
        strings.push_back(ToWxString(v.toString()));
    }
    return strings;
}

void JsonFieldReader::Links(const char* key, VTLinkT& links)
{
    if (!Ok() || !m_O.contains(key)) return;
    links.RemoveAllElements();
    JsonFieldReader list = Child(Object(key));
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

}  // namespace Vantrel
