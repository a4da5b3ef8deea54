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
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    static constexpr int kKindBlocks = 0;
    static constexpr int kKindTrials = 1;

    int GetKind() const { return m_Kind; }
    void SetKind(int kind) { m_Kind = kind; }
    bool IsUsedWithBlocks() const { return m_Kind == kKindBlocks; }

private:
    int m_Kind = kKindTrials;
};

}  // namespace Vantrel
