#pragma once
// Reads typed fields of one JSON object of a document. The first problem is kept
// in the shared error text ("Element 4 (trial, id 9): the field ...") and later
// reads do nothing, so callers check once at the end.

#include <VTCore/VTElementType.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <wx/string.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace Vantrel {

class VTLinkT;

class JsonFieldReader
{
public:
    // Entries of one list (links, list items, levels, parameters) at most.
    static constexpr int kMaxEntriesPerList = 100000;

    JsonFieldReader(QJsonObject o, wxString& error, wxString where);
    JsonFieldReader Child(const QJsonObject& o) const { return JsonFieldReader(o, m_Error, m_Where); }

    bool Ok() const { return m_Error.empty(); }
    bool Has(const char* key) const { return m_O.contains(key); }
    const wxString& Where() const { return m_Where; }

    long long Int(const char* key, long long def, long long min, long long max);
    int Int32(const char* key, int def) { return int(Int(key, def, INT_MIN, INT_MAX)); }
    bool Bool(const char* key, bool def);
    wxString String(const char* key, const wxString& def = wxString());
    QJsonArray Array(const char* key, int maxEntries = kMaxEntriesPerList);
    QJsonObject Object(const char* key);
    // A list of objects, each as a reader of its own; an entry that is not an
    // object fails with `entry` named ("a list item must be an object").
    std::vector<JsonFieldReader> Objects(const char* key, const wxString& entry);
    // Ids of elements, each from 1 to kMaxElementID.
    std::vector<std::uint32_t> IDs(const char* key, const std::vector<std::uint32_t>& def = {});
    std::vector<wxString> Strings(const char* key, const std::vector<wxString>& def = {});
    std::vector<int> Ints(const char* key, long long min, long long max, const std::vector<int>& def = {});
    // Replaces the entries of `links` with the document's; unresolved, checked later.
    void Links(const char* key, VTLinkT& links);

    void Fail(const wxString& what);
    // A whole number within [min, max].
    static bool ToInt(const QJsonValue& v, long long min, long long max, long long& out);

private:
    QJsonObject m_O;
    wxString& m_Error;
    wxString m_Where;
};

}  // namespace Vantrel
