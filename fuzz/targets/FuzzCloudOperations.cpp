// Replies of the cloud service as each operation of the client reads them. The
// client's own operations, task-folder readers and reply parser are compiled into
// this program; only the three request forms that talk to the network are replaced
// (RequestForms.cpp is left out), by forms that hand back the input as the body the
// service sent, through the client's own bounded write callbacks. The first byte
// picks the operation, the second the HTTP status; the rest is the body. Every
// operation must return within the hang bound, and its records must stay within what
// the reply can hold.

#include "FuzzSupport.h"

#include "CloudClient/CurlCallbacks.h"
#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/TaskFileLimits.h"
#include "CloudClient/ServiceReply.h"

#include <QDate>

#include <cstdio>
#include <string>

namespace {

// What the service sends for the request being made.
struct CannedReply
{
    const std::uint8_t* body = nullptr;
    std::size_t size = 0;
    long status = 200;
};

CannedReply& Reply()
{
    static CannedReply reply;
    return reply;
}

// Hands the body over in chunks, as libcurl does, until the callback refuses one.
template <class Sink>
bool Deliver(std::size_t (*callback)(void*, std::size_t, std::size_t, void*), Sink& sink)
{
    constexpr std::size_t kChunk = 16384;
    const CannedReply& reply = Reply();
    for (std::size_t at = 0; at < reply.size; at += kChunk) {
        const std::size_t n = std::min(kChunk, reply.size - at);
        if (callback(const_cast<std::uint8_t*>(reply.body + at), 1, n, &sink) != n) return false;
    }
    return true;
}

}  // namespace

QJsonObject OmbraAPIHelper::MakeCurlCallNew(const char*, std::vector<CurlField>&, HTTPRequest, ProgStruct*)
{
    StartTransfer();
    ReplyBuffer reply;
    const bool whole = Deliver(write_data, reply);
    RecordTransferResult(whole ? CURLE_OK : CURLE_WRITE_ERROR, "", Reply().status);
    if (reply.tooLarge) RecordOversizedTransfer(kMaxReplyBytes);
    return Vantrel::CloudTransport::ParseServiceReply(reply.bytes);
}

QJsonObject OmbraAPIHelper::MakeCurlCall(const char* path, std::vector<CurlField>& fields, ProgStruct* progress)
{
    return MakeCurlCallNew(path, fields, POST, progress);
}

bool OmbraAPIHelper::DownloadFile(const char*, int64_t, ProgStruct*, const char* localFile, bool)
{
    StartTransfer();
    FileSink sink;
    sink.file = std::fopen(localFile, "wb");
    if (sink.file == nullptr) FuzzSupport::Fail("a task file could not be written");
    sink.limit = m_downloadLimit;
    const bool whole = Deliver(write_data_file_bounded, sink);
    RecordTransferResult(whole ? CURLE_OK : CURLE_WRITE_ERROR, "", Reply().status);
    if (sink.tooLarge) RecordOversizedTransfer(sink.limit);
    std::fclose(sink.file);
    if (sink.written > sink.limit) FuzzSupport::Fail("a task file holds more than its download limit");
    return true;
}

namespace {

constexpr int64_t kCode = 4242;

void RunOperation(OmbraAPIHelper& client, unsigned which)
{
    SubDetail profile;
    ExpInfo info;
    std::string text;
    int32_t code = 0;
    std::vector<std::string> slugs;
    switch (which) {
        case 0: client.GetExperimentDetail(kCode, info); break;
        case 1: client.Login("a@example.org", "secret"); break;
        case 2: client.GetUserProfile(profile); break;
        case 3: client.AdminGetUserProfile(profile, "b@example.org"); break;
        case 4: client.GetCloudExpList(); break;
        case 5: client.GetDelegateList(); break;
        case 6: client.UploadExperiment("e.vt6", "exp_info", QDate(2030, 1, 1), nullptr, code, text); break;
        case 7: client.UploadExpInfoFile(kCode, "exp_info"); break;
        case 8: client.ExtendExperimentExpiry(kCode, "30"); break;
        case 9: client.CreateDelegate("n", "d@example.org", "pw", "30"); break;
        case 10: client.UpdateProfile("n", "e@example.org"); break;
        case 11: client.DeleteExperiment(kCode); break;
        case 12: client.DeleteDelegate("d@example.org"); break;
        case 13: client.GetPwdResetToken("a@example.org", text); break;
        case 14: client.ResetPwdWithToken("token", "pw"); break;
        case 15: client.ChangePassword("old", "new"); break;
        case 16: client.AdminUpdateProfile("b@example.org", "n"); break;
        case 17: client.GetEmailTypes(slugs); break;
        case 18: client.UpdateEmailContent("slug", "subject", "content.html"); break;
        case 19: client.UploadExpResults("12345678", "data.txt"); break;
        case 20: client.AppendRtInfo(kCode, "line\n"); break;
        case 21: {
            // The information file, downloaded and read as the participant's panel does.
            client.GetExpInfoFile(kCode);
            wxString why;
            if (OmbraAPIHelper::GetValuesFromExpInfoFile(kCode, info, &why)) {
                OmbraAPIHelper::PackagePathForVersion(OmbraAPIHelper::GetCloudFolderPath(kCode), info.vt_ver);
                info.ExpDaysRemaining();
            }
            break;
        }
        case 22:
            if (client.GetNumCurrentParticipants(kCode) < 0) FuzzSupport::Fail("a negative participant count");
            break;
        case 23: {
            const wxString package = OmbraAPIHelper::GetCloudFolderPath(kCode) + "/package.tar.gz";
            client.GetExpPackage(kCode, package);
            break;
        }
    }
    // Nothing the operations keep may be larger than the reply that filled it.
    const std::size_t replySize = Reply().size;
    if (client.GetExpInfoVector().size() > replySize || client.GetDelInfoVector().size() > replySize ||
        slugs.size() > replySize)
        FuzzSupport::Fail("an operation kept more records than its reply holds");
    for (const ExpInfo& record : client.GetExpInfoVector()) record.ExpDaysRemaining();
    client.GetApiErrString();
}

constexpr unsigned kOperations = 24;
const long kStatuses[] = {200, 201, 400, 401, 404, 422, 500, 503};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    if (size < 2) return 0;
    Reply() = CannedReply{data + 2, size - 2, kStatuses[data[1] % (sizeof kStatuses / sizeof kStatuses[0])]};
    OmbraAPIHelper client;
    // A login first, as every researcher operation follows one; its reply is the same
    // input, so a token the input hands out reaches the later request's headers.
    if (data[0] >= kOperations) client.Login("a@example.org", "secret");
    RunOperation(client, data[0] % kOperations);
    FuzzSupport::RemoveScratchPath(OmbraAPIHelper::GetCloudFolderPath(kCode));
    return 0;
}
