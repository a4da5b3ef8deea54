#pragma once
// The block editor's "Randomize" page: whether and when the block's trials are
// shuffled, whether list items are shuffled across trials, and an explanation of the
// combination (with a warning when trials shuffle their own lists meanwhile).

#include <wx/panel.h>

#include "CodedRadioGroup.h"

class wxButton;
class wxCheckBox;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class VTBlock;
class VTExperiment;

class VTBlockRandomizePage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10053,
        ID_RANDOMIZE_TRIALS = 10054,
        ID_RANDOMIZE_LIST_ITEMS = 10055,
        ID_ONCE_PER_RUN = 10056,
        ID_EVERY_PRESENTATION = 10057,
        ID_PER_GROUP = 10059,
        ID_GROUPS = 10061,
        ID_EXPLANATION = 10081
    };

    VTBlockRandomizePage(wxWindow* parent, VTExperiment* experiment, wxWindowID id = ID_PAGE);

    void LoadFrom(const VTBlock& block);
    void WriteTo(VTBlock& block) const;

    // Enables the when-to-randomize radios and the list-items box together, and
    // "Groups..." only for "Once per group of participants".
    void SetEnablednessLowerRandOptions(bool on);
    // Chooses the explanation page for the two boxes and the conflicting trials.
    void SetVisibilityForRandomizationConflictsMessage();
    int GetExplanationPage() const;
    bool RandomizesTrials() const;
    const wxArrayString& GetConflictingTrials() const { return m_Conflicts; }
    // Empties the conflict list (an editor put aside keeps no element's trials).
    void ForgetConflictingTrials();

private:
    void OnCheckboxChangeRandomizeOnOff(wxCommandEvent& event);
    void OnCheckboxSubRandomizeOnOff(wxCommandEvent& event);
    void OnUpdateRandomizePerGroup(wxUpdateUIEvent& event);
    void OnEditGroups(wxCommandEvent& event);

    VTExperiment* m_Experiment;
    wxCheckBox* m_RandomizeTrials = nullptr;
    wxCheckBox* m_RandomizeListItems = nullptr;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Explanation = nullptr;
    CodedRadioGroup m_When;
    wxButton* m_Groups = nullptr;
    wxArrayString m_Conflicts;
};

}  // namespace Vantrel
