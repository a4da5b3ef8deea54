#include "CloudExperimentPanel.h"

#include "CloudPackageFetch.h"
#include "CloudHandBack.h"
#include "CloudTaskChecks.h"
#include "UnsentDataOutbox.h"
#include "CloudPanelHost.h"
#include "CloudTaskSupport/BalancedGroupChoice.h"
#include "CloudTaskSupport/DesktopDataCopy.h"
#include "CloudTaskSupport/PackageDownload.h"
#include "CloudTaskSupport/PackageName.h"
#include "CloudTaskSupport/TaskCodeCheck.h"
#include "CloudTaskSupport/TaskFolderCleanup.h"
#include "CloudTaskSupport/TaskFolderFiles.h"
#include "CloudTaskSupport/TaskPackagePlacement.h"

#include "CloudClient/FailureMail.h"
#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/ServiceConfiguration.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/UtilityClasses/wxLogHelperFunctions.h>

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/config.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/gauge.h>
#include <wx/hyperlink.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/app.h>
#include <wx/utils.h>
#include <wx/valtext.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <fstream>
#include <sstream>

namespace {

// The full gauge stays in view a moment before the experiment opens.
constexpr int kFullGaugeMs = 1000;

// Every "*.vt6" under the folder, subfolders included, hidden entries left out.
wxArrayString ExperimentDocumentsIn(const wxString& folder)
{
    wxArrayString files;
    if (wxDirExists(folder)) wxDir::GetAllFiles(folder, &files, "*.vt6", wxDIR_FILES | wxDIR_DIRS);
    return files;
}

wxString ToWx(const QString& text) { return wxString::FromUTF8(text.toUtf8().constData()); }

}  // namespace

using Vantrel::PackageDownload;

struct CloudExperimentPanel::Work
{
    OmbraAPIHelper apiHelper;
    ExpInfo expInfo;
    Vantrel::BasicPackageDownload<ProgStruct> download;
    // The checks of the typed task code; their result is read once they have ended.
    Vantrel::BasicPackageDownload<ProgStruct> checks;
    std::shared_ptr<Vantrel::TaskChecksResult> checksResult;
    // The hand-back of a finished run's data file.
    Vantrel::BasicPackageDownload<ProgStruct> handBack;
    std::shared_ptr<Vantrel::HandBackResult> handBackResult;
    wxString handBackDataFile;
    std::string outboxEntry;            // the data file's copy that waits until it is received
    wxString packagePath;               // the package of the download under way
    std::shared_ptr<wxString> failure;  // the worker's message, read once it has ended
    wxTimer openDelay;                  // the pause on the full gauge
};

long CloudExperimentPanel::m_cloudExpID = 0;
bool CloudExperimentPanel::m_expDLFinished = false;
wxString CloudExperimentPanel::m_userName;
wxString CloudExperimentPanel::m_userEmail;
bool CloudExperimentPanel::m_noDataUpload = false;

wxIMPLEMENT_DYNAMIC_CLASS(CloudExperimentPanel, wxPanel);

wxBEGIN_EVENT_TABLE(CloudExperimentPanel, wxPanel)
    EVT_BUTTON(CloudExperimentPanel::ID_NEXT, CloudExperimentPanel::OnStep1Next)
    EVT_BUTTON(CloudExperimentPanel::ID_GET_STARTED, CloudExperimentPanel::OnStep2GetStarted)
    EVT_BUTTON(CloudExperimentPanel::ID_RUN_OR_CANCEL, CloudExperimentPanel::OnStep3RunOrCancel)
    EVT_BUTTON(CloudExperimentPanel::ID_EXIT, CloudExperimentPanel::OnStep4Exit)
    EVT_BUTTON(CloudExperimentPanel::ID_COPY_EMAIL, CloudExperimentPanel::OnCopyResearcherEmail)
wxEND_EVENT_TABLE()

CloudExperimentPanel::CloudExperimentPanel() : m_work(std::make_unique<Work>()) { Init(); }

CloudExperimentPanel::CloudExperimentPanel(wxWindow* parent, std::unique_ptr<Vantrel::CloudPanelHost> host, int id,
                                           const wxPoint& pos, const wxSize& size, long style)
    : m_work(std::make_unique<Work>())
{
    Init();
    Construct(host.release(), parent, id, pos, size, style);
}

Vantrel::VTExperiment* CloudExperimentPanel::GetExperiment() const { return m_host ? m_host->Experiment() : nullptr; }

CloudExperimentPanel::~CloudExperimentPanel()
{
    m_life.Revoke();
    m_work->openDelay.Stop();
    // A worker still running is cancelled; one that does not end soon is left
    // behind holding only its own copies.
    m_work->download.ShutDown(std::chrono::milliseconds(1500));
    m_work->checks.ShutDown(std::chrono::milliseconds(500));
    m_work->handBack.ShutDown(std::chrono::milliseconds(500));
    if (m_busyCursor) wxEndBusyCursor();
}

void CloudExperimentPanel::Construct(Vantrel::CloudPanelHost* host, wxWindow* parent, int id, const wxPoint& pos,
                                     const wxSize& size, long style)
{
    m_host.reset(host);
    m_work->openDelay.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UnpackAndOpen(); });
    Create(parent, id, pos, size, style);
    Layout();
    wxTextValidator digitsOnly(wxFILTER_NUMERIC);
    m_taskIdCtrl->SetValidator(digitsOnly);
    m_taskIdCtrl->SetFocus();
    // The layout's texts are the ones shown until the road says otherwise.
    m_uploadErrorMessage = m_uploadErrorText->GetLabel();
    m_thanksNote = m_thanksNoteText->GetLabel();
    EnterState(State::TaskCode);
    if (m_cloudExpID != 0 && m_expDLFinished) EnterReadyState();
    // Data of earlier runs that never reached the researcher goes now, in the background.
    Vantrel::SendOutboxInBackgroundOnce(m_work->apiHelper);
}

void CloudExperimentPanel::ForgetTaskForTesting()
{
    m_cloudExpID = 0;
    m_expDLFinished = false;
    m_userName.clear();
    m_userEmail.clear();
    m_noDataUpload = false;
}

bool CloudExperimentPanel::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style, wxPanelNameStr);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CloudExperimentPanel::Init()
{
    m_stepBook = nullptr;
    m_taskIdCtrl = nullptr;
    m_errorText = nullptr;
    m_nameCtrl = nullptr;
    m_emailCtrl = nullptr;
    m_downloadPage = nullptr;
    m_downloadText = nullptr;
    m_gauge = nullptr;
    m_thanksNoteText = nullptr;
    m_uploadErrorText = nullptr;
    m_copyEmailButton = nullptr;
    m_buttonBook = nullptr;
    m_runOrCancelButton = nullptr;
}

wxBitmap CloudExperimentPanel::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon CloudExperimentPanel::GetIconResource(const wxString&) { return wxNullIcon; }

int CloudExperimentPanel::GetStepPage() const { return m_stepBook ? m_stepBook->GetSelection() : wxNOT_FOUND; }
int CloudExperimentPanel::GetButtonPage() const { return m_buttonBook ? m_buttonBook->GetSelection() : wxNOT_FOUND; }
bool CloudExperimentPanel::IsDownloadInFlight() const { return m_work->download.InFlight(); }
bool CloudExperimentPanel::AreTaskChecksInFlight() const { return m_work->checks.InFlight(); }

wxString CloudExperimentPanel::TaskFolder() const { return OmbraAPIHelper::GetCloudFolderPath(m_cloudExpID); }

void CloudExperimentPanel::EnterState(State state)
{
    m_state = state;
    int step = kStepTaskCode;
    int button = kButtonNext;
    switch (state) {
        case State::TaskCode:
        case State::Checking: break;
        case State::Details:
            step = kStepDetails;
            button = kButtonGetStarted;
            break;
        case State::Downloading:
        case State::Opening:
        case State::Ready:
        case State::HandingBack:
            step = kStepDownload;
            button = kButtonRunOrCancel;
            break;
        case State::Thanks:
            step = kStepThanks;
            button = kButtonExit;
            break;
        case State::UploadError:
            step = kStepUploadError;
            button = kButtonExit;
            break;
    }

    const bool checking = state == State::Checking;
    const bool busy = checking || state == State::HandingBack;
    if (busy != m_busyCursor) {
        if (busy)
            wxBeginBusyCursor();
        else
            wxEndBusyCursor();
        m_busyCursor = busy;
    }

    m_taskIdCtrl->Enable(!checking);
    if (wxWindow* next = FindWindow(ID_NEXT)) next->Enable(!checking);
    m_errorText->SetLabel(checking ? _("Checking the task...") : m_errorMessage);

    m_gauge->Show(state == State::Downloading || state == State::Opening);
    if (state == State::Opening || state == State::Ready) m_gauge->SetValue(100);
    // The page's text and its button say what is going on: ready to run, sending
    // the data (the button then does nothing), or downloading (it cancels).
    if (state == State::Ready) {
        m_downloadText->SetLabel(_("The task is ready, click button below to proceed."));
        m_runOrCancelButton->SetLabel(_("   Run Task   "));
    } else if (state == State::HandingBack) {
        m_downloadText->SetLabel(_("Sending the data file to the researcher..."));
        m_runOrCancelButton->SetLabel(_("   Sending Data...   "));
    } else {
        m_downloadText->SetLabel(_("The task is being downloaded..."));
        m_runOrCancelButton->SetLabel(_("   Cancel Download   "));
    }
    m_runOrCancelButton->Enable(state != State::HandingBack);

    m_uploadErrorText->SetLabel(m_uploadErrorMessage);
    m_thanksNoteText->SetLabel(m_thanksNote);

    m_stepBook->SetSelection(step);
    m_buttonBook->SetSelection(button);
    m_stepBook->GetCurrentPage()->Layout();
}

// ---------------------------------------------------------------------------------------------
// Step 1: the task code and the checks against the service

void CloudExperimentPanel::InsertCmdLineTaskID(long taskCode, bool noDataUpload)
{
    m_cmdLineTaskID = taskCode;
    if (m_cloudExpID != 0) return;
    m_noDataUpload = noDataUpload;
    m_taskIdCtrl->ChangeValue(wxString::Format("%ld", taskCode));
    wxCommandEvent blank;
    OnStep1Next(blank);
}

void CloudExperimentPanel::OnStep1Next(wxCommandEvent&)
{
    if (m_work->download.InFlight()) return;  // a cancelled worker is still ending: the next click starts afresh
    if (m_work->checks.InFlight()) return;    // one set of checks at a time
    LoadExperimentInfo();
}

// Checks the typed code at once, then starts the checks against the service on a
// worker; OnTaskChecksEnded goes on from there. The GUI stays responsive meanwhile.
bool CloudExperimentPanel::LoadExperimentInfo()
{
    const Vantrel::TaskCodeReading reading = Vantrel::ReadTaskCode(m_taskIdCtrl->GetValue());
    if (reading.problem == Vantrel::TaskCodeProblem::Empty) {
        wxLogMessage(_("Please enter an experiment ID."));
        return false;
    }
    if (reading.problem == Vantrel::TaskCodeProblem::Invalid) {
        m_errorMessage = _("Invalid experiment ID. Contact the researcher if you have questions.");
        EnterState(State::TaskCode);
        return false;
    }
    m_errorMessage.clear();
    m_cloudExpID = static_cast<uint32_t>(OmbraAPIHelper::DeobfuscateExperimentID(reading.code));
    m_work->expInfo = ExpInfo();  // nothing of an earlier code may count for this one

    long lastCode = 0;
    {
        wxConfigBase* config = wxConfigBase::Get();
        config->SetPath("/VTCloudSettings/");
        config->Read("last_exp_id", &lastCode, 0L);
    }
    auto result = std::make_shared<Vantrel::TaskChecksResult>();
    m_work->checksResult = result;
    m_work->checks.Start(
        [client = OmbraAPIHelper(m_work->apiHelper), code = m_cloudExpID, lastCode, result](ProgStruct&) {
            *result = Vantrel::RunTaskChecks(client, code, lastCode);
            return result->message.empty();
        },
        m_life.Poster([this] { OnWorkerEnded(); }));
    EnterState(State::Checking);
    return true;
}

void CloudExperimentPanel::OnTaskChecksEnded()
{
    const std::shared_ptr<Vantrel::TaskChecksResult> result = std::move(m_work->checksResult);
    if (!result || !result->message.empty()) {
        if (result && !result->cause.empty())
            Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
                wxString::Format("The task checks failed: %s", result->cause));
        m_errorMessage = result ? result->message : wxString();
        EnterState(State::TaskCode);
        return;
    }
    m_errorMessage.clear();
    m_work->expInfo = result->info;
    m_participantCount = result->participantCount;
    m_askParticipantInfo = result->info.prompt_info;
    if (m_askParticipantInfo) {
        EnterState(State::Details);
        return;
    }
    wxCommandEvent blank;
    OnStep2GetStarted(blank);
}

// ---------------------------------------------------------------------------------------------
// Steps 2 and 3: details, download, unpacking and opening

void CloudExperimentPanel::OnStep2GetStarted(wxCommandEvent&)
{
    if (m_work->download.InFlight() || m_state == State::Opening) return;
    m_userName = m_nameCtrl->GetValue();
    m_userEmail = m_emailCtrl->GetValue();

    const wxString folder = TaskFolder();
    if (DoExpFilesExist(folder)) {
        m_expDLFinished = true;
        m_work->packagePath = folder;
        EnterState(State::Opening);
        // Opened from the event loop, not from inside the click that got here.
        m_life.Poster([this] { UnpackAndOpen(); })();
        return;
    }
    m_work->packagePath = Vantrel::PackagePathForVersion(folder, ToWx(m_work->expInfo.vt_ver));
    DownloadExperiment();
}

// Only a package that was unpacked whole counts: a folder left by an unpacking that
// was cut short is downloaded again (the download discards what it left).
bool CloudExperimentPanel::DoExpFilesExist(const wxString& folder)
{
    return Vantrel::TaskPackageIsComplete(folder) && !ExperimentDocumentsIn(folder).empty();
}

void CloudExperimentPanel::DownloadExperiment()
{
    m_gauge->SetValue(0);
    m_expDLFinished = false;
    EnterState(State::Downloading);

    // The gauge follows the transfer: the worker posts each new percentage.
    const unsigned number = ++m_downloadNumber;
    std::function<void(int)> showPercent = m_life.Poster([this, number](int percent) {
        if (number != m_downloadNumber || m_state != State::Downloading) return;
        m_gauge->SetValue(std::max(0, std::min(100, percent)));
    });
    m_work->failure = std::make_shared<wxString>();
    auto fetch =
        Vantrel::MakePackageFetch(m_work->apiHelper, m_cloudExpID, m_work->packagePath, TaskFolder(), m_work->failure);
    m_work->download.Start(
        [fetch = std::move(fetch), showPercent = std::move(showPercent)](ProgStruct& progress) {
            progress.onPercent = showPercent;
            return fetch(progress);
        },
        m_life.Poster([this] { OnWorkerEnded(); }));
}

// Each worker posts this when it ends; the outcomes that are there are taken (a
// cancelled, retired worker has none to give).
void CloudExperimentPanel::OnWorkerEnded()
{
    if (m_work->handBack.TakeOutcome()) OnHandBackEnded();
    if (m_work->checks.TakeOutcome()) OnTaskChecksEnded();
    if (const auto outcome = m_work->download.TakeOutcome()) OnDownloadEnded(static_cast<int>(*outcome));
}

void CloudExperimentPanel::OnDownloadEnded(int outcome)
{
    switch (static_cast<PackageDownload::Outcome>(outcome)) {
        case PackageDownload::Outcome::Succeeded:
            m_expDLFinished = true;
            EnterState(State::Opening);
            m_work->openDelay.StartOnce(kFullGaugeMs);
            return;
        case PackageDownload::Outcome::Cancelled: ShowFirstPageWithError(wxEmptyString); return;
        case PackageDownload::Outcome::Failed:
            // Read only now: the worker wrote it before it ended.
            ShowFirstPageWithError(*m_work->failure);
            return;
    }
}

void CloudExperimentPanel::ShowFirstPageWithError(const wxString& message)
{
    m_expDLFinished = false;
    m_errorMessage = message;
    EnterState(State::TaskCode);
}

void CloudExperimentPanel::UnpackAndOpen()
{
    m_work->packagePath.clear();
    OpenExperiment(TaskFolder());
}

bool CloudExperimentPanel::OpenExperiment(const wxString& folder)
{
    const wxArrayString documents = ExperimentDocumentsIn(folder);
    if (documents.empty()) {
        Vantrel::DiscardTaskPackage(folder);
        ShowFirstPageWithError(
            _("The task holds no experiment. Try again, or contact the researcher if this happens again."));
        return true;
    }
    m_expDLFinished = true;  // the new panel of the opened experiment starts ready
    if (!m_host->OpenExperimentDocument(documents.Last())) {
        // The next try downloads the package afresh: the researcher may have mended it.
        Vantrel::DiscardTaskPackage(folder);
        ShowFirstPageWithError(
            _("The experiment could not be opened. Try again, or contact the researcher if this happens again."));
        return true;
    }
    m_host->CloseViewOnNextIdle();
    m_host->ActivateView();
    return true;
}

void CloudExperimentPanel::EnterReadyState()
{
    EnterState(State::Ready);
    m_host->SetSubjectName(SubjectName());
}

wxString CloudExperimentPanel::SubjectName()
{
    if (!m_userName.empty() && !m_userEmail.empty()) return wxString::Format("%s (%s)", m_userName, m_userEmail);
    return m_userName.empty() ? m_userEmail : m_userName;
}

void CloudExperimentPanel::OnStep3RunOrCancel(wxCommandEvent&)
{
    if (m_state == State::Ready && m_expDLFinished && !m_work->download.InFlight()) {
        RunExperiment();
        return;
    }
    if (m_work->download.InFlight()) {
        m_work->download.Cancel();
        m_errorMessage.clear();
        EnterState(State::TaskCode);
    }
}

// ---------------------------------------------------------------------------------------------
// Step 4: the run and the data hand-back

bool CloudExperimentPanel::DetermineRunGroup()
{
    const std::vector<std::uint32_t> groups = m_host->GroupIds();
    if (m_cloudGroupSetting != Vantrel::kBalancedGroupSetting) {
        if (std::find(groups.begin(), groups.end(), m_cloudGroupSetting) == groups.end()) {
            wxLogError(_("Couldn't find the necessary group in the experiment!"));
            return false;
        }
        m_runGroupId = m_cloudGroupSetting;
        return true;
    }
    const std::string runInfo = Vantrel::ReadRunInfoText(
        std::string((TaskFolder() + wxFILE_SEP_PATH + Vantrel::kTaskRunInfoFileName).fn_str()));
    const auto counts = Vantrel::CountGroupRuns(groups, runInfo);
    m_groupRunCounts.clear();
    for (const auto& [id, count] : counts) m_groupRunCounts[id] = count;
    const auto chosen = Vantrel::ChooseBalancedGroup(
        groups, runInfo, [this](int low, int high) { return m_host->DrawInRange(low, high); });
    if (!chosen) {
        wxLogWarning(_("The experiment has no participant groups to balance; its default group is used."));
        return false;
    }
    m_runGroupId = *chosen;
    return true;
}

void CloudExperimentPanel::KeepEarlierDataFile(const wxString& dataFile)
{
    using Outcome = Vantrel::EarlierDataSetAside::Outcome;
    const Vantrel::EarlierDataSetAside aside =
        Vantrel::SetEarlierDataFileAside(dataFile, TaskFolder(), Vantrel::DesktopFolder());
    if (aside.outcome == Outcome::MovedToDesktop)
        wxLogWarning(_("The data file of an earlier run was moved to '%s'."), aside.path);
    else if (aside.outcome == Outcome::KeptAside)
        wxLogWarning(_("The data file of an earlier run was kept as '%s'."), aside.path);
    if (aside.keepTaskFolder) m_keepTaskFolder = true;
}

void CloudExperimentPanel::RunExperiment()
{
    if (m_cloudExpID == 0) {
        wxLogMessage(_("Missing an experiment ID for some reason. Try loading an experiment again."));
        return;
    }
    const wxString dataFile = Vantrel::TaskDataFilePath(TaskFolder());
    OmbraAPIHelper::GetValuesFromExpInfoFile(m_cloudExpID, m_work->expInfo);
    m_cloudGroupSetting = m_host->CloudGroupSetting();
    DetermineRunGroup();
    KeepEarlierDataFile(dataFile);
    // Again here: the document is read after its view (and this panel) came up.
    m_host->SetSubjectName(SubjectName());

    m_host->RunCloudExperiment(dataFile, m_runGroupId, !m_noDataUpload);
    const wxString failure = m_host->LastRunFailure();
    if (!failure.empty())
        EndAfterFailedRun(dataFile, failure);
    else
        FinishHandBack(dataFile, m_host->WasLastRunCanceled());
}

void CloudExperimentPanel::EndAfterFailedRun(const wxString& dataFile, const wxString& failure)
{
    // An incomplete data file is no finished run: nothing is sent, nothing is removed,
    // and the participant learns where what was recorded lies.
    const wxString researcher = ToWx(m_work->expInfo.r_email);
    wxString text = wxString::Format(_("The task could not be completed:\n%s\n"), failure);
    if (wxFileExists(dataFile))
        text += wxString::Format(_("What was recorded is kept in\n%s\nPlease send it to the researcher at %s."),
                                 dataFile, researcher);
    else
        text += wxString::Format(_("Please tell the researcher at %s."), researcher);
    m_uploadErrorMessage = text;
    Vantrel::CleanUpTaskFiles(TaskFolder(), false);
    EnterState(State::UploadError);
}

void CloudExperimentPanel::FinishHandBack(const wxString& dataFile, bool runCancelled)
{
    const ExpInfo& info = m_work->expInfo;
    m_deliveryNote.clear();
    m_handBackFacts = Vantrel::DataSafetyFacts();
    m_handBackFacts.dataFileExists = wxFileExists(dataFile);
    m_handBackFacts.keepRequested = info.no_delete || m_keepTaskFolder;

    if (m_noDataUpload || runCancelled || !m_handBackFacts.dataFileExists) {
        if (!m_noDataUpload && !runCancelled) {
            wxLogError(_("The task ended without a data file; the task files are kept."));
            m_handBackFacts.keepRequested = true;
        }
        EndHandBack(dataFile, kStepThanks, Vantrel::DesktopCopyResult());
        return;
    }
    {
        wxConfigBase* config = wxConfigBase::Get();
        config->SetPath("/VTCloudSettings/");
        config->Write("last_exp_id", wxString::Format("%ld", m_cloudExpID));
        config->Flush();
    }
    // The data goes back on a worker; the window stays responsive and says so.
    Vantrel::HandBackRequest request;
    request.experimentCode = m_cloudExpID;
    request.dataFile = std::string(dataFile.fn_str());
    request.runId = Vantrel::NewRunId();
    request.runInfoLine = Vantrel::kRunInfoGroupOpening + std::to_string(m_runGroupId) + Vantrel::kRunInfoGroupClosing;
    request.mailTo = info.r_email.toStdString();
    request.mailHeaders = Vantrel::FailureMailHeaders(request.mailTo);
    request.mailBody = Vantrel::ReadFailureMailTemplate();
    auto result = std::make_shared<Vantrel::HandBackResult>();
    m_work->handBackResult = result;
    m_work->handBackDataFile = dataFile;
    m_work->outboxEntry = Vantrel::AddToOutbox(request);
    // The outbox entry follows the hand-back step by step, so that the next start
    // never uploads again what may already have reached the service.
    Vantrel::HandBackJournal journal;
    if (!m_work->outboxEntry.empty())
        journal = [entry = m_work->outboxEntry](const Vantrel::HandBackRequest& state) {
            Vantrel::UpdateOutboxEntry(entry, state);
        };
    m_work->handBack.Start(
        [client = OmbraAPIHelper(m_work->apiHelper), request, result, journal](ProgStruct&) {
            *result = Vantrel::RunHandBack(client, request, journal);
            return true;
        },
        m_life.Poster([this] { OnWorkerEnded(); }));
    EnterState(State::HandingBack);
}

void CloudExperimentPanel::OnHandBackEnded()
{
    const std::shared_ptr<Vantrel::HandBackResult> result = std::move(m_work->handBackResult);
    const wxString dataFile = m_work->handBackDataFile;
    const ExpInfo& info = m_work->expInfo;
    m_handBackFacts.uploaded = result && result->uploaded;
    m_handBackFacts.emailSent = result && result->emailSent;
    const bool mayHaveArrived = result && result->uploadMayHaveArrived;
    if (m_handBackFacts.uploaded || m_handBackFacts.emailSent) Vantrel::RemoveFromOutbox(m_work->outboxEntry);
    m_work->outboxEntry.clear();
    if (result && !result->uploaded && !result->cause.empty())
        Orbisk::EitherLogVerboseOrLogErrorBasedOnEnvironment(
            wxString::Format("The data file was not uploaded: %s", result->cause));

    bool wantDesktopCopy = true;
    int page = kStepThanks;
    if (m_handBackFacts.uploaded)
        wantDesktopCopy = info.save_desktop;
    else if (!m_handBackFacts.emailSent)
        page = kStepUploadError;
    Vantrel::DesktopCopyResult copy;
    if (wantDesktopCopy) {
        copy = Vantrel::CopyDataFileToFolder(dataFile, Vantrel::DesktopFolder());
        m_handBackFacts.desktopCopyVerified = copy.verified;
        if (!copy.verified) wxLogError("%s", copy.error);
    }
    m_deliveryNote.clear();
    if (mayHaveArrived) {
        // Said plainly: the service may hold the data although it never said so.
        m_deliveryNote = _("The study's service did not confirm that it received your data,\n"
                           "so it may or may not have arrived there.");
        if (m_handBackFacts.emailSent) m_deliveryNote += "\n" + _("A copy was e-mailed to the researcher.");
        if (copy.verified) m_deliveryNote += "\n" + _("Another copy was kept on the desktop.");
    }
    EndHandBack(dataFile, page, copy);
}

void CloudExperimentPanel::EndHandBack(const wxString& dataFile, int page, const Vantrel::DesktopCopyResult& copy)
{
    const ExpInfo& info = m_work->expInfo;
    const wxString researcher = ToWx(info.r_email);
    if (page == kStepUploadError) {
        if (copy.verified)
            m_uploadErrorMessage = wxString::Format(
                _("We have placed the data file on the desktop. Please send it\nto the researcher at %s."), researcher);
        else
            m_uploadErrorMessage = wxString::Format(
                _("The data file is in\n%s\nPlease send it to the researcher at %s."), dataFile, researcher);
    }

    if (page == kStepUploadError && !m_deliveryNote.empty())
        m_uploadErrorMessage = m_deliveryNote + "\n\n" + m_uploadErrorMessage;

    const bool removeFolder = Vantrel::TaskFolderMayBeRemoved(m_handBackFacts);
    Vantrel::CleanUpTaskFiles(TaskFolder(), removeFolder);
    if (info.no_delete)
        m_thanksNote = _("You can uninstall this app if you want.");
    else if (!removeFolder && wxFileExists(dataFile))
        m_thanksNote = wxString::Format(
            _("Your data file is kept in\n%s\nPlease do not delete it before the researcher has it."), dataFile);
    if (page != kStepUploadError && !m_deliveryNote.empty()) m_thanksNote = m_deliveryNote + "\n\n" + m_thanksNote;
    EnterState(page == kStepUploadError ? State::UploadError : State::Thanks);
}

bool CloudExperimentPanel::SendFailureEmailToResearcher()
{
    const wxString dataFile = Vantrel::TaskDataFilePath(TaskFolder());
    const std::string to = m_work->expInfo.r_email.toStdString();
    std::vector<std::string> headers = Vantrel::FailureMailHeaders(to);
    const std::string body = Vantrel::ReadFailureMailTemplate();
    return m_work->apiHelper.SendEmailWithAttachment(headers, body.c_str(), to.c_str(), "", dataFile.fn_str());
}

void CloudExperimentPanel::OnStep4Exit(wxCommandEvent&) { m_host->ExitApplication(); }

void CloudExperimentPanel::OnCopyResearcherEmail(wxCommandEvent&)
{
    wxClipboardLocker locker;
    if (!locker) return;
    wxTheClipboard->SetData(new wxTextDataObject(ToWx(m_work->expInfo.r_email)));
    wxTheClipboard->Flush();
}
