#include "AppMain/VTStartupOptions.h"
namespace Vantrel {
bool VTStartupOptions::OnRun(VTExperiment&, const boost::function<void(bool, bool)>&) { return false; }
}
