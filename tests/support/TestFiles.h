#pragma once
// Whole-file reading and writing for tests, benchmarks and the local doubles.
// Overloads, so that any kind of path a test holds can be given
// (std::filesystem::path converts to std::string).

#include <wx/string.h>

#include <string>

namespace TestSupport {

// The whole file as bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
std::string ReadWholeFile(const wxString& path);
std::string ReadWholeFile(const char* path);

// Replaces the file's content with `bytes` at once (a temporary file beside it is
// renamed over it, so a reader never sees half of it); false when it failed.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool WriteWholeFile(const wxString& path, const std::string& bytes);
bool WriteWholeFile(const char* path, const std::string& bytes);

}  // namespace TestSupport
