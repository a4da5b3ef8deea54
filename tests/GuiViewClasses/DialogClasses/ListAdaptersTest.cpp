// The two list-control adapters: what each does with the same calls.

#include <GuiViewClasses/DialogClasses/IVTListCtrl.h>
#include <VTPlugInCommon/VTListViews.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include <memory>

using namespace Vantrel;

class ListAdapters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Adapters", wxPoint(0, 0), wxSize(300, 400));
        view = new VTSimpleListView(frame, wxID_ANY, wxPoint(0, 0), wxSize(280, 60), wxLC_REPORT);
        view->InitColumns();
        box = new wxListBox(frame, wxID_ANY, wxPoint(0, 200), wxSize(280, 100));
        for (const char* text : {"a", "b", "c", "d", "e", "f"}) {
            view->AppendWithData(text, 0);
            box->Append(text);
        }
        overView = std::make_unique<IVTListCtrlImplForListCtrl>(view);
        overBox = std::make_unique<IVTListCtrlImplForListBox>();
        overBox->Init(box);
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }

    wxFrame* frame = nullptr;
    VTSimpleListView* view = nullptr;
    wxListBox* box = nullptr;
    std::unique_ptr<IVTListCtrlImplForListCtrl> overView;
    std::unique_ptr<IVTListCtrlImplForListBox> overBox;
};

TEST_F(ListAdapters, SetTextRenamesOnlyAListBoxRowAndKeepsItsSelection)
{
    overView->SetSelection(1);
    overBox->SetSelection(1);
    overView->SetText(1, "renamed");
    overBox->SetText(1, "renamed");
    EXPECT_EQ(view->GetItemText(1), "b");
    EXPECT_EQ(box->GetString(1), "renamed");
    EXPECT_EQ(overBox->GetSelection(), 1);
}

TEST_F(ListAdapters, InsertAppendsAtTheCountAndAListBoxRefusesANegativeRow)
{
    EXPECT_EQ(overBox->Insert("x", -1), -1);
    EXPECT_EQ(overBox->GetCount(), 6);
    EXPECT_EQ(overBox->Insert("end", 6), 6);
    EXPECT_EQ(box->GetString(6), "end");
    EXPECT_EQ(overBox->Insert("end", 8), -1) << "beyond the count";
    EXPECT_EQ(overView->Insert("end", 6), 7) << "the view answers its new row count";
    EXPECT_EQ(view->GetItemText(6), "end");
    EXPECT_EQ(overView->Insert("first", 0), 8);
    EXPECT_EQ(view->GetItemText(0), "first");
}

TEST_F(ListAdapters, AListViewSelectionIsExactlyOneRowScrolledIntoView)
{
    for (long row : {1, 3, 4}) view->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_EQ(overView->GetSelection(), 1) << "the lowest selected row";
    overView->SetSelection(5);
    wxArrayInt rows;
    EXPECT_EQ(view->GetSelections(rows), 1);
    EXPECT_EQ(rows[0], 5);
    TestSupport::PumpFor(50);
    EXPECT_GE(view->GetTopItem() + view->GetCountPerPage(), 6) << "row 5 is visible";
    overView->SetSelection(6);
    EXPECT_EQ(overView->GetSelection(), -1) << "a row beyond the count selects nothing";
}

TEST_F(ListAdapters, RowDataRoundTripsInBothAdapters)
{
    const unsigned long long data = 0x7fff12345678ULL;
    for (IVTListCtrl* adapter : {static_cast<IVTListCtrl*>(overView.get()), static_cast<IVTListCtrl*>(overBox.get())}) {
        adapter->SetUserData(2, data);
        EXPECT_EQ(adapter->GetUserData(2), data);
        EXPECT_EQ(adapter->GetCount(), 6);
    }
    EXPECT_EQ(overView->GetWnd(), view);
    EXPECT_EQ(overBox->GetWnd(), box);
    overBox->Clear();
    overView->Clear();
    EXPECT_EQ(overBox->GetCount(), 0);
    EXPECT_EQ(overView->GetCount(), 0);
}

TEST(ListAdaptersWithoutControls, AnswerNothingAndChangeNothing)
{
    IVTListCtrlImplForListBox box;
    IVTListCtrlImplForListCtrl view;
    for (IVTListCtrl* adapter : {static_cast<IVTListCtrl*>(&box), static_cast<IVTListCtrl*>(&view)}) {
        EXPECT_EQ(adapter->GetSelection(), -1);
        EXPECT_EQ(adapter->Insert("x", 0), -1);
        EXPECT_EQ(adapter->GetCount(), 0);
        EXPECT_EQ(adapter->GetUserData(0), 0u);
        EXPECT_EQ(adapter->GetWnd(), nullptr);
        adapter->SetSelection(0);
        adapter->SetText(0, "x");
        adapter->SetUserData(0, 1);
        adapter->Clear();
    }
}
