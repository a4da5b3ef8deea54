#pragma once
// Random selection without replacement: every level once before any repeats,
// randomised again before the chosen scope. With "Each trial" the levels can also
// be randomised again when feedback repeats a trial, which is scope 4.

#include "TLSPBase.h"

class wxCheckBox;
class wxChoice;

class TLSPRandNoRepl : public TLSPBase
{
    wxDECLARE_DYNAMIC_CLASS(TLSPRandNoRepl);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_DESCRIPTION = 10010,
        ID_SCOPE = 10011,
        ID_FEEDBACK = 10176,
        ID_RERANDOMIZE = 10175
    };
    // The feedback choice's items.
    enum
    {
        FeedbackKeep = 0,
        FeedbackRandomizeAgain = 1
    };

    TLSPRandNoRepl() = default;
    TLSPRandNoRepl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void CreateControls() override;

    void SetGuiBasedOnVariable(Orbisk::Var::Variable* variable) override;
    void CommitGuiStateToVariable(Orbisk::Var::Variable* variable) override;

    // The feedback choice only means something for "Each trial".
    void OnUpdateReRandomize(wxCommandEvent& event);

private:
    void EnableFeedbackChoice();

    wxChoice* m_Scope = nullptr;
    wxChoice* m_Feedback = nullptr;
    wxCheckBox* m_ReRandomize = nullptr;
};
