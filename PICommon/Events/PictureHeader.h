#pragma once
// The size of a picture read from its file's header, before anything decodes it:
// a small file may declare a picture whose pixels would not fit in memory.

#include <wx/string.h>

namespace VantrelSDK {

// Pictures larger than this are refused (a decoded pixel takes 3 to 4 bytes, and a
// scaled copy is made while preparing).
constexpr long long kMaximumPicturePixels = 64LL * 1000 * 1000;

// Reads width and height from the header of a PNG, JPEG, GIF, BMP or TIFF file.
// False when the file is none of these or its header is cut short.
bool ReadPictureSize(const wxString& path, long long& width, long long& height);

// True when the picture may be decoded: its header names a size within the limit.
// Otherwise false with `problem` ("the picture is too large ..." or why its size
// cannot be read).
bool CheckPictureSize(const wxString& path, wxString& problem);

}  // namespace VantrelSDK
