#include "PackageName.h"

#include <wx/intl.h>

namespace Vantrel {

wxString ZipPackagePath(const wxString& taskFolder) { return wxString::Format(_("%s.zip"), taskFolder); }
wxString TarGzPackagePath(const wxString& taskFolder) { return wxString::Format(_("%s.tar.gz"), taskFolder); }

wxString PackagePathForVersion(const wxString& taskFolder, const wxString& version)
{
    wxString digits;
    for (const wxUniChar c : version)
        if (c >= '0' && c <= '9') digits += c;
    unsigned long number = 0;
    const bool readable = !digits.empty() && digits.length() <= 9 && digits.ToULong(&number);
    if (readable && number < 652) return ZipPackagePath(taskFolder);
    return TarGzPackagePath(taskFolder);
}

}  // namespace Vantrel
