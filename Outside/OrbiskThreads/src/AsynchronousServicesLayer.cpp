#include "OrbiskThreads/AsynchronousServicesLayer.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/post.hpp>
#include <boost/make_shared.hpp>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace OrbiskAsynchronous {

Interface_ProviderOfUniqueIOServiceInstance::~Interface_ProviderOfUniqueIOServiceInstance() = default;
AsynchronousServicesLayer::~AsynchronousServicesLayer() = default;

namespace {

using WorkGuard = boost::asio::executor_work_guard<boost::asio::io_context::executor_type>;

// What all layers of the process share.
class SharedServices
{
public:
    ~SharedServices() { StopWorker(); }

    void StartWorker()
    {
        std::lock_guard<std::mutex> lock(workerMutex_);
        if (stopped_ || worker_.joinable()) return;
        guard_.emplace(work_.get_executor());
        worker_ = std::thread([this] { work_.run(); });
    }

    void StopWorker()
    {
        std::thread worker;
        {
            std::lock_guard<std::mutex> lock(workerMutex_);
            guard_.reset();
            work_.stop();
            worker.swap(worker_);
        }
        if (worker.joinable()) {
            if (worker.get_id() == std::this_thread::get_id())
                worker.detach();  // stopped from inside a work item: cannot join itself
            else
                worker.join();
        }
    }

    void Stop()
    {
        stopped_ = true;
        completions_.stop();
        StopWorker();
    }

    void Poll()
    {
        if (stopped_) return;
        completions_.restart();
        completions_.poll();
    }

    void PostCompletion(std::function<void()> completion)
    {
        if (stopped_) return;
        boost::asio::post(completions_, std::move(completion));
    }

    void PostWork(std::function<void()> work)
    {
        if (stopped_) return;
        boost::asio::post(work_, std::move(work));
    }

    bool Stopped() const { return stopped_; }

private:
    std::atomic<bool> stopped_{false};
    boost::asio::io_context completions_;
    boost::asio::io_context work_;
    std::optional<WorkGuard> guard_;
    std::mutex workerMutex_;
    std::thread worker_;
};

class Layer final : public AsynchronousServicesLayer
{
public:
    Layer(THREADING_TYPE type, std::shared_ptr<SharedServices> services) : type_(type), services_(std::move(services))
    {}

    void Start() override
    {
        if (type_ == THREADING_TYPE_OwnWorkerThread) services_->StartWorker();
    }
    void Stop() override { services_->Stop(); }
    void PollOnce() override { services_->Poll(); }
    void PostCompletion(std::function<void()> completion) override { services_->PostCompletion(std::move(completion)); }
    void PostWork(std::function<void()> work) override { services_->PostWork(std::move(work)); }
    bool IsStopped() const override { return services_->Stopped(); }
    THREADING_TYPE GetThreadingType() const override { return type_; }

private:
    THREADING_TYPE type_;
    std::shared_ptr<SharedServices> services_;
};

std::shared_ptr<SharedServices> CurrentServices()
{
    static std::mutex mutex;
    static std::weak_ptr<SharedServices> current;
    std::lock_guard<std::mutex> lock(mutex);
    auto services = current.lock();
    if (!services) {
        services = std::make_shared<SharedServices>();
        current = services;
    }
    return services;
}

}  // namespace

boost::shared_ptr<AsynchronousServicesLayer>
AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(THREADING_TYPE type,
                                                                        Interface_ProviderOfUniqueIOServiceInstance*)
{
    return boost::make_shared<Layer>(type, CurrentServices());
}

}  // namespace OrbiskAsynchronous
