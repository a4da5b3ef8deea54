#pragma once
// The experiment that a compiled experiment runs: a full copy of the original
// (same element ids, run options, document file for resolving stimuli), not part
// of any document manager. The runtime owns it and may rearrange its copy freely.

#include <VTCore/VTExperiment.h>

namespace Vantrel {

class Interface_ExpandedRunnableExperiment : public VTExperiment
{
public:
    explicit Interface_ExpandedRunnableExperiment(const VTExperiment& original);
    ~Interface_ExpandedRunnableExperiment() override;
    // The experiment it was built from; may be gone once the run is over.
    const VTExperiment* GetOriginal() const { return m_Original; }

private:
    const VTExperiment* m_Original;
};

}  // namespace Vantrel
