#include "UnsentDataOutbox.h"

#include "CloudClient/FailureMail.h"

#include "CloudTaskSupport/PackageDownload.h"
#include "VTCore/JsonDocumentScanner.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

namespace fs = std::filesystem;

namespace Vantrel {

namespace {

constexpr const char* kEntryRecord = "send.json";
constexpr std::uintmax_t kMaxRecordBytes = 64 * 1024;
// A record is one flat object.
constexpr int kMaxRecordNesting = 8;

std::string ReadSmallFile(const fs::path& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kMaxRecordBytes) return std::string();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes a record beside its final name, then moves it there: a reader finds the
// old record or the new one, never half of one.
bool WriteRecord(const fs::path& folder, const QJsonObject& record)
{
    const fs::path temporary = folder / (std::string(kEntryRecord) + ".new");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << QJsonDocument(record).toJson().toStdString();
        out.flush();
        if (!out) return false;
    }
    std::error_code error;
    fs::rename(temporary, folder / kEntryRecord, error);
    return !error;
}

void PutState(QJsonObject& record, const HandBackRequest& request)
{
    record["run_info_line"] = QString::fromStdString(request.runInfoLine);
    record["upload_may_have_arrived"] = request.uploadMayHaveArrived;
}

struct Sender
{
    std::mutex mutex;
    bool started = false;
    BasicPackageDownload<ProgStruct> worker;
};

Sender& TheSender()
{
    static Sender sender;
    return sender;
}

}  // namespace

std::string OutboxFolder() { return std::string(wxStandardPaths::Get().GetUserDataDir().fn_str()) + "/Unsent Data"; }

std::string AddToOutbox(const HandBackRequest& request)
{
    std::error_code error;
    const fs::path box(OutboxFolder());
    fs::create_directories(box, error);
    const fs::path staging = box / (".new-" + request.runId);
    const fs::path entry = box / request.runId;
    fs::remove_all(staging, error);
    fs::create_directories(staging, error);
    const fs::path copy = staging / fs::path(request.dataFile).filename();
    fs::copy_file(request.dataFile, copy, fs::copy_options::overwrite_existing, error);
    if (!error) {
        QJsonObject record;
        record["experiment_code"] = QString::number(request.experimentCode);
        record["run_id"] = QString::fromStdString(request.runId);
        record["mail_to"] = QString::fromStdString(request.mailTo);
        record["data_file"] = QString::fromStdString(copy.filename().string());
        PutState(record, request);
        if (!WriteRecord(staging, record)) error = std::make_error_code(std::errc::io_error);
    }
    // The entry appears whole or not at all: a half-written one is never sent.
    if (!error) fs::rename(staging, entry, error);
    if (error) {
        wxLogVerbose("The data file could not be kept in the outbox: %s", error.message());
        fs::remove_all(staging, error);
        return std::string();
    }
    return entry.string();
}

bool UpdateOutboxEntry(const std::string& entryFolder, const HandBackRequest& request)
{
    if (entryFolder.empty()) return false;
    const fs::path folder(entryFolder);
    QJsonObject record =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadSmallFile(folder / kEntryRecord))).object();
    if (record.isEmpty()) return false;
    PutState(record, request);
    const bool written = WriteRecord(folder, record);
    if (!written) wxLogVerbose("The outbox entry '%s' could not be brought up to date.", entryFolder);
    return written;
}

void RemoveFromOutbox(const std::string& entryFolder)
{
    std::error_code error;
    if (!entryFolder.empty()) fs::remove_all(entryFolder, error);
}

std::vector<OutboxEntry> ReadOutbox()
{
    std::vector<OutboxEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(OutboxFolder(), error), end; !error && it != end; it.increment(error)) {
        const fs::path folder = it->path();
        if (folder.filename().string().rfind('.', 0) == 0 || !it->is_directory()) continue;
        const QByteArray recordText = QByteArray::fromStdString(ReadSmallFile(folder / kEntryRecord));
        // A record that repeats a key is no record of ours (and Qt's parser would lose memory on it).
        const QJsonObject record = Vantrel::IsJsonWithDistinctKeys(recordText, kMaxRecordNesting)
                                       ? QJsonDocument::fromJson(recordText).object()
                                       : QJsonObject();
        const QString dataName = record.value("data_file").toString();
        bool codeRead = false;
        const long code = record.value("experiment_code").toString().toLong(&codeRead);
        // Only a plain name inside the entry's own folder is accepted as its data file.
        if (!codeRead || dataName.isEmpty() || dataName.contains('/') || dataName == ".." || dataName == ".") continue;
        OutboxEntry entry;
        entry.folder = folder.string();
        entry.request.experimentCode = code;
        entry.request.runId = record.value("run_id").toString().toStdString();
        entry.request.runInfoLine = record.value("run_info_line").toString().toStdString();
        entry.request.uploadMayHaveArrived = record.value("upload_may_have_arrived").toBool();
        entry.request.mailTo = record.value("mail_to").toString().toStdString();
        entry.request.dataFile = (folder / dataName.toStdString()).string();
        if (!fs::is_regular_file(entry.request.dataFile, error)) continue;
        entries.push_back(entry);
    }
    return entries;
}

void SendOutbox(const OmbraAPIHelper& client)
{
    for (OutboxEntry& entry : ReadOutbox()) {
        entry.request.mailHeaders = FailureMailHeaders(entry.request.mailTo);
        entry.request.mailBody = ReadFailureMailTemplate();
        const std::string folder = entry.folder;
        const HandBackResult result = RunHandBack(
            client, entry.request, [folder](const HandBackRequest& state) { UpdateOutboxEntry(folder, state); });
        if (result.uploaded || result.emailSent) RemoveFromOutbox(entry.folder);
    }
}

void SendOutboxInBackgroundOnce(const OmbraAPIHelper& client)
{
    Sender& sender = TheSender();
    std::lock_guard<std::mutex> lock(sender.mutex);
    if (sender.started) return;
    sender.started = true;
    if (ReadOutbox().empty()) return;
    sender.worker.Start([client = OmbraAPIHelper(client)](ProgStruct&) {
        SendOutbox(client);
        return true;
    });
}

void ResetOutboxSenderForTesting()
{
    Sender& sender = TheSender();
    std::lock_guard<std::mutex> lock(sender.mutex);
    sender.worker.ShutDown(std::chrono::seconds(10));
    sender.started = false;
}

bool WaitForOutboxSender(int waitMilliseconds)
{
    Sender& sender = TheSender();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(sender.mutex);
            if (!sender.worker.InFlight() || sender.worker.TakeOutcome()) return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace Vantrel
