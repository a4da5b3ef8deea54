#include "CloudPanelHost.h"

namespace Vantrel {

CloudPanelHost::~CloudPanelHost() = default;

}  // namespace Vantrel
