#include <VTCore/VantrelVariable.h>

#include <VTCore/VTExperiment.h>

namespace Vantrel {

VantrelVariable::~VantrelVariable() = default;
ExperimentFolderVariable::~ExperimentFolderVariable() = default;

wxString ExperimentFolderVariable::GetName() const { return VTExperiment::ExperimentFolderVariableName(); }

void ExperimentFolderVariable::GetValueAsText(wxString& value, int) const { value = m_Experiment.GetDocumentFolder(); }

}  // namespace Vantrel
