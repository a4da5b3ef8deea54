#include "LevelSelectionLayout.h"

#include "TLSPBase.h"

#include <wx/arrstr.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace LevelSelectionLayout {

wxWindow* AddGreyNote(wxWindow* parent, wxSizer* sizer, int id, const wxString& text, int flags)
{
    auto* note = new wxStaticText(parent, id, text);
    note->SetForegroundColour(wxColour(80, 80, 80));
    sizer->Add(note, 0, flags, 0);
    return note;
}

void AddDescription(wxWindow* page, wxSizer* sizer, int id, const wxString& text, int gap)
{
    auto* note = new wxStaticText(page, id, text);
    note->SetForegroundColour(wxColour(80, 80, 80));
    sizer->Add(note, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->AddSpacer(gap);
}

wxArrayString ScopeItems()
{
    wxArrayString items;
    items.Add(_("A new group (between subjects)"));
    items.Add(_("Each experiment (within subjects)"));
    items.Add(_("Each block"));
    items.Add(_("Each trial"));
    return items;
}

RunOrGroupBox AddRunOrGroupBox(wxWindow* page, wxSizer* sizer, const wxString& boxLabel, int runId, int groupId,
                               int noteId)
{
    RunOrGroupBox box;
    auto* staticBox = new wxStaticBox(page, wxID_ANY, boxLabel);
    box.boxSizer = new wxStaticBoxSizer(staticBox, wxVERTICAL);
    sizer->Add(box.boxSizer, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

    box.run =
        new wxRadioButton(page, runId, _("For each experiment run"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    box.run->SetValue(true);
    box.run->SetToolTip(_("Trials will be randomized every time you run the experiment"));
    box.boxSizer->Add(box.run, 0, wxALL, 5);
    box.boxSizer->Add(5, 3, 0);

    box.group = new wxRadioButton(page, groupId, _("Once per group of participants"));
    box.group->SetValue(false);
    box.group->SetToolTip(_("Trials are randomized only once per group.  All participants in the same group will see "
                            "trials in the same randomized order."));
    box.boxSizer->Add(box.group, 0, wxLEFT | wxRIGHT, 5);
    box.boxSizer->Add(5, 3, 0);

    auto* indented = new wxBoxSizer(wxHORIZONTAL);
    indented->Add(23, 5, 0);
    AddGreyNote(page, indented, noteId,
                _("The selected level will be in the same order for all \nparticipants within a group"));
    box.boxSizer->Add(indented, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    return box;
}

void ShowRunOrGroupScope(const RunOrGroupBox& box, int scope)
{
    if (scope == LevelSelection::NewGroup)
        box.group->SetValue(true);
    else if (scope >= LevelSelection::ExperimentRun && scope <= LevelSelection::TrialAndFeedbackRepeat)
        box.run->SetValue(true);
}

int RunOrGroupScope(const RunOrGroupBox& box)
{
    return box.group->GetValue() ? LevelSelection::NewGroup : LevelSelection::ExperimentRun;
}

}  // namespace LevelSelectionLayout
