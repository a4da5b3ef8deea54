// The event editor's checkable response list, clicked with the pointer: marks written
// into the event for the event or for each selected pool row, conflicts refused with
// their warning, the unknown mark, and clicks that only select.

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/uiaction.h>

#include <GuiViewClasses/ResponseDialogs/VTListCtrlResponses.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTRuntime/VTPlugIn.h>

#include <algorithm>
#include <memory>

#include "DialogQueue.h"
#include "EditorDriver.h"
#include "TestSupport.h"

using Vantrel::VTListCtrlResponses;
using Vantrel::VTResponse;

namespace {

class ResponseList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorDriver::LoadProgramResources();
        TestSupport::ClearLog();
        Vantrel::VTPlugIn::LocateAllInFolder(RESPONSE_FORM_PLUGIN_DIR, nullptr);
        experiment = std::make_unique<Vantrel::VTExperiment>();
        event = new Vantrel::VTEvent(experiment.get());
        event->SetName("E");
        experiment->GetElementsOfType(Vantrel::ElementType::Event).AddElement(event, -1);
        frame = new wxFrame(nullptr, wxID_ANY, "Correct responses", wxPoint(20, 20), wxSize(420, 360));
        list = wxDynamicCast(wxCreateDynamicObject("Vantrel::VTListCtrlResponses"), VTListCtrlResponses);
        EXPECT_TRUE(list);
        list->Create(frame, wxID_ANY, wxPoint(0, 0), wxSize(400, 160), wxLC_REPORT | wxLC_SINGLE_SEL);
        list->InitColumns();
        pool = new Vantrel::VTSimpleListView(frame, wxID_ANY, wxPoint(0, 170), wxSize(400, 120), wxLC_REPORT);
        pool->InitColumns();
        for (int tag : {41, 42, 43}) pool->AppendWithData(wxString::Format("Tag %d", tag), tag);
        frame->Show();
    }
    void TearDown() override
    {
        frame->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
        Vantrel::VTPlugIn::DeleteAllObjects();
    }

    VTResponse* Add(const wxString& name, int plugin)
    {
        auto* r = new VTResponse(experiment.get());
        r->SetName(name);
        r->SetPlugInID(plugin);
        experiment->GetElementsOfType(Vantrel::ElementType::Response).AddElement(r, -1);
        list->AppendWithData(name, reinterpret_cast<wxUIntPtr>(r));
        return r;
    }
    Vantrel::VTElementsList* Responses() { return &experiment->GetElementsOfType(Vantrel::ElementType::Response); }

    void ClickIcon(long row) { ClickAt(row, true); }
    void ClickText(long row) { ClickAt(row, false); }
    void ClickAt(long row, bool onIcon)
    {
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->IsShownOnScreen(); }));
        wxRect r;
        ASSERT_TRUE(list->GetItemRect(row, r, wxLIST_RECT_BOUNDS));
        // In report view the check icon is the row's first 16 pixels.
        const wxPoint at(onIcon ? r.x + 9 : r.x + 60, r.y + r.height / 2);
        // Apart from the previous click by more than a double click's time.
        TestSupport::PumpFor(600);
        wxUIActionSimulator sim;
        sim.MouseMove(list->ClientToScreen(at));
        TestSupport::PumpFor(30);
        sim.MouseClick();
        TestSupport::PumpFor(150);
    }
    // Clicks the row's mark expecting the one warning box; its text and title.
    wxString RefusedClickMessage(long row)
    {
        DialogQueue boxes;
        boxes.Answer(wxID_OK);
        ClickIcon(row);
        EXPECT_EQ(boxes.Messages().size(), 1u);
        return boxes.Messages().empty() ? wxString() : boxes.Messages()[0];
    }
    // The ids of the responses correct for pool row `poolRowID` (-1: the event).
    std::vector<std::uint32_t> CorrectFor(int poolRowID)
    {
        for (const auto& row : event->GetCorrectResponseRows())
            if (row.poolRowID == poolRowID) return row.chosenResponseIDs;
        return {};
    }

    std::unique_ptr<Vantrel::VTExperiment> experiment;
    Vantrel::VTEvent* event = nullptr;
    wxFrame* frame = nullptr;
    VTListCtrlResponses* list = nullptr;
    Vantrel::VTSimpleListView* pool = nullptr;
};

}  // namespace

TEST_F(ResponseList, AClickOnTheMarkMakesTheResponseCorrectForTheEventAndAgainUndoesIt)
{
    VTResponse* space = Add("Space", 2100);
    list->InitializeListWithProperExperimentInfo(event, Responses(), Vantrel::ElementType::Event, nullptr);
    ClickText(0);
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_EQ(list->GetSelection(), 0);
    EXPECT_TRUE(CorrectFor(-1).empty());
    ClickIcon(0);
    EXPECT_TRUE(list->IsChecked(0));
    EXPECT_EQ(CorrectFor(-1), std::vector<std::uint32_t>{space->GetID()});
    ClickIcon(0);
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(CorrectFor(-1).empty());
    EXPECT_FALSE(TestSupport::LogContains("Improper", wxLOG_Error));
}

// With tags as the basis, a mark speaks for every selected tag; an unknown mark is
// cleared from all of them; without a selected tag nothing changes.
TEST_F(ResponseList, WithAPoolTheMarkFollowsTheSelectedRows)
{
    VTResponse* a = Add("Form A", 9902);
    list->InitializeListWithProperExperimentInfo(event, Responses(), Vantrel::ElementType::Tag, pool);
    ClickIcon(0);
    EXPECT_FALSE(list->IsChecked(0));
    EXPECT_TRUE(event->GetCorrectResponseRows().empty());

    for (int row : {0, 1, 2}) pool->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ClickIcon(0);
    EXPECT_TRUE(list->IsChecked(0));
    for (int tag : {41, 42, 43}) EXPECT_EQ(CorrectFor(tag), std::vector<std::uint32_t>{a->GetID()}) << tag;

    // Correct for some, not all, of the selected tags: unknown, which a click clears everywhere.
    event->RemoveQualifyingCorrectResponse(Vantrel::ElementType::Tag, 42, a);
    list->CheckUnknown(0);
    EXPECT_TRUE(list->IsChecked(0));
    ClickIcon(0);
    EXPECT_FALSE(list->IsChecked(0));
    for (int tag : {41, 42, 43}) EXPECT_TRUE(CorrectFor(tag).empty()) << tag;
}

// The clicked response's plug-in is asked about each marked response's plug-in: a
// conflict leaves the mark off with the warning naming the plug-in, or the response
// when its plug-in is not loaded; clearing a mark is never refused.
TEST_F(ResponseList, AConflictingMarkIsRefusedWithItsWarning)
{
    Add("Space", 2100);
    Add("Form A", 9902);
    Add("Form B", 9902);
    list->InitializeListWithProperExperimentInfo(event, Responses(), Vantrel::ElementType::Event, nullptr);
    ClickIcon(0);
    ASSERT_TRUE(list->IsChecked(0));
    EXPECT_EQ(RefusedClickMessage(1),
              "This response couldn't be checked.\nIt conflicts with the response named: Space. | Warning");
    EXPECT_FALSE(list->IsChecked(1));
    ClickIcon(0);  // cleared
    ClickIcon(1);
    EXPECT_TRUE(list->IsChecked(1));
    EXPECT_EQ(RefusedClickMessage(2),
              "This response couldn't be checked.\nIt conflicts with the responses of Response Form. | Warning");
    EXPECT_FALSE(list->IsChecked(2));
    // A keyboard response's plug-in is not loaded: no conflict is reported for it.
    EXPECT_EQ(list->GetFirstResponseConflict(0, *static_cast<VTResponse*>((*Responses())[0])),
              VTListCtrlResponses::kPlugInNotLoaded);
}

TEST_F(ResponseList, ImproperBasesAndRowsAreLogged)
{
    Add("Space", 2100);
    list->NotifyChangeResponseBasis(Vantrel::ElementType::StimList, nullptr);
    EXPECT_TRUE(TestSupport::LogContains("Improper initialization of checkable response list.", wxLOG_Error));
    list->CheckUnknown(5);
    EXPECT_TRUE(TestSupport::LogContains("Cannot add checkmark for response item 5.  No such item.", wxLOG_Error));
    // Unbound, a click changes nothing.
    ClickIcon(0);
    EXPECT_FALSE(list->IsChecked(0));
}
