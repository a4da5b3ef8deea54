// The tags grid: one chosen tag per column, chosen by clicks on cells and cleared
// by clicks on column labels, each reported to the listener; the choice written
// into and read from tag lists; rebuilding keeps what still exists.
#include "TagSetsExperiment.h"
#include "TestSupport.h"

#include <GuiViewClasses/TagSetDialogs/VTTagsGrid.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <memory>
#include <vector>

using namespace Vantrel;

namespace {

struct RecordingListener : Interface_TagsGridListener
{
    void OnTagChanged(int tagsetId) override { calls.push_back(tagsetId); }
    std::vector<int> calls;
};

VTElement* TagOf(VTTagSet* set, unsigned i) { return set->GetCollectionOfUsedTags_deprecated().GetUsedElementPtr(i); }

class TagsGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        colour = TagSets::AddSet(experiment, "Colour", VTTagSet::TrialContext, {"Red", "Green", "Blue", "Black"});
        place = TagSets::AddSet(experiment, "Place", VTTagSet::EventOrListItemContext, {"Left"});
        size = TagSets::AddSet(experiment, "Size", VTTagSet::TrialContext, {"Big", "Small"});
        frame = new wxFrame(nullptr, wxID_ANY, "Grid", wxPoint(0, 0), wxSize(500, 300));
        grid = new VTTagsGrid(frame, experiment, VTTagSet::TrialContext);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(grid, 1, wxEXPAND);
        frame->SetSizer(sizer);
        grid->SetListener(&listener);
        grid->DoCreateGrid();
        frame->Show();
        frame->Layout();
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return grid->IsShownOnScreen(); }));
        TestSupport::PumpFor(100);
    }
    void TearDown() override
    {
        frame->Destroy();
        TestSupport::PumpFor(50);
    }

    void ClickCell(int row, int col)
    {
        const wxRect rect = grid->CellToRect(row, col);
        int x = 0, y = 0;
        grid->CalcScrolledPosition(rect.x + rect.width / 2, rect.y + rect.height / 2, &x, &y);
        TagSets::ClickAt(grid->GetGridWindow(), wxPoint(x, y));
    }
    void ClickLabel(int col)
    {
        int x = 0, y = 0;
        const wxRect column = grid->CellToRect(0, col);
        grid->CalcScrolledPosition(column.x + column.width / 2, 0, &x, &y);
        TagSets::ClickAt(grid->GetGridColLabelWindow(), wxPoint(x, grid->GetColLabelSize() / 2));
    }
    // "Green - ": the chosen tag of each column, "-" for none.
    wxString Choice()
    {
        wxString out;
        for (int col = 0; col < grid->GetNumberCols(); ++col) {
            wxString chosen = "-";
            for (int row = 0; row < grid->GetNumberRows(); ++row)
                if (grid->IsCellChosen(row, col)) {
                    chosen = grid->GetCellValue(row, col);
                    EXPECT_EQ(grid->GetCellBackgroundColour(row, col), VTTagsGrid::ChosenColour());
                } else {
                    EXPECT_EQ(grid->GetCellBackgroundColour(row, col), VTTagsGrid::NormalColour());
                }
            out << (col ? " " : "") << chosen;
        }
        return out;
    }
    wxString Names(VTUsedElements& used)
    {
        wxString out;
        for (unsigned i = 0; i < used.Size(); ++i)
            out << (i ? " " : "") << (used.GetUsedElementPtr(i) ? used.GetUsedElementPtr(i)->GetName() : "?");
        return out;
    }

    VTExperiment experiment;
    VTTagSet* colour = nullptr;
    VTTagSet* place = nullptr;
    VTTagSet* size = nullptr;
    wxFrame* frame = nullptr;
    VTTagsGrid* grid = nullptr;
    RecordingListener listener;
};

// The trial sets are the columns, in the experiment's order; the longest set gives the rows.
TEST_F(TagsGrid, ShowsTheSetsOfItsContext)
{
    ASSERT_EQ(grid->GetNumberCols(), 2);
    ASSERT_EQ(grid->GetNumberRows(), 4);
    EXPECT_EQ(grid->GetColLabelValue(0), "Colour");
    EXPECT_EQ(grid->GetColLabelValue(1), "Size");
    EXPECT_EQ(grid->GetTagsetIdOfColumn(1), int(size->GetID()));
    EXPECT_EQ(grid->GetCellValue(3, 0), "Black");
    EXPECT_EQ(grid->GetCellValue(1, 1), "Small");
    EXPECT_TRUE(grid->CheckCellValid(1, 1));
    EXPECT_FALSE(grid->CheckCellValid(2, 1));
    EXPECT_FALSE(grid->IsEmpty());
    EXPECT_EQ(Choice(), "- -");
}

// Clicks: a second tag in a column replaces the first, a label click clears the
// column, each reported once with the column's set; cells without a tag ignore clicks.
TEST_F(TagsGrid, ClicksChooseAtMostOneTagPerColumnAndTellTheListener)
{
    const int colourId = int(colour->GetID()), sizeId = int(size->GetID());
    ClickCell(0, 0);
    EXPECT_EQ(Choice(), "Red -");
    ClickCell(2, 0);
    EXPECT_EQ(Choice(), "Blue -");
    ClickCell(2, 0);  // a chosen tag stays chosen
    EXPECT_EQ(Choice(), "Blue -");
    ClickCell(1, 1);
    EXPECT_EQ(Choice(), "Blue Small");
    EXPECT_EQ(grid->GetNumberOfUsedTags(), 2);
    EXPECT_EQ(listener.calls, (std::vector<int>{colourId, colourId, colourId, sizeId}));

    ClickCell(3, 1);  // below the last tag of "Size"
    EXPECT_EQ(Choice(), "Blue Small");
    EXPECT_EQ(listener.calls.size(), 4u);

    ClickLabel(0);
    EXPECT_EQ(Choice(), "- Small");
    EXPECT_EQ(grid->GetNumberOfUsedTags(), 1);
    EXPECT_EQ(listener.calls.back(), colourId);
    EXPECT_EQ(listener.calls.size(), 5u);
}

// From the keyboard: a click leaves the cursor on its cell, drawn while the grid has
// the keyboard; Space on the cursor's cell chooses its tag, or clears the column
// when that tag is chosen, each told to the listener; the arrows move the cursor
// and Space on a cell without a tag does nothing.
TEST_F(TagsGrid, SpaceTogglesTheTagUnderTheCursor)
{
    const int colourId = int(colour->GetID()), sizeId = int(size->GetID());
    ClickCell(1, 0);  // gives the grid the keyboard, with the cursor there
    ASSERT_EQ(Choice(), "Green -");
    ASSERT_EQ(grid->GetGridCursorRow(), 1);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return grid->GetCellHighlightPenWidth() > 0; }, 3000))
        << "the cursor is drawn while the grid has the keyboard";
    listener.calls.clear();
    wxUIActionSimulator sim;
    auto press = [&](int key, const wxString& expected, size_t calls) {
        sim.Char(key);
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return listener.calls.size() == calls; }, 3000));
        TestSupport::PumpFor(50);
        EXPECT_EQ(Choice(), expected);
        EXPECT_EQ(listener.calls.size(), calls);
    };
    press(WXK_SPACE, "- -", 1);
    press(WXK_SPACE, "Green -", 2);
    press(WXK_DOWN, "Green -", 2);
    press(WXK_SPACE, "Blue -", 3);
    press(WXK_RIGHT, "Blue -", 3);
    press(WXK_SPACE, "Blue -", 3);  // row 2 of "Size" holds no tag
    press(WXK_UP, "Blue -", 3);
    press(WXK_SPACE, "Blue Small", 4);
    EXPECT_EQ(listener.calls, (std::vector<int>{colourId, colourId, colourId, sizeId}));
}

// Writing back puts the chosen tags into the list in column order, only when the
// choice differs; reading in and clearing never tell the listener.
TEST_F(TagsGrid, TransfersTheChoiceToAndFromTagLists)
{
    VTUsedElements used(&experiment, ElementType::Tag);
    used.AddChildElement(TagOf(size, 0), 0);
    used.AddChildElement(TagOf(colour, 1), 0);
    grid->TransferDataToGrid(used);
    EXPECT_EQ(Choice(), "Green Big");
    EXPECT_TRUE(listener.calls.empty());

    // The same tags in another order are no change: the list keeps its order.
    EXPECT_FALSE(grid->TransferDataFromGrid(used));
    EXPECT_EQ(Names(used), "Big Green");

    ClickCell(3, 0);
    EXPECT_TRUE(grid->TransferDataFromGrid(used));
    EXPECT_EQ(Names(used), "Black Big");

    grid->ClearGrid();
    EXPECT_EQ(Choice(), "- -");
    EXPECT_EQ(listener.calls.size(), 1u);
    EXPECT_TRUE(grid->TransferDataFromGrid(used));
    EXPECT_EQ(used.Size(), 0u);
    EXPECT_FALSE(grid->TransferDataFromGrid(used));
}

// Rebuilding keeps a chosen tag that still exists, in whatever column its set now
// is, and drops one that was deleted.
TEST_F(TagsGrid, RefreshKeepsWhatStillExists)
{
    ClickCell(1, 0);  // Green
    ClickCell(0, 1);  // Big
    VTTagSet* early = TagSets::AddSet(experiment, "Mood", VTTagSet::TrialContext, {"Calm"});
    experiment.GetElementsOfType(ElementType::TagSet).ExchangeElementsByPointer(early, colour);
    ASSERT_TRUE(VTDeletionMgr(nullptr, &experiment, TagOf(size, 0)).HandleDeletion(0, false, true));
    grid->RefreshGrid();
    ASSERT_EQ(grid->GetNumberCols(), 3);
    EXPECT_EQ(grid->GetColLabelValue(0), "Mood");
    EXPECT_EQ(grid->GetColLabelValue(2), "Colour");
    EXPECT_EQ(Choice(), "- - Green");
}

// Without a set of its context, or when the sets have no tags, the grid is an
// empty table: none of the old cells can be clicked or written back.
TEST_F(TagsGrid, InvalidDimensionsLeaveAnEmptyGrid)
{
    ClickCell(0, 0);
    listener.calls.clear();
    ASSERT_TRUE(VTDeletionMgr(nullptr, &experiment, std::vector<Minimal_VTElement*>{colour, size})
                    .HandleDeletion(0, false, true));
    EXPECT_TRUE(grid->IsEmpty());
    grid->RefreshGrid();
    EXPECT_EQ(grid->GetNumberCols(), 0);
    EXPECT_EQ(grid->GetNumberRows(), 0);
    EXPECT_FALSE(grid->CheckCellValid(0, 0));
    EXPECT_EQ(grid->GetNumberOfUsedTags(), 0);
    // Where the first cell and the first label were.
    TagSets::ClickAt(grid->GetGridWindow(), wxPoint(20, 8));
    TagSets::ClickAt(grid->GetGridColLabelWindow(), wxPoint(20, grid->GetColLabelSize() / 2));
    EXPECT_TRUE(listener.calls.empty());

    VTUsedElements used(&experiment, ElementType::Tag);
    EXPECT_FALSE(grid->TransferDataFromGrid(used));
    used.AddChildElement(TagOf(place, 0), 0);
    EXPECT_TRUE(grid->TransferDataFromGrid(used));
    EXPECT_EQ(used.Size(), 0u);

    // A set of the context without tags is no column either.
    TagSets::AddSet(experiment, "Bare", VTTagSet::TrialContext, {});
    EXPECT_TRUE(grid->IsEmpty());
}

}  // namespace
