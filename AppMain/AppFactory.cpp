// The application factory the GUI library uses to create the one VTApp. It
// lives in the library (not beside main) so tests can run the real application.
#include "AppMain/AppFactory.h"

#include "AppMain/VTApp.h"

wxIMPLEMENT_APP_NO_MAIN(Vantrel::VTApp);

namespace Vantrel {

void EnsureApplicationFactoryIsLinked() {}

}  // namespace Vantrel
