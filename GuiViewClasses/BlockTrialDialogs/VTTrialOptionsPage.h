#pragma once
// The trial editor's "Options" page: the limit of restarts due to feedback, a new
// trial-variable level on restart, trial pacing, and event shuffling (when, and
// except the first or last event). A start period or restart limit that is not a
// whole number keeps the stored value and says so.

#include <wx/panel.h>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxTextCtrl;

namespace Vantrel {

class VTExperiment;
class VTTrial;

class VTTrialOptionsPage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10225,
        ID_LIMIT_RESTARTS = 10252,
        ID_RESTART_LIMIT = 10255,
        ID_NEW_LEVEL = 10256,
        ID_PACING = 10257,
        ID_START_PERIOD = 10299,
        ID_START_PERIOD_LABEL = 10300,
        ID_SUPPORT_NOTE = 10302,
        ID_LINE = 10303,
        ID_RANDOMIZE_EVENTS = 10304,
        ID_WHEN = 10305,
        ID_GROUPS = 10306,
        ID_EXCEPT_FIRST = 10307,
        ID_EXCEPT_LAST = 10308
    };

    VTTrialOptionsPage(wxWindow* parent, VTExperiment* experiment, wxWindowID id = ID_PAGE);

    void LoadFrom(const VTTrial& trial);
    void WriteTo(VTTrial& trial) const;
    // The "Except" boxes and the choice follow "Randomize events in this trial"; the
    // last box reads "...and the last one" while the first is ticked.
    void UpdateRandomizationControls();
    bool RandomizesEvents() const;

private:
    void OnUpdateRandomize(wxCommandEvent& event);
    void OnUpdateRandomizePerGroup(wxUpdateUIEvent& event);
    void OnEditGroups(wxCommandEvent& event);

    VTExperiment* m_Experiment;
    wxCheckBox* m_LimitRestarts = nullptr;
    wxTextCtrl* m_RestartLimit = nullptr;
    wxCheckBox* m_NewLevel = nullptr;
    wxCheckBox* m_Pacing = nullptr;
    wxTextCtrl* m_StartPeriod = nullptr;
    wxCheckBox* m_RandomizeEvents = nullptr;
    wxChoice* m_When = nullptr;
    wxButton* m_Groups = nullptr;
    wxCheckBox* m_ExceptFirst = nullptr;
    wxCheckBox* m_ExceptLast = nullptr;
};

}  // namespace Vantrel
