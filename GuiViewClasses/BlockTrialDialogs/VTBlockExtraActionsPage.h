#pragma once
// The block editor's "Extra Actions" page: stop presenting trials past a time (in
// seconds or milliseconds), present at most a number of trials, pause every number
// of trials with a message. The check boxes enable nothing: every field stays
// editable, and disabled actions keep the values their fields show.

#include <wx/panel.h>

class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace Vantrel {

class VTBlock;

class VTBlockExtraActionsPage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10069,
        ID_TIME_LIMIT_ON = 10070,
        ID_TIME_LIMIT = 10071,
        ID_TIME_LIMIT_UNIT = 10072,
        ID_TRIAL_LIMIT_ON = 10073,
        ID_TRIAL_LIMIT = 10074,
        ID_PAUSE_ON = 10075,
        ID_PAUSE_INTERVAL = 10076,
        ID_PAUSE_MESSAGE = 10077
    };

    explicit VTBlockExtraActionsPage(wxWindow* parent, wxWindowID id = ID_PAGE);

    void LoadFrom(const VTBlock& block);
    void WriteTo(VTBlock& block) const;
    // The unit the time-limit number is written for (0 seconds, 1 milliseconds).
    int GetRememberedUnit() const { return m_RememberedUnit; }

private:
    void OnChangeExtraActionTimeLimitUnit(wxCommandEvent& event);

    wxCheckBox* m_TimeLimitOn = nullptr;
    wxTextCtrl* m_TimeLimit = nullptr;
    wxChoice* m_Unit = nullptr;
    wxCheckBox* m_TrialLimitOn = nullptr;
    wxTextCtrl* m_TrialLimit = nullptr;
    wxCheckBox* m_PauseOn = nullptr;
    wxTextCtrl* m_PauseInterval = nullptr;
    wxTextCtrl* m_PauseMessage = nullptr;
    int m_RememberedUnit = 0;
};

}  // namespace Vantrel
