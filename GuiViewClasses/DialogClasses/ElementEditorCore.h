#pragma once
// The steps that both element editor bases (the XRC one and the code-built one)
// take the same way, written once over the element base class.

#include <wx/string.h>

#include <memory>

class wxBookCtrlBase;
class wxTextCtrl;
class wxWindow;

namespace Vantrel {

class IVTListCtrl;
class Minimal_VTElement;
class VTExperiment;

namespace ElementEditorCore {

// The adapter over the list that launched an editor: a list view, or any window
// with items (a control with items, an HTML list box). Anything else (or no window) logs "Error with list items in base
// dialog." and throws VantrelSDK::VTException: an editor without its list cannot work.
std::shared_ptr<IVTListCtrl> MakeListAdapterOrThrow(wxWindow* listWindow);

// An editor needs the experiment it edits: logs and throws VantrelSDK::VTException without one.
void RequireExperiment(const VTExperiment* experiment);

// The element kept in `row`; null when the row is -1 or carries no element.
Minimal_VTElement* ElementOfRow(const IVTListCtrl& list, int row);
// The same, for an editor that must have one: logs "Error with list items in base
// dialog." and throws VantrelSDK::VTException when there is none.
Minimal_VTElement* ElementOfRowOrThrow(const IVTListCtrl& list, int row);

// Previous/next move the list's selection, which only a list view can do.
bool ListAllowsNavigation(const IVTListCtrl* list);
// Moves the list view's selection one row; the new row (kept within the rows).
int MoveListSelection(IVTListCtrl& list, bool next);

// Inserts the row of a committed new element at `index` (-1: at the end) with the
// element's address as its data; the index used. The selection is left alone.
int InsertElementRow(IVTListCtrl& list, int index, Minimal_VTElement& element);

// Hands a new element to the experiment's list of its type at `index` (-1: at
// the end). False, with an error logged and the element still the caller's, when
// the list refuses it.
bool AddElementToExperiment(VTExperiment& experiment, Minimal_VTElement& element, int index);

// The original takes over every setting of the working copy and is no longer
// marked as a working copy.
void WriteBack(Minimal_VTElement& original, const Minimal_VTElement& workingCopy);

// Cleans the name in the control (line breaks, tabs, bells and backspaces become
// blanks, without a change notification) and asks the experiment whether the name
// may be used; the experiment shows its own message when it may not, and the focus
// goes to the name. Without experiment, control or working copy the check fails
// with "Please double-check the name of this item. ..." logged.
bool CheckNameInControl(VTExperiment* experiment, wxTextCtrl* nameControl, const Minimal_VTElement* workingCopy,
                        const Minimal_VTElement* original);

// OK is offered while the name holds something other than white space.
bool NameAllowsCommit(const wxString& name);

// Enables or disables each page of the book and each page's direct children.
void EnableBookPages(wxBookCtrlBase* book, bool enable);

// Finds a control of a dialog laid out by a resource: by window name first, then
// by the resource identifier of that name.
wxWindow* FindByXrcName(wxWindow* dialog, const wxString& name);

// The name text an update handler acted on last. Update-UI events arrive
// constantly, so the handlers act only when the text changed; an editor that is
// (re)initialised forgets the text, so its first update always acts.
class NameSeen
{
public:
    // True (and remembers the text) when the text differs from the last one seen.
    bool Changed(const wxString& text);
    void Forget() { m_Known = false; }

private:
    bool m_Known = false;
    wxString m_Text;
};

}  // namespace ElementEditorCore
}  // namespace Vantrel
