#pragma once
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>

#include <memory>
#include <vector>

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
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }
    // A new set handed to the experiment brings the tags made while it was being edited.
    void OnInsertedIntoList() override;
    // Committing a working copy moves the tags made on the copy into the experiment
    // (the tag objects the editor was given stay valid).
    void AfterSettingsCommitted(const Minimal_VTElement& source) override;

    TagsetContext GetContext() const { return m_TagsetContext; }
    void SetContext(TagsetContext context) { m_TagsetContext = context; }
    bool AppliesToTrials() const { return m_TagsetContext == TrialContext; }
    // The set's tags in order (type 12 links).
    VTLinkT& GetCollectionOfUsedTags_deprecated() { return m_Tags; }
    const VTLinkT& GetCollectionOfUsedTags_deprecated() const { return m_Tags; }
    unsigned GetNumberOfUsedTags() const { return unsigned(m_Tags.Size()); }
    // Makes a tag at `position` of the set (-1 appends), with a fresh id. A set of
    // the experiment adds it to the experiment at once; a working copy or a new set
    // keeps it until it is committed or handed to the experiment, so a cancelled
    // edit leaves nothing behind. Null when no experiment is reachable.
    VTTag* AddTag(const wxString& name, int position = -1);
    void SetDeleteTagsFlag(bool deleteTags) { m_DeleteTags = deleteTags; }
    bool GetDeleteTagsFlag() const { return m_DeleteTags; }

    // What the tags of this set label; editors read it here and write it with SetContext.
    TagsetContext m_TagsetContext = TrialContext;

private:
    bool IsInItsExperiment() const;
    void HandPendingTagsTo(VTExperiment& experiment, const VTTagSet& holder);

    VTUsedElements m_Tags{nullptr, ElementType::Tag};
    bool m_DeleteTags = false;
    // Tags made on a working copy or a set not yet in the experiment; a commit
    // moves them out of the (const) copy it commits from.
    mutable std::vector<std::unique_ptr<VTTag>> m_PendingTags;
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
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    std::uint32_t GetParentTagSetID() const { return m_ParentID; }
    void SetParentTagSetID(std::uint32_t id) { m_ParentID = id; }
    VTTagSet* GetParentTagset_CallerMustCheckForNull() const;
    // The set's name, then the tag's.
    wxString GetLongName_PrependsTagSetNameToTag() const;

private:
    std::uint32_t m_ParentID = 0;
};

}  // namespace Vantrel
