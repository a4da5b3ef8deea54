#include "VTPlugInCommon/VTTimer.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/thread.h>
#include <wx/utils.h>

#include <chrono>
#include <thread>

namespace Vantrel {

namespace {
unsigned long long SteadyMicroseconds()
{
    return static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}
}  // namespace

VTTimer::VTTimer() : m_Clock(SteadyMicroseconds) { m_Origin = m_Clock(); }

VTTimer& VTTimer::GetTimer()
{
    static VTTimer timer;
    return timer;
}

unsigned long long VTTimer::GetAbsoluteMicroseconds() const { return m_Clock(); }

unsigned long long VTTimer::GetElapsedMicroseconds() const
{
    const unsigned long long now = m_Clock();
    const unsigned long long origin = m_Origin.load();
    return now > origin ? now - origin : 0;
}

unsigned long long VTTimer::GetElapsedTime() const { return GetElapsedMicroseconds() / 1000; }

double VTTimer::GetElapsedMilliseconds() const { return static_cast<double>(GetElapsedMicroseconds()) / 1000.0; }

void VTTimer::Reset() { m_Origin = m_Clock(); }

void VTTimer::SetMicrosecondClockForTesting(std::function<unsigned long long()> clock)
{
    m_Clock = clock ? clock : std::function<unsigned long long()>(SteadyMicroseconds);
    m_Origin = m_Clock();
}

int VTTimer::BlockEverythingExceptCancellationKeypress_InputPlugin(boost::function<bool()> stillBlocked)
{
    // On the GUI thread the cancellation key can only arrive through the event loop,
    // so user input is dispatched now and then; elsewhere the presenter sets the flag.
    // The application object may be a console one, so it is only taken as the GUI
    // class once it says it is one.
    wxAppConsole* app = wxAppConsole::GetInstance();
    const bool onGuiThread = wxIsMainThread() && app && app->IsGUI() && wxEventLoopBase::GetActive();
    unsigned long long lastDispatch = GetAbsoluteMicroseconds();
    while (stillBlocked && stillBlocked()) {
        if (m_Cancelled) return BLOCK_CANCELLED;
        if (onGuiThread && GetAbsoluteMicroseconds() - lastDispatch > 10000) {
            static_cast<wxApp*>(app)->SafeYieldFor(nullptr, wxEVT_CATEGORY_USER_INPUT | wxEVT_CATEGORY_UI);
            lastDispatch = GetAbsoluteMicroseconds();
            if (m_Cancelled) return BLOCK_CANCELLED;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return BLOCK_RELEASED;
}

}  // namespace Vantrel
