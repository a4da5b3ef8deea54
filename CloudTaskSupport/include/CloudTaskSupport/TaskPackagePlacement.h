#pragma once
// A task folder's experiment is whole or not there. A package is unpacked into a
// staging folder inside the task folder and moved into place only when all of it
// is unpacked; a marker written last says so. A folder without the marker (the
// program was killed while unpacking, or the experiment would not open) has its
// package content discarded and is downloaded again.
//
// The task folder's own files (information, run-info and data files) are never
// touched here: they hold what the participant's runs produced.

#include "PackageUnpacker.h"
#include "TaskFolderFiles.h"

#include <wx/string.h>

namespace Vantrel {

// True when the task folder holds a package that was unpacked whole.
bool TaskPackageIsComplete(const wxString& taskFolder);

// Removes the marker and everything the package put into the task folder,
// keeping the task folder's own files.
void DiscardTaskPackage(const wxString& taskFolder);

// Discards what an earlier package left, unpacks `package` into a staging folder,
// moves its entries into the task folder and writes the marker. On failure the
// task folder holds no package content and no marker.
UnpackResult PlaceTaskPackage(const wxString& package, const wxString& taskFolder,
                              const UnpackLimits& limits = UnpackLimits());

}  // namespace Vantrel
