#pragma once
// The application's document parent frame. Study Station keeps it off screen:
// it is the top window, the parent of every document frame, and the window
// whose closing ends the application.

#include <wx/docmdi.h>

#include <boost/shared_ptr.hpp>

class wxFrame;

namespace Vantrel {

class VTApp;
class VTVersionCheckHelper;

class VTMainFrame : public wxDocMDIParentFrame
{
public:
    explicit VTMainFrame(wxDocManager* manager);
    ~VTMainFrame() override;

    void SetOwnerApp(VTApp* app) { m_OwnerApp = app; }

    void OnClose(wxCloseEvent& event);

    // Give any frame an (empty) toolbar or status bar, or take it away.
    static void ShowToolbarHere(wxFrame* frame, bool show);
    static void ShowStatusBarHere(wxFrame* frame, bool show);

    // Command handlers for the menus of the editing configuration; nothing in
    // Study Station binds them.
    void OnShowToolbar(wxCommandEvent& event);
    void OnShowStatusbar(wxCommandEvent& event);
    void OnUpdateCheckboxToolbar(wxUpdateUIEvent& event);
    void OnUpdateCheckboxStatusbar(wxUpdateUIEvent& event);
    void OnUpdateRun(wxUpdateUIEvent& event);
    void OnUpdateExperimentControlledButtons(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnGoToWeb(wxCommandEvent& event);
    void OnGoToWebExperiments(wxCommandEvent& event);
    void OnSendFeedback(wxCommandEvent& event);
    // Shows the About window and checks for a newer version while it is open.
    void OnAbout(wxCommandEvent& event);
    void OnIconSizeIncrease(wxCommandEvent&) {}
    void OnIconSizeDecrease(wxCommandEvent&) {}
    void OnIconSizeNormal(wxCommandEvent&) {}
    void OnOpenCloudDashboard(wxCommandEvent&) {}
    void OnUpdateIconSizeIncrease(wxUpdateUIEvent& event);
    void OnUpdateIconSizeDecrease(wxUpdateUIEvent& event);
    void OnUpdateIconSizeNormal(wxUpdateUIEvent& event);
    void ToggleExperimentSpecificMenus(bool) {}
    void SetMenuEnablednessForExperimentRun_EmptyCallOnMSWindows(bool) {}

    static constexpr long kCreationStyle = wxDEFAULT_FRAME_STYLE | wxFRAME_NO_WINDOW_MENU;  // 0x20401F40
    static constexpr long kShownStyle = kCreationStyle & ~wxSYSTEM_MENU;                    // 0x20401740

private:
    void OnAboutVersionInfo(bool success, wxString message);

    wxWindow* m_AboutStatusText = nullptr;
    boost::shared_ptr<VTVersionCheckHelper> m_VersionChecker;
    VTApp* m_OwnerApp = nullptr;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
