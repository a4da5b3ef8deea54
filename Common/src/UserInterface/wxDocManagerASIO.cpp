#include "UserInterface/wxDocManagerASIO.h"

#include "OrbiskThreads/AsynchronousServicesLayer.h"

namespace Orbisk {

wxBEGIN_EVENT_TABLE(wxDocManagerASIO, wxDocManager)
    EVT_TIMER(wxDocManagerASIO::ID_AsioPumpTimer, wxDocManagerASIO::OnTimer)
wxEND_EVENT_TABLE()

wxDocManagerASIO::wxDocManagerASIO(long flags, bool initialize, unsigned int timerPeriodMs)
    : wxDocManager(flags, initialize),
      m_asynchronousServicesLayer(
          OrbiskAsynchronous::AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
              OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr)),
      m_timerPeriodMs(timerPeriodMs),
      m_timer(nullptr),
      m_pumpingActive(true)
{
    if (m_timerPeriodMs != 0) {
        m_timer = new wxTimer(this, ID_AsioPumpTimer);
        m_pumpingActive = true;
        m_timer->Start(static_cast<int>(m_timerPeriodMs), wxTIMER_CONTINUOUS);
    }
}

wxDocManagerASIO::~wxDocManagerASIO()
{
    delete m_timer;
    m_timer = nullptr;
    m_asynchronousServicesLayer.reset();
}

bool wxDocManagerASIO::TryBefore(wxEvent& event)
{
    PerformWorkRelatedToASIO();
    return wxDocManager::TryBefore(event);
}

void wxDocManagerASIO::OnTimer(wxTimerEvent& event)
{
    if (event.GetId() == ID_AsioPumpTimer) PerformWorkRelatedToASIO();
    event.Skip();
}

void wxDocManagerASIO::PerformWorkRelatedToASIO()
{
    if (m_pumpingActive) m_asynchronousServicesLayer->PollOnce();
}

void wxDocManagerASIO::SetAsioEvents(bool on)
{
    m_pumpingActive = on;
    if (!m_timer) return;
    if (on)
        m_timer->Start(static_cast<int>(m_timerPeriodMs), wxTIMER_CONTINUOUS);
    else
        m_timer->Stop();
}

void wxDocManagerASIO::ActivateAsioIdleEvents() { SetAsioEvents(true); }

void wxDocManagerASIO::DeactivateAsioIdleEvents() { SetAsioEvents(false); }

}  // namespace Orbisk
