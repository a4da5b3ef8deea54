#pragma once
#include <VTCore/VTElement.h>
#include <vector>

namespace Vantrel {

// One item of a stimulus list: its text, or for file lists the file as stored
// (relative to the document's folder or absolute).
struct VTStimListItem
{
    std::uint32_t id = 0;  // unique within the list, never 0
    wxString text;
    std::vector<std::uint32_t> tagIDs;
    bool operator==(const VTStimListItem& o) const { return id == o.id && text == o.text && tagIDs == o.tagIDs; }
};

// A stimulus list: texts or files of one kind (the event type that presents them).
class VTStimList : public VTElement
{
public:
    explicit VTStimList(VTExperiment* experiment);
    VTStimList(const VTStimList& source, VTExperiment* experiment = nullptr);
    ~VTStimList() override;
    static VTStimList* CreateTemporary_CallerMustDelete(const VTStimList* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }
    // The next item id stays above every item's, whatever the document said.
    void AfterFieldsRead() override;
    // Committed items: the events presenting the list forget rows of removed items.
    void AfterSettingsCommitted(const Minimal_VTElement& source) override;

    // The kind: the id of the event type that presents the list (0 until set).
    virtual int GetPlugInID() const { return m_PlugInID; }
    void SetFilePlugInID(int kind) { m_PlugInID = kind; }
    bool HasValidPluginID() const { return m_PlugInID > 0; }
    bool IsFileList() const;
    const wxString& GetDescription() const { return m_Description; }
    void SetDescription(const wxString& d) { m_Description = d; }

    std::size_t GetItemCount() const { return m_Items.size(); }
    const VTStimListItem& GetItem(std::size_t i) const { return m_Items.at(i); }
    const std::vector<VTStimListItem>& GetItems() const { return m_Items; }
    // Appends; returns the new item's id.
    std::uint32_t AddTextItem(const wxString& text);
    std::uint32_t AddFileItem(const wxString& path);
    // Appends an item keeping its id (loading); false when the id is 0 or taken.
    bool AddItemWithID(const VTStimListItem& item);
    // Replaces every item; false and nothing changed when an id is 0, too large or repeated.
    bool SetItems(const std::vector<VTStimListItem>& items);
    bool ChangeTextItemAtPosition(unsigned long pos, const wxString& text);
    // Removing items of a list in the experiment also removes the correct-response
    // rows that events presenting the list kept for them. Item ids are not reused.
    bool RemoveAndDestroyItemAtPosition(std::size_t pos);
    void RemoveAndDestroyAllItems();
    bool SwapItems(std::size_t a, std::size_t b);
    bool SetItemTagIDs(std::size_t pos, const std::vector<std::uint32_t>& tagIDs);
    int GetItemIndexByID(std::uint32_t id) const;

private:
    void NoteItemID(std::uint32_t id);
    void ForgetRowsOfRemovedItems();

    int m_PlugInID = 0;
    wxString m_Description;
    std::vector<VTStimListItem> m_Items;
    std::uint32_t m_NextItemID = 1;
};

}  // namespace Vantrel
