#pragma once
// Layout pieces the level-selection pages share: the grey description at the
// top, the scope items of the sequential and random-without-replacement pages,
// and the run-or-group radio box of the random-with-replacement and manual pages.

#include <wx/string.h>

class wxArrayString;
class wxRadioButton;
class wxSizer;
class wxWindow;

namespace LevelSelectionLayout {

// The grey description of two lines with its border, then a spacer of `gap` pixels.
void AddDescription(wxWindow* page, wxSizer* sizer, int id, const wxString& text, int gap);

// "A new group (between subjects)" ... "Each trial": the item index is the scope.
wxArrayString ScopeItems();

// A grey note (colour 80, 80, 80).
wxWindow* AddGreyNote(wxWindow* parent, wxSizer* sizer, int id, const wxString& text, int flags = 0);

// The radio buttons of the random-with-replacement and manual pages, with the
// box around them; "For each experiment run" starts selected.
struct RunOrGroupBox
{
    wxSizer* boxSizer = nullptr;
    wxRadioButton* run = nullptr;
    wxRadioButton* group = nullptr;
};
RunOrGroupBox AddRunOrGroupBox(wxWindow* page, wxSizer* sizer, const wxString& boxLabel, int runId, int groupId,
                               int noteId);

// Scope 0 selects "Once per group of participants", 1 to 4 "For each experiment
// run"; any other value leaves both as they are.
void ShowRunOrGroupScope(const RunOrGroupBox& box, int scope);
// 0 for the group button, otherwise 1.
int RunOrGroupScope(const RunOrGroupBox& box);

}  // namespace LevelSelectionLayout
