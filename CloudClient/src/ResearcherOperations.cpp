// The researcher and account side of the service: login, profiles,
// experiment list and upload, delegates, passwords and e-mail templates.

#include "CloudClient/OmbraAPIHelper.h"

#include "JsonReading.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>

using Vantrel::CloudTransport::ByteCount;
using Vantrel::CloudTransport::ReadInteger;
using Vantrel::CloudTransport::ReadInteger32;
using Vantrel::CloudTransport::ReadNumber;

namespace {

std::string WithCode(const char* path, int64_t code) { return path + std::to_string(code); }
std::string WithArgument(const char* path, const char* argument) { return std::string(path) + argument; }
bool Succeeded(const QJsonObject& reply) { return reply.value("success").toBool(); }

}  // namespace

bool OmbraAPIHelper::ParseJsonIntoLoginToken(const QJsonObject& reply)
{
    if (!Succeeded(reply)) {
        m_bearerHeader.clear();
        return false;
    }
    const QString token = reply.value("data").toObject().value("access_token").toString();
    m_bearerHeader = "Authorization: Bearer " + token.toStdString();
    return true;
}

bool OmbraAPIHelper::ParseJsonIntoSubDetail(const QJsonObject& reply, SubDetail& profile)
{
    if (!Succeeded(reply)) return false;
    const QJsonObject data = reply.value("data").toObject();
    const QJsonObject subscription = data.value("current_subscription").toObject();
    const QJsonObject parent = data.value("parent").toObject();
    profile.name = data.value("name").toString();
    profile.email = data.value("email").toString();
    profile.expiry_date = subscription.value("expiry_date").toString();
    profile.is_delegate = data.value("role").toObject().value("slug").toString() == "delegate";
    profile.password_is_set = ReadInteger(data.value("set_password")) == 1;
    profile.parent_name = parent.value("name").toString();
    profile.parent_email = parent.value("email").toString();
    profile.delegates_allowed = ReadInteger32(subscription.value("number_of_delegates"));
    profile.delegates_in_use = ReadInteger32(data.value("delegates_count"));
    const double limit = ReadNumber(subscription.value("limit_package"));
    const double used = ReadNumber(subscription.value("uploaded_experiments_size"));
    profile.storage_limit = ByteCount(limit);
    profile.storage_used = ByteCount(used);
    return true;
}

bool OmbraAPIHelper::Login(const char* email, const char* password)
{
    std::vector<CurlField> fields{{"email", email, false}, {"password", password, false}};
    return ParseJsonIntoLoginToken(MakeCurlCallNew("user/v1/login", fields, POST, nullptr));
}

bool OmbraAPIHelper::GetUserProfile(SubDetail& profile)
{
    std::vector<CurlField> none;
    return ParseJsonIntoSubDetail(MakeCurlCallNew("user/v1/profile", none, GET, nullptr), profile);
}

bool OmbraAPIHelper::AdminGetUserProfile(SubDetail& profile, const char* user)
{
    std::vector<CurlField> none;
    return ParseJsonIntoSubDetail(MakeCurlCallNew(WithArgument("admin/v1/profile/", user).c_str(), none, GET, nullptr),
                                  profile);
}

bool OmbraAPIHelper::GetCloudExpList()
{
    m_expInfos.clear();
    std::vector<CurlField> none;
    const QJsonObject reply = MakeCurlCallNew("user/v1/get-all-experiments", none, GET, nullptr);
    if (!Succeeded(reply)) return false;
    for (const QJsonValue& element : reply.value("data").toArray()) {
        const QJsonObject record = element.toObject();
        ExpInfo info;
        info.code = static_cast<uint32_t>(ReadInteger32(record.value("code")));
        info.task_code = ObfuscateExperimentID(info.code);
        info.is_terminated = ReadInteger(record.value("is_terminated")) == 1;
        info.name = record.value("name").toString();
        info.expiry_date = record.value("expiry_date").toString();
        info.size = ReadInteger32(record.value("size"));
        m_expInfos.push_back(info);
    }
    return true;
}

void OmbraAPIHelper::GetDelegateList()
{
    std::vector<CurlField> none;
    const QJsonObject reply = MakeCurlCallNew("user/v1/get-delegates", none, GET, nullptr);
    m_delegateArray = reply.value("data").toArray();
    m_delegates.clear();
    if (!Succeeded(reply)) return;
    for (const QJsonValue& element : m_delegateArray) {
        const QJsonObject record = element.toObject();
        SubDetail delegate;
        delegate.name = record.value("name").toString();
        delegate.email = record.value("email").toString();
        delegate.expiry_date = record.value("current_subscription").toObject().value("expiry_date").toString();
        m_delegates.push_back(delegate);
    }
}

bool OmbraAPIHelper::UploadExperiment(const char* experimentFile, const char* infoFile, const QDate& expiryDate,
                                      ProgStruct* progress, int32_t& code, std::string& message)
{
    std::vector<CurlField> fields{{"experiment_file", experimentFile, true},
                                  {"info_file", infoFile, true},
                                  {"experiment_expiry_date", expiryDate.toString(Qt::ISODate).toStdString(), false}};
    const QJsonObject reply = MakeCurlCall("user/v1/upload-experiment", fields, progress);
    if (!Succeeded(reply)) {
        code = 0;
        message = reply.value("message").toString().toStdString();
        return false;
    }
    code = ReadInteger32(reply.value("data").toObject().value("code"));
    return true;
}

bool OmbraAPIHelper::UploadExpInfoFile(int64_t code, const char* infoFile)
{
    std::vector<CurlField> fields{{"info_file", infoFile, true}};
    return Succeeded(MakeCurlCall(WithCode("user/v1/replace-info-file/", code).c_str(), fields, nullptr));
}

bool OmbraAPIHelper::ExtendExperimentExpiry(int64_t code, const char* days)
{
    std::vector<CurlField> fields{{"number_of_days", days, false}};
    return Succeeded(
        MakeCurlCallNew(WithCode("user/v1/extend-experiment-expiry-date/", code).c_str(), fields, PATCH, nullptr));
}

bool OmbraAPIHelper::CreateDelegate(const char* name, const char* email, const char* password, const char* days)
{
    std::vector<CurlField> fields{
        {"name", name, false}, {"email", email, false}, {"password", password, false}, {"number_of_days", days, false}};
    const QJsonObject reply = MakeCurlCallNew("user/v1/add-delegate", fields, POST, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::UpdateProfile(const char* name, const char* email)
{
    std::vector<CurlField> fields;
    if (name != nullptr && *name != '\0') fields.push_back({"name", name, false});
    if (email != nullptr && *email != '\0') fields.push_back({"email", email, false});
    const QJsonObject reply = MakeCurlCallNew("user/v1/update-profile", fields, PUT, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::DeleteExperiment(int64_t code)
{
    std::vector<CurlField> none;
    return Succeeded(MakeCurlCallNew(WithCode("user/v1/delete-experiment/", code).c_str(), none, DELETE, nullptr));
}

bool OmbraAPIHelper::DeleteDelegate(const char* user)
{
    std::vector<CurlField> none;
    const QJsonObject reply =
        MakeCurlCallNew(WithArgument("user/v1/delete-delegate/", user).c_str(), none, DELETE, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::GetPwdResetToken(const char* email, std::string& token)
{
    std::vector<CurlField> fields{{"email", email, false}};
    const QJsonObject reply = MakeCurlCallNew("user/v1/forget-password", fields, POST, nullptr);
    if (!Succeeded(reply)) {
        RecordServiceMessage(reply);
        return false;
    }
    token = reply.value("data").toObject().value("reset_password_token").toString().toStdString();
    return true;
}

bool OmbraAPIHelper::ResetPwdWithToken(const char* token, const char* password)
{
    std::vector<CurlField> fields{{"token", token, false}, {"password", password, false}};
    const QJsonObject reply = MakeCurlCallNew("user/v1/reset-password", fields, POST, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::ChangePassword(const char* currentPassword, const char* newPassword)
{
    std::vector<CurlField> fields{{"current_password", currentPassword, false}, {"password", newPassword, false}};
    const QJsonObject reply = MakeCurlCallNew("user/v1/change-password", fields, PATCH, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::AdminUpdateProfile(const char* user, const char* name)
{
    std::vector<CurlField> fields{{"name", name, false}, {"new_email", user, false}};
    const QJsonObject reply =
        MakeCurlCallNew(WithArgument("admin/v1/update-user-profile/", user).c_str(), fields, PUT, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::GetEmailTypes(std::vector<std::string>& slugs)
{
    std::vector<CurlField> none;
    const QJsonObject reply = MakeCurlCallNew("admin/v1/email-types", none, GET, nullptr);
    if (!Succeeded(reply)) return false;
    for (const QJsonValue& element : reply.value("data").toArray())
        slugs.push_back(element.toObject().value("slug").toString().toStdString());
    return true;
}

bool OmbraAPIHelper::UpdateEmailContent(const char* slug, const char* subject, const char* contentFile)
{
    std::vector<CurlField> fields{{"email_subject", subject, false}, {"file_content", contentFile, true}};
    const QJsonObject reply =
        MakeCurlCall(WithArgument("admin/v1/update-email-content/", slug).c_str(), fields, nullptr);
    if (!Succeeded(reply)) RecordServiceMessage(reply);
    return Succeeded(reply);
}

bool OmbraAPIHelper::GetAllDataFiles(int64_t code, const char* localFile)
{
    return MakeFileDLRequest("user/v1/download-result", code, localFile);
}
