#pragma once
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>

namespace Vantrel {

class VTTag;

// A set of tags, applying to trials (context 0) or to events and list items (1).
class VTTagSet : public VTElement
{
public:
    enum TagsetContext
    {
        TrialContext = 0,
        EventOrListItemContext = 1
    };

    explicit VTTagSet(VTExperiment* experiment);
    VTTagSet(const VTTagSet& source, VTExperiment* experiment = nullptr);
    ~VTTagSet() override;
    static VTTagSet* CreateTemporary_CallerMustDelete(const VTTagSet* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    bool CopySettingsFrom(const Minimal_VTElement& source) override;
    void SetOwningExperiment(VTExperiment* experiment) override;
    void RefreshChildElementPointers() override;

    TagsetContext GetContext() const { return m_Context; }
    void SetContext(TagsetContext context) { m_Context = context; }
    bool AppliesToTrials() const { return m_Context == TrialContext; }
    // The set's tags in order (type 12 links).
    VTLinkT& GetCollectionOfUsedTags_deprecated() { return m_Tags; }
    const VTLinkT& GetCollectionOfUsedTags_deprecated() const { return m_Tags; }
    unsigned GetNumberOfUsedTags() const { return unsigned(m_Tags.Size()); }
    // Makes a tag in the owning experiment, at `position` of the set (-1 appends).
    // Null without an owning experiment.
    VTTag* AddTag(const wxString& name, int position = -1);
    void SetDeleteTagsFlag(bool deleteTags) { m_DeleteTags = deleteTags; }
    bool GetDeleteTagsFlag() const { return m_DeleteTags; }

private:
    TagsetContext m_Context = TrialContext;
    VTUsedElements m_Tags;
    bool m_DeleteTags = false;
};

// A tag of a tag set. Tag ids are unique across all tag sets.
class VTTag : public VTElement
{
public:
    explicit VTTag(VTExperiment* experiment);
    VTTag(const VTTag& source, VTExperiment* experiment = nullptr);
    ~VTTag() override;
    static VTTag* CreateTemporary_CallerMustDelete(const VTTag* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    bool CopySettingsFrom(const Minimal_VTElement& source) override;

    std::uint32_t GetParentTagSetID() const { return m_ParentID; }
    void SetParentTagSetID(std::uint32_t id) { m_ParentID = id; }
    VTTagSet* GetParentTagset_CallerMustCheckForNull() const;
    // The set's name, then the tag's.
    wxString GetLongName_PrependsTagSetNameToTag() const;

private:
    std::uint32_t m_ParentID = 0;
};

}  // namespace Vantrel
