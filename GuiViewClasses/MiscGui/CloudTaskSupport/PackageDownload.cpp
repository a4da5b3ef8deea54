#include "PackageDownload.h"

#include <algorithm>

namespace Vantrel {

PackageDownload::~PackageDownload() { ShutDown(std::chrono::seconds(2)); }

void PackageDownload::Start(Transfer transfer) {
    if (m_current.shared) Retire(m_current);

    auto shared = std::make_shared<Shared>();
    m_current.shared = shared;
    m_current.thread = std::thread([shared, transfer = std::move(transfer)]() mutable {
        bool succeeded = false;
        try {
            succeeded = transfer && transfer(shared->progress);
        } catch (...) {
            succeeded = false;  // a throwing transfer is a failed download, never a dead program
        }
        transfer = nullptr;  // release the worker's own copies before reporting the end
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->finished = true;
            shared->succeeded = succeeded;
        }
        shared->ended.notify_all();
    });
}

void PackageDownload::Cancel() {
    if (m_current.shared) m_current.shared->progress.cancel = true;
}

int PackageDownload::Percent() const {
    return m_current.shared ? m_current.shared->progress.percent.load() : 0;
}

std::optional<PackageDownload::Outcome> PackageDownload::TakeOutcome() {
    if (!m_current.shared) return std::nullopt;
    Outcome outcome;
    {
        std::lock_guard<std::mutex> lock(m_current.shared->mutex);
        if (!m_current.shared->finished) return std::nullopt;
        if (m_current.shared->progress.cancel)
            outcome = Outcome::Cancelled;
        else
            outcome = m_current.shared->succeeded ? Outcome::Succeeded : Outcome::Failed;
    }
    m_current.thread.join();  // it has finished: the join is immediate
    m_current.shared.reset();
    return outcome;
}

void PackageDownload::Retire(Worker& worker) {
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

bool PackageDownload::WaitUntilEnded(Shared& shared, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(shared.mutex);
    return shared.ended.wait_until(lock, deadline, [&] { return shared.finished; });
}

void PackageDownload::ShutDown(std::chrono::milliseconds wait) {
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

}  // namespace Vantrel
