#include "CloudDoubles.h"

#include "TestFiles.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace TestDoubles {

namespace {

constexpr int kStartSeconds = 45;  // generous: a loaded machine starts Python slowly

std::string ScriptDir()
{
    const char* overridden = std::getenv("CLOUD_DOUBLES_SCRIPT_DIR");
    return overridden ? overridden : CLOUD_DOUBLES_SCRIPT_DIR;
}

using TestSupport::ReadWholeFile;
using TestSupport::WriteWholeFile;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string FromBase64(const QJsonValue& value)
{
    return QByteArray::fromBase64(value.toString().toLatin1()).toStdString();
}

HeaderList ReadHeaders(const QJsonValue& value)
{
    HeaderList headers;
    for (const QJsonValue& pair : value.toArray()) {
        const QJsonArray item = pair.toArray();
        headers.emplace_back(item.at(0).toString().toStdString(), item.at(1).toString().toStdString());
    }
    return headers;
}

// Waits for a double's ready file; reports the log when the double died.
bool WaitUntilReady(ChildProcess& process, const std::string& readyFile, const std::string& logFile, QJsonObject& ready,
                    std::string* error)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(readyFile)) {
            ready = QJsonDocument::fromJson(QByteArray::fromStdString(ReadWholeFile(readyFile))).object();
            if (ready.contains("port")) return true;
        }
        if (!process.Running()) {
            if (error) *error = "double ended at start: " + ReadWholeFile(logFile);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (error) *error = "double did not report its port in time: " + ReadWholeFile(logFile);
    process.Stop();
    return false;
}

// Runs a double's script with its output logged in the state folder.
bool StartScript(ChildProcess& process, const std::vector<std::string>& argv, const std::string& state,
                 std::string* error)
{
    if (!process.Start(argv, state + "/double.out")) {
        if (error) *error = "cannot start " + argv[1];
        return false;
    }
    return true;
}

// Ends a double and removes its state folder, if it has one.
void StopAndRemoveState(ChildProcess& process, std::string& state)
{
    process.Stop();
    if (!state.empty()) {
        std::error_code ignored;
        fs::remove_all(state, ignored);
        state.clear();
    }
}

}  // namespace

std::string RecordedRequest::Header(const std::string& name) const
{
    const std::string wanted = Lower(name);
    for (const auto& [key, value] : headers)
        if (Lower(key) == wanted) return value;
    return std::string();
}

bool RecordedRequest::HasHeader(const std::string& name) const
{
    const std::string wanted = Lower(name);
    return std::any_of(headers.begin(), headers.end(), [&](const auto& h) { return Lower(h.first) == wanted; });
}

std::string InfoFileText(const std::string& researcherEmail, int participantLimit, bool promptInfo, bool runOnce,
                         bool noDelete, bool saveDesktop, const std::string& version)
{
    std::ostringstream text;
    text << "vt_ver=" << version << "\nr_email=" << researcherEmail << "\nmax_prtcpnt=" << participantLimit
         << "\nprompt_info=" << int(promptInfo) << "\nrun_once=" << int(runOnce) << "\nno_delete=" << int(noDelete)
         << "\nsave_desktop=" << int(saveDesktop) << "\n";
    return text.str();
}

std::string PackFolder(const std::string& folder, bool asZip)
{
    const std::string work = MakeStateFolder("package");
    const std::string archive = work + (asZip ? "/package.zip" : "/package.tar.gz");
    const std::vector<std::string> argv =
        asZip ? std::vector<std::string>{"/bin/sh", "-c", "cd \"$0\" && exec zip -q -r \"$1\" .", folder, archive}
              : std::vector<std::string>{"/bin/tar", "-czf", archive, "-C", folder, "."};
    ChildProcess packer;
    std::string bytes;
    if (packer.Start(argv, work + "/pack.log") && packer.WaitForExit(60) == 0) bytes = ReadWholeFile(archive);
    std::error_code ignored;
    fs::remove_all(work, ignored);
    return bytes;
}

std::string MakeStateFolder(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) return std::string();
    return pattern;
}

// ---------------------------------------------------------------- cloud service

CloudServiceDouble::~CloudServiceDouble() { Stop(); }

bool CloudServiceDouble::Start(std::string* error, bool seedDemo)
{
    return Launch(error, seedDemo) && WaitUntilStarted(error);
}

bool CloudServiceDouble::Launch(std::string* error, bool seedDemo)
{
    Stop();
    m_state = MakeStateFolder("cloud-service-double");
    if (m_state.empty()) {
        if (error) *error = "no state folder";
        return false;
    }
    std::vector<std::string> argv{CLOUD_DOUBLES_PYTHON,
                                  ScriptDir() + "/cloud_service_double.py",
                                  "--state",
                                  m_state,
                                  "--remove-state-when-orphaned",
                                  "--api-key",
                                  m_apiKey,
                                  "--mail-user",
                                  m_mailUser,
                                  "--mail-password",
                                  m_mailPassword};
    if (seedDemo) argv.push_back("--seed-demo");
    return StartScript(m_process, argv, m_state, error);
}

bool CloudServiceDouble::WaitUntilStarted(std::string* error)
{
    QJsonObject ready;
    if (!WaitUntilReady(m_process, m_state + "/cloud.ready.json", m_state + "/double.out", ready, error)) return false;
    m_port = ready.value("port").toInt();
    m_ca = ready.value("ca").toString().toStdString();
    m_cert = ready.value("cert").toString().toStdString();
    m_key = ready.value("key").toString().toStdString();
    return true;
}

void CloudServiceDouble::Stop()
{
    StopAndRemoveState(m_process, m_state);
    m_port = 0;
}

std::string CloudServiceDouble::Host() const { return "127.0.0.1:" + std::to_string(m_port); }

std::string CloudServiceDouble::CredentialsUrl() const { return "https://" + Host() + "/mail/relay-login.txt"; }

void CloudServiceDouble::SetSwitches(const std::string& json) { WriteWholeFile(m_state + "/switches.json", json); }

void CloudServiceDouble::ClearSwitches() { SetSwitches("{}"); }

void CloudServiceDouble::AddExperiment(uint32_t code, const std::string& name, const std::string& expiryDate,
                                       const std::string& infoFileText, const std::string* packageBytes,
                                       int isTerminated)
{
    const std::string folder = m_state + "/experiments/" + std::to_string(code);
    fs::create_directories(folder + "/results");
    QJsonObject record{{"name", QString::fromStdString(name)},
                       {"expiry_date", QString::fromStdString(expiryDate)},
                       {"is_terminated", isTerminated}};
    WriteWholeFile(folder + "/exp_info", infoFileText);
    if (!fs::exists(folder + "/rt_info")) WriteWholeFile(folder + "/rt_info", "");
    if (packageBytes != nullptr) WriteWholeFile(folder + "/package", *packageBytes);
    WriteWholeFile(folder + "/record.json", QJsonDocument(record).toJson().toStdString());
}

void CloudServiceDouble::WriteExperimentFile(uint32_t code, const std::string& file, const std::string& bytes)
{
    const std::string folder = m_state + "/experiments/" + std::to_string(code);
    fs::create_directories(folder);
    WriteWholeFile(folder + "/" + file, bytes);
}

std::string CloudServiceDouble::ReadExperimentFile(uint32_t code, const std::string& file) const
{
    return ReadWholeFile(m_state + "/experiments/" + std::to_string(code) + "/" + file);
}

std::vector<std::pair<std::string, std::string>> CloudServiceDouble::Results(uint32_t code) const
{
    std::vector<std::pair<int, std::string>> names;
    const fs::path folder = m_state + "/experiments/" + std::to_string(code) + "/results";
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        names.emplace_back(std::atoi(name.c_str()), name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::pair<std::string, std::string>> results;
    for (const auto& [number, name] : names) results.emplace_back(name, ReadWholeFile((folder / name).string()));
    return results;
}

int CloudServiceDouble::RefusedConnections() const
{
    const std::string log = ReadWholeFile(m_state + "/refused_connections.log");
    return static_cast<int>(std::count(log.begin(), log.end(), '\n'));
}

std::vector<RecordedRequest> CloudServiceDouble::Requests() const
{
    std::vector<RecordedRequest> requests;
    std::istringstream lines(ReadWholeFile(m_state + "/requests.jsonl"));
    std::string line;
    while (std::getline(lines, line)) {
        const QJsonObject entry = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        if (entry.isEmpty()) continue;
        RecordedRequest request;
        request.method = entry.value("method").toString().toStdString();
        request.path = entry.value("path").toString().toStdString();
        request.headers = ReadHeaders(entry.value("headers"));
        request.body = FromBase64(entry.value("body_b64"));
        for (const QJsonValue& value : entry.value("parts").toArray()) {
            const QJsonObject part = value.toObject();
            RecordedPart recorded;
            recorded.name = part.value("name").toString().toStdString();
            recorded.isFile = part.value("filename").isString();
            recorded.filename = part.value("filename").toString().toStdString();
            recorded.contentType = part.value("content_type").toString().toStdString();
            recorded.data = FromBase64(part.value("data_b64"));
            request.parts.push_back(recorded);
        }
        requests.push_back(request);
    }
    return requests;
}

std::vector<RecordedRequest> CloudServiceDouble::RequestsTo(const std::string& path) const
{
    std::vector<RecordedRequest> matching;
    for (auto& request : Requests()) {
        const std::string bare = request.path.substr(0, request.path.find('?'));
        if (bare.compare(0, path.size(), path) == 0) matching.push_back(request);
    }
    return matching;
}

void CloudServiceDouble::ClearRequests()
{
    std::error_code ignored;
    fs::remove(m_state + "/requests.jsonl", ignored);
}

// ---------------------------------------------------------------- mail relay

SmtpRelayDouble::~SmtpRelayDouble() { Stop(); }

bool SmtpRelayDouble::Start(const std::string& cert, const std::string& key, const std::string& user,
                            const std::string& password, bool starttls, std::string* error)
{
    return Launch(cert, key, user, password, starttls, error) && WaitUntilStarted(error);
}

bool SmtpRelayDouble::Launch(const std::string& cert, const std::string& key, const std::string& user,
                             const std::string& password, bool starttls, std::string* error)
{
    Stop();
    m_state = MakeStateFolder("smtp-relay-double");
    if (m_state.empty()) {
        if (error) *error = "no state folder";
        return false;
    }
    std::vector<std::string> argv{CLOUD_DOUBLES_PYTHON,
                                  ScriptDir() + "/smtp_relay_double.py",
                                  "--state",
                                  m_state,
                                  "--remove-state-when-orphaned",
                                  "--user",
                                  user,
                                  "--password",
                                  password};
    if (!cert.empty()) {
        argv.insert(argv.end(), {"--cert", cert, "--key", key});
    }
    if (!starttls) argv.push_back("--no-starttls");
    return StartScript(m_process, argv, m_state, error);
}

bool SmtpRelayDouble::WaitUntilStarted(std::string* error)
{
    QJsonObject ready;
    if (!WaitUntilReady(m_process, m_state + "/smtp.ready.json", m_state + "/double.out", ready, error)) return false;
    m_port = ready.value("port").toInt();
    m_ca = ready.value("ca").toString().toStdString();
    return true;
}

void SmtpRelayDouble::Stop()
{
    StopAndRemoveState(m_process, m_state);
    m_port = 0;
}

std::string SmtpRelayDouble::HostAndPort() const { return "127.0.0.1:" + std::to_string(m_port); }

std::vector<StoredMessage> SmtpRelayDouble::Messages() const
{
    std::vector<StoredMessage> messages;
    for (int number = 1;; ++number) {
        const std::string base = m_state + "/messages/" + std::to_string(number);
        if (!fs::exists(base + ".json")) break;
        const QJsonObject summary =
            QJsonDocument::fromJson(QByteArray::fromStdString(ReadWholeFile(base + ".json"))).object();
        StoredMessage message;
        message.mailFrom = summary.value("mail_from").toString().toStdString();
        for (const QJsonValue& r : summary.value("rcpt_tos").toArray())
            message.recipients.push_back(r.toString().toStdString());
        message.headers = ReadHeaders(summary.value("headers"));
        for (const QJsonValue& value : summary.value("parts").toArray()) {
            const QJsonObject part = value.toObject();
            message.parts.push_back({part.value("content_type").toString().toStdString(),
                                     part.value("filename").toString().toStdString(),
                                     FromBase64(part.value("data_b64"))});
        }
        message.raw = ReadWholeFile(base + ".eml");
        messages.push_back(message);
    }
    return messages;
}

std::vector<std::pair<std::string, bool>> SmtpRelayDouble::AuthAttempts() const
{
    std::vector<std::pair<std::string, bool>> attempts;
    std::istringstream lines(ReadWholeFile(m_state + "/smtp_events.jsonl"));
    std::string line;
    while (std::getline(lines, line)) {
        const QJsonObject entry = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        attempts.emplace_back(entry.value("login").toString().toStdString(), entry.value("success").toBool());
    }
    return attempts;
}

// ---------------------------------------------------------------- environment

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char* name, const char* value) : m_name(name)
{
    if (const char* previous = std::getenv(name)) m_previous = std::make_unique<std::string>(previous);
    if (value != nullptr)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    if (m_previous)
        setenv(m_name.c_str(), m_previous->c_str(), 1);
    else
        unsetenv(m_name.c_str());
}

namespace {
const char* const kVariables[] = {"VANTREL_CLOUD_HOST", "VANTREL_CLOUD_API_KEY",        "VANTREL_CA_BUNDLE",
                                  "VANTREL_MAIL_RELAY", "VANTREL_MAIL_CREDENTIALS_URL", "VANTREL_MAIL_SENDER"};
}

CloudDoublesEnvironment::CloudDoublesEnvironment()
{
    for (const char* name : kVariables) {
        const char* value = std::getenv(name);
        m_saved.emplace_back(name, value ? std::make_unique<std::string>(value) : nullptr);
    }
}

CloudDoublesEnvironment::~CloudDoublesEnvironment()
{
    Stop();
    for (const auto& [name, value] : m_saved) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

bool CloudDoublesEnvironment::Start(std::string* error, bool seedDemo)
{
    // Side by side: each double makes its own authority, and the bundle
    // trusts both.
    if (!m_service.Launch(error, seedDemo)) return false;
    if (!m_relay.Launch("", "", m_service.MailUser(), m_service.MailPassword(), true, error)) return false;
    if (!m_service.WaitUntilStarted(error) || !m_relay.WaitUntilStarted(error)) return false;
    m_bundle = m_service.StateDir() + "/trusted-authorities.pem";
    WriteWholeFile(m_bundle, ReadWholeFile(m_service.CaFile()) + ReadWholeFile(m_relay.CaFile()));
    setenv("VANTREL_CLOUD_HOST", m_service.Host().c_str(), 1);
    setenv("VANTREL_CLOUD_API_KEY", m_service.ApiKey().c_str(), 1);
    setenv("VANTREL_CA_BUNDLE", m_bundle.c_str(), 1);
    setenv("VANTREL_MAIL_RELAY", m_relay.HostAndPort().c_str(), 1);
    setenv("VANTREL_MAIL_CREDENTIALS_URL", m_service.CredentialsUrl().c_str(), 1);
    setenv("VANTREL_MAIL_SENDER", kSender, 1);
    return true;
}

void CloudDoublesEnvironment::Stop()
{
    m_relay.Stop();
    m_service.Stop();
}

}  // namespace TestDoubles
