#include "UserInterface/wxAppASIO.h"

#include "OrbiskThreads/AsynchronousServicesLayer.h"

namespace Orbisk {

wxAppASIO::wxAppASIO() = default;

wxAppASIO::~wxAppASIO() { m_asynchronousServicesLayer.reset(); }

bool wxAppASIO::OnInit()
{
    m_asynchronousServicesLayer =
        OrbiskAsynchronous::AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
            OrbiskAsynchronous::THREADING_TYPE_OwnWorkerThread, nullptr);
    m_asynchronousServicesLayer->Start();
    // The console base parses the command line, so the application's command-line
    // hooks already find the layer running.
    return wxAppConsole::OnInit();
}

int wxAppASIO::OnExit()
{
    if (m_asynchronousServicesLayer) m_asynchronousServicesLayer->Stop();
    return wxAppBase::OnExit();
}

void wxAppASIO::GiveOneTimesliceToASIO()
{
    if (m_asynchronousServicesLayer) m_asynchronousServicesLayer->PollOnce();
}

}  // namespace Orbisk
