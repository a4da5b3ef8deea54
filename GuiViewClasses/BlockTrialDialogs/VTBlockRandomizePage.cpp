#include "VTBlockRandomizePage.h"

#include "PageText.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <GuiViewClasses/GroupDialogs/VTParticipantGroupsDlg.h>
#include <VTCore/VTBlock.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

namespace Vantrel {

namespace {

constexpr int kNoWhen = -1;

// The four explanations: both boxes off, only the first on, both on, both on with
// trials that shuffle their own lists.
enum ExplanationPage
{
    kNotRandomized = 0,
    kTrialsRandomized = 1,
    kAllRandomized = 2,
    kConflict = 3
};

wxPanel* ExplanationPanel(wxWindow* book, wxWindowID id, const wxString& text, bool warning)
{
    auto* panel = new wxPanel(book, id);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    if (warning) sizer->Add(PageText::Picture(panel, "icon_warning_std.png", wxSize(20, 18)), 0, wxRIGHT, 5);
    sizer->Add(PageText::Note(panel, text, PageText::kExplanationGrey, 575), 1, wxEXPAND);
    panel->SetSizer(sizer);
    return panel;
}

}  // namespace

VTBlockRandomizePage::VTBlockRandomizePage(wxWindow* parent, VTExperiment* experiment, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL), m_Experiment(experiment)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* head = new wxBoxSizer(wxHORIZONTAL);
    head->Add(PageText::Picture(this, "icon_randomize.png", wxSize(80, 64)), 0, wxALL, 5);
    auto* boxes = new wxBoxSizer(wxVERTICAL);
    m_RandomizeTrials = new wxCheckBox(this, ID_RANDOMIZE_TRIALS, _("Randomize the trials in this block"));
    m_RandomizeTrials->SetToolTip(_("Turn this option on to randomize trials within this block"));
    m_RandomizeListItems =
        new wxCheckBox(this, ID_RANDOMIZE_LIST_ITEMS, _("Randomize stimulus list items across trials"));
    boxes->Add(m_RandomizeTrials, 0, wxALL, 3);
    boxes->Add(m_RandomizeListItems, 0, wxALL, 3);
    head->Add(boxes, 1, wxEXPAND | wxALL, 5);
    top->Add(head, 0, wxEXPAND);

    m_Explanation = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_EXPLANATION, wxDefaultPosition, wxDefaultSize,
                                                               wxCHB_DEFAULT, false);
    m_Explanation->AddPage(ExplanationPanel(m_Explanation, 10099,
                                            _("Trials are not randomized. If a trial uses one or more stimulus lists, "
                                              "this will result in multiple presentations whose order is determined "
                                              "in the Trial Editor's List Access tab."),
                                            false),
                           _("Both randomization checkboxes are Off"), true);
    m_Explanation->AddPage(ExplanationPanel(m_Explanation, 10001,
                                            _("Trials are randomized. If a trial uses one or more stimulus lists, this "
                                              "will result in multiple presentations whose order is determined in the "
                                              "Trial Editor's List Access tab."),
                                            false),
                           _("Only first checkbox is On"));
    m_Explanation->AddPage(ExplanationPanel(m_Explanation, 10002, _("Trials are randomized."), false),
                           _("Both randmization checkboxes are On"));
    m_Explanation->AddPage(ExplanationPanel(m_Explanation, 10003,
                                            _("These randomization settings conflict with those in the Trial Editor's "
                                              "List Access tab for some of the trials."),
                                            true),
                           _("Randomization conflict"));
    top->Add(m_Explanation, 0, wxEXPAND | wxALL, 5);

    auto* whenSizer = new wxStaticBoxSizer(wxVERTICAL, this, _("When to Randomize:"));
    wxStaticBox* box = whenSizer->GetStaticBox();
    wxRadioButton* once = m_When.Add(box, ID_ONCE_PER_RUN, _("Only once per experiment run"), 62);
    once->SetToolTip(_("Trials will be randomized every time you run the experiment"));
    wxRadioButton* every = m_When.Add(box, ID_EVERY_PRESENTATION, _("Every time the block is presented"), 63);
    every->SetToolTip(_("Trials will be randomized every time the block is presented.  This is the same as \"Once per "
                        "group of participants\" unless a conditional branching action forces the block to be "
                        "presented again."));
    wxRadioButton* group = m_When.Add(box, ID_PER_GROUP, _("Once per group of participants"), 61);
    group->SetToolTip(_("Trials are randomized only once per group.  All participants in the same group will see "
                        "trials in the same randomized order."));
    m_When.Close(box);
    whenSizer->Add(once, 0, wxALL, 3);
    whenSizer->Add(PageText::Note(box, _("The same randomized sequence will be used if block is repeated"),
                                  PageText::kExplanationGrey),
                   0, wxLEFT | wxBOTTOM, 20);
    whenSizer->Add(every, 0, wxALL, 3);
    whenSizer->Add(
        PageText::Note(box, _("Trials will be randomized again if the block is repeated due to a rule or looping"),
                       PageText::kExplanationGrey, -1, 10058),
        0, wxLEFT | wxBOTTOM, 20);
    auto* groupLine = new wxBoxSizer(wxHORIZONTAL);
    groupLine->Add(group, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    m_Groups = new wxButton(box, ID_GROUPS, _("Groups..."));
    groupLine->Add(m_Groups, 0, wxLEFT, 10);
    whenSizer->Add(groupLine);
    whenSizer->Add(
        PageText::Note(box, _("Trial presentation will be in the same order for all participants\nwithin a group"),
                       PageText::kExplanationGrey, -1, 10060),
        0, wxLEFT | wxBOTTOM, 20);
    top->Add(whenSizer, 0, wxEXPAND | wxALL, 5);
    SetSizer(top);

    m_RandomizeTrials->Bind(wxEVT_CHECKBOX, &VTBlockRandomizePage::OnCheckboxChangeRandomizeOnOff, this);
    m_RandomizeListItems->Bind(wxEVT_CHECKBOX, &VTBlockRandomizePage::OnCheckboxSubRandomizeOnOff, this);
    m_Groups->Bind(wxEVT_UPDATE_UI, &VTBlockRandomizePage::OnUpdateRandomizePerGroup, this);
    m_Groups->Bind(wxEVT_BUTTON, &VTBlockRandomizePage::OnEditGroups, this);
    // The radios change what "Groups..." offers at once, not only at the next idle time.
    for (wxRadioButton* radio : {once, every, group})
        radio->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { SetEnablednessLowerRandOptions(RandomizesTrials()); });
    SetEnablednessLowerRandOptions(false);
    SetVisibilityForRandomizationConflictsMessage();
}

void VTBlockRandomizePage::LoadFrom(const VTBlock& block)
{
    m_RandomizeTrials->SetValue(block.GetRandomizeTrials());
    m_RandomizeListItems->SetValue(block.GetListJumblingSetting());
    // A code that matches no radio shows none of them on, never the previous block's.
    m_When.Select(block.GetRandomizeTrialsWhen());
    SetEnablednessLowerRandOptions(block.GetRandomizeTrials());
    m_Conflicts.Clear();
    block.GetListOfTrialsUsingListAccessRandomization(m_Conflicts);
    SetVisibilityForRandomizationConflictsMessage();
}

void VTBlockRandomizePage::WriteTo(VTBlock& block) const
{
    block.SetRandomizeTrials(m_RandomizeTrials->GetValue());
    block.SetJumbleStimListsTogether(m_RandomizeListItems->GetValue());
    block.SetRandomizeTrialsWhen(m_When.SelectedCode(kNoWhen));
}

void VTBlockRandomizePage::SetEnablednessLowerRandOptions(bool on)
{
    m_When.Enable(on);
    m_RandomizeListItems->Enable(on);
    m_Groups->Enable(on && m_When.SelectedCode(kNoWhen) == 61);
}

void VTBlockRandomizePage::SetVisibilityForRandomizationConflictsMessage()
{
    int page = kNotRandomized;
    if (m_RandomizeTrials->GetValue())
        page = !m_RandomizeListItems->GetValue() ? kTrialsRandomized : m_Conflicts.empty() ? kAllRandomized : kConflict;
    m_Explanation->SetSelection(size_t(page));
}

void VTBlockRandomizePage::ForgetConflictingTrials()
{
    m_Conflicts.Clear();
    SetVisibilityForRandomizationConflictsMessage();
}

int VTBlockRandomizePage::GetExplanationPage() const { return m_Explanation->GetSelection(); }

bool VTBlockRandomizePage::RandomizesTrials() const { return m_RandomizeTrials->GetValue(); }

void VTBlockRandomizePage::OnCheckboxChangeRandomizeOnOff(wxCommandEvent&)
{
    SetEnablednessLowerRandOptions(m_RandomizeTrials->GetValue());
    SetVisibilityForRandomizationConflictsMessage();
}

void VTBlockRandomizePage::OnCheckboxSubRandomizeOnOff(wxCommandEvent&)
{
    SetVisibilityForRandomizationConflictsMessage();
}

void VTBlockRandomizePage::OnUpdateRandomizePerGroup(wxUpdateUIEvent& event)
{
    event.Enable(m_RandomizeTrials->GetValue() && m_When.SelectedCode(kNoWhen) == 61);
}

void VTBlockRandomizePage::OnEditGroups(wxCommandEvent&)
{
    if (!m_Experiment) return;
    VTParticipantGroupsDlg dialog(wxGetTopLevelParent(this), m_Experiment);
    dialog.ShowModal();
}

}  // namespace Vantrel
