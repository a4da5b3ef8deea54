#include "AppMain/PreferencesText.h"

#include <wx/convauto.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/intl.h>

#include <algorithm>
#include <array>

namespace Vantrel {

namespace {

bool IsBlank(wxUniChar c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The parts of a path from `at` up to the first `stop` that no backslash escapes (a
// group line's "]", a key's "="), or to `lineEnd`. The configuration classes end a
// name there too and let "." and ".." move within the path, so this is never fewer
// than the groups they nest.
std::size_t PathDepth(wxString::const_iterator at, wxString::const_iterator lineEnd, wxUniChar stop)
{
    std::size_t depth = 0;
    bool inPart = false;
    for (; at != lineEnd; ++at) {
        // An escaped slash still separates (the backslash is dropped before the path
        // is split); an escaped stop does not end the name.
        const bool escapedStop = *at == '\\' && at + 1 != lineEnd && *(at + 1) == stop;
        if (!escapedStop && *at == stop) break;
        if (*at == '/') {
            inPart = false;
            continue;
        }
        if (!inPart) {
            inPart = true;
            ++depth;
        }
        if (escapedStop) ++at;
    }
    return depth;
}

// The end of the line that starts at `start` (before its ending), and where the next
// one starts (after "\n", "\r\n" or a lone "\r").
struct LineSpan
{
    wxString::const_iterator end;
    wxString::const_iterator next;
};

LineSpan LineFrom(wxString::const_iterator start, wxString::const_iterator textEnd)
{
    LineSpan span{start, start};
    while (span.end != textEnd && *span.end != '\n' && *span.end != '\r') ++span.end;
    span.next = span.end;
    if (span.next != textEnd && *span.next == '\r') ++span.next;
    if (span.next != textEnd && *span.next == '\n' && (span.next == span.end || *span.end == '\r')) ++span.next;
    return span;
}

}  // namespace

PreferencesVerdict ReadPreferencesText(const wxString& path, wxString& text)
{
    text.clear();
    if (!wxFileName::FileExists(path)) return PreferencesVerdict::Readable;
    wxFFile file;
    if (!file.Open(path, "rb")) return PreferencesVerdict::Unreadable;
    std::vector<char> bytes(kMaxPreferencesBytes + 1);
    const std::size_t got = file.Read(bytes.data(), bytes.size());
    if (file.Error()) return PreferencesVerdict::Unreadable;
    if (got > kMaxPreferencesBytes) return PreferencesVerdict::TooLarge;
    text = wxString(bytes.data(), wxConvAuto(), got);
    return JudgePreferencesText(text);
}

PreferencesVerdict JudgePreferencesText(const wxString& text)
{
    // A character is never shorter than a byte in any encoding the file may use.
    if (text.length() > kMaxPreferencesBytes) return PreferencesVerdict::TooLarge;
    std::size_t lines = 0, groupParts = 0, groupDepth = 0;
    for (auto start = text.begin(); start != text.end();) {
        const LineSpan line = LineFrom(start, text.end());
        if (++lines > kMaxPreferencesLines) return PreferencesVerdict::TooManyLines;
        auto first = start;
        while (first != line.end && IsBlank(*first)) ++first;
        if (first != line.end && *first == '[') {
            const std::size_t depth = PathDepth(first + 1, line.end, ']');
            if (depth > kMaxPreferencesGroupDepth) return PreferencesVerdict::TooDeep;
            // The deepest so far: a malformed group line leaves the keys after it in
            // the group before.
            groupDepth = std::max(groupDepth, depth);
            groupParts += depth;
            if (groupParts > kMaxPreferencesGroupParts) return PreferencesVerdict::TooManyGroups;
        } else {
            // A key with slashes is a path below its group: reading it by its name
            // makes the groups it names (counted below the deepest group so far, and
            // its last part too, which a trailing slash makes a group).
            auto keyEnd = first;
            while (keyEnd != line.end && *keyEnd != '=') ++keyEnd;
            if (std::find(first, keyEnd, '/') != keyEnd &&
                groupDepth + PathDepth(first, line.end, '=') > kMaxPreferencesGroupDepth)
                return PreferencesVerdict::TooDeep;
        }
        start = line.next;
    }
    return PreferencesVerdict::Readable;
}

wxString PreferencesVerdictReason(PreferencesVerdict verdict)
{
    switch (verdict) {
        case PreferencesVerdict::Readable: return wxString();
        case PreferencesVerdict::Unreadable: return _("it could not be read");
        case PreferencesVerdict::TooLarge:
            return wxString::Format(_("it is larger than %zu KiB"), kMaxPreferencesBytes >> 10);
        case PreferencesVerdict::TooManyLines:
            return wxString::Format(_("it has more than %zu lines"), kMaxPreferencesLines);
        case PreferencesVerdict::TooDeep:
            return wxString::Format(_("a group in it is nested more than %zu deep"), kMaxPreferencesGroupDepth);
        case PreferencesVerdict::TooManyGroups:
            return wxString::Format(_("its group lines name more than %zu groups"), kMaxPreferencesGroupParts);
    }
    return wxString();
}

std::vector<wxString> PreferencesLines(const wxString& text)
{
    std::vector<wxString> lines;
    for (auto start = text.begin(); start != text.end();) {
        const auto next = LineFrom(start, text.end()).next;
        lines.emplace_back(start, next);
        start = next;
    }
    return lines;
}

std::vector<std::size_t> LaterDuplicateHistoryLines(const std::vector<wxString>& lines)
{
    std::array<bool, 10> seen{};
    std::vector<std::size_t> later;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const wxString& line = lines[i];
        if (line.length() < 6 || !line.StartsWith("file") || line[5] != '=') continue;
        const wxUniChar digit = line[4];
        if (digit < '1' || digit > '9') continue;
        bool& keySeen = seen[digit.GetValue() - '0'];
        if (keySeen) later.push_back(i);
        keySeen = true;
    }
    return later;
}

wxString JoinedWithout(const std::vector<wxString>& lines, const std::vector<std::size_t>& drop)
{
    wxString text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (next < drop.size() && drop[next] == i) {
            ++next;
            continue;
        }
        text += lines[i];
    }
    return text;
}

}  // namespace Vantrel
