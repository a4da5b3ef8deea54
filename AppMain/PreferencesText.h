#pragma once
// The preferences file's text, judged and cleaned up before the configuration classes
// see it. Those classes build one object per group named in the text, nested as deep
// as a group line's path, and tear them down recursively; an entry is inserted into a
// sorted array, so a long run of keys in reverse order costs quadratic time. The file
// is the user's, but any program can write it, so its size, line count and nesting
// are bounded here, in one pass and without recursion.

#include <wx/string.h>

#include <cstddef>
#include <vector>

namespace Vantrel {

// The program writes a few hundred short lines at most (the file history, window
// places, the last folders and input set) in groups two or three deep; these leave
// room for years of use, and keep the configuration classes' reading (a warning per
// repeated key, an object per group) well within a second.
constexpr std::size_t kMaxPreferencesBytes = 64u << 10;
constexpr std::size_t kMaxPreferencesLines = 500;
constexpr std::size_t kMaxPreferencesGroupDepth = 16;
// The parts of all group lines' paths together: no more groups are ever made.
constexpr std::size_t kMaxPreferencesGroupParts = 1000;

enum class PreferencesVerdict
{
    Readable,
    Unreadable,    // the file could not be opened or read
    TooLarge,      // more than kMaxPreferencesBytes
    TooManyLines,  // more than kMaxPreferencesLines
    TooDeep,       // a group line's path has more than kMaxPreferencesGroupDepth parts
    TooManyGroups  // the group lines' paths have more than kMaxPreferencesGroupParts parts together
};

// Reads at most kMaxPreferencesBytes + 1 bytes of the file at `path` and decodes them
// as the configuration classes do (a byte-order mark chooses the encoding, UTF-8
// otherwise). A missing file reads as empty text.
PreferencesVerdict ReadPreferencesText(const wxString& path, wxString& text);

// Whether the configuration classes can read `text` within the bounds above.
PreferencesVerdict JudgePreferencesText(const wxString& text);

// Why a file with this verdict is not read, as a user reads it ("it is larger than
// 64 KiB"); empty for a readable one.
wxString PreferencesVerdictReason(PreferencesVerdict verdict);

// The lines of `text` as the configuration classes split them (at "\n", "\r\n" or a
// lone "\r"), each with its own ending, so that joining them gives `text` back.
std::vector<wxString> PreferencesLines(const wxString& text);

// The indexes, ascending, of every line that starts with "fileN=" (N = 1..9) after an
// earlier line that starts with the same key. One pass; "file10=" is not "file1=".
std::vector<std::size_t> LaterDuplicateHistoryLines(const std::vector<wxString>& lines);

// `lines` joined without the ones at `drop` (ascending indexes, as above).
wxString JoinedWithout(const std::vector<wxString>& lines, const std::vector<std::size_t>& drop);

}  // namespace Vantrel
