#pragma once
// The asynchronous-services layer: background work and the completions it hands
// back to the GUI thread.
//
// All layers of a process share one set of services (one completion queue and one
// pool of worker threads); the last holder that lets go releases them.
//  - Completions posted with PostCompletion run only inside PollOnce, on the thread
//    that polls, and never after Stop.
//  - Work posted with PostWork runs on the worker thread that Start of a layer of
//    threading type 0 owns; without a started worker it waits.
//  - PollOnce runs what is ready and returns without waiting.
// Boost.Asio stays inside the implementation.

#include <boost/shared_ptr.hpp>
#include <functional>

namespace OrbiskAsynchronous {

enum THREADING_TYPE
{
    // Start owns a worker thread for background work; the holder does not poll.
    THREADING_TYPE_OwnWorkerThread = 0,
    // No thread of its own: the holder gives it timeslices with PollOnce.
    THREADING_TYPE_PolledByHolder = 3,
};

// Would supply an existing I/O service to share; every caller passes null.
class Interface_ProviderOfUniqueIOServiceInstance
{
public:
    virtual ~Interface_ProviderOfUniqueIOServiceInstance();
};

class AsynchronousServicesLayer
{
public:
    // Never returns an empty pointer.
    static boost::shared_ptr<AsynchronousServicesLayer>
    FactoryFunction_GetAsynchronousServicesLayer(THREADING_TYPE type,
                                                 Interface_ProviderOfUniqueIOServiceInstance* provider);

    virtual ~AsynchronousServicesLayer();

    // Slot order: start, stop, poll once.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual void PollOnce() = 0;

    // For the libraries built on the layer.
    virtual void PostCompletion(std::function<void()> completion) = 0;
    virtual void PostWork(std::function<void()> work) = 0;
    virtual bool IsStopped() const = 0;
    virtual THREADING_TYPE GetThreadingType() const = 0;
};

}  // namespace OrbiskAsynchronous
