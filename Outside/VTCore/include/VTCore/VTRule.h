#pragma once
#include <VTCore/VTElement.h>

namespace Vantrel {

// A rule of blocks (kind 0) or trials (kind 1). Its criteria and actions come
// with the rules editor.
class VTRule : public VTElement
{
public:
    explicit VTRule(VTExperiment* experiment);
    VTRule(const VTRule& source, VTExperiment* experiment = nullptr);
    ~VTRule() override;
    static VTRule* CreateTemporary_CallerMustDelete(const VTRule* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    bool CopySettingsFrom(const Minimal_VTElement& source) override;

    int GetKind() const { return m_Kind; }
    void SetKind(int kind) { m_Kind = kind; }
    bool IsUsedWithBlocks() const { return m_Kind == 0; }

private:
    int m_Kind = 1;
};

}  // namespace Vantrel
