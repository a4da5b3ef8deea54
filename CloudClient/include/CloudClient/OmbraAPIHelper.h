#pragma once
// Client of the cloud experiment service: HTTPS requests through libcurl,
// JSON replies as Qt JSON objects, downloads straight to disk, the task
// folder and its files, and the fallback e-mail through the mail relay.
//
// One object is used by one thread at a time; copies are independent (the
// package download runs on a worker thread's own copy).

#include "CloudClient/CloudRecords.h"
#include "CloudClient/CurlCallbacks.h"
#include "CloudClient/RequestDelivery.h"
#include "CloudClient/TransferFailure.h"

#include <QJsonArray>
#include <QJsonObject>
#include <wx/string.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class QDate;

class OmbraAPIHelper
{
public:
    // One request field: a JSON key and its value, or a multipart part whose
    // content comes from the file named by `value` when `isFile` is set.
    struct CurlField
    {
        std::string name;
        std::string value;
        bool isFile = false;
    };

    enum HTTPRequest
    {
        POST = 0,
        GET = 1,
        PUT = 2,
        PATCH = 3,
        DELETE = 4
    };

    OmbraAPIHelper();
    ~OmbraAPIHelper();
    OmbraAPIHelper(const OmbraAPIHelper&) = default;
    OmbraAPIHelper& operator=(const OmbraAPIHelper&) = default;

    // ---- Request forms (path relative to the service base "https://host/api/")
    // JSON request; the reply as an object (empty when it is no JSON object).
    QJsonObject MakeCurlCallNew(const char* path, std::vector<CurlField>& fields, HTTPRequest method,
                                ProgStruct* progress);
    // Multipart POST (a plain GET without fields).
    QJsonObject MakeCurlCall(const char* path, std::vector<CurlField>& fields, ProgStruct* progress);
    // GET of path + "/" + id into localFile. Always true: callers judge the
    // file or DidCurlRequestFail().
    bool MakeFileDLRequest(const char* path, int64_t id, const char* localFile);
    bool MakeFileDLRequest_Progress(const char* path, int64_t id, ProgStruct* progress, const char* localFile);

    // ---- Failure of the last transfer
    bool DidCurlRequestFail() const { return m_curlFailed; }
    std::string GetCurlErrString() const { return m_curlError; }
    // The transfer error when the transfer failed, else the service's message.
    std::string GetApiErrString() const { return m_curlFailed ? m_curlError : m_apiError; }
    // What kind of failure the last transfer had (None after a success).
    Vantrel::TransferFailure GetTransferFailure() const { return m_failure; }
    // How far the last JSON or multipart request got: whether the service cannot
    // have received it, may have received it, or answered it.
    Vantrel::RequestDelivery GetRequestDelivery() const { return m_delivery; }
    // Every request started before `deadline` must end by it; one started after
    // it fails at once as timed out. Without a deadline only the connect time-out
    // and the low-speed limit bound a request.
    void SetDeadline(std::chrono::steady_clock::time_point deadline) { m_deadline = deadline; }
    void ClearDeadline() { m_deadline = std::chrono::steady_clock::time_point(); }
    // The most a downloaded file may hold (kMaxDownloadBytes unless set); a larger
    // download is stopped and fails with a message that names the bound.
    void SetDownloadLimit(std::uint64_t bytes) { m_downloadLimit = bytes; }

    std::vector<ExpInfo>& GetExpInfoVector() { return m_expInfos; }
    std::vector<SubDetail>& GetDelInfoVector() { return m_delegates; }
    const QJsonArray& GetDelegateArray() const { return m_delegateArray; }
    bool IsLoggedIn() const { return !m_bearerHeader.empty(); }

    // ---- Participant operations
    bool GetExperimentDetail(int64_t code, ExpInfo& info);
    bool GetExpInfoFile(int64_t code);
    bool GetRTInfoFile(int64_t code);
    // Worker-thread body of the package download: empties `packagePath` while
    // the transfer runs and writes it back when it has ended for any reason.
    // `pathGuard`, when given, is held around each access to `packagePath`.
    wxString GetExpPackage_Progress(int64_t code, ProgStruct* progress, wxString& packagePath,
                                    std::mutex* pathGuard = nullptr);
    wxString GetExpPackage(int64_t code, const wxString& packagePath);
    int GetNumCurrentParticipants(int64_t code);
    bool UploadExpResults(const char* experimentCode, const char* resultFile);
    bool AppendRtInfo(int64_t code, const std::string& content);

    // ---- Researcher and account operations
    bool Login(const char* email, const char* password);
    bool GetUserProfile(SubDetail& profile);
    bool AdminGetUserProfile(SubDetail& profile, const char* user);
    bool GetCloudExpList();
    void GetDelegateList();
    bool UploadExperiment(const char* experimentFile, const char* infoFile, const QDate& expiryDate,
                          ProgStruct* progress, int32_t& code, std::string& message);
    bool UploadExpInfoFile(int64_t code, const char* infoFile);
    bool ExtendExperimentExpiry(int64_t code, const char* days);
    bool CreateDelegate(const char* name, const char* email, const char* password, const char* days);
    bool UpdateProfile(const char* name, const char* email);
    bool DeleteExperiment(int64_t code);
    bool DeleteDelegate(const char* user);
    bool GetPwdResetToken(const char* email, std::string& token);
    bool ResetPwdWithToken(const char* token, const char* password);
    bool ChangePassword(const char* currentPassword, const char* newPassword);
    bool AdminUpdateProfile(const char* user, const char* name);
    bool GetEmailTypes(std::vector<std::string>& slugs);
    bool UpdateEmailContent(const char* slug, const char* subject, const char* contentFile);
    bool GetAllDataFiles(int64_t code, const char* localFile);

    // ---- Task codes, task folder and its files
    static int32_t ObfuscateExperimentID(uint32_t code);
    static int32_t DeobfuscateExperimentID(uint32_t taskCode);
    static std::string GenerateRandomString();
    // The per-user data folder, created (0700) or made writable for the user.
    static wxString GetBaseCloudFolderPath();
    // Base folder + separator + code; created (0700) when missing.
    static wxString GetCloudFolderPath(int64_t code);
    static wxString CreateExpInfoFile(int32_t participantLimit, bool promptInfo, bool runOnce, bool noDelete,
                                      bool saveDesktop, const wxString& researcherEmail);
    // False, record untouched, when the file's first line lacks "vt_ver", or when the
    // file is larger than an information file can be (`why`, when given, says so).
    static bool GetValuesFromExpInfoFile(int64_t code, ExpInfo& info, wxString* why = nullptr);
    // taskFolder + ".zip" for packages of authoring versions before 6.5.2,
    // taskFolder + ".tar.gz" from then on.
    static wxString PackagePathForVersion(const wxString& taskFolder, const QString& vtVersion);
    // Participants recorded in a run-info file: its newline count (0 when
    // missing or empty, INT_MAX at the most).
    static int CountRunInfoLines(const wxString& file);
    // Creates a folder and its missing parents readable by the user only.
    static bool CreatePrivateFolder(const wxString& folder);

    // ---- Fallback e-mail
    // True when the relay accepted the message.
    bool SendEmailWithAttachment(std::vector<std::string>& headers, const char* body, const char* to, const char* cc,
                                 const char* attachmentPath);
    // libcurl's result code: 0 when the relay accepted the message.
    int SendEmail(const char* message, const char* to, const char* cc);
    std::string ReconstituteHash3();  // relay user name
    std::string ReconstituteHash2();  // relay password
    // Fetches the credential text; true when it held usable login lines.
    bool GetHashesFromWebsite();

private:
    void StartTransfer();
    void RecordTransferResult(int curlCode, const char* errorBuffer, long httpStatus);
    void RecordServiceMessage(const QJsonObject& reply);
    void RecordOversizedTransfer(std::uint64_t limit);
    void RecordDelivery(void* curlHandle, int curlCode, bool hasBody);
    // Milliseconds left before the deadline: 0 without one, -1 when it has passed.
    long MillisecondsLeft() const;
    // Applies the deadline to a prepared handle; false (and the failure recorded)
    // when it has already passed.
    bool ApplyDeadline(void* curlHandle);
    bool ParseJsonIntoLoginToken(const QJsonObject& reply);
    bool ParseJsonIntoSubDetail(const QJsonObject& reply, SubDetail& profile);
    bool EnsureMailCredentials();
    bool DownloadFile(const char* path, int64_t id, ProgStruct* progress, const char* localFile, bool acceptJson);
    // A file of the task folder, under the smaller of its own bound and the client's.
    bool DownloadTaskFile(const char* path, int64_t code, const char* name, std::uint64_t limit);

    QJsonArray m_delegateArray;
    std::vector<SubDetail> m_delegates;
    std::vector<ExpInfo> m_expInfos;
    bool m_curlFailed = false;
    std::string m_curlError;
    std::string m_apiError;
    std::uint64_t m_downloadLimit = kMaxDownloadBytes;
    Vantrel::TransferFailure m_failure = Vantrel::TransferFailure::None;
    Vantrel::RequestDelivery m_delivery = Vantrel::RequestDelivery::NotSent;
    std::chrono::steady_clock::time_point m_deadline;  // the epoch: none
    std::string m_bearerHeader;
    std::string m_mailHash2;
    std::string m_mailHash3;
};

// Task code <-> experiment code; toTaskCode selects the direction.
int32_t ConvertExperimentID(uint32_t number, bool toTaskCode);
