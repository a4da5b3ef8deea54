#pragma once
// The trial editor's "Tags" page: the grid of the experiment's trial tag sets, built
// on demand, or an explanation while there is no trial tag set or tag; "Tags..."
// opens the tag sets manager in both states.

#include <wx/panel.h>

class wxBoxSizer;

namespace Vantrel {

class VTExperiment;
class VTTagsGrid;
class VTTrial;

class VTTrialTagsPage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10217,
        ID_EMPTY_STATE = 10097,
        ID_TAGS_BUTTON = 10221
    };

    VTTrialTagsPage(wxWindow* parent, VTExperiment* experiment, wxWindowID id = ID_PAGE);

    // Builds the grid (SetupCodeGrid) and shows the trial's tags.
    void LoadFrom(const VTTrial& trial);
    void WriteTo(VTTrial& trial) const;

    // Creates the grid when there is none; does nothing otherwise.
    void SetupCodeGrid();
    // Removes the grid (a reused editor lets it go with its element).
    void TakeDownCodeGrid();
    // The grid while it has tags to offer, else the empty-state panel.
    void RefreshTagSetsVisibility();
    bool HasTags() const;
    VTTagsGrid* GetGrid() const { return m_Grid; }
    wxWindow* GetEmptyState() const { return m_EmptyState; }

private:
    void OnCreateCode(wxCommandEvent& event);

    VTExperiment* m_Experiment;
    wxBoxSizer* m_Sizer = nullptr;
    VTTagsGrid* m_Grid = nullptr;
    wxPanel* m_EmptyState = nullptr;
};

}  // namespace Vantrel
