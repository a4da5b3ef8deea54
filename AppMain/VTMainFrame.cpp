#include "AppMain/VTMainFrame.h"

#include "AppMain/SimpleWebAnalytics.h"
#include "AppMain/VTApp.h"
#include "AppMain/AboutVantrelPopup.h"
#include "AppMain/VersionCheck/VTVersionCheckHelper.h"
#include "AppMain/WebAddresses.h"
#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/ProcessServices.h>

#include <wx/menu.h>
#include <wx/stattext.h>

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

wxBEGIN_EVENT_TABLE(VTMainFrame, wxDocMDIParentFrame)
    EVT_CLOSE(VTMainFrame::OnClose)
wxEND_EVENT_TABLE()

namespace {

// Qt strings, fonts and images are used as soon as the frame exists.
wxDocManager* InitQtFirst(wxDocManager* manager)
{
    InitQt();
    return manager;
}

}  // namespace

VTMainFrame::VTMainFrame(wxDocManager* manager)
    : wxDocMDIParentFrame(InitQtFirst(manager), nullptr, wxID_ANY, "Study Station", wxDefaultPosition, wxSize(720, 550),
                          kCreationStyle, wxFrameNameStr)
{
    const wxIcon icon = wxXmlResource::Get()->LoadIcon("icon_app");
    if (icon.IsOk()) SetIcon(icon);
    SetWindowStyle(kShownStyle);
    // Document frames are top-level windows of their own on GTK; the parent's
    // client area stays empty and hidden in its 1 by 1 frame.
    if (wxWindow* client = GetClientWindow()) client->Hide();
}

VTMainFrame::~VTMainFrame()
{
    wxMenuBar* menuBar = GetMenuBar();
    if (menuBar && menuBar->GetMenuCount() > 0 && GetDocumentManager())
        GetDocumentManager()->FileHistoryRemoveMenu(menuBar->GetMenu(0));
    if (m_OwnerApp) m_OwnerApp->OnNotifyFrameIsDestroyedNow();
    m_VersionChecker.reset();
}

void VTMainFrame::OnClose(wxCloseEvent& event) { event.Skip(); }

void VTMainFrame::OnAbout(wxCommandEvent&)
{
    auto* about = new AboutVantrelPopup(this, 10008, _("About Vantrel"), wxDefaultPosition, wxDefaultSize,
                                        wxSIMPLE_BORDER | wxTAB_TRAVERSAL);
    about->m_VersionText->SetLabel("Version 6.5.3\nSeptember 17, 2024 release (build dd34a718)");
    about->m_VersionText->Show();
    about->m_NoticeText->SetLabel(_("Study Station is provided as is, without warranty of any kind."));
    about->m_NoticeText->Show();
    m_AboutStatusText = about->m_StatusText;
    m_VersionChecker = boost::make_shared<VTVersionCheckHelper>();
    m_VersionChecker->GetVersionInfo(
        boost::bind(&VTMainFrame::OnAboutVersionInfo, this, boost::placeholders::_1, boost::placeholders::_2));
    about->Centre(wxBOTH);
    about->ShowModal();
    if (m_VersionChecker) m_VersionChecker->DisposeOfVersionTesterObj();
    m_VersionChecker.reset();
    m_AboutStatusText = nullptr;
    about->Destroy();
}

void VTMainFrame::OnAboutVersionInfo(bool success, wxString message)
{
    wxString text = message;
    if (success && m_VersionChecker) m_VersionChecker->IsCurrentAppOutOfDate(&text);
    if (text.empty()) {
        Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
            "Version update routine produced neither a success message nor an error message.");
        text = wxString("Visit ") + kUpdatePageUrl + " for news.";
    }
    if (m_AboutStatusText) m_AboutStatusText->SetLabel(text);
    // Keeps the checker alive until this callback returns.
    const boost::shared_ptr<VTVersionCheckHelper> checker = std::move(m_VersionChecker);
    if (checker) checker->DisposeOfVersionTesterObj();
}

void VTMainFrame::ShowToolbarHere(wxFrame* frame, bool show)
{
    if (!frame || (frame->GetToolBar() != nullptr) == show) return;
    if (show) {
        frame->CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT, wxID_ANY, wxToolBarNameStr);
    } else {
        wxToolBar* toolbar = frame->GetToolBar();
        frame->SetToolBar(nullptr);
        toolbar->Destroy();
    }
}

void VTMainFrame::ShowStatusBarHere(wxFrame* frame, bool show)
{
    if (!frame || (frame->GetStatusBar() != nullptr) == show) return;
    if (show) {
        frame->CreateStatusBar(1, wxSTB_DEFAULT_STYLE, 0, wxStatusLineNameStr);
    } else {
        wxStatusBar* statusBar = frame->GetStatusBar();
        // Detach first, so the frame never lays out a bar that is going away.
        frame->SetStatusBar(nullptr);
        statusBar->Destroy();
    }
}

void VTMainFrame::OnShowToolbar(wxCommandEvent& event) { ShowToolbarHere(this, event.IsChecked()); }
void VTMainFrame::OnShowStatusbar(wxCommandEvent& event) { ShowStatusBarHere(this, event.IsChecked()); }
void VTMainFrame::OnUpdateCheckboxToolbar(wxUpdateUIEvent& event) { event.Check(GetToolBar() != nullptr); }
void VTMainFrame::OnUpdateCheckboxStatusbar(wxUpdateUIEvent& event) { event.Check(GetStatusBar() != nullptr); }
void VTMainFrame::OnUpdateRun(wxUpdateUIEvent& event) { event.Enable(VTExperiment::GetNumOpen() > 0); }
void VTMainFrame::OnUpdateExperimentControlledButtons(wxUpdateUIEvent& event)
{
    if (VTExperiment::GetNumOpen() == 0) event.Enable(false);
}
void VTMainFrame::OnHelp(wxCommandEvent&) { wxLaunchDefaultBrowser(kOnlineManualUrl); }
void VTMainFrame::OnGoToWeb(wxCommandEvent&) { wxLaunchDefaultBrowser(kHomePageUrl); }
void VTMainFrame::OnGoToWebExperiments(wxCommandEvent&) { wxLaunchDefaultBrowser(kSampleExperimentsUrl); }
void VTMainFrame::OnSendFeedback(wxCommandEvent&) { SimpleWebAnalytics::LaunchWebFeedback(); }
void VTMainFrame::OnUpdateIconSizeIncrease(wxUpdateUIEvent& event) { event.Check(GetStatusBar() != nullptr); }
void VTMainFrame::OnUpdateIconSizeDecrease(wxUpdateUIEvent& event) { event.Check(GetStatusBar() != nullptr); }
void VTMainFrame::OnUpdateIconSizeNormal(wxUpdateUIEvent& event) { event.Check(GetStatusBar() != nullptr); }

}  // namespace Vantrel
