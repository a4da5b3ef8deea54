#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include "FieldKinds.h"

namespace Vantrel {

VTTagSet::VTTagSet(VTExperiment* experiment) : VTElement(ElementType::TagSet, experiment)
{
    SetOwningExperiment(experiment);
}

VTTagSet::VTTagSet(const VTTagSet& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
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

const ElementFieldTable& VTTagSet::FieldTable()
{
    static const ElementFieldTable table(&ElementBaseFieldTable(),
                                         ElementMember("context", &VTTagSet::m_TagsetContext,
                                                       Whole<TagsetContext>(TrialContext, EventOrListItemContext)),
                                         ElementMember("tags", &VTTagSet::m_Tags, LinksKind()),
                                         ElementMember("deleteTags", &VTTagSet::m_DeleteTags, BoolKind()));
    return table;
}

bool VTTagSet::IsInItsExperiment() const
{
    VTExperiment* experiment = GetOwningExperiment();
    return experiment && experiment->LookupElementByTypeAndID(ElementType::TagSet, GetID()) == this;
}

VTTag* VTTagSet::AddTag(const wxString& name, int position)
{
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment) experiment = m_Tags.GetOwningExperiment();
    if (!experiment) return nullptr;
    auto made = std::make_unique<VTTag>(experiment);
    VTTag* tag = made.get();
    tag->SetName(name);
    tag->SetParentTagSetID(GetID());
    if (IsInItsExperiment()) {
        if (!experiment->GetElementsOfType(ElementType::Tag).AddElement(tag, -1)) return nullptr;
        made.release();
    } else {
        m_PendingTags.push_back(std::move(made));
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

void VTTagSet::HandPendingTagsTo(VTExperiment& experiment, const VTTagSet& holder)
{
    VTElementsList& tags = experiment.GetElementsOfType(ElementType::Tag);
    for (auto& pending : holder.m_PendingTags) {
        // Only tags the set still holds; a tag made and removed again never existed.
        if (m_Tags.GetIndexByID(pending->GetID()) < 0 || tags.LookupElementPtrByID(pending->GetID())) continue;
        pending->SetParentTagSetID(GetID());
        if (tags.AddElement(pending.get(), -1)) pending.release();
    }
    holder.m_PendingTags.clear();
    // Cached pointers may still name tags that were dropped.
    m_Tags.WipeCleanAllElementPointers();
    m_Tags.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(false);
}

void VTTagSet::OnInsertedIntoList()
{
    if (VTExperiment* experiment = GetOwningExperiment(); experiment && !m_PendingTags.empty())
        HandPendingTagsTo(*experiment, *this);
}

// The committed copy gives up its new tags: the editor deletes it next.
void VTTagSet::AfterSettingsCommitted(const Minimal_VTElement& source)
{
    if (VTExperiment* experiment = GetOwningExperiment(); experiment && IsInItsExperiment())
        HandPendingTagsTo(*experiment, static_cast<const VTTagSet&>(source));
}

VTTag::VTTag(VTExperiment* experiment) : VTElement(ElementType::Tag, experiment) {}

VTTag::VTTag(const VTTag& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTTag::~VTTag() = default;

VTTag* VTTag::CreateTemporary_CallerMustDelete(const VTTag* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTag::CloneIntoExperiment(VTExperiment* experiment) const { return new VTTag(*this, experiment); }

const ElementFieldTable& VTTag::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(),
        ElementMember("parent", &VTTag::m_ParentID, ReferenceTo<std::uint32_t>(ElementType::TagSet, kNoElementID)));
    return table;
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
