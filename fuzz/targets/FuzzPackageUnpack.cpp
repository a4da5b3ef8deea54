// A downloaded experiment package unpacked into a task folder under small limits.
// The first byte picks the package kind (zip, tar.gz, tar); the rest is the package.
// Whatever the package holds, nothing may appear outside the destination, nothing
// inside it may be a link, a failure must take back everything it created, and the
// limits must hold.

#include "FuzzSupport.h"

#include "CloudTaskSupport/PackageUnpacker.h"

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMaxTotalBytes = 256 * 1024;
constexpr std::uint32_t kMaxEntries = 64;

Vantrel::UnpackLimits SmallLimits()
{
    Vantrel::UnpackLimits limits;
    limits.maxTotalBytes = kMaxTotalBytes;
    limits.maxEntries = kMaxEntries;
    limits.maxRatio = 50;
    limits.ratioFloorBytes = 16 * 1024;
    limits.headroomBytes = 0;
    limits.freeBytes = [](const std::string&) { return std::uint64_t(1) << 40; };
    return limits;
}

// Walks the destination without following links: the count of entries and bytes.
void CheckUnpacked(const fs::path& destination, bool ok)
{
    std::error_code error;
    std::uint64_t bytes = 0;
    std::uint32_t entries = 0;
    if (fs::exists(fs::symlink_status(destination, error))) {
        for (auto it = fs::recursive_directory_iterator(destination, error); it != fs::recursive_directory_iterator();
             it.increment(error)) {
            const fs::file_status status = it->symlink_status(error);
            if (fs::is_symlink(status)) FuzzSupport::Fail("the unpacked package holds a link");
            if (!fs::is_directory(status) && !fs::is_regular_file(status))
                FuzzSupport::Fail("the unpacked package holds something other than files and folders");
            if (fs::is_regular_file(status)) bytes += fs::file_size(it->path(), error);
            ++entries;
        }
    }
    if (!ok && entries > 0) FuzzSupport::Fail("a failed unpacking left files behind");
    if (bytes > kMaxTotalBytes) FuzzSupport::Fail("the unpacked files exceed the total limit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 1) return 0;
    static const char* const kNames[] = {"package.zip", "package.tar.gz", "package.tar"};
    const fs::path sandbox = (FuzzSupport::ScratchFolder() + "/unpack").utf8_string();
    std::error_code error;
    fs::remove_all(sandbox, error);
    fs::create_directories(sandbox / "task", error);
    const wxString package = wxString::FromUTF8((sandbox / kNames[data[0] % 3]).string());
    {
        const wxString written =
            FuzzSupport::WriteScratchFile("unpack/" + wxString(kNames[data[0] % 3]), data + 1, size - 1);
        if (written != package) FuzzSupport::Fail("the package was not written where expected");
    }
    const fs::path destination = sandbox / "task" / "42";
    const Vantrel::UnpackResult result =
        Vantrel::UnpackPackage(package, wxString::FromUTF8(destination.string()), SmallLimits());
    if (!result.ok && result.error.empty()) FuzzSupport::Fail("a failed unpacking gave no message");
    CheckUnpacked(destination, result.ok);
    // Only the package and the task folder may be in the sandbox afterwards.
    for (const auto& entry : fs::directory_iterator(sandbox, error))
        if (entry.path() != fs::path(package.utf8_string()) && entry.path() != sandbox / "task")
            FuzzSupport::Fail("the unpacking wrote outside the task folder");
    for (const auto& entry : fs::directory_iterator(sandbox / "task", error))
        if (entry.path() != destination) FuzzSupport::Fail("the unpacking wrote beside the destination");
    fs::remove_all(sandbox, error);
    return 0;
}
