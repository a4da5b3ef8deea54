#pragma once
// Document manager that gives the asynchronous-services layer its timeslices on
// the GUI thread: one for every event it processes and more from a repeating timer,
// so completions arrive even when no events flow.

#include <wx/docview.h>
#include <wx/timer.h>

#include <boost/shared_ptr.hpp>

#include <cstdint>

namespace OrbiskAsynchronous {
class AsynchronousServicesLayer;
}

namespace Orbisk {

class wxDocManagerASIO : public wxDocManager
{
public:
    enum
    {
        ID_AsioPumpTimer = 4454
    };

    // A period of 0 means no timer: only processed events pump the layer.
    wxDocManagerASIO(long flags, bool initialize, unsigned int timerPeriodMs);
    ~wxDocManagerASIO() override;

    // Switches the pump (timer and per-event timeslices) on or off.
    virtual void SetAsioEvents(bool on);

    void ActivateAsioIdleEvents();
    void DeactivateAsioIdleEvents();

    void OnTimer(wxTimerEvent& event);

    bool IsAsioPumpingActive() const { return m_pumpingActive; }
    const wxTimer* GetAsioPumpTimer_CanReturnNull() const { return m_timer; }

protected:
    // Every event the manager handles passes here: the ones given to ProcessEvent and
    // the commands that document frames hand to ProcessEventLocally, which bypasses
    // ProcessEvent.
    bool TryBefore(wxEvent& event) override;
    void PerformWorkRelatedToASIO();

    boost::shared_ptr<OrbiskAsynchronous::AsynchronousServicesLayer> m_asynchronousServicesLayer;
    std::uint32_t m_timerPeriodMs;
    wxTimer* m_timer;
    bool m_pumpingActive;

private:
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Orbisk
