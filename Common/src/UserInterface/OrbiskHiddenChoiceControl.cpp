#include "UserInterface/OrbiskHiddenChoiceControl.h"

#include <wx/dcclient.h>

namespace Orbisk {

wxIMPLEMENT_CLASS(OrbiskHiddenChoiceControl, wxChoice);

wxBEGIN_EVENT_TABLE(OrbiskHiddenChoiceControl, wxChoice)
    EVT_ERASE_BACKGROUND(OrbiskHiddenChoiceControl::OnErase)
    EVT_PAINT(OrbiskHiddenChoiceControl::OnPaint)
wxEND_EVENT_TABLE()

OrbiskHiddenChoiceControl::OrbiskHiddenChoiceControl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                     const wxSize& size, int n, const wxString choices[], long style,
                                                     const wxValidator& validator, const wxString& name)
{
    wxChoice::Create(parent, id, pos, size, n, choices, style, validator, name);
}

OrbiskHiddenChoiceControl::~OrbiskHiddenChoiceControl() = default;

wxSize OrbiskHiddenChoiceControl::GetMinSize() const { return wxSize(0, 0); }

wxSize OrbiskHiddenChoiceControl::GetMaxSize() const { return wxSize(0, 0); }

wxSize OrbiskHiddenChoiceControl::DoGetBestSize() const { return wxSize(0, 0); }

void OrbiskHiddenChoiceControl::OnErase(wxEraseEvent&) {}

void OrbiskHiddenChoiceControl::OnPaint(wxPaintEvent&) { wxPaintDC dc(this); }

}  // namespace Orbisk
