#pragma once
// The model's clipboard (not the desktop's): elements copied for a later paste as
// new elements. It holds its own copies, so the originals may change or go away
// meanwhile.

#include <VTCore/VTElementType.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Vantrel {

class Minimal_VTElement;
class VTExperiment;

class VTClipboard
{
public:
    static VTClipboard& GetRef();

    void Clear();
    // Copies the element (every setting) onto the clipboard. False for null, for a
    // working copy (it belongs to an editor, not to an experiment) and for an
    // element already held.
    bool TryToAdd(const Minimal_VTElement* element);
    // Whether a paste would give at least one element of the type.
    bool IsPasteEnabledForType(VTElementType type) const;
    std::size_t Size() const { return m_Held.size(); }
    // Appends to `out` a fresh copy of each held element, in the order added, with a
    // new id of `experiment`; the caller names and adds them (AddElement(el, -1))
    // and owns them until then. Pasted into another experiment than the one copied
    // from, the copies refer to no other element (those ids mean nothing there).
    void GetNewInstances(VTExperiment* experiment, std::vector<Minimal_VTElement*>& out) const;

private:
    VTClipboard() = default;
    struct Held
    {
        std::unique_ptr<Minimal_VTElement> copy;
        const VTExperiment* source;
        std::uint32_t sourceID;
    };
    std::vector<Held> m_Held;
};

}  // namespace Vantrel
