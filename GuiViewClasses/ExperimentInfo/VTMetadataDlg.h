#pragma once
// "Edit Experiment Metadata": every name/value pair in a two-column grid, with
// one empty row at the end for a new pair. OK replaces all pairs at once (rows
// without a name are dropped); Cancel changes nothing. Predefined names cannot
// be renamed. The dialog does not mark the experiment modified: its caller does
// (EditExperimentMetadata).

#include <GuiViewClasses/DialogClasses/persdlg.h>

#include <optional>

class wxGrid;
class wxGridEvent;
class wxTopLevelWindow;

namespace Vantrel {

class VTExperiment;
class VTMetadata;

class VTMetadataDlg : public wxDialogPersistentPosition
{
public:
    VTMetadataDlg(wxWindow* parent, VTMetadata& metadata);

    wxString GetPersistenceName() const override { return "VTMetadataDlg"; }

    // Shows the dialog over the experiment's metadata; true, with the experiment
    // marked modified, when OK changed the metadata.
    static bool EditExperimentMetadata(wxWindow* parent, VTExperiment* experiment);

    void PopulateGrid();
    void AddEmptyRow();

    // The room a title bar takes for its buttons beside the title.
    static constexpr int kTitleBarButtonsWidth = 96;
    // The text extent of a window's title as a title bar shows it.
    static wxSize TitleExtent(const wxTopLevelWindow& window);

private:
    // The grid's border and cell lines beside its columns.
    static constexpr int kGridFrameWidth = 4;

    // Opens wide enough for the title and for each value on one line, as far as
    // the screen allows.
    void WidenForTitleAndValues();
    void OnCellChange(wxGridEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnOK(wxCommandEvent& event);

    VTMetadata& m_Metadata;
    wxGrid* m_Grid = nullptr;
    // The grid's client width at the last idle event.
    std::optional<int> m_LastWidth;
};

}  // namespace Vantrel
