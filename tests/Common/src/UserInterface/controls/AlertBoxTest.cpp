#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "UserInterface/Dialogs/ModalSheetSupport.h"
#include "UserInterface/Dialogs/wxAlert.h"
#include "UserInterface/Dialogs/wxAlertBox.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using Buttons = std::vector<std::pair<int, wxString>>;

// The button row as the user sees it: labels, and "_" for each stretch spacer.
wxString ButtonRowLayout(wxDialog& dialog)
{
    wxString layout;
    for (wxWindow* child : dialog.GetChildren()) {
        auto* button = wxDynamicCast(child, wxButton);
        if (!button) continue;
        for (const wxSizerItem* item : button->GetContainingSizer()->GetChildren())
            layout += (layout.empty() ? "" : " ") + (item->IsSpacer() ? wxString("_") : item->GetWindow()->GetLabel());
        break;
    }
    return layout;
}

Buttons ButtonsOf(wxDialog& dialog)
{
    Buttons buttons;
    for (wxWindow* child : dialog.GetChildren())
        if (auto* button = wxDynamicCast(child, wxButton)) buttons.emplace_back(button->GetId(), button->GetLabel());
    return buttons;
}

struct ClosedEvents
{
    std::vector<int> codes;     // return codes seen on the alert's identifier
    int onOtherIdentifier = 0;  // closed events seen on an unrelated identifier
};

void BindClosed(wxWindow* parent, int id, ClosedEvents& seen)
{
    parent->Bind(
        wxEVT_WINDOW_MODAL_DIALOG_CLOSED,
        [&seen](wxWindowModalDialogEvent& e) { seen.codes.push_back(e.GetReturnCode()); }, id);
    parent->Bind(
        wxEVT_WINDOW_MODAL_DIALOG_CLOSED, [&seen](wxWindowModalDialogEvent&) { ++seen.onOtherIdentifier; }, id + 1);
}

struct AlertCase
{
    const char* name;
    wxArrayString labels;
    unsigned int defaultButton;
    Buttons expected;  // (identifier, label) in order of creation
    wxString press;    // label of the button the user presses
    int expectedCode;
    wxString layout;  // the button row: a leading spacer only when no label is empty
};

void PrintTo(const AlertCase& c, std::ostream* os) { *os << c.name; }

class AlertBoxTest : public ::testing::TestWithParam<AlertCase>
{};

TEST_P(AlertBoxTest, ButtonsGetConsecutiveIdentifiersAndThePressedOneAnswersOnTheCallersIdentifier)
{
    const AlertCase& c = GetParam();
    SheetTest::ParentFrame parent;
    ClosedEvents seen;
    BindClosed(parent.Get(), 32401, seen);
    int returned = 0;
    Buttons buttons;
    wxString layout;
    int defaultId = -1;
    bool vacantWhileOpen = true;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        parent.Get(),
        [&](wxDialog& alert) {
            EXPECT_EQ(alert.GetId(), 32401);
            EXPECT_TRUE(wxDynamicCast(&alert, wxAlert));
            buttons = ButtonsOf(alert);
            layout = ButtonRowLayout(alert);
            if (auto* item = alert.GetDefaultItem()) defaultId = item->GetId();
            vacantWhileOpen = Orbisk::WindowHasVacancyForNewModalSheet(parent.Get());
            for (auto& [id, label] : buttons) {
                if (label == c.press) SheetTest::Click(alert.FindWindow(id));
            }
        },
        [&] {
            returned = wxAlertBox(parent.Get(), 32401, "Clear the existing list items first?",
                                  "Choosing \"No\" will add imported items.", "Import", c.defaultButton, c.labels,
                                  "wxART_HELP");
        }));
    EXPECT_EQ(returned, wxID_CANCEL);
    EXPECT_EQ(buttons, c.expected);
    EXPECT_EQ(layout, c.layout);
    if (c.defaultButton < c.expected.size()) {
        EXPECT_EQ(defaultId, static_cast<int>(c.defaultButton));
    }
    EXPECT_FALSE(vacantWhileOpen);
    EXPECT_TRUE(Orbisk::WindowHasVacancyForNewModalSheet(parent.Get()));
    EXPECT_EQ(seen.codes, std::vector<int>{c.expectedCode});
    EXPECT_EQ(seen.onOtherIdentifier, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, AlertBoxTest,
    ::testing::Values(
        AlertCase{"OneChoice", CreateChoices("OK"), 0, {{0, "OK"}}, "OK", 0, "_ OK"},
        AlertCase{"GapThenOk", CreateChoices("", "OK"), 0, {{0, "OK"}}, "OK", 0, "_ OK"},
        AlertCase{"NoYesDefaultYes", CreateChoices("No", "Yes"), 1, {{0, "No"}, {1, "Yes"}}, "Yes", 1, "_ No Yes"},
        AlertCase{"GapInTheMiddle",
                  CreateChoices("Keep", "", "Discard"),
                  0,
                  {{0, "Keep"}, {1, "Discard"}},
                  "Discard",
                  1,
                  "Keep _ Discard"},
        AlertCase{"FourChoices",
                  CreateChoices("One", "Two", "Three", "Four"),
                  3,
                  {{0, "One"}, {1, "Two"}, {2, "Three"}, {3, "Four"}},
                  "Three",
                  2,
                  "_ One Two Three Four"},
        AlertCase{"SixLabelsMakeFourButtons",
                  CreateChoices("A", "B", "C", "D", "E", "F"),
                  0,
                  {{0, "A"}, {1, "B"}, {2, "C"}, {3, "D"}},
                  "D",
                  3,
                  "_ A B C D"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlertBoxOverloadsTest, SingleLabelOverloadsMatchCreateChoices)
{
    SheetTest::ParentFrame parent;
    const wxString l[] = {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8"};
    const std::function<void(wxWindow*)> shows[] = {
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], "wxART_HELP"); },
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], "wxART_HELP"); },
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], "wxART_HELP"); },
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], l[3], "wxART_HELP"); },
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], l[3], l[4], "wxART_HELP"); },
        [&](wxWindow* p) { wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], l[3], l[4], l[5], "wxART_HELP"); },
        [&](wxWindow* p) {
            wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], l[3], l[4], l[5], l[6], "wxART_HELP");
        },
        [&](wxWindow* p) {
            wxAlertBox(p, 7, "m", "i", "t", 0, l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7], "wxART_HELP");
        },
    };
    EXPECT_EQ(CreateChoices(l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7]), wxArrayString(8, l));
    for (int n = 1; n <= 8; ++n) {
        Buttons buttons;
        ASSERT_TRUE(SheetTest::WhileModalChildOpen(
            parent.Get(),
            [&](wxDialog& alert) {
                buttons = ButtonsOf(alert);
                wxCommandEvent press(wxEVT_BUTTON, 0);
                press.SetEventObject(alert.FindWindow(0));
                alert.FindWindow(0)->GetEventHandler()->ProcessEvent(press);
            },
            [&] { shows[n - 1](parent.Get()); }));
        ASSERT_EQ(buttons.size(), static_cast<size_t>(std::min(n, 4))) << n;
        for (size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i].second, l[i]);
    }
}

TEST(AlertTest, MessageIsBoldAndWrappedAndAnEmptyLabelListMakesNoButtons)
{
    SheetTest::ParentFrame parent;
    wxString longMessage;
    for (int i = 0; i < 60; ++i) longMessage += "word ";
    auto* alert = new wxAlert(parent.Get(), longMessage, "details", "Title", 0, wxArrayString(), 55, wxNullBitmap);
    EXPECT_EQ(alert->GetButtonsCreated(), 0);
    EXPECT_FALSE(alert->HasSpacers());
    EXPECT_TRUE(ButtonsOf(*alert).empty());
    EXPECT_EQ(alert->GetMessageLabel()->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_GT(alert->GetMessageLabel()->GetFont().GetPointSize(),
              alert->GetInformativeLabel()->GetFont().GetPointSize() - 1);
    EXPECT_LE(alert->GetMessageLabel()->GetBestSize().GetWidth(), 400);
    EXPECT_TRUE(alert->GetMessageLabel()->GetLabel().Contains("\n")) << "wrapped at 400 pixels";
    EXPECT_EQ(alert->GetTitle(), "Title");
    // The class can be made by name, as resources do; what is made here is never created as a window.
    const std::unique_ptr<wxObject> byName(wxCreateDynamicObject("wxAlert"));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->GetClassInfo()->GetClassName(), wxString("wxAlert"));
}

TEST(AlertTest, HidingGuardMovesAnOpenModalDialogOffScreenAndBackWithoutEndingIt)
{
    SheetTest::ParentFrame parent;
    ClosedEvents seen;
    BindClosed(parent.Get(), 900, seen);
    wxPoint before, during, after;
    bool modalWhileHidden = false;
    bool visibleWhileHidden = true;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        parent.Get(),
        [&](wxDialog& alert) {
            before = alert.GetPosition();
            {
                Orbisk::RAII_TemporaryHidingForOpenModalDialog hidden(&alert);
                TestSupport::PumpFor(100);
                during = alert.GetScreenPosition();
                modalWhileHidden = alert.IsModal() && alert.IsShown();
                const wxRect onScreen(during, alert.GetSize());
                visibleWhileHidden = wxDisplay(0u).GetGeometry().Intersects(onScreen);
            }
            TestSupport::PumpUntil([&] { return alert.GetPosition() == before; }, 2000);
            after = alert.GetPosition();
            SheetTest::Click(alert.FindWindow(1));
        },
        [&] { wxAlertBox(parent.Get(), 900, "Preview", "", "", 1, "No", "Yes", "wxART_HELP"); }));
    EXPECT_TRUE(modalWhileHidden);
    EXPECT_FALSE(visibleWhileHidden);
    EXPECT_EQ(after, before);
    EXPECT_EQ(seen.codes, std::vector<int>{1});
}

TEST(AlertTest, AnAlertOnAPanelOccupiesItsFrame)
{
    SheetTest::ParentFrame parent;
    auto* panel = new wxPanel(parent.Get());
    bool frameVacant = true;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        panel,
        [&](wxDialog& alert) {
            frameVacant = Orbisk::WindowHasVacancyForNewModalSheet(parent.Get());
            SheetTest::Click(alert.FindWindow(0));
        },
        [&] { wxAlertBox(panel, 31, "On a panel", "", "", 0, "OK", "wxART_INFORMATION"); }));
    EXPECT_FALSE(frameVacant);
    EXPECT_TRUE(Orbisk::WindowHasVacancyForNewModalSheet(parent.Get()));
}

TEST(AlertTest, NoVacancyForANullWindowAndVacancyWithoutSheets)
{
    SheetTest::ParentFrame parent;
    EXPECT_FALSE(Orbisk::WindowHasVacancyForNewModalSheet(nullptr));
    EXPECT_TRUE(Orbisk::WindowHasVacancyForNewModalSheet(parent.Get()));
    Orbisk::RAII_TemporaryHidingForOpenModalDialog nothing(nullptr);  // harmless
}

}  // namespace
