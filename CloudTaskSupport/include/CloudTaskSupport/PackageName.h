#pragma once
// The package file of a task: beside the task folder, ".zip" or ".tar.gz" by the
// version of the program that made the experiment.

#include <wx/string.h>

namespace Vantrel {

// Digits of the version below 652 give ".zip", otherwise ".tar.gz". A version
// without digits, or with more than fit a number, gets ".tar.gz", the format
// every current authoring program writes.
wxString PackagePathForVersion(const wxString& taskFolder, const wxString& version);

// Both package names a task folder can have, for the clean-up.
wxString ZipPackagePath(const wxString& taskFolder);
wxString TarGzPackagePath(const wxString& taskFolder);

}  // namespace Vantrel
