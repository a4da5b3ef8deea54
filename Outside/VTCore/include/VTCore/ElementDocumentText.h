#pragma once
// One element as a document stores it (its envelope and declared fields), as
// compact JSON text: for tools and for tests of the field declarations.

#include <wx/string.h>

namespace Vantrel {

class Minimal_VTElement;

wxString ElementToDocumentText(const Minimal_VTElement& element);
// Reads the element's fields (not its type or id) from such a text; false with
// `error` when the text or a field is malformed.
bool ElementFromDocumentText(Minimal_VTElement& element, const wxString& text, wxString& error);

}  // namespace Vantrel
