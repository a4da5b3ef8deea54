#pragma once
// Files dropped on the main frame are opened as documents.

#include <wx/dnd.h>

class wxDocManager;

namespace Vantrel {

class DnDFile : public wxFileDropTarget
{
public:
    explicit DnDFile(wxDocManager* manager) : m_DocManager(manager) {}
    // Opens each file silently, in list order; one that fails does not stop the rest.
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

private:
    wxDocManager* m_DocManager;
};

}  // namespace Vantrel
