#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"

#include "UserInterface/OrbiskHiddenChoiceControl.h"

#include <wx/arrstr.h>
#include <wx/sizer.h>
#include <wx/validate.h>

namespace Orbisk {

wxIMPLEMENT_DYNAMIC_CLASS(OrbiskChoiceBookWithHiddenCtrl, wxChoicebook);

wxBEGIN_EVENT_TABLE(OrbiskChoiceBookWithHiddenCtrl, wxChoicebook)
    EVT_SET_FOCUS(OrbiskChoiceBookWithHiddenCtrl::OnWindowSetFocus)
    EVT_KILL_FOCUS(OrbiskChoiceBookWithHiddenCtrl::OnWindowKillFocus)
wxEND_EVENT_TABLE()

OrbiskChoiceBookWithHiddenCtrl::OrbiskChoiceBookWithHiddenCtrl() { Init(); }

OrbiskChoiceBookWithHiddenCtrl::OrbiskChoiceBookWithHiddenCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                               const wxSize& size, long style, bool)
{
    Init();
    Create(parent, id, pos, size, style);
}

OrbiskChoiceBookWithHiddenCtrl::~OrbiskChoiceBookWithHiddenCtrl() = default;

bool OrbiskChoiceBookWithHiddenCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                            long style)
{
    SetInternalBorder(0);
    wxChoicebook::Create(parent, id, pos, size, style, wxEmptyString);
    ConcealChoiceControl();
    return true;
}

void OrbiskChoiceBookWithHiddenCtrl::ConcealChoiceControl()
{
    // The base book keeps one selector item per page and selects, renames and
    // deletes them by page index, so a book that already has pages needs their
    // texts in the new selector too. The base reads them from the old selector.
    wxArrayString pageTexts;
    const int selection = GetSelection();
    if (m_bookctrl != nullptr) {
        for (size_t i = 0; i < GetPageCount(); ++i) pageTexts.Add(wxChoicebook::GetPageText(i));
        if (GetControlSizer() != nullptr) GetControlSizer()->Detach(m_bookctrl);
        m_bookctrl->Destroy();
        m_bookctrl = nullptr;
    }
    auto* hidden = new OrbiskHiddenChoiceControl(
        this, wxID_ANY, wxDefaultPosition, wxDefaultSize, static_cast<int>(pageTexts.size()),
        pageTexts.empty() ? nullptr : &pageTexts[0], 0, wxDefaultValidator, wxChoiceNameStr);
    if (selection != wxNOT_FOUND && static_cast<size_t>(selection) < pageTexts.size()) hidden->SetSelection(selection);
    m_bookctrl = hidden;
    hidden->Hide();
}

int OrbiskChoiceBookWithHiddenCtrl::SetSelection(size_t n)
{
    const int previous = GetSelection();
    const int result = wxChoicebook::SetSelection(n);
    if (previous != static_cast<int>(n)) ReturnTheTabFocusToFirstControlOfTheCurrentPanel();
    return result;
}

int OrbiskChoiceBookWithHiddenCtrl::ChangeSelection(size_t n)
{
    const int current = GetSelection();
    if (current == static_cast<int>(n)) return current;
    const int result = wxChoicebook::ChangeSelection(n);
    ReturnTheTabFocusToFirstControlOfTheCurrentPanel();
    return result;
}

int OrbiskChoiceBookWithHiddenCtrl::SetSelection_NoExtraFocusLogic(size_t n) { return wxChoicebook::SetSelection(n); }

void OrbiskChoiceBookWithHiddenCtrl::ReturnTheTabFocusToFirstControlOfTheCurrentPanel()
{
    RecursivelyFindNestedFirstChildForAssigningFocus(GetSelection() != wxNOT_FOUND ? GetCurrentPage() : nullptr);
}

void OrbiskChoiceBookWithHiddenCtrl::RecursivelyFindNestedFirstChildForAssigningFocus(wxWindow* window)
{
    while (window != nullptr) {
        wxWindow* firstAccepting = nullptr;
        for (wxWindow* child : window->GetChildren()) {
            if (child->AcceptsFocus()) {
                firstAccepting = child;
                break;
            }
        }
        if (firstAccepting == nullptr) {
            window->SetFocus();
            return;
        }
        window = firstAccepting;
    }
}

void OrbiskChoiceBookWithHiddenCtrl::OnWindowSetFocus(wxFocusEvent& event)
{
    event.Skip();
    ReturnTheTabFocusToFirstControlOfTheCurrentPanel();
}

void OrbiskChoiceBookWithHiddenCtrl::OnWindowKillFocus(wxFocusEvent& event) { event.Skip(); }

}  // namespace Orbisk
