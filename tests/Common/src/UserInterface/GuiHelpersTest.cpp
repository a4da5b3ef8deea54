// Helpers that act on windows: label updates, centring, the delayed progress dialog.
#include "UserInterface/UtilityClasses/GeneralGuiHelpers.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/progdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

using TestSupport::PumpUntil;

namespace {

// Counts how often it is laid out.
class CountingSizer : public wxBoxSizer
{
public:
    CountingSizer() : wxBoxSizer(wxVERTICAL) {}
    void RepositionChildren(const wxSize& minSize) override
    {
        ++layouts;
        wxBoxSizer::RepositionChildren(minSize);
    }
    int layouts = 0;
};

}  // namespace

TEST(ChangeStaticText, SetsNewTextLaysOutAndLeavesTheSameTextAlone)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Label", wxPoint(30, 30), wxSize(300, 200));
    auto* sizer = new CountingSizer;
    auto* label = new wxStaticText(frame, wxID_ANY, "old");
    sizer->Add(label);
    frame->SetSizer(sizer);
    auto* second = new CountingSizer;  // not attached to a window: only laid out by the helper

    sizer->layouts = 0;
    Orbisk::HelperFunctionChangeStaticTextIfNew(label, sizer, second, "new text", -999);
    EXPECT_EQ(label->GetLabel(), "new text");
    EXPECT_EQ(sizer->layouts, 1);
    EXPECT_EQ(second->layouts, 1);

    Orbisk::HelperFunctionChangeStaticTextIfNew(label, sizer, nullptr, "new text", -999);
    EXPECT_EQ(sizer->layouts, 1) << "the same text laid out again";

    Orbisk::HelperFunctionChangeStaticTextIfNew(label, sizer, nullptr,
                                                "a longer text that is wrapped at a narrow width", 80);
    EXPECT_EQ(label->GetMaxSize().x, 80);
    EXPECT_TRUE(label->GetLabel().Contains("\n")) << "the text was not wrapped";
    EXPECT_EQ(sizer->layouts, 2);
    delete second;
    frame->Destroy();
}

TEST(CenterOnParent, CentresTheWindowAndKeepsItsSize)
{
    auto* parent = new wxFrame(nullptr, wxID_ANY, "Parent", wxPoint(100, 100), wxSize(600, 400));
    auto* child = new wxFrame(parent, wxID_ANY, "Child", wxPoint(0, 0), wxSize(200, 100));
    parent->Show();
    child->Show();
    ASSERT_TRUE(PumpUntil([&] { return parent->IsShownOnScreen() && child->IsShownOnScreen(); }));
    const wxSize size = child->GetSize();
    Orbisk::ExecuteMacOnlyCodeToCenterOnParent(child, parent);
    const wxRect expected = wxRect(child->GetScreenPosition(), size).CentreIn(parent->GetScreenRect(), wxBOTH);
    EXPECT_TRUE(PumpUntil([&] { return child->GetScreenPosition() == expected.GetPosition(); }, 2000))
        << "at " << child->GetScreenPosition().x << "," << child->GetScreenPosition().y;
    EXPECT_EQ(child->GetSize(), size);
    Orbisk::ExecuteMacOnlyCodeToCenterOnParent(nullptr, parent);
    Orbisk::ExecuteMacOnlyCodeToEnableWindowsMenu();
    parent->Destroy();
}

TEST(ProgressWrapper, DialogAppearsOnceDueAndNeverReachesItsFullRange)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Owner", wxPoint(30, 30), wxSize(300, 200));
    frame->Show();
    {
        Orbisk::ProgressDlgWrapper wrapper(wxPD_CAN_ABORT, 0, frame, "Vantrel", 5);
        wrapper.UpdateItemAndText(1, "first file");
        wxGenericProgressDialog* dialog = wrapper.GetDialog_CanReturnNull();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetRange(), 5);
        EXPECT_EQ(dialog->GetValue(), 1);
        EXPECT_EQ(dialog->GetMessage(), "first file");

        wrapper.UpdateItemAndText(5, "last file");
        EXPECT_EQ(dialog->GetValue(), 4);
        wrapper.UpdateItemAndText(12, "beyond");  // far past the range: still inside it
        EXPECT_EQ(dialog->GetValue(), 4);
        EXPECT_TRUE(dialog->IsShown());

        wrapper.UpdateTheMaxRange(20);
        EXPECT_EQ(dialog->GetRange(), 20);
        EXPECT_FALSE(wrapper.TheUserCanceled());
        wrapper.Yield_Deprecated_NotForNewCallSites();

        wrapper.HideAndDestroy();
        EXPECT_EQ(wrapper.GetDialog_CanReturnNull(), nullptr);
        EXPECT_TRUE(wrapper.TheUserCanceled());
    }
    frame->Destroy();
}
