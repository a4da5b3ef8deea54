#include "VTTagsGrid.h"

#include <algorithm>

#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <VTCore/VTExperiment.h>

namespace Vantrel {

namespace {
const int kFocusedCursorWidth = 2;
}

VTTagsGrid::VTTagsGrid(wxWindow* parent, VTExperiment& experiment, VTTagSet::TagsetContext context)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, wxGridNameStr),
      m_Experiment(experiment),
      m_Context(context)
{
    EnableEditing(false);
    SetCellHighlightPenWidth(0);
    SetRowLabelSize(1);
    Bind(wxEVT_GRID_CELL_LEFT_CLICK, &VTTagsGrid::OnGridCellClick, this);
    Bind(wxEVT_GRID_LABEL_LEFT_CLICK, &VTTagsGrid::OnGridLabelClick, this);
    // Bound, so it comes before the grid's own keys (which move the cursor on Space).
    Bind(wxEVT_KEY_DOWN, &VTTagsGrid::OnKeyDown, this);
    // The cursor is drawn only while the keyboard works the grid.
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        ShowCursor(true);
        event.Skip();
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        ShowCursor(false);
        event.Skip();
    });
}

void VTTagsGrid::ShowCursor(bool show)
{
    // The grid redraws the cursor's cell, which must still be one of the table.
    const int row = GetGridCursorRow();
    const int col = GetGridCursorCol();
    if (row < 0 || col < 0 || row >= GetNumberRows() || col >= GetNumberCols()) return;
    SetCellHighlightPenWidth(show ? kFocusedCursorWidth : 0);
}

VTTagsGrid::~VTTagsGrid() = default;

const wxColour& VTTagsGrid::ChosenColour()
{
    static const wxColour colour(128, 192, 255, wxALPHA_OPAQUE);
    return colour;
}

const wxColour& VTTagsGrid::NormalColour()
{
    static const wxColour colour(255, 255, 255, wxALPHA_OPAQUE);
    return colour;
}

bool VTTagsGrid::GetGridDim(VTExperiment& experiment, int& rows, int& cols)
{
    rows = cols = 0;
    const VTElementsList& sets = experiment.GetReadOnlyElementsOfType(ElementType::TagSet);
    for (std::size_t i = 0; i < sets.Size(); ++i) {
        const auto* set = dynamic_cast<const VTTagSet*>(sets[i]);
        if (!set || set->m_TagsetContext != m_Context) continue;
        ++cols;
        rows = std::max(rows, int(set->GetNumberOfUsedTags()));
    }
    return rows > 0 && cols > 0;
}

void VTTagsGrid::CreateValueMatrix(int rows, int cols)
{
    m_Rows = rows;
    m_Cols = cols;
    m_Values.assign(std::size_t(rows) * std::size_t(cols), CellValue());
    m_ColumnTagSets.assign(std::size_t(cols), 0);
}

void VTTagsGrid::ResetToEmpty()
{
    // Without this a grid whose last tag set went away would keep the old table,
    // and clicks on it would choose tags that no longer exist.
    SetTable(new wxGridStringTable(0, 0), true, wxGridSelectCells);
    CreateValueMatrix(0, 0);
}

void VTTagsGrid::DoCreateGrid()
{
    int rows = 0, cols = 0;
    if (GetGridDim(m_Experiment, rows, cols)) {
        SetTable(new wxGridStringTable(rows, cols), true, wxGridSelectCells);
        CreateValueMatrix(rows, cols);
        FillGrid(m_Experiment);
    } else {
        ResetToEmpty();
    }
    AutoSizeColumns();
}

void VTTagsGrid::FillGrid(VTExperiment& experiment)
{
    const VTElementsList& sets = experiment.GetReadOnlyElementsOfType(ElementType::TagSet);
    int col = 0;
    for (std::size_t i = 0; i < sets.Size() && col < m_Cols; ++i) {
        auto* set = dynamic_cast<VTTagSet*>(sets[i]);
        if (!set || set->m_TagsetContext != m_Context) continue;
        m_ColumnTagSets[std::size_t(col)] = set->GetID();
        SetColLabelValue(col, set->GetName());
        VTLinkT& tags = set->GetCollectionOfUsedTags_deprecated();
        for (unsigned row = 0; row < tags.Size() && int(row) < m_Rows; ++row) {
            // A link whose tag is gone leaves its cell without a tag.
            VTElement* tag = tags.GetUsedElementPtr(row);
            if (!tag) continue;
            SetCellValue(int(row), col, tag->GetName());
            Cell(int(row), col) = {tag->GetID(), kNotChosen};
        }
        ++col;
    }
    for (int row = 0; row < m_Rows; ++row) SetRowLabelValue(row, wxString());
}

void VTTagsGrid::DoGridCellClick(int row, int col)
{
    for (int r = 0; r < m_Rows; ++r) {
        CellValue& cell = Cell(r, col);
        if (cell.state == kNoTag) continue;
        cell.state = r == row ? kChosen : kNotChosen;
        SetCellBackgroundColour(r, col, r == row ? ChosenColour() : NormalColour());
    }
}

void VTTagsGrid::DoGridLabelClick(int col)
{
    for (int r = 0; r < m_Rows; ++r) {
        CellValue& cell = Cell(r, col);
        if (cell.state == kChosen) SetCellBackgroundColour(r, col, NormalColour());
        if (cell.state != kNoTag) cell.state = kNotChosen;
    }
}

void VTTagsGrid::OnGridCellClick(wxGridEvent& event)
{
    const int row = event.GetRow();
    const int col = event.GetCol();
    if (!CheckCellValid(row, col)) return;
    DoGridCellClick(row, col);
    // The click is consumed, so the keyboard's cursor is moved here by hand.
    SetGridCursor(row, col);
    ColumnChanged(col);
}

void VTTagsGrid::OnGridLabelClick(wxGridEvent& event)
{
    const int col = event.GetCol();
    if (col < 0 || col >= m_Cols) return;
    DoGridLabelClick(col);
    ColumnChanged(col);
}

void VTTagsGrid::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers()) {
        event.Skip();
        return;
    }
    const int row = GetGridCursorRow();
    const int col = GetGridCursorCol();
    if (!CheckCellValid(row, col)) return;
    if (IsCellChosen(row, col))
        DoGridLabelClick(col);
    else
        DoGridCellClick(row, col);
    ColumnChanged(col);
}

void VTTagsGrid::ColumnChanged(int col)
{
    OnTagChanged(int(m_ColumnTagSets[std::size_t(col)]));
    ForceRefresh();
}

void VTTagsGrid::OnTagChanged(int tagsetId)
{
    if (m_Listener) m_Listener->OnTagChanged(tagsetId);
}

bool VTTagsGrid::CheckCellValid(int row, int col) const
{
    return row >= 0 && row < m_Rows && col >= 0 && col < m_Cols && Cell(row, col).state != kNoTag;
}

int VTTagsGrid::GetTagsetIdOfColumn(int col) const
{
    return col >= 0 && col < m_Cols ? int(m_ColumnTagSets[std::size_t(col)]) : -1;
}

bool VTTagsGrid::IsEmpty()
{
    int rows = 0, cols = 0;
    return !GetGridDim(m_Experiment, rows, cols);
}

void VTTagsGrid::ClearGrid()
{
    BeginBatch();
    for (int col = 0; col < m_Cols; ++col) DoGridLabelClick(col);
    EndBatch();
}

int VTTagsGrid::GetNumberOfUsedTags() const
{
    int used = 0;
    for (int col = 0; col < m_Cols; ++col)
        for (int row = 0; row < m_Rows; ++row)
            if (Cell(row, col).state == kChosen) {
                ++used;
                break;
            }
    return used;
}

bool VTTagsGrid::CheckChanged(VTUsedElements& used)
{
    std::size_t found = 0;
    for (const CellValue& cell : m_Values) {
        if (cell.state != kChosen) continue;
        if (used.GetIndexByID(cell.tagId) < 0) return true;
        ++found;
    }
    return found != used.Size();
}

bool VTTagsGrid::TransferDataFromGrid(VTUsedElements& used)
{
    if (!CheckChanged(used)) return false;
    used.RemoveAllElements();
    for (int col = 0; col < m_Cols; ++col)
        for (int row = 0; row < m_Rows; ++row) {
            if (Cell(row, col).state != kChosen) continue;
            // A tag deleted since the grid was filled is left out.
            if (auto* tag = dynamic_cast<VTElement*>(
                    m_Experiment.LookupElementByTypeAndID(ElementType::Tag, Cell(row, col).tagId)))
                used.AddChildElement(tag, 0);
            break;
        }
    return true;
}

void VTTagsGrid::TransferDataToGrid(const VTUsedElements& used)
{
    BeginBatch();
    for (int col = 0; col < m_Cols; ++col) DoGridLabelClick(col);
    for (const auto& entry : used.Entries())
        for (int col = 0; col < m_Cols; ++col)
            for (int row = 0; row < m_Rows; ++row) {
                const CellValue& cell = Cell(row, col);
                if (cell.state == kNoTag || cell.tagId != entry.elementID) continue;
                DoGridCellClick(row, col);
                break;
            }
    EndBatch();
}

void VTTagsGrid::RefreshGrid()
{
    VTUsedElements chosen(&m_Experiment, ElementType::Tag);
    TransferDataFromGrid(chosen);
    wxGrid::ClearGrid();
    DoCreateGrid();
    TransferDataToGrid(chosen);
    AutoSizeColumns();
}

}  // namespace Vantrel
