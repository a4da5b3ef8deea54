#include "VTPlugInCommon/VTSdkPointerInput.h"

namespace VantrelSDK {

namespace {
// A participant cannot click this often; a stuck or flooding device must not grow memory.
constexpr size_t kMaxQueued = 1024;
}  // namespace

PointerInputQueue& PointerInputQueue::Get()
{
    static PointerInputQueue queue;
    return queue;
}

void PointerInputQueue::SetListening(bool listening)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Listening = listening;
    if (!listening) m_Events.clear();
}

bool PointerInputQueue::IsListening() const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Listening;
}

void PointerInputQueue::Post(const PointerButtonEvent& event)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!m_Listening || m_Events.size() >= kMaxQueued) return;
    m_Events.push_back(event);
}

bool PointerInputQueue::Take(PointerButtonEvent& event)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (m_Events.empty()) return false;
    event = m_Events.front();
    m_Events.pop_front();
    return true;
}

bool PointerInputQueue::HasPending() const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    return !m_Events.empty();
}

void PointerInputQueue::Clear()
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Events.clear();
}

}  // namespace VantrelSDK
