#include <VTCore/Interface_ExpandedRunnableExperiment.h>

namespace Vantrel {

Interface_ExpandedRunnableExperiment::Interface_ExpandedRunnableExperiment(const VTExperiment& original)
    : m_Original(&original)
{
    CopyModelFrom(original);
}

Interface_ExpandedRunnableExperiment::~Interface_ExpandedRunnableExperiment() = default;

}  // namespace Vantrel
