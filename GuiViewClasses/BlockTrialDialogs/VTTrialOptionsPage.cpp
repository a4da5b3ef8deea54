#include "VTTrialOptionsPage.h"

#include "BlockTrialValueText.h"
#include "PageText.h"

#include <GuiViewClasses/GroupDialogs/VTParticipantGroupsDlg.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTrial.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/textctrl.h>

#include <climits>

namespace Vantrel {

namespace {

// The event-shuffling choice, in its order.
constexpr int kWhenCodes[] = {62, 63, 61};
constexpr int kPerGroupIndex = 2;

int WhenIndex(int code)
{
    for (int i = 0; i < 3; ++i)
        if (kWhenCodes[i] == code) return i;
    return wxNOT_FOUND;
}

}  // namespace

VTTrialOptionsPage::VTTrialOptionsPage(wxWindow* parent, VTExperiment* experiment, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL), m_Experiment(experiment)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* restarts = new wxStaticBoxSizer(wxVERTICAL, this, _("When Trial is Restarted Due to Feedback:"));
    wxStaticBox* restartBox = restarts->GetStaticBox();
    auto* limitLine = new wxBoxSizer(wxHORIZONTAL);
    m_LimitRestarts = new wxCheckBox(restartBox, ID_LIMIT_RESTARTS, _("Limit the number of restarts to"));
    m_RestartLimit = new wxTextCtrl(restartBox, ID_RESTART_LIMIT, wxString(), wxDefaultPosition, wxSize(50, -1), 0,
                                    PageText::WholeNumberValidator());
    limitLine->Add(m_LimitRestarts, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    limitLine->Add(m_RestartLimit, 0, wxALIGN_CENTER_VERTICAL);
    restarts->Add(limitLine, 0, wxALL, 3);
    m_NewLevel = new wxCheckBox(restartBox, ID_NEW_LEVEL, _("If using trial variables, get a new level every time"));
    restarts->Add(m_NewLevel, 0, wxALL, 3);
    restarts->Add(PageText::Note(restartBox, _("The same trial levels will be used unless this option is checked"),
                                 PageText::kNoteGrey),
                  0, wxLEFT | wxBOTTOM, 20);
    top->Add(restarts, 0, wxEXPAND | wxALL, 5);

    auto* pacing = new wxStaticBoxSizer(wxVERTICAL, this, _("Trial Pacing:"));
    wxStaticBox* pacingBox = pacing->GetStaticBox();
    pacing->Add(
        PageText::Note(pacingBox, _("Useful for sequencing trials in fMRI and EEG Experiments."), PageText::kNoteGrey),
        0, wxALL, 3);
    auto* pacingLine = new wxBoxSizer(wxHORIZONTAL);
    m_Pacing = new wxCheckBox(pacingBox, ID_PACING, _("Present next trial"));
    m_StartPeriod = new wxTextCtrl(pacingBox, ID_START_PERIOD, wxString(), wxDefaultPosition, wxSize(75, -1));
    pacingLine->Add(m_Pacing, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    pacingLine->Add(m_StartPeriod, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    pacingLine->Add(new wxStaticText(pacingBox, ID_START_PERIOD_LABEL, _("milliseconds after this trial has started")),
                    0, wxALIGN_CENTER_VERTICAL);
    pacing->Add(pacingLine, 0, wxALL, 3);
    pacing->Add(PageText::Note(pacingBox, _("This does not provide a hard stop. For more information on sequencing"),
                               PageText::kNoteGrey),
                0, wxLEFT, 20);
    auto* linkLine = new wxBoxSizer(wxHORIZONTAL);
    linkLine->Add(
        PageText::Note(pacingBox, _("and synchronizing trial presentation with fMRI, see this "), PageText::kNoteGrey));
    linkLine->Add(new wxHyperlinkCtrl(pacingBox, ID_SUPPORT_NOTE, _("support note"),
                                      "https://support.studystation.example/trial-pacing/fmri"));
    linkLine->Add(new wxStaticText(pacingBox, wxID_STATIC, "."));
    pacing->Add(linkLine, 0, wxLEFT | wxBOTTOM, 20);
    top->Add(pacing, 0, wxEXPAND | wxALL, 5);

    top->Add(new wxStaticLine(this, ID_LINE), 0, wxEXPAND | wxALL, 5);
    auto* shuffleLine = new wxBoxSizer(wxHORIZONTAL);
    m_RandomizeEvents = new wxCheckBox(this, ID_RANDOMIZE_EVENTS, _("Randomize events in this trial"));
    m_When = new wxChoice(this, ID_WHEN);
    m_When->Append(_("Only once per experiment run"));
    m_When->Append(_("Every time the trial is presented"));
    m_When->Append(_("Once per group of participants"));
    m_Groups = new wxButton(this, ID_GROUPS, _("Groups..."));
    shuffleLine->Add(m_RandomizeEvents, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    shuffleLine->Add(m_When, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    shuffleLine->Add(m_Groups, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(shuffleLine, 0, wxALL, 5);
    m_ExceptFirst = new wxCheckBox(this, ID_EXCEPT_FIRST, _("Except the first one"));
    m_ExceptFirst->SetToolTip(_("Turn this option on to prevent the first event in the trial, e.g. a cue, from being "
                                "included in the randomization"));
    m_ExceptLast = new wxCheckBox(this, ID_EXCEPT_LAST, _("Except the last one"));
    m_ExceptLast->SetToolTip(_("Turn this option on to prevent the last event in the trial, e.g. a mask, from being "
                               "included in the randomization"));
    top->Add(m_ExceptFirst, 0, wxLEFT, 25);
    top->Add(m_ExceptLast, 0, wxLEFT | wxTOP, 25);
    top->Add(PageText::Note(this,
                            _("Randomizing events within a trial is a feature that is useful only to a small number of "
                              "experiments. If your intention is to randomize trials, you can do so in the List Access "
                              "tab or at the block level."),
                            PageText::kNoteGrey, 600),
             0, wxALL, 5);
    SetSizer(top);

    m_RandomizeEvents->Bind(wxEVT_CHECKBOX, &VTTrialOptionsPage::OnUpdateRandomize, this);
    m_ExceptFirst->Bind(wxEVT_CHECKBOX, &VTTrialOptionsPage::OnUpdateRandomize, this);
    m_Groups->Bind(wxEVT_UPDATE_UI, &VTTrialOptionsPage::OnUpdateRandomizePerGroup, this);
    m_Groups->Bind(wxEVT_BUTTON, &VTTrialOptionsPage::OnEditGroups, this);
    m_When->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { UpdateRandomizationControls(); });
    UpdateRandomizationControls();
}

void VTTrialOptionsPage::UpdateRandomizationControls()
{
    const bool on = m_RandomizeEvents->GetValue();
    m_ExceptFirst->Enable(on);
    m_ExceptLast->Enable(on);
    m_ExceptLast->SetLabel(m_ExceptFirst->GetValue() ? _("...and the last one") : _("Except the last one"));
    m_When->Enable(on);
    m_Groups->Enable(on && m_When->GetSelection() == kPerGroupIndex);
}

bool VTTrialOptionsPage::RandomizesEvents() const { return m_RandomizeEvents->GetValue(); }

void VTTrialOptionsPage::OnUpdateRandomize(wxCommandEvent&) { UpdateRandomizationControls(); }

void VTTrialOptionsPage::OnUpdateRandomizePerGroup(wxUpdateUIEvent& event)
{
    event.Enable(m_RandomizeEvents->GetValue() && m_When->GetSelection() == kPerGroupIndex);
}

void VTTrialOptionsPage::OnEditGroups(wxCommandEvent&)
{
    if (!m_Experiment) return;
    VTParticipantGroupsDlg dialog(wxGetTopLevelParent(this), m_Experiment);
    if (dialog.ShowModal() == wxID_OK) m_Experiment->Modify(true);
}

void VTTrialOptionsPage::LoadFrom(const VTTrial& trial)
{
    m_Pacing->SetValue(trial.UsingTrialSync());
    m_StartPeriod->ChangeValue(wxString::Format("%d", trial.GetStartPeriod()));
    m_RandomizeEvents->SetValue(trial.GetRandomizeEvents());
    // A code that matches no entry shows none, never the previous trial's.
    m_When->SetSelection(WhenIndex(trial.GetRandomizeEventsWhen()));
    m_ExceptFirst->SetValue(trial.m_ExcludeFirstEventFromRandomization);
    m_ExceptLast->SetValue(trial.m_ExcludeLastEventFromRandomization);
    UpdateRandomizationControls();
    m_LimitRestarts->SetValue(trial.GetLimitOfRepeatsDueToFeedbackFlag());
    m_RestartLimit->ChangeValue(wxString::Format("%u", trial.GetLimitOfRepeatsDueToFeedback()));
    m_NewLevel->SetValue(trial.m_GetNewLevelOnRestart);
}

void VTTrialOptionsPage::WriteTo(VTTrial& trial) const
{
    using BlockTrialValueText::WholeNumberWithin;
    trial.SetTrialSyncEnabledness(m_Pacing->GetValue());
    long long value = 0;
    if (WholeNumberWithin(m_StartPeriod->GetValue(), 0, INT_MAX, value))
        trial.SetStartPeriod(int(value));
    else
        wxLogWarning(_("The trial pacing period \"%s\" is not a whole number of milliseconds; the trial keeps %d."),
                     m_StartPeriod->GetValue(), trial.GetStartPeriod());
    trial.SetRandomizeEvents(m_RandomizeEvents->GetValue());
    const int index = m_When->GetSelection();
    trial.SetRandomizeEventsWhen(index >= 0 && index < 3 ? kWhenCodes[index] : -1);
    trial.m_ExcludeFirstEventFromRandomization = m_ExceptFirst->GetValue();
    trial.m_ExcludeLastEventFromRandomization = m_ExceptLast->GetValue();
    trial.SetLimitOfRepeatsDueToFeedbackFlag(m_LimitRestarts->GetValue());
    if (WholeNumberWithin(m_RestartLimit->GetValue(), 0, UINT_MAX, value))
        trial.SetNumberOfRepeatsDueToFeedback(unsigned(value));
    else
        wxLogWarning(_("The limit of restarts \"%s\" is not a whole number; the trial keeps %u."),
                     m_RestartLimit->GetValue(), trial.GetLimitOfRepeatsDueToFeedback());
    trial.m_GetNewLevelOnRestart = m_NewLevel->GetValue();
}

}  // namespace Vantrel
