#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

namespace Vantrel {

VTTagSet::VTTagSet(VTExperiment* experiment)
    : VTElement(ElementType::TagSet, experiment), m_Tags(experiment, ElementType::Tag)
{}

VTTagSet::VTTagSet(const VTTagSet& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_Context(source.m_Context),
      m_Tags(source.m_Tags),
      m_DeleteTags(source.m_DeleteTags)
{
    if (experiment) m_Tags.SetOwningExperiment(experiment);
}

VTTagSet::~VTTagSet() = default;

VTTagSet* VTTagSet::CreateTemporary_CallerMustDelete(const VTTagSet* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTagSet::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTTagSet(*this, experiment);
}

bool VTTagSet::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTTagSet*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_Context = s->m_Context;
    m_Tags.CopyLinksFrom(s->m_Tags);
    m_DeleteTags = s->m_DeleteTags;
    return true;
}

void VTTagSet::SetOwningExperiment(VTExperiment* experiment)
{
    VTElement::SetOwningExperiment(experiment);
    if (experiment) m_Tags.SetOwningExperiment(experiment);
}

void VTTagSet::RefreshChildElementPointers()
{
    m_Tags.WipeCleanAllElementPointers();
    m_Tags.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
}

VTTag* VTTagSet::AddTag(const wxString& name, int position)
{
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment) experiment = m_Tags.GetOwningExperiment();
    if (!experiment) return nullptr;
    auto* tag = new VTTag(experiment);
    tag->SetName(name);
    tag->SetParentTagSetID(GetID());
    if (!experiment->GetElementsOfType(ElementType::Tag).AddElement(tag, -1)) {
        delete tag;
        return nullptr;
    }
    m_Tags.AddChildElement(tag, 0);
    // Move the new link into place when a position inside the set was asked for.
    if (position >= 0 && std::size_t(position) + 1 < m_Tags.Size()) {
        VTUsedElements reordered(m_Tags.GetOwningExperiment(), ElementType::Tag);
        for (unsigned i = 0; i + 1 < m_Tags.Size(); ++i) {
            if (int(i) == position) reordered.AddChildElement(tag, 0);
            reordered.AddChildElement(m_Tags.GetUsedElementPtr(i), m_Tags.GetExtraData(int(i)));
        }
        m_Tags.CopyLinksFrom(reordered);
    }
    return tag;
}

VTTag::VTTag(VTExperiment* experiment) : VTElement(ElementType::Tag, experiment) {}

VTTag::VTTag(const VTTag& source, VTExperiment* experiment)
    : VTElement(source, experiment), m_ParentID(source.m_ParentID)
{}

VTTag::~VTTag() = default;

VTTag* VTTag::CreateTemporary_CallerMustDelete(const VTTag* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTag::CloneIntoExperiment(VTExperiment* experiment) const { return new VTTag(*this, experiment); }

bool VTTag::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTTag*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_ParentID = s->m_ParentID;
    return true;
}

VTTagSet* VTTag::GetParentTagset_CallerMustCheckForNull() const
{
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment || m_ParentID == kNoElementID) return nullptr;
    return dynamic_cast<VTTagSet*>(experiment->LookupElementByTypeAndID(ElementType::TagSet, m_ParentID));
}

wxString VTTag::GetLongName_PrependsTagSetNameToTag() const
{
    const VTTagSet* set = GetParentTagset_CallerMustCheckForNull();
    return set ? set->GetName() + wxS(": ") + GetName() : GetName();
}

}  // namespace Vantrel
