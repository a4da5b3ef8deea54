#pragma once
// The hand-off between the GUI thread and the package-download worker. Everything
// the two threads share lives in one reference-counted block that the worker
// co-owns, so a worker that outlives its panel (or the shut-down wait) never
// touches freed state; every shared field is atomic or under the block's mutex.

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/string.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <string>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace Vantrel {

// The progress record a transfer watches: `cancel` (GUI -> worker, stop at the next
// progress call) and `percent` (worker -> GUI), both atomic.
struct DownloadProgress
{
    std::atomic<bool> cancel{false};
    std::atomic<int> percent{0};
};

template <typename ProgressRecord>
class BasicPackageDownload
{
public:
    using Progress = ProgressRecord;
    // Runs on the worker thread with its own copies of everything it needs; returns
    // true only when the complete package is in place.
    using Transfer = std::function<bool(Progress& progress)>;

    enum class Outcome
    {
        Succeeded,
        Failed,
        Cancelled
    };

    BasicPackageDownload() = default;
    BasicPackageDownload(const BasicPackageDownload&) = delete;
    BasicPackageDownload& operator=(const BasicPackageDownload&) = delete;
    ~BasicPackageDownload() { ShutDown(std::chrono::seconds(2)); }

    // Runs on the worker thread once its transfer has ended and its outcome can be
    // taken; it should only post news to the GUI thread.
    using Ended = std::function<void()>;

    // Starts a fresh download with cleared cancel and finished flags. A previous
    // download still running is cancelled and retired: it can no longer report an
    // outcome (its `onEnded` still runs).
    void Start(Transfer transfer, Ended onEnded = {});
    void Cancel()
    {
        if (m_current.shared) m_current.shared->progress.cancel = true;
    }

    // Started and its outcome not yet taken: the GUI should keep watching.
    bool InFlight() const { return m_current.shared != nullptr; }
    int Percent() const { return m_current.shared ? static_cast<int>(m_current.shared->progress.percent.load()) : 0; }
    // The outcome of the current download once it has ended; given out once.
    std::optional<Outcome> TakeOutcome();

    // Cancels every download and waits up to `wait` for the workers; those that
    // ended are joined, the others are left to end on their own.
    void ShutDown(std::chrono::milliseconds wait);

private:
    struct Shared
    {
        Progress progress;
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        bool succeeded = false;
        std::string thrown;  // what a throwing transfer threw
    };
    struct Worker
    {
        std::shared_ptr<Shared> shared;
        std::thread thread;
    };

    void Retire(Worker& worker);
    static bool WaitUntilEnded(Shared& shared, std::chrono::steady_clock::time_point deadline);

    Worker m_current;
    std::vector<Worker> m_retired;
};

template <typename P>
void BasicPackageDownload<P>::Start(Transfer transfer, Ended onEnded)
{
    if (m_current.shared) Retire(m_current);

    auto shared = std::make_shared<Shared>();
    m_current.shared = shared;
    m_current.thread = std::thread([shared, transfer = std::move(transfer), onEnded = std::move(onEnded)]() mutable {
        bool succeeded = false;
        std::string thrown;
        try {
            succeeded = transfer && transfer(shared->progress);
        } catch (const std::exception& exception) {
            // A throwing transfer is a failed download, never a dead program; what it
            // threw is logged on the GUI thread when the outcome is taken.
            thrown = exception.what();
            succeeded = false;
        } catch (...) {
            thrown = "an exception of unknown type";
            succeeded = false;
        }
        transfer = nullptr;  // release the worker's own copies before reporting the end
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->finished = true;
            shared->succeeded = succeeded;
            shared->thrown = thrown;
        }
        shared->ended.notify_all();
        if (onEnded) onEnded();
    });
}

template <typename P>
std::optional<typename BasicPackageDownload<P>::Outcome> BasicPackageDownload<P>::TakeOutcome()
{
    if (!m_current.shared) return std::nullopt;
    Outcome outcome;
    std::string thrown;
    {
        std::lock_guard<std::mutex> lock(m_current.shared->mutex);
        if (!m_current.shared->finished) return std::nullopt;
        thrown = m_current.shared->thrown;
        if (m_current.shared->progress.cancel)
            outcome = Outcome::Cancelled;
        else
            outcome = m_current.shared->succeeded ? Outcome::Succeeded : Outcome::Failed;
    }
    m_current.thread.join();  // it has finished: the join is immediate
    m_current.shared.reset();
    if (!thrown.empty()) wxLogWarning(_("The download failed unexpectedly: %s"), wxString::FromUTF8(thrown));
    return outcome;
}

template <typename P>
void BasicPackageDownload<P>::Retire(Worker& worker)
{
    worker.shared->progress.cancel = true;
    m_retired.push_back(std::move(worker));
    worker = Worker();
    // Join the retired workers that have already ended, so they do not pile up.
    m_retired.erase(std::remove_if(m_retired.begin(), m_retired.end(),
                                   [](Worker& old) {
                                       {
                                           std::lock_guard<std::mutex> lock(old.shared->mutex);
                                           if (!old.shared->finished) return false;
                                       }
                                       old.thread.join();
                                       return true;
                                   }),
                    m_retired.end());
}

template <typename P>
bool BasicPackageDownload<P>::WaitUntilEnded(Shared& shared, std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock<std::mutex> lock(shared.mutex);
    return shared.ended.wait_until(lock, deadline, [&] { return shared.finished; });
}

template <typename P>
void BasicPackageDownload<P>::ShutDown(std::chrono::milliseconds wait)
{
    if (m_current.shared) Retire(m_current);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (Worker& worker : m_retired) {
        if (!worker.thread.joinable()) continue;
        if (WaitUntilEnded(*worker.shared, deadline))
            worker.thread.join();
        else
            worker.thread.detach();  // it co-owns its shared block and its own copies
    }
    m_retired.clear();
}

using PackageDownload = BasicPackageDownload<DownloadProgress>;

}  // namespace Vantrel
