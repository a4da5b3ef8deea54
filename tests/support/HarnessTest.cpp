// Proves the harness itself: a real window on the test display, a real click,
// and the recorded log.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/log.h>

TEST(Harness, RealClickReachesTheHandlerAndLogIsRecorded)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Harness", wxPoint(50, 50), wxSize(300, 200));
    auto* button = new wxButton(frame, wxID_ANY, "Press");
    int clicks = 0;
    button->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) {
        ++clicks;
        wxLogMessage("pressed");
    });
    frame->Show();
    TestSupport::ClickWindow(button);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(TestSupport::LogContains("pressed"));
    frame->Destroy();
}

TEST(Harness, HomeIsAFreshFolder) { EXPECT_EQ(wxGetHomeDir().utf8_str().data(), TestSupport::HomeFolder()); }
