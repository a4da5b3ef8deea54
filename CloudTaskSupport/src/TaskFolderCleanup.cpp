#include "TaskFolderCleanup.h"

#include "PackageName.h"

#include <filesystem>
#include <system_error>

namespace Vantrel {

namespace {

std::filesystem::path ToPath(const wxString& path)
{
    const wxCharBuffer buffer = path.fn_str();
    return std::filesystem::path(buffer.data() ? buffer.data() : "");
}

bool RemoveIfPresent(const std::filesystem::path& path, bool recursive)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return true;
    if (recursive)
        std::filesystem::remove_all(path, error);
    else
        std::filesystem::remove(path, error);
    return !error && !std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

bool TaskFolderMayBeRemoved(const DataSafetyFacts& facts)
{
    if (facts.keepRequested) return false;
    if (!facts.dataFileExists) return true;
    return facts.uploaded || (facts.emailSent && facts.desktopCopyVerified);
}

bool CleanUpTaskFiles(const wxString& taskFolder, bool removeFolder)
{
    bool clean = RemoveIfPresent(ToPath(ZipPackagePath(taskFolder)), false);
    clean = RemoveIfPresent(ToPath(TarGzPackagePath(taskFolder)), false) && clean;
    if (removeFolder) clean = RemoveIfPresent(ToPath(taskFolder), true) && clean;
    return clean;
}

}  // namespace Vantrel
