#pragma once
// Application base that owns the process's asynchronous-services layer: it is
// started before the command line is parsed and stopped when the loop has ended.

#include <wx/app.h>

#include <boost/shared_ptr.hpp>

namespace OrbiskAsynchronous {
class AsynchronousServicesLayer;
}

namespace Orbisk {

class wxAppASIO : public wxApp
{
public:
    wxAppASIO();
    ~wxAppASIO() override;

    bool OnInit() override;
    int OnExit() override;

    // Runs whatever completions are ready; does nothing before OnInit.
    void GiveOneTimesliceToASIO();

protected:
    boost::shared_ptr<OrbiskAsynchronous::AsynchronousServicesLayer> m_asynchronousServicesLayer;
};

}  // namespace Orbisk
