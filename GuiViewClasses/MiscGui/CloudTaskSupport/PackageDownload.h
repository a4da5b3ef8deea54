#pragma once
// The hand-off between the GUI thread and the package-download worker. Everything
// the two threads share lives in one reference-counted block that the worker
// co-owns, so a worker that outlives its panel (or the shut-down wait) never
// touches freed state; every shared field is atomic or under the block's mutex.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace Vantrel {

class PackageDownload {
public:
    struct Progress {
        std::atomic<bool> cancel{false};  // GUI -> worker: stop at the next progress call
        std::atomic<int> percent{0};      // worker -> GUI
    };
    // Runs on the worker thread with its own copies of everything it needs; returns
    // true only when the complete package is in place.
    using Transfer = std::function<bool(Progress& progress)>;

    enum class Outcome { Succeeded, Failed, Cancelled };

    PackageDownload() = default;
    PackageDownload(const PackageDownload&) = delete;
    PackageDownload& operator=(const PackageDownload&) = delete;
    ~PackageDownload();

    // Starts a fresh download with cleared cancel and finished flags. A previous
    // download still running is cancelled and retired: it can no longer report.
    void Start(Transfer transfer);
    void Cancel();

    // Started and its outcome not yet taken: the GUI should keep watching.
    bool InFlight() const { return m_current.shared != nullptr; }
    int Percent() const;
    // The outcome of the current download once it has ended; given out once.
    std::optional<Outcome> TakeOutcome();

    // Cancels every download and waits up to `wait` for the workers; those that
    // ended are joined, the others are left to end on their own.
    void ShutDown(std::chrono::milliseconds wait);

private:
    struct Shared {
        Progress progress;
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        bool succeeded = false;
    };
    struct Worker {
        std::shared_ptr<Shared> shared;
        std::thread thread;
    };

    void Retire(Worker& worker);
    static bool WaitUntilEnded(Shared& shared, std::chrono::steady_clock::time_point deadline);

    Worker m_current;
    std::vector<Worker> m_retired;
};

}  // namespace Vantrel
