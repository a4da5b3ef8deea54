// The application's start-up version check against the local version double.
#include "AppHarness.h"
#include "TestSupport.h"
#include "VersionDoubleProcess.h"

#include "AppMain/AboutVantrelPopup.h"
#include "AppMain/SimpleWebAnalytics.h"
#include "AppMain/VTMainFrame.h"
#include "AppMain/Run/VTRunTaskView.h"
#include "AppMain/VersionCheck/VTVersionCheckHelper.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <gtest/gtest.h>

#include <wx/stattext.h>

#include <cstdlib>
#include <fstream>

namespace {

using TestSupport::VersionDoubleProcess;

bool StartDouble(VersionDoubleProcess& server, const std::string& bytes)
{
    const std::string path = TestSupport::MakeTempFolder("version") + "/vt6ver.txt";
    std::ofstream(path, std::ios::binary) << bytes;
    if (!server.Start(VersionDoubleProcess::Mode::Serve, path)) return false;
    setenv("VANTREL_CA_BUNDLE", server.CaPath().c_str(), 1);
    setenv("VANTREL_UPDATE_HOST", server.HostAndPort().c_str(), 1);
    return true;
}

bool CloseOnlyDocumentFrame(ProbedApp& app)
{
    const wxDocVector docs = app.GetDocManager()->GetDocumentsVector();
    if (docs.size() != 1) return false;
    auto* view = wxDynamicCast(docs[0]->GetFirstView(), Vantrel::VTRunTaskView);
    if (!view || !view->GetChildFrame() || !view->GetChildFrame()->IsShownOnScreen()) return false;
    view->GetChildFrame()->Close(false);
    return true;
}

TEST(ApplicationVersionCheck, StartUpStoresTheTextsOfANewerVersion)
{
    unsetenv("ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING");
    VersionDoubleProcess server;
    ASSERT_TRUE(StartDouble(server, "6.5.4\n||pro_file_separator||\nFaster start-up.\n")) << server.Error();
    wxString update, changeLog, version;
    bool pendingBeforeTheLoop = true;
    const AppRun run = RunApplication(
        {},
        [&](ProbedApp& app) {
            if (app.GetVersionString().empty()) return false;
            update = app.GetUpdateStringOrEmptyStringMeansNoUpdates();
            changeLog = app.GetChangelogString();
            version = app.GetVersionString();
            return CloseOnlyDocumentFrame(app);
        },
        [&](ProbedApp& app) { pendingBeforeTheLoop = app.IsVersionCheckPending(); });
    if (run.skipped) GTEST_SKIP() << "the application runs once per process";
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(update, "Version 6.5.4 is now available.");
    EXPECT_EQ(changeLog, "Faster start-up.");
    EXPECT_EQ(version, "6.5.4");
    EXPECT_FALSE(pendingBeforeTheLoop) << "the check starts with the loop, not during start-up";
}

TEST(ApplicationVersionCheck, TheDisableVariableEvenEmptyStopsTheRequest)
{
    setenv("ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING", "", 1);
    VersionDoubleProcess server;
    ASSERT_TRUE(StartDouble(server, "6.5.4||pro_file_separator||x")) << server.Error();
    int ticks = 0;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        // About two seconds of a running pump: long enough for a local reply.
        if (++ticks < 100) return false;
        EXPECT_TRUE(app.GetUpdateStringOrEmptyStringMeansNoUpdates().empty());
        EXPECT_TRUE(app.GetVersionString().empty());
        return CloseOnlyDocumentFrame(app);
    });
    if (run.skipped) GTEST_SKIP() << "the application runs once per process";
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_FALSE(server.WaitForRequest(std::string(Vantrel::VTVersionCheckHelper::RequestPathStart) +
                                           Vantrel::SimpleWebAnalytics::ComputeThe_GET_StringStd(true),
                                       200));
}

AboutVantrelPopup* OpenAboutWindow()
{
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* about = wxDynamicCast(window, AboutVantrelPopup)) return about->IsModal() ? about : nullptr;
    return nullptr;
}

TEST(ApplicationVersionCheck, AboutWindowChecksEvenWhenStartUpCheckIsOff)
{
    setenv("ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING", "", 1);
    VersionDoubleProcess server;
    ASSERT_TRUE(StartDouble(server, "6.5.4||pro_file_separator||x")) << server.Error();
    int phase = 0;
    wxString status;
    const AppRun run = RunApplication({}, [&](ProbedApp& app) {
        if (phase == 0) {
            auto* frame = wxDynamicCast(app.GetTopWindow(), Vantrel::VTMainFrame);
            if (!frame || app.HasSplashOwner()) return false;
            frame->CallAfter([frame] {
                wxCommandEvent event(wxEVT_MENU, wxID_ABOUT);
                frame->OnAbout(event);
            });
            phase = 1;
            return false;
        }
        if (phase == 1) {
            AboutVantrelPopup* about = OpenAboutWindow();
            if (!about || about->m_StatusText->GetLabel().empty()) return false;
            status = about->m_StatusText->GetLabel();
            about->EndModal(wxID_OK);
            phase = 2;
            return false;
        }
        if (OpenAboutWindow()) return false;
        return CloseOnlyDocumentFrame(app);
    });
    if (run.skipped) GTEST_SKIP() << "the application runs once per process";
    ASSERT_FALSE(run.timedOut) << TestSupport::LogAsText();
    EXPECT_EQ(status, "Version 6.5.4 is now available.");
}

}  // namespace
