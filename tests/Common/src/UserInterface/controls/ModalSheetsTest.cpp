#include "SheetTestSupport.h"
#include "TestSupport.h"
#include "UserInterface/Dialogs/FeedbackTimeLimitModalSheet.h"
#include "UserInterface/Dialogs/ModalSheetSupport.h"
#include "UserInterface/Dialogs/ModalSheetWHyperlink.h"
#include "UserInterface/Dialogs/NoteModalSheet.h"

#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ModalSheetsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent_.reset(new SheetTest::ParentFrame);
        (*parent_)->Bind(wxEVT_WINDOW_MODAL_DIALOG_CLOSED, [this](wxWindowModalDialogEvent& e) {
            codes_.push_back(e.GetReturnCode());
            ids_.push_back(e.GetId());
        });
    }
    void TearDown() override { parent_.reset(); }

    wxFrame* Parent() { return parent_->Get(); }

    // Focuses a field by clicking it and types into it with real key events.
    static void TypeInto(wxTextCtrl* field, const char* text, const char* expected = nullptr)
    {
        SheetTest::Click(field);
        TestSupport::PumpUntil([&] { return wxWindow::FindFocus() == field; }, 2000);
        field->SelectAll();
        wxUIActionSimulator sim;
        sim.Text(text);
        const wxString shown = expected ? expected : text;
        TestSupport::PumpUntil([&] { return field->GetValue() == shown; }, 3000);
    }

    static constexpr int kId = 22439;
    std::unique_ptr<SheetTest::ParentFrame> parent_;
    std::vector<int> codes_;  // return codes of the closed events, in order
    std::vector<int> ids_;    // their identifiers
};

TEST_F(ModalSheetsTest, NoteSheetStoresTypedTextAndCallsBackOnOkOnly)
{
    wxString note = "old note";
    int calls = 0;
    wxString noteWhenCalled;
    wxString shownAtStart;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            auto* field = wxDynamicCast(SheetTest::Child(sheet, NoteModalSheet::TextFieldId), wxTextCtrl);
            ASSERT_NE(field, nullptr);
            EXPECT_TRUE(field->IsMultiLine());
            shownAtStart = field->GetValue();
            TypeInto(field, "new note");
            SheetTest::Click(sheet.FindWindow(wxID_OK));
        },
        [&] {
            EXPECT_EQ(NoteModalSheetBox(Parent(), &note,
                                        [&] {
                                            ++calls;
                                            noteWhenCalled = note;
                                        }),
                      wxID_CANCEL);
        }));
    EXPECT_EQ(shownAtStart, "old note");
    EXPECT_EQ(note, "new note");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(noteWhenCalled, "new note") << "the text is stored before the function runs";
    EXPECT_EQ(codes_, std::vector<int>{wxID_OK});
}

TEST_F(ModalSheetsTest, NoteSheetCancelKeepsTheStringAndDoesNotCallBack)
{
    wxString note = "keep me";
    int calls = 0;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            wxDynamicCast(SheetTest::Child(sheet, NoteModalSheet::TextFieldId), wxTextCtrl)->SetValue("changed");
            SheetTest::Click(sheet.FindWindow(wxID_CANCEL));
        },
        [&] { NoteModalSheetBox(Parent(), &note, [&] { ++calls; }); }));
    EXPECT_EQ(note, "keep me");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(codes_, std::vector<int>{wxID_CANCEL});
}

TEST_F(ModalSheetsTest, NoteSheetWithLabelTextAndSingleLineAndNoFunction)
{
    wxString note;
    wxString label;
    bool multiLine = true;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            label = wxDynamicCast(SheetTest::Child(sheet, NoteModalSheet::LabelId), wxStaticText)->GetLabel();
            auto* field = wxDynamicCast(SheetTest::Child(sheet, NoteModalSheet::TextFieldId), wxTextCtrl);
            multiLine = field->IsMultiLine();
            field->SetValue("one line");
            SheetTest::Click(sheet.FindWindow(wxID_OK));
        },
        [&] { NoteModalSheetBox(Parent(), &note, boost::function<void()>(), "Participant:", true); }));
    EXPECT_EQ(label, "Participant:");
    EXPECT_FALSE(multiLine);
    EXPECT_EQ(note, "one line");
    EXPECT_EQ(codes_, std::vector<int>{wxID_OK});
}

TEST_F(ModalSheetsTest, NoteSheetBoxWithIdentifierAnswersOnThatIdentifier)
{
    wxString note = "x";
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            EXPECT_EQ(sheet.GetId(), kId);
            EXPECT_EQ(wxDynamicCast(SheetTest::Child(sheet, NoteModalSheet::LabelId), wxStaticText)->GetLabel(),
                      "Note:");
            SheetTest::Click(sheet.FindWindow(wxID_OK));
        },
        [&] { NoteModalSheetBox(Parent(), &note, kId); }));
    EXPECT_EQ(codes_, std::vector<int>{wxID_OK});
    EXPECT_EQ(ids_, std::vector<int>{kId});
}

TEST_F(ModalSheetsTest, TimeLimitSheetShowsTheValueAndEnterActsLikeOk)
{
    int value = 250;
    int result = -1;
    wxString caption, label, text;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            caption = sheet.GetTitle();
            label =
                wxDynamicCast(SheetTest::Child(sheet, FeedbackTimeLimitModalSheet::LabelId), wxStaticText)->GetLabel();
            auto* field = wxDynamicCast(SheetTest::Child(sheet, FeedbackTimeLimitModalSheet::TextFieldId), wxTextCtrl);
            text = field->GetValue();
            TypeInto(field, "12z00", "1200");  // the field takes numeric characters only
            wxUIActionSimulator sim;
            sim.Char(WXK_RETURN);
            TestSupport::PumpUntil([&] { return !sheet.IsModal(); }, 3000);
        },
        [&] { EXPECT_EQ(FeedbackTimeLimitModalSheetBox(Parent(), value, "Delay", kId, &result), wxID_CANCEL); }));
    EXPECT_EQ(ids_, std::vector<int>{kId});
    EXPECT_EQ(caption, "Enter Delay");
    EXPECT_EQ(label, "Delay:");
    EXPECT_EQ(text, "250");
    EXPECT_EQ(value, 1200);
    EXPECT_EQ(result, 1200);
    EXPECT_EQ(codes_, std::vector<int>{wxID_OK});
}

TEST_F(ModalSheetsTest, TimeLimitTextThatIsNotAWholeNumberStoresZeroAndCancelStoresNothing)
{
    struct Case
    {
        const char* text;
        int button;
        int stored;
    } cases[] = {{"1.5", wxID_OK, 0},
                 {"", wxID_OK, 0},
                 {"99999999999", wxID_OK, 0},
                 {"-40", wxID_OK, -40},
                 {"700", wxID_CANCEL, 250}};
    for (const Case& c : cases) {
        int value = 250;
        int result = 250;
        codes_.clear();
        ASSERT_TRUE(SheetTest::WhileModalChildOpen(
            Parent(),
            [&](wxDialog& sheet) {
                wxDynamicCast(SheetTest::Child(sheet, FeedbackTimeLimitModalSheet::TextFieldId), wxTextCtrl)
                    ->ChangeValue(c.text);
                SheetTest::Click(sheet.FindWindow(c.button));
            },
            [&] { FeedbackTimeLimitModalSheetBox(Parent(), value, "Delay", kId, &result); }));
        EXPECT_EQ(value, c.stored) << c.text;
        EXPECT_EQ(result, c.stored) << c.text;
        EXPECT_EQ(codes_, std::vector<int>{c.button}) << c.text;
    }
}

TEST_F(ModalSheetsTest, HyperlinkSheetShowsWrappedMessageAndLinkAndClosesWithOk)
{
    const wxString message =
        "This input device may conflict with Keyboard.  However, both can be used if they are each set to only "
        "look for input when a correct response has been defined.";
    wxString shownLink, url;
    wxSize messageSize;
    int lineHeight = 0;
    ASSERT_TRUE(SheetTest::WhileModalChildOpen(
        Parent(),
        [&](wxDialog& sheet) {
            auto* link = wxDynamicCast(SheetTest::Child(sheet, ModalSheetWHyperlink::HyperlinkId), wxHyperlinkCtrl);
            shownLink = link->GetLabel();
            url = link->GetURL();
            auto* text = wxDynamicCast(SheetTest::Child(sheet, ModalSheetWHyperlink::MessageId), wxStaticText);
            messageSize = text->GetSize();
            lineHeight = text->GetCharHeight();
            SheetTest::Click(sheet.FindWindow(wxID_OK));
        },
        [&] {
            ModalSheetWHyperlinkBox(Parent(), message, "Click for additional information.",
                                    "https://support.example.test/conflicts", kId, "wxART_HELP");
        }));
    EXPECT_EQ(shownLink, "Click for additional information.");
    EXPECT_EQ(url, "https://support.example.test/conflicts");
    EXPECT_LE(messageSize.GetWidth(), ModalSheetWHyperlink::MessageWrapWidth);
    EXPECT_GE(messageSize.GetHeight(), 2 * lineHeight) << "a long message wraps";
    EXPECT_EQ(codes_, std::vector<int>{wxID_OK});
}

}  // namespace
