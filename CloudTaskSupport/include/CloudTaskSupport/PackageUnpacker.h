#pragma once
// Unpacks a downloaded experiment package (".zip" or ".tar.gz") into the task folder.

#include <wx/string.h>

#include <atomic>
#include <cstdint>
#include <functional>

namespace Vantrel {

struct UnpackResult
{
    bool ok = false;
    wxString error;  // the message already logged at error level; empty on success
};

// What a package may unpack to. A few megabytes of archive can expand to
// gigabytes; these bounds stop such a package before it fills the disk.
struct UnpackLimits
{
    std::uint64_t maxTotalBytes = std::uint64_t(4) << 30;  // all entries together
    std::uint32_t maxEntries = 20000;
    // Expansion of one entry over its compressed size, judged once it is past
    // ratioFloorBytes (small files of one repeated byte compress far better).
    std::uint64_t maxRatio = 200;
    std::uint64_t ratioFloorBytes = 1u << 20;
    // Free space left on the destination's disk after unpacking, for the data
    // file that the run will write.
    std::uint64_t headroomBytes = 64u << 20;
    // Free bytes on the disk that holds a path; the file system's own answer unless set.
    std::function<std::uint64_t(const std::string& path)> freeBytes;
    // Set from another thread to stop the unpacking at the next chunk (may be null).
    const std::atomic<bool>* cancel = nullptr;
};

// Every entry is checked before anything of it is written (see CheckArchiveEntry);
// nothing is ever written outside `destination`, and no link inside it is followed.
// On any failure the files and folders this call created are removed again, so a
// half-unpacked experiment is never taken for a complete one.
// Each limit of `limits` that a package passes is refused with its own message.
UnpackResult UnpackPackage(const wxString& package, const wxString& destination,
                           const UnpackLimits& limits = UnpackLimits());

// The panel's entry point: true when the whole package was unpacked.
bool ExtractZip(const wxString& package, const wxString& destination);

}  // namespace Vantrel
