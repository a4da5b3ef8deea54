#include "Interface_MasterVTObjectEditor.h"

namespace Vantrel {

Interface_MasterVTObjectEditor::~Interface_MasterVTObjectEditor() = default;

}  // namespace Vantrel
