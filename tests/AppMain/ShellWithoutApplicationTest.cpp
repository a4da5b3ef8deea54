// Parts of the shell that need no running application: the main frame and its
// bar helpers, the pump period, the version-check query, dropped files.
#include "AppMain/DisplayEssentials.h"
#include "AppMain/DnDFile.h"
#include "AppMain/PumpPeriod.h"
#include "AppMain/SimpleWebAnalytics.h"
#include "AppMain/VTDebugReport.h"
#include "AppMain/VTMainFrame.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

TEST(PumpPeriod, FromTheEnvironmentWithBadValuesLogged)
{
    wxLog::SetVerbose(true);  // the diagnostics are verbose outside obtrusive mode
    const struct
    {
        const char* value;  // nullptr: variable absent
        unsigned int period;
        const char* logged;
    } cases[] = {
        {nullptr, 1000, nullptr},
        {"250", 250, "Override for update checker set to 250 ms."},
        {"0", 0, "Override for update checker set to 0 ms."},
        {"abc", 1000, "is not an unsigned int."},
        {"", 1000, "is not an unsigned int."},  // present though empty
        {"-5", 1000, "is not an unsigned int."},
        {"12ms", 1000, "is not an unsigned int."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(absent)");
        TestSupport::ClearLog();
        if (c.value)
            setenv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING", c.value, 1);
        else
            unsetenv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING");
        EXPECT_EQ(Vantrel::PumpPeriodFromEnvironment(), c.period);
        if (c.logged)
            EXPECT_TRUE(TestSupport::LogContains(c.logged)) << TestSupport::LogAsText();
        else
            EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }
    unsetenv("OVERRIDE_VANTREL_UPDATE_CHECKER_MS_TIMING");
    wxLog::SetVerbose(false);
}

TEST(SimpleWebAnalytics, QueryNamesTheSystemAndTheProgramVersion)
{
    const std::string plain = Vantrel::SimpleWebAnalytics::ComputeThe_GET_StringStd(false);
    EXPECT_EQ(plain.rfind("?vtapp_os=", 0), 0u) << plain;
    EXPECT_NE(plain.find("&vtapp_vt=6.5.3"), std::string::npos) << plain;
    const std::string encoded = Vantrel::SimpleWebAnalytics::ComputeThe_GET_StringStd(true);
    EXPECT_NE(encoded.find("&vtapp_vt=6%2E5%2E3"), std::string::npos) << encoded;
    EXPECT_EQ(Vantrel::SimpleWebAnalytics::ComputeThe_GET_StringWx(true), wxString::FromUTF8(encoded));
    EXPECT_EQ(Vantrel::VTDebugReport::SubjectSuffix(), " crash report VT6.5.3");
}

class MainFrame : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { Vantrel::EnsureThatGUIDisplayEssentialsAreInitialized(); }
    void SetUp() override { manager_ = std::make_unique<wxDocManager>(); }
    void TearDown() override { TestSupport::PumpFor(20); }
    std::unique_ptr<wxDocManager> manager_;
};

TEST_F(MainFrame, IsCreatedWithItsTitleSizeIconAndThenWithoutTheSystemMenu)
{
    auto* frame = new Vantrel::VTMainFrame(manager_.get());
    EXPECT_EQ(frame->GetTitle(), "Study Station");
    EXPECT_EQ(frame->GetSize(), wxSize(720, 550));
    EXPECT_EQ(Vantrel::VTMainFrame::kCreationStyle, 0x20401F40);
    EXPECT_EQ(Vantrel::VTMainFrame::kShownStyle, 0x20401740);
    EXPECT_EQ(frame->GetWindowStyleFlag(), 0x20401740);
    ASSERT_EQ(frame->GetIcons().GetIconCount(), 1u);
    EXPECT_TRUE(frame->GetIcons().GetIconByIndex(0).IsOk());
    EXPECT_EQ(frame->GetToolBar(), nullptr);
    EXPECT_EQ(frame->GetStatusBar(), nullptr);
    frame->Destroy();
}

TEST_F(MainFrame, BarHelpersAddAndRemoveBarsOnlyWhenNeeded)
{
    Vantrel::VTMainFrame::ShowToolbarHere(nullptr, true);
    Vantrel::VTMainFrame::ShowStatusBarHere(nullptr, true);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bars", wxPoint(20, 20), wxSize(400, 300));
    frame->Show();
    Vantrel::VTMainFrame::ShowToolbarHere(frame, true);
    wxToolBar* toolbar = frame->GetToolBar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->GetToolsCount(), 0u);
    EXPECT_TRUE(toolbar->HasFlag(wxTB_HORIZONTAL | wxTB_FLAT));
    Vantrel::VTMainFrame::ShowToolbarHere(frame, true);
    EXPECT_EQ(frame->GetToolBar(), toolbar);

    Vantrel::VTMainFrame::ShowStatusBarHere(frame, true);
    wxStatusBar* status = frame->GetStatusBar();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetFieldsCount(), 1);
    EXPECT_EQ(status->GetId(), 0);
    Vantrel::VTMainFrame::ShowStatusBarHere(frame, true);
    EXPECT_EQ(frame->GetStatusBar(), status);

    Vantrel::VTMainFrame::ShowToolbarHere(frame, false);
    Vantrel::VTMainFrame::ShowStatusBarHere(frame, false);
    EXPECT_EQ(frame->GetToolBar(), nullptr);
    EXPECT_EQ(frame->GetStatusBar(), nullptr);
    frame->SendSizeEvent();
    TestSupport::PumpFor(50);  // a layout after removal must not touch the old bars
    Vantrel::VTMainFrame::ShowStatusBarHere(frame, false);
    frame->Destroy();
}

// A document that records opening and refuses one file name.
class RecordingDocument : public wxDocument
{
public:
    static std::vector<wxString>& Opened()
    {
        static std::vector<wxString> opened;
        return opened;
    }
    bool OnOpenDocument(const wxString& file) override
    {
        Opened().push_back(wxFileName(file).GetFullName());
        return !file.EndsWith("broken.vt6") && wxDocument::OnOpenDocument(file);
    }
    bool DoOpenDocument(const wxString&) override { return true; }
    wxDECLARE_DYNAMIC_CLASS(RecordingDocument);
};
wxIMPLEMENT_DYNAMIC_CLASS(RecordingDocument, wxDocument);

class PlainView : public wxView
{
public:
    void OnDraw(wxDC*) override {}
    wxDECLARE_DYNAMIC_CLASS(PlainView);
};
wxIMPLEMENT_DYNAMIC_CLASS(PlainView, wxView);

TEST(DnDFile, DroppedFilesOpenSilentlyInOrderAndAFailureDoesNotStopTheRest)
{
    wxDocManager manager;
    new wxDocTemplate(&manager, "Experiment", "*.vt6", "", "vt6", "Experiment", "View", wxCLASSINFO(RecordingDocument),
                      wxCLASSINFO(PlainView));
    const wxString folder = wxString::FromUTF8(TestSupport::MakeTempFolder("drop"));
    wxArrayString files;
    for (const char* name : {"first.vt6", "broken.vt6", "third.vt6"}) {
        wxFile(folder + "/" + name, wxFile::write).Write("{}");
        files.Add(folder + "/" + name);
    }
    Vantrel::DnDFile target(&manager);
    EXPECT_TRUE(target.OnDropFiles(0, 0, files));
    EXPECT_EQ(RecordingDocument::Opened(), (std::vector<wxString>{"first.vt6", "broken.vt6", "third.vt6"}));
    EXPECT_EQ(manager.GetDocuments().size(), 2u);
    EXPECT_TRUE(target.OnDropFiles(0, 0, wxArrayString()));
    manager.CloseDocuments(true);
}

}  // namespace
