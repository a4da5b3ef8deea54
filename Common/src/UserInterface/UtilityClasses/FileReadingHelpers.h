#pragma once
// Reading text files safely.

#include <wx/string.h>

class wxFile;

namespace Orbisk {

// True when the start of the file (its first 1000 bytes or so) decodes as UTF-8;
// a multi-byte sequence cut by the sample's end is dropped. False when the file
// cannot be opened, is empty or begins with a zero byte.
bool CheckIfFileIsValidUTF8(const wxString& path);

// Reads as many bytes as the open file is long into out, converted from the locale's
// encoding. False, with out unchanged, when a read fails or the file ends before its
// length is reached (it shrank while being read, or was not read from its start).
bool ReadAll(wxFile& file, wxString& out);

}  // namespace Orbisk
