#include "AppMain/DnDFile.h"

#include <wx/docview.h>

namespace Vantrel {

bool DnDFile::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files)
{
    for (const wxString& file : files) m_DocManager->CreateDocument(file, wxDOC_SILENT);
    return true;
}

}  // namespace Vantrel
