#include "TLSPRandNoRepl.h"

#include "LevelSelectionLayout.h"

#include <VTCore/OrbiskVar.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(TLSPRandNoRepl, wxPanel);

wxBEGIN_EVENT_TABLE(TLSPRandNoRepl, wxPanel)
    EVT_CHOICE(TLSPRandNoRepl::ID_SCOPE, TLSPRandNoRepl::OnUpdateReRandomize)
wxEND_EVENT_TABLE()

TLSPRandNoRepl::TLSPRandNoRepl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

void TLSPRandNoRepl::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    LevelSelectionLayout::AddDescription(
        this, top, ID_DESCRIPTION,
        _("A level is picked at random. Given enough trials, every\nlevel is picked once before Vantrel will use the "
          "same level again."),
        15);

    auto* grid = new wxFlexGridSizer(0, 2, 5, 5);
    grid->Add(new wxStaticText(this, wxID_STATIC, _("Randomize levels before start of:")), 0, wxALIGN_CENTER_VERTICAL);
    m_Scope = new wxChoice(this, ID_SCOPE, wxDefaultPosition, wxDefaultSize, LevelSelectionLayout::ScopeItems());
    m_Scope->SetSelection(LevelSelection::Trial);
    grid->Add(m_Scope, 0, wxALIGN_CENTER_VERTICAL);

    grid->Add(new wxStaticText(this, wxID_STATIC, _("If trial is repeated due to feedback:")), 0,
              wxALIGN_CENTER_VERTICAL);
    wxArrayString feedbackItems;
    feedbackItems.Add(_("Do not randomize again"));
    feedbackItems.Add(_("Randomize again"));
    m_Feedback = new wxChoice(this, ID_FEEDBACK, wxDefaultPosition, wxDefaultSize, feedbackItems);
    m_Feedback->SetSelection(FeedbackKeep);
    grid->Add(m_Feedback, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(grid, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);

    m_ReRandomize = new wxCheckBox(this, ID_RERANDOMIZE, _("Randomize again when all levels have been picked"));
    m_ReRandomize->SetValue(false);
    top->Add(m_ReRandomize, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    EnableFeedbackChoice();
}

void TLSPRandNoRepl::EnableFeedbackChoice() { m_Feedback->Enable(m_Scope->GetSelection() == LevelSelection::Trial); }

void TLSPRandNoRepl::OnUpdateReRandomize(wxCommandEvent& event)
{
    EnableFeedbackChoice();
    event.Skip();
}

void TLSPRandNoRepl::SetGuiBasedOnVariable(Orbisk::Var::Variable* variable)
{
    const int scope = variable->GetScope();
    const bool againOnFeedback = scope == LevelSelection::TrialAndFeedbackRepeat;
    const int shown = againOnFeedback ? int(LevelSelection::Trial) : scope;
    // A scope this page never writes leaves the choice as it is.
    if (shown >= 0 && unsigned(shown) < m_Scope->GetCount()) m_Scope->SetSelection(shown);
    m_Feedback->Enable(scope == LevelSelection::Trial || againOnFeedback);
    m_Feedback->SetSelection(againOnFeedback ? FeedbackRandomizeAgain : FeedbackKeep);
    m_ReRandomize->SetValue(variable->GetFlag());
}

void TLSPRandNoRepl::CommitGuiStateToVariable(Orbisk::Var::Variable* variable)
{
    variable->SetMethod(LevelSelection::RandomNoReplacement);
    int scope = m_Scope->GetSelection();
    if (scope == LevelSelection::Trial && m_Feedback->GetSelection() == FeedbackRandomizeAgain)
        scope = LevelSelection::TrialAndFeedbackRepeat;
    variable->SetScope(scope);
    variable->SetFlag(m_ReRandomize->GetValue());
}
