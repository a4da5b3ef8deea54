#pragma once
// The grid in which an element editor chooses the tags of its element: one column
// per tag set of one context, one row per tag, at most one chosen tag per column.
// Clicking a tag chooses it, clicking a column's label clears the column; Space on
// the cursor's cell chooses its tag, or clears the column when that tag is chosen.
// Each tells the listener. The grid is empty until DoCreateGrid.

#include "Interface_TagsGridListener.h"

#include <VTCore/VTTagSet.h>

#include <wx/grid.h>

#include <cstdint>
#include <vector>

namespace Vantrel {

class VTExperiment;
class VTUsedElements;

class VTTagsGrid : public wxGrid
{
public:
    VTTagsGrid(wxWindow* parent, VTExperiment& experiment, VTTagSet::TagsetContext context);
    ~VTTagsGrid() override;

    void DoCreateGrid();
    // Rebuilds from the experiment; tags that were chosen and still exist stay chosen.
    void RefreshGrid();
    // Shows the tags of `used` as the choice (no listener call).
    void TransferDataToGrid(const VTUsedElements& used);
    // Writes the choice into `used`, in column order, when it differs; true when it wrote.
    bool TransferDataFromGrid(VTUsedElements& used);
    // No tag set of the context, or none of them has a tag.
    bool IsEmpty();
    // Unchooses every column (no listener call). Hides wxGrid::ClearGrid, which
    // empties the cell texts.
    void ClearGrid();
    // The number of columns with a chosen tag.
    int GetNumberOfUsedTags() const;
    void SetListener(Interface_TagsGridListener* listener) { m_Listener = listener; }
    void OnTagChanged(int tagsetId);
    // Whether the cell holds a tag.
    bool CheckCellValid(int row, int col) const;

    // For tests and editors that look at the choice.
    bool IsCellChosen(int row, int col) const { return CheckCellValid(row, col) && Cell(row, col).state == kChosen; }
    int GetTagsetIdOfColumn(int col) const;

    static const wxColour& ChosenColour();
    static const wxColour& NormalColour();

private:
    enum CellState : std::int32_t
    {
        kNoTag = -1,
        kNotChosen = 0,
        kChosen = 1
    };
    struct CellValue
    {
        std::uint32_t tagId = 0;
        std::int32_t state = kNoTag;
    };

    bool GetGridDim(VTExperiment& experiment, int& rows, int& cols);
    void CreateValueMatrix(int rows, int cols);
    void FillGrid(VTExperiment& experiment);
    // An empty table, matrix and column list.
    void ResetToEmpty();
    void DoGridCellClick(int row, int col);
    void DoGridLabelClick(int col);
    bool CheckChanged(VTUsedElements& used);

    // Tells the listener about the column's set and redraws.
    void ColumnChanged(int col);
    // Draws the cursor while the grid has the keyboard, and not otherwise.
    void ShowCursor(bool show);

    void OnGridCellClick(wxGridEvent& event);
    void OnGridLabelClick(wxGridEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    CellValue& Cell(int row, int col) { return m_Values[std::size_t(row) * std::size_t(m_Cols) + std::size_t(col)]; }
    const CellValue& Cell(int row, int col) const
    {
        return m_Values[std::size_t(row) * std::size_t(m_Cols) + std::size_t(col)];
    }

    VTExperiment& m_Experiment;
    VTTagSet::TagsetContext m_Context;
    int m_Rows = 0;
    int m_Cols = 0;
    std::vector<CellValue> m_Values;
    std::vector<std::uint32_t> m_ColumnTagSets;
    Interface_TagsGridListener* m_Listener = nullptr;
};

}  // namespace Vantrel
