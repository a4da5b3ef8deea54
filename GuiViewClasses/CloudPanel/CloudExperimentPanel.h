#pragma once
// The participant's side of a cloud task, the whole content of the run-task
// view: task code, participant details, download and unpacking, the run, and
// handing the data back to the researcher.

#include "CloudTaskSupport/DesktopDataCopy.h"
#include "CloudTaskSupport/TaskFolderCleanup.h"
#include "WindowLifeToken.h"

#include <wx/panel.h>

#include <cstdint>
#include <memory>
#include <unordered_map>

class wxButton;
class wxGauge;
class wxStaticText;
class wxTextCtrl;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {
class CloudPanelHost;
class VTExperiment;
}  // namespace Vantrel

class CloudExperimentPanel : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(CloudExperimentPanel);
    wxDECLARE_EVENT_TABLE();

public:
    // Control identifiers of the layout.
    enum
    {
        ID_GAUGE = 10000,
        ID_TASK_ID = 10001,
        ID_BUTTON_BOOK = 10002,
        ID_STEP_BOOK = 10003,
        ID_STEP1_PAGE = 10004,
        ID_STEP2_PAGE = 10005,
        ID_NAME = 10006,
        ID_DOWNLOAD_PAGE = 10007,
        ID_NEXT = 10008,
        ID_BUTTON_PAGE1 = 10009,
        ID_THANKS_PAGE = 10010,
        ID_GET_STARTED = 10011,
        ID_BUTTON_PAGE2 = 10012,
        ID_EXIT = 10013,
        ID_BUTTON_PAGE3 = 10014,
        ID_FOOTER = 10015,
        ID_RUN_OR_CANCEL = 10016,
        ID_BUTTON_PAGE4 = 10017,
        ID_HYPERLINK = 10018,
        ID_EMAIL = 10019,
        ID_DETAILS_PANEL = 10020,
        ID_UPLOAD_ERROR_PAGE = 10021,
        ID_COPY_EMAIL = 10022,
        ID_ERROR_TEXT = 10065,
    };

    // The pages of the step book and of the button book.
    enum StepPage
    {
        kStepTaskCode = 0,
        kStepDetails = 1,
        kStepDownload = 2,
        kStepThanks = 3,
        kStepUploadError = 4
    };
    enum ButtonPage
    {
        kButtonNext = 0,
        kButtonGetStarted = 1,
        kButtonRunOrCancel = 2,
        kButtonExit = 3
    };

    // Where the participant is on the road of a task. EnterState sets both books
    // and every control for the state; nothing else changes what they show.
    enum class State
    {
        TaskCode,     // typing the task code (with the message of a failed try, if any)
        Checking,     // the code is being checked against the service; input is locked
        Details,      // name and e-mail, when the researcher asks for them
        Downloading,  // the package is on its way; the button cancels
        Opening,      // the package is complete; the experiment is about to open
        Ready,        // the experiment is open; the button runs it
        HandingBack,  // the data file is on its way to the researcher
        Thanks,       // done
        UploadError   // done, and the participant must send the data file
    };

    CloudExperimentPanel();
    // The host is the program's run-task view, or a test's or another container's.
    CloudExperimentPanel(wxWindow* parent, std::unique_ptr<Vantrel::CloudPanelHost> host, int id = wxID_ANY,
                         const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                         long style = wxTAB_TRAVERSAL);
    ~CloudExperimentPanel() override;

    bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

    // A task code from the command line; ignored once a task is under way.
    void InsertCmdLineTaskID(long taskCode, bool noDataUpload);
    // The last task code handed in from the command line (-1: none) and the no-upload switch.
    long GetCmdLineTaskID() const { return m_cmdLineTaskID; }
    bool GetNoDataUpload() const { return m_noDataUpload; }
    // The experiment whose view holds the panel (null for hosts without one).
    Vantrel::VTExperiment* GetExperiment() const;

    void OnStep1Next(wxCommandEvent& event);
    void OnStep2GetStarted(wxCommandEvent& event);
    void OnStep3RunOrCancel(wxCommandEvent& event);
    void OnStep4Exit(wxCommandEvent& event);
    void OnCopyResearcherEmail(wxCommandEvent& event);

    bool LoadExperimentInfo();
    static bool DoExpFilesExist(const wxString& folder);
    void DownloadExperiment();
    bool OpenExperiment(const wxString& folder);
    void RunExperiment();
    bool DetermineRunGroup();
    bool SendFailureEmailToResearcher();

    // The service experiment code of the task under way (0: none yet).
    static long GetCloudExperimentCode() { return m_cloudExpID; }
    // Forgets the task under way, as a new process would start (tests run many tasks).
    static void ForgetTaskForTesting();

    // What the participant sees, for tests and the view.
    State GetState() const { return m_state; }
    int GetStepPage() const;
    int GetButtonPage() const;
    bool IsDownloadInFlight() const;
    // The checks of a typed task code are running against the service.
    bool AreTaskChecksInFlight() const;
    std::uint32_t GetRunGroupId() const { return m_runGroupId; }

private:
    struct Work;  // the service client, information record and download: heavy headers stay out of here

    void Construct(Vantrel::CloudPanelHost* host, wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                   long style);
    void EnterState(State state);
    void EnterReadyState();
    static wxString SubjectName();
    void ShowFirstPageWithError(const wxString& message);
    // Posted to the GUI thread by a worker that has ended: collects every outcome.
    void OnWorkerEnded();
    void OnDownloadEnded(int outcome);
    void OnTaskChecksEnded();
    void UnpackAndOpen();
    void KeepEarlierDataFile(const wxString& dataFile);
    void FinishHandBack(const wxString& dataFile, bool runCancelled);
    void EndAfterFailedRun(const wxString& dataFile, const wxString& failure);
    void OnHandBackEnded();
    void EndHandBack(const wxString& dataFile, int page, const Vantrel::DesktopCopyResult& copy);
    wxString TaskFolder() const;

    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_stepBook;
    wxTextCtrl* m_taskIdCtrl;
    wxStaticText* m_errorText;
    wxTextCtrl* m_nameCtrl;
    wxTextCtrl* m_emailCtrl;
    wxPanel* m_downloadPage;
    wxStaticText* m_downloadText;
    wxGauge* m_gauge;
    wxStaticText* m_thanksNoteText;
    wxStaticText* m_uploadErrorText;
    wxButton* m_copyEmailButton;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_buttonBook;
    wxButton* m_runOrCancelButton;

    std::unique_ptr<Vantrel::CloudPanelHost> m_host;
    long m_cmdLineTaskID = -1;
    std::unique_ptr<Work> m_work;
    std::uint32_t m_cloudGroupSetting = 0;
    std::uint32_t m_runGroupId = 0;
    std::uint32_t m_participantCount = 0;
    std::unordered_map<std::uint32_t, std::uint32_t> m_groupRunCounts;
    bool m_askParticipantInfo = false;
    Vantrel::DataSafetyFacts m_handBackFacts;
    bool m_keepTaskFolder = false;  // an earlier data file could not be made safe before this run

    // The state and the texts it shows.
    State m_state = State::TaskCode;
    wxString m_errorMessage;        // under the task code
    wxString m_uploadErrorMessage;  // where the data file is, when it did not reach the researcher
    wxString m_thanksNote;          // what becomes of the task files
    wxString m_deliveryNote;        // the upload went out but was never answered: where the data may be
    bool m_busyCursor = false;
    unsigned m_downloadNumber = 0;  // progress of an earlier, cancelled download is not shown

    // One task per process: these outlive the first panel, which is replaced by
    // the one of the opened experiment. GUI thread only; the download worker
    // shares nothing with them.
    static long m_cloudExpID;
    static bool m_expDLFinished;
    static wxString m_userName;
    static wxString m_userEmail;
    static bool m_noDataUpload;

    // Last, so it goes first: workers' news posted after this point finds the panel gone.
    Vantrel::WindowLifeToken m_life;
};
