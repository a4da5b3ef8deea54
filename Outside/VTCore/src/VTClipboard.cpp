#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTClipboard.h>
#include <VTCore/VTExperiment.h>
#include <NonPersistentHelpers/VTLinkT.h>

#include <algorithm>

namespace Vantrel {

VTClipboard& VTClipboard::GetRef()
{
    static VTClipboard clipboard;
    return clipboard;
}

void VTClipboard::Clear() { m_Held.clear(); }

bool VTClipboard::TryToAdd(const Minimal_VTElement* element)
{
    if (!element || element->IsTemporary()) return false;
    const VTExperiment* source = element->GetOwningExperiment();
    const auto same = [&](const Held& h) {
        return h.source == source && h.sourceID == element->GetID() &&
               h.copy->GetElementType() == element->GetElementType();
    };
    if (std::any_of(m_Held.begin(), m_Held.end(), same)) return false;
    // Held without an experiment, links included: the source may close before the paste.
    std::unique_ptr<Minimal_VTElement> copy(element->CloneIntoExperiment(nullptr));
    copy->GetFieldTable().ForEachLinkList(*copy, [](VTLinkT& links, bool) { links.SetOwningExperiment(nullptr); });
    m_Held.push_back({std::move(copy), source, element->GetID()});
    return true;
}

bool VTClipboard::IsPasteEnabledForType(VTElementType type) const
{
    return std::any_of(m_Held.begin(), m_Held.end(),
                       [type](const Held& h) { return h.copy->GetElementType() == type; });
}

void VTClipboard::GetNewInstances(VTExperiment* experiment, std::vector<Minimal_VTElement*>& out) const
{
    if (!experiment) return;
    for (const Held& held : m_Held) {
        Minimal_VTElement* copy = held.copy->CloneIntoExperiment(experiment);
        copy->ReplaceID_BeforeAddingToAList(experiment->AllocateNewElementID(copy->GetElementType()));
        // References keep only what the target has: nothing from another experiment,
        // and nothing deleted since the copy was taken. Parameters go by name.
        if (held.source != experiment)
            copy->VisitReferences([](VTElementType, std::uint32_t) { return false; });
        else
            copy->VisitReferences([experiment](VTElementType type, std::uint32_t id) {
                return experiment->LookupElementByTypeAndID(type, id) != nullptr;
            });
        const auto parameters = experiment->GetParameters();
        copy->VisitParameterNames([&parameters](const wxString& name) { return parameters->NameAlreadyExists(name); });
        out.push_back(copy);
    }
}

}  // namespace Vantrel
