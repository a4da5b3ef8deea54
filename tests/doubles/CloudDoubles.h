#pragma once
// Local doubles of the cloud service (HTTPS) and the mail relay (SMTP with
// STARTTLS and AUTH) for tests. Each double runs as a child process on a free
// port of 127.0.0.1 with its own state folder, and ends with its object (or
// with the test process, whichever comes first).
//
// Typical use in a fixture:
//   TestDoubles::CloudDoublesEnvironment doubles;
//   ASSERT_TRUE(doubles.Start(&error)) << error;   // env vars now point at them
//   doubles.Service().AddExperiment(12345678, "Demo", "2099-01-01",
//                                   TestDoubles::InfoFileText("r@example.test"));
//   ... run the code under test ...
//   auto requests = doubles.Service().Requests();

#include "ChildProcess.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace TestDoubles {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

struct RecordedPart
{
    std::string name;
    bool isFile = false;  // the part had a file name
    std::string filename;
    std::string contentType;
    std::string data;
};

struct RecordedRequest
{
    std::string method;
    std::string path;                 // as requested, e.g. "/api/user/v1/profile"
    HeaderList headers;               // in the order they arrived
    std::string body;                 // raw bytes
    std::vector<RecordedPart> parts;  // multipart/form-data parts, in order

    // First value of a header (name case-insensitive); empty when absent.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};

struct StoredPart
{
    std::string contentType;
    std::string filename;
    std::string data;  // decoded bytes
};

struct StoredMessage
{
    std::string mailFrom;
    std::vector<std::string> recipients;
    HeaderList headers;  // top-level headers in order
    std::vector<StoredPart> parts;
    std::string raw;
};

// The text of an experiment information file as the service stores it.
std::string InfoFileText(const std::string& researcherEmail, int participantLimit = 0, bool promptInfo = true,
                         bool runOnce = false, bool noDelete = false, bool saveDesktop = false,
                         const std::string& version = "6.5.3");

// The experiment package of a folder's content, as the service hands it out:
// a gzip-compressed tar archive, or (asZip) a zip archive. Empty on failure.
std::string PackFolder(const std::string& folder, bool asZip = false);

// A folder of its own under /tmp, removed by the owner.
std::string MakeStateFolder(const std::string& prefix);

class CloudServiceDouble
{
public:
    CloudServiceDouble() = default;
    ~CloudServiceDouble();
    CloudServiceDouble(const CloudServiceDouble&) = delete;
    CloudServiceDouble& operator=(const CloudServiceDouble&) = delete;

    // Starts the double with a new test authority. seedDemo adds experiment
    // 12345678 (task code 15386598).
    bool Start(std::string* error = nullptr, bool seedDemo = false);
    // Start in two halves, so that several doubles can come up side by side.
    bool Launch(std::string* error = nullptr, bool seedDemo = false);
    bool WaitUntilStarted(std::string* error = nullptr);
    void Stop();
    bool Running() { return m_process.Running(); }

    int Port() const { return m_port; }
    std::string Host() const;  // "127.0.0.1:<port>"
    const std::string& CaFile() const { return m_ca; }
    const std::string& CertFile() const { return m_cert; }
    const std::string& KeyFile() const { return m_key; }
    const std::string& StateDir() const { return m_state; }
    std::string CredentialsUrl() const;
    const std::string& MailUser() const { return m_mailUser; }
    const std::string& MailPassword() const { return m_mailPassword; }
    const std::string& ApiKey() const { return m_apiKey; }

    // Failure switches as a JSON object (see cloud_service_double.py), e.g.
    // R"({"fail": ["upload-result"], "throttle_bytes_per_second": 20000})".
    void SetSwitches(const std::string& json);
    void ClearSwitches();

    void AddExperiment(uint32_t code, const std::string& name, const std::string& expiryDate,
                       const std::string& infoFileText, const std::string* packageBytes = nullptr,
                       int isTerminated = 0);
    // A file of an experiment's folder: "exp_info", "rt_info", "package".
    void WriteExperimentFile(uint32_t code, const std::string& file, const std::string& bytes);
    std::string ReadExperimentFile(uint32_t code, const std::string& file) const;
    // Uploaded results of an experiment: (stored name, bytes), oldest first.
    std::vector<std::pair<std::string, std::string>> Results(uint32_t code) const;

    // Connections reset at once by the "refuse_connections" switch.
    int RefusedConnections() const;

    std::vector<RecordedRequest> Requests() const;
    // Requests whose path (without query) equals or starts with `path`.
    std::vector<RecordedRequest> RequestsTo(const std::string& path) const;
    void ClearRequests();

private:
    ChildProcess m_process;
    std::string m_state;
    std::string m_ca, m_cert, m_key;
    std::string m_mailUser = "relay-user@example.test";
    std::string m_mailPassword = "relay-secret-42";
    std::string m_apiKey = "Rq4Tz9WmXc2Lb7NvHs5Ke3Pj8Gd1Fa6YuQo0ViEt4BnMr7Sw2Cx9Zh5Jl3Dp8Ag1";
    int m_port = 0;
};

class SmtpRelayDouble
{
public:
    SmtpRelayDouble() = default;
    ~SmtpRelayDouble();
    SmtpRelayDouble(const SmtpRelayDouble&) = delete;
    SmtpRelayDouble& operator=(const SmtpRelayDouble&) = delete;

    // cert/key: the server certificate (the cloud double's will do); empty to
    // let the relay make its own authority.
    bool Start(const std::string& cert, const std::string& key, const std::string& user, const std::string& password,
               bool starttls = true, std::string* error = nullptr);
    bool Launch(const std::string& cert, const std::string& key, const std::string& user, const std::string& password,
                bool starttls = true, std::string* error = nullptr);
    bool WaitUntilStarted(std::string* error = nullptr);
    void Stop();

    int Port() const { return m_port; }
    // The authority of the relay's certificate (its own when it made one).
    const std::string& CaFile() const { return m_ca; }
    std::string HostAndPort() const;
    const std::string& StateDir() const { return m_state; }
    std::vector<StoredMessage> Messages() const;
    // AUTH attempts so far: (login, accepted).
    std::vector<std::pair<std::string, bool>> AuthAttempts() const;

private:
    ChildProcess m_process;
    std::string m_state;
    std::string m_ca;
    int m_port = 0;
};

// Both doubles, with VANTREL_CLOUD_HOST, VANTREL_CLOUD_API_KEY,
// VANTREL_CA_BUNDLE, VANTREL_MAIL_RELAY, VANTREL_MAIL_CREDENTIALS_URL and
// VANTREL_MAIL_SENDER pointed at them until the object goes (earlier values
// are restored then).
class CloudDoublesEnvironment
{
public:
    CloudDoublesEnvironment();
    ~CloudDoublesEnvironment();
    CloudDoublesEnvironment(const CloudDoublesEnvironment&) = delete;
    CloudDoublesEnvironment& operator=(const CloudDoublesEnvironment&) = delete;

    bool Start(std::string* error = nullptr, bool seedDemo = false);
    void Stop();

    CloudServiceDouble& Service() { return m_service; }
    SmtpRelayDouble& Relay() { return m_relay; }
    // The PEM file that VANTREL_CA_BUNDLE names: both doubles' authorities.
    const std::string& TrustedBundle() const { return m_bundle; }
    static constexpr const char* kSender = "studystation@example.test";

private:
    std::vector<std::pair<std::string, std::unique_ptr<std::string>>> m_saved;
    CloudServiceDouble m_service;
    SmtpRelayDouble m_relay;
    std::string m_bundle;
};

// Sets or (value null) removes an environment variable until the object goes.
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable(const char* name, const char* value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string m_name;
    std::unique_ptr<std::string> m_previous;
};

}  // namespace TestDoubles
