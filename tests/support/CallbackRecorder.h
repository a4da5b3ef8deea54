#pragma once
// Records every call of a callback under test: the arguments of each call, in
// order. The callback it hands out may be called from any thread; the test reads
// the calls on its own thread, and can wait for them while events are processed.

#include "TestSupport.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <tuple>
#include <type_traits>
#include <vector>

namespace TestSupport {

template <typename... Args>
class CallbackRecorder
{
public:
    using Call = std::tuple<std::decay_t<Args>...>;

    // A callback that records into this recorder; it must not outlive it.
    std::function<void(Args...)> Callback()
    {
        return [this](Args... args) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.emplace_back(args...);
        };
    }

    std::size_t Count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls.size();
    }
    std::vector<Call> Calls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    // The last call's arguments; call only when Count() > 0.
    Call Last() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls.back();
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }
    // Waits (processing events) until at least `count` calls came; true when they did.
    bool WaitForCalls(std::size_t count, std::chrono::milliseconds bound)
    {
        return WaitUntil([&] { return Count() >= count; }, bound);
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
};

}  // namespace TestSupport
