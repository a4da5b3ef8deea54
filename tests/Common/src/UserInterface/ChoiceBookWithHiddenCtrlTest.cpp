// The choice book whose selector is hidden: nothing of the selector shows, and a
// real page change moves keyboard focus into the new page.
#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"
#include "UserInterface/OrbiskHiddenChoiceControl.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Orbisk::OrbiskChoiceBookWithHiddenCtrl;
using Orbisk::OrbiskHiddenChoiceControl;
using TestSupport::PumpFor;
using TestSupport::PumpUntil;

namespace {

// A frame with a text field above a book of three pages:
//   0: a text field; 1: a panel holding a panel holding a text field; 2: only a label.
class ChoiceBookFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Choice book", wxPoint(40, 40), wxSize(420, 320));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        outside = new wxTextCtrl(frame, wxID_ANY, "outside");
        sizer->Add(outside, 0, wxEXPAND);
        book = new OrbiskChoiceBookWithHiddenCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, true);
        sizer->Add(book, 1, wxEXPAND);
        frame->SetSizer(sizer);

        auto* page0 = new wxPanel(book);
        first = new wxTextCtrl(page0, wxID_ANY, "first");
        book->AddPage(page0, "first page");

        auto* page1 = new wxPanel(book);
        new wxStaticText(page1, wxID_ANY, "label first, it takes no focus");
        auto* middle = new wxPanel(page1, wxID_ANY, wxPoint(0, 30), wxSize(200, 60));
        nested = new wxTextCtrl(middle, wxID_ANY, "nested");
        new wxButton(page1, wxID_ANY, "later", wxPoint(0, 100));
        book->AddPage(page1, "second page");

        labelOnly = new wxPanel(book);
        new wxStaticText(labelOnly, wxID_ANY, "nothing to focus");
        book->AddPage(labelOnly, "third page");

        book->Bind(wxEVT_CHOICEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& e) {
            ++pageChangedEvents;
            e.Skip();
        });

        frame->Show();
        ASSERT_TRUE(PumpUntil([&] { return frame->IsShownOnScreen(); }));
        // Without a window manager the frame only gets keyboard focus from a click.
        frame->Raise();
        TestSupport::ClickWindow(outside);
        ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == outside; }, 3000)) << "no keyboard focus";
    }

    void TearDown() override
    {
        frame->Destroy();
        PumpFor(20);
    }

    bool FocusReaches(wxWindow* window)
    {
        return PumpUntil([&] { return wxWindow::FindFocus() == window; }, 2000);
    }

    wxFrame* frame = nullptr;
    wxTextCtrl* outside = nullptr;
    OrbiskChoiceBookWithHiddenCtrl* book = nullptr;
    wxTextCtrl* first = nullptr;
    wxTextCtrl* nested = nullptr;
    wxPanel* labelOnly = nullptr;
    int pageChangedEvents = 0;
};

}  // namespace

TEST_F(ChoiceBookFixture, SelectorIsHiddenTakesNoRoomAndPagesFillTheBook)
{
    auto* selector = dynamic_cast<OrbiskHiddenChoiceControl*>(book->GetChoiceCtrl());
    ASSERT_NE(selector, nullptr);
    EXPECT_FALSE(selector->IsShown());
    EXPECT_EQ(selector->GetMinSize(), wxSize(0, 0));
    EXPECT_EQ(selector->GetMaxSize(), wxSize(0, 0));
    EXPECT_EQ(selector->GetBestSize(), wxSize(0, 0));
    EXPECT_EQ(book->GetInternalBorder(), 0u);
    EXPECT_EQ(book->GetSizer()->GetItem(selector, true), nullptr) << "the selector sits in a sizer";

    book->SetSelection(1);
    PumpFor(50);
    wxWindow* page = book->GetCurrentPage();
    EXPECT_EQ(page->GetPosition(), wxPoint(0, 0));
    EXPECT_EQ(page->GetSize(), book->GetClientSize());
    EXPECT_FALSE(selector->IsShown()) << "selecting a page showed the selector";
}

TEST(ChoiceBook, FreshBookHasAnEmptyHiddenSelector)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Fresh");
    // Two-step creation, as subclasses do.
    auto* book = new OrbiskChoiceBookWithHiddenCtrl;
    EXPECT_TRUE(book->Create(frame, wxID_ANY));
    EXPECT_NE(wxDynamicCast(static_cast<wxWindow*>(book), OrbiskChoiceBookWithHiddenCtrl), nullptr);
    auto* selector = wxDynamicCast(book->GetChoiceCtrl(), OrbiskHiddenChoiceControl);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->GetCount(), 0u);
    EXPECT_FALSE(selector->IsShown());
    EXPECT_EQ(selector->GetName(), wxString(wxChoiceNameStr));
    book->ReturnTheTabFocusToFirstControlOfTheCurrentPanel();  // no pages: nothing happens
    OrbiskChoiceBookWithHiddenCtrl::RecursivelyFindNestedFirstChildForAssigningFocus(nullptr);
    frame->Destroy();
}

TEST_F(ChoiceBookFixture, SelectingAPageFocusesItsFirstFocusableControlAlsoWhenNested)
{
    book->SetSelection(1);
    EXPECT_TRUE(FocusReaches(nested)) << "focus is on "
                                      << (wxWindow::FindFocus() ? wxWindow::FindFocus()->GetName() : "nothing");
    EXPECT_EQ(pageChangedEvents, 1);

    EXPECT_EQ(book->ChangeSelection(0), 1);
    EXPECT_TRUE(FocusReaches(first));
    EXPECT_EQ(pageChangedEvents, 1) << "ChangeSelection sends no events";

    book->SetSelection(2);
    EXPECT_TRUE(FocusReaches(labelOnly)) << "a page without focusable children takes the focus itself";
}

TEST_F(ChoiceBookFixture, SelectingTheCurrentPageDoesNotMoveTheFocus)
{
    ASSERT_EQ(book->GetSelection(), 0);
    ASSERT_EQ(wxWindow::FindFocus(), outside);

    EXPECT_EQ(book->ChangeSelection(0), 0);
    book->SetSelection(0);
    PumpFor(100);
    EXPECT_EQ(wxWindow::FindFocus(), outside);
    EXPECT_EQ(pageChangedEvents, 0);
}

TEST_F(ChoiceBookFixture, SelectionWithoutFocusLogicLeavesTheFocus)
{
    EXPECT_EQ(book->SetSelection_NoExtraFocusLogic(1), 0);
    PumpFor(100);
    EXPECT_EQ(book->GetSelection(), 1);
    EXPECT_EQ(pageChangedEvents, 1);
    EXPECT_EQ(wxWindow::FindFocus(), outside);
}

TEST_F(ChoiceBookFixture, FocusGivenToTheBookPassesIntoTheCurrentPage)
{
    book->ChangeSelection(1);
    outside->SetFocus();
    ASSERT_TRUE(FocusReaches(outside));
    book->SetFocus();
    EXPECT_TRUE(FocusReaches(nested));
}

TEST_F(ChoiceBookFixture, ConcealingAgainReplacesTheSelectorAndKeepsThePages)
{
    book->ChangeSelection(1);
    wxChoice* before = book->GetChoiceCtrl();
    bool beforeDestroyed = false;
    before->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& e) {
        beforeDestroyed = beforeDestroyed || e.GetEventObject() == before;
        e.Skip();
    });
    book->ConcealChoiceControl();
    auto* after = dynamic_cast<OrbiskHiddenChoiceControl*>(book->GetChoiceCtrl());
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(beforeDestroyed);
    int selectors = 0;
    for (wxWindow* child : book->GetChildren())
        if (dynamic_cast<wxChoice*>(child) != nullptr) ++selectors;
    EXPECT_EQ(selectors, 1);
    EXPECT_FALSE(after->IsShown());
    EXPECT_EQ(book->GetPageCount(), 3u);
    EXPECT_EQ(book->GetSelection(), 1);

    // The book still works on its pages with the new selector (wx asserts fail the test).
    book->SetSelection(2);
    EXPECT_EQ(book->GetSelection(), 2);
    EXPECT_TRUE(book->SetPageText(0, "renamed"));
    EXPECT_EQ(book->GetPageText(0), "renamed");
    EXPECT_TRUE(book->DeletePage(1));
    EXPECT_EQ(book->GetPageCount(), 2u);
    EXPECT_EQ(book->GetPageText(1), "third page");
}
