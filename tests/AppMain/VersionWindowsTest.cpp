#include "AppMain/AboutVantrelPopup.h"
#include "AppMain/VersionCheck/VersionCheckChangeLogWindow.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

TEST(VersionWindows, ChangeLogWindowShowsItsTextsAndEndsWithZeroOnOk)
{
    auto* window = new VersionCheckChangeLogWindow(nullptr, wxID_ANY, "Changes", wxDefaultPosition, wxDefaultSize,
                                                   wxDEFAULT_DIALOG_STYLE);
    auto* header = wxDynamicCast(window->FindWindow(10030), wxStaticText);
    auto* text = wxDynamicCast(window->FindWindow(10028), wxTextCtrl);
    ASSERT_TRUE(header && text);
    EXPECT_EQ(header->GetLabel(), "Changes in Vantrel");
    EXPECT_EQ(text->GetValue(), "Changes to Vantrel in the latest release.");
    window->SetChangeLogHeaderContents("6.5.4");
    window->SetChangeLogContents("One\nTwo");
    EXPECT_EQ(header->GetLabel(), "Changes in Vantrel 6.5.4");
    EXPECT_EQ(text->GetValue(), "One\nTwo");

    int result = -1;
    window->CallAfter([window] {
        auto* ok = wxDynamicCast(window->FindWindow(wxID_CANCEL), wxButton);
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(ok);
        ok->GetEventHandler()->ProcessEvent(click);
    });
    result = window->ShowModal();
    EXPECT_EQ(result, 0);
    window->Destroy();
}

TEST(VersionWindows, AboutWindowStartsWithEmptyHeadingAndStatus)
{
    auto* about = new AboutVantrelPopup(nullptr, 10008, "About Vantrel", wxDefaultPosition, wxDefaultSize,
                                        wxSIMPLE_BORDER | wxTAB_TRAVERSAL);
    ASSERT_TRUE(about->m_SecondHeading && about->m_VersionText && about->m_StatusText && about->m_NoticeText);
    EXPECT_TRUE(about->m_SecondHeading->GetLabel().empty());
    EXPECT_TRUE(about->m_StatusText->GetLabel().empty());
    EXPECT_EQ(about->m_VersionText->GetLabel(), "(looking up detailed version...)");
    about->CallAfter([about] { about->EndModal(wxID_OK); });
    EXPECT_EQ(about->ShowModal(), wxID_OK);
    about->Destroy();
}

}  // namespace
