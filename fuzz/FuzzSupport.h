#pragma once
// What every fuzz target needs before its first input: wx started as a console
// application, HOME and the XDG folders pointed at a scratch folder of its own (so
// files the code under test writes never touch the user's), and a log that keeps
// quiet, since hostile inputs make the code log on nearly every run.

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace FuzzSupport {

// Idempotent; every target calls it at the top of each input.
void Initialise();

// The scratch folder (the HOME of this process), without a trailing separator.
const wxString& ScratchFolder();

// Writes `data` to `name` inside the scratch folder and returns the full path.
wxString WriteScratchFile(const wxString& name, const std::uint8_t* data, std::size_t size);

// Removes a file or a folder tree below the scratch folder; nothing else.
void RemoveScratchPath(const wxString& path);

// Stops the process the way a sanitizer does, so both the fuzzer and the replay
// runner report the input: an invariant of the code under test did not hold.
[[noreturn]] void Fail(const char* what);

}  // namespace FuzzSupport

// The entry point each target defines (libFuzzer's interface).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
