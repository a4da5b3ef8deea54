// The operations that the participant's cloud panel calls.

#include "CloudClient/OmbraAPIHelper.h"

#include "CloudClient/TaskFileLimits.h"
#include "CloudClient/TaskFolderNames.h"
#include "JsonReading.h"

#include <algorithm>

#include <QJsonObject>
#include <wx/filefn.h>

using Vantrel::CloudTransport::ReadInteger;
using Vantrel::CloudTransport::ReadInteger32;

namespace {

std::string WithCode(const char* path, int64_t code) { return path + std::to_string(code); }

wxString TaskFile(int64_t code, const char* name)
{
    return OmbraAPIHelper::GetCloudFolderPath(code) + wxFILE_SEP_PATH + name;
}

}  // namespace

bool OmbraAPIHelper::GetExperimentDetail(int64_t code, ExpInfo& info)
{
    std::vector<CurlField> none;
    const QJsonObject reply =
        MakeCurlCallNew(WithCode("user/v1/get-experiment-details/", code).c_str(), none, GET, nullptr);
    // A reply that says success under an HTTP error status is still a failure.
    if (DidCurlRequestFail() || !reply.value("success").toBool()) return false;
    const QJsonObject data = reply.value("data").toObject();
    info.code = static_cast<uint32_t>(ReadInteger32(data.value("code")));
    info.task_code = ObfuscateExperimentID(info.code);
    info.is_terminated = ReadInteger(data.value("is_terminated")) == 1;
    info.name = data.value("name").toString();
    info.expiry_date = data.value("expiry_date").toString();
    return true;
}

bool OmbraAPIHelper::DownloadTaskFile(const char* path, int64_t code, const char* name, std::uint64_t limit)
{
    const wxString file = TaskFile(code, name);
    const std::uint64_t ownLimit = m_downloadLimit;
    m_downloadLimit = std::min(ownLimit, limit);
    MakeFileDLRequest(path, code, file.fn_str());
    m_downloadLimit = ownLimit;
    return true;
}

bool OmbraAPIHelper::GetExpInfoFile(int64_t code)
{
    return DownloadTaskFile("user/v1/download-info-file", code, Vantrel::kTaskInfoFileName,
                            Vantrel::kMaxExpInfoDownloadBytes);
}

bool OmbraAPIHelper::GetRTInfoFile(int64_t code)
{
    return DownloadTaskFile("user/v1/download-rtinfo-file", code, Vantrel::kTaskRunInfoFileName,
                            Vantrel::kMaxRunInfoDownloadBytes);
}

wxString OmbraAPIHelper::GetExpPackage_Progress(int64_t code, ProgStruct* progress, wxString& packagePath,
                                                std::mutex* pathGuard)
{
    wxString path;
    {
        std::unique_lock<std::mutex> lock;
        if (pathGuard != nullptr) lock = std::unique_lock<std::mutex>(*pathGuard);
        path = packagePath;
        packagePath.clear();  // an empty path tells the GUI thread the download is under way
    }
    MakeFileDLRequest_Progress("user/v1/download-experiment", code, progress, path.fn_str());
    {
        std::unique_lock<std::mutex> lock;
        if (pathGuard != nullptr) lock = std::unique_lock<std::mutex>(*pathGuard);
        packagePath = path;  // handed back whatever the outcome
    }
    return path;
}

wxString OmbraAPIHelper::GetExpPackage(int64_t code, const wxString& packagePath)
{
    MakeFileDLRequest("user/v1/download-experiment", code, packagePath.fn_str());
    return packagePath;
}

int OmbraAPIHelper::GetNumCurrentParticipants(int64_t code)
{
    GetRTInfoFile(code);
    return CountRunInfoLines(TaskFile(code, Vantrel::kTaskRunInfoFileName));
}

bool OmbraAPIHelper::UploadExpResults(const char* experimentCode, const char* resultFile)
{
    std::vector<CurlField> fields{{"experiment_code", experimentCode, false}, {"result_file", resultFile, true}};
    return MakeCurlCall("user/v1/upload-result", fields, nullptr).value("success").toBool();
}

bool OmbraAPIHelper::AppendRtInfo(int64_t code, const std::string& content)
{
    std::vector<CurlField> fields{{"content", content, false}};
    return MakeCurlCallNew(WithCode("user/v1/update-rtinfo-file/", code).c_str(), fields, PUT, nullptr)
        .value("success")
        .toBool();
}
