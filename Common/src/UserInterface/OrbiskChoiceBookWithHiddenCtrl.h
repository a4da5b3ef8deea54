#pragma once
// A choice book whose pages are switched by code only: its selector is an
// invisible, zero-size choice control. After a real page change, and whenever the
// book itself gets focus, keyboard focus goes to the first focusable control
// nested in the current page.

#include <wx/choicebk.h>

namespace Orbisk {

class OrbiskChoiceBookWithHiddenCtrl : public wxChoicebook
{
public:
    OrbiskChoiceBookWithHiddenCtrl();
    // The trailing flag is accepted for callers' sake and has no effect.
    OrbiskChoiceBookWithHiddenCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                                   bool unused);
    ~OrbiskChoiceBookWithHiddenCtrl() override;

    // Always returns true.
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0);
    void Init() {}

    // Replaces the book's selector by a hidden one. Also for books made elsewhere;
    // the pages and the current page stay as they are.
    void ConcealChoiceControl();

    // Sends the page-change events; moves the focus when the page really changes.
    int SetSelection(size_t n) override;
    // No events; does nothing at all when n is already selected.
    int ChangeSelection(size_t n) override;
    // The plain selection change with events; the focus stays where it is.
    virtual int SetSelection_NoExtraFocusLogic(size_t n);

    void ReturnTheTabFocusToFirstControlOfTheCurrentPanel();
    // Descends by the first focus-accepting child at every level and focuses the
    // deepest one reached (the window itself when it has none). Null does nothing.
    static void RecursivelyFindNestedFirstChildForAssigningFocus(wxWindow* window);

protected:
    void OnWindowSetFocus(wxFocusEvent& event);
    void OnWindowKillFocus(wxFocusEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(OrbiskChoiceBookWithHiddenCtrl);
};

}  // namespace Orbisk
