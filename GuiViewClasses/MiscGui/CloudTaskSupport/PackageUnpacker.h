#pragma once
// Unpacks a downloaded experiment package (".zip" or ".tar.gz") into the task folder.

#include <wx/string.h>

namespace Vantrel {

struct UnpackResult
{
    bool ok = false;
    wxString error;  // the message already logged at error level; empty on success
};

// Every entry is checked before anything of it is written (see CheckArchiveEntry);
// nothing is ever written outside `destination`, and no link inside it is followed.
// On any failure the files and folders this call created are removed again, so a
// half-unpacked experiment is never taken for a complete one.
UnpackResult UnpackPackage(const wxString& package, const wxString& destination);

// The panel's entry point: true when the whole package was unpacked.
bool ExtractZip(const wxString& package, const wxString& destination);

}  // namespace Vantrel
