#include "TaskPackagePlacement.h"

#include "ArchiveEntryCheck.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace Vantrel {

namespace {

constexpr const char* kStagingFolder = ".unpacking";

fs::path ToPath(const wxString& folder) { return fs::path(std::string(folder.fn_str())); }

bool IsKeptTaskFile(const fs::path& entry)
{
    const wxString name = wxString(entry.filename().string().c_str(), wxConvFile);
    return name != kTaskPackageMarker && NamesATaskFolderFile(name);
}

bool WriteMarker(const fs::path& folder)
{
    const fs::path temporary = folder / (std::string(kTaskPackageMarker) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "complete\n";
        out.flush();
        if (!out) return false;
    }
    std::error_code error;
    fs::rename(temporary, folder / kTaskPackageMarker, error);
    return !error;
}

}  // namespace

bool TaskPackageIsComplete(const wxString& taskFolder)
{
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(ToPath(taskFolder) / kTaskPackageMarker, error));
}

void DiscardTaskPackage(const wxString& taskFolder)
{
    const fs::path folder = ToPath(taskFolder);
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(folder, error))) return;
    // The marker goes first, so that a discard cut short never leaves a folder that
    // reads as complete.
    fs::remove(folder / kTaskPackageMarker, error);
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (!IsKeptTaskFile(it->path())) doomed.push_back(it->path());
    for (const fs::path& entry : doomed) {
        fs::remove_all(entry, error);  // never follows a link: a link itself is removed
        if (error) wxLogWarning(_("Could not remove '%s' from the task folder: %s"), entry.string(), error.message());
    }
}

UnpackResult PlaceTaskPackage(const wxString& package, const wxString& taskFolder, const UnpackLimits& limits)
{
    DiscardTaskPackage(taskFolder);
    const fs::path folder = ToPath(taskFolder);
    const fs::path staging = folder / kStagingFolder;
    UnpackResult result = UnpackPackage(package, wxString(staging.string().c_str(), wxConvFile), limits);
    std::error_code error;
    if (result.ok) {
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(staging, error), end; !error && it != end; it.increment(error))
            entries.push_back(it->path());
        for (const fs::path& entry : entries) {
            if (error) break;
            fs::rename(entry, folder / entry.filename(), error);
        }
        if (error || !WriteMarker(folder)) {
            result.ok = false;
            result.error = wxString::Format(_("Couldn't create the file '%s'."),
                                            wxString((folder / kTaskPackageMarker).string().c_str(), wxConvFile));
            wxLogVerbose("%s (%s)", result.error, error.message());
        }
    }
    fs::remove_all(staging, error);
    if (!result.ok) DiscardTaskPackage(taskFolder);
    return result;
}

}  // namespace Vantrel
