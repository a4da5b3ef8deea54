#pragma once
// The tag sets of the experiment beside the tags of the selected set, each list
// with Edit, Delete and New. Everything takes effect at once; "Done" closes it.
// A tag set always keeps at least one tag.

#include <GuiViewClasses/DialogClasses/listeditdlg.h>

class wxListEvent;
class wxUpdateUIEvent;

namespace Vantrel {

class VTTag;
class VTTagSet;

class VTManageAllTagSetsDlg : public VTElementsListEditDlg
{
public:
    VTManageAllTagSetsDlg(wxWindow* parent, VTExperiment* experiment);

    // Opens the tag set editor (a new set for -1); a new set gets its first tag at once.
    bool EditItem(int index) override;
    void DeleteItem(unsigned int index) override;

    // The set of the selected row, or null.
    VTTagSet* GetTagsetSelection() const;
    VTSimpleListView* GetTagsListView() const { return m_Tags; }

    // Shows the tags of the selected set, cleaning their names on the way.
    void FillValueList();
    void DoEditTagsetValue();
    void OnNewValue();
    void OnDeleteValue();
    // The first tag of the set just created (the last of the experiment's sets).
    void OnNewMandatoryValue();

private:
    // Asks for a new name of the tag in `row` of the tags list.
    void DoEditElement(int row);
    VTTag* TagOfRow(int row) const;
    // Asks for a tag name; false for Cancel or a name of spaces only (which is
    // explained).
    bool AskForTagName(const wxString& initial, wxString& name);
    // A locked experiment is not changed; the user is told why.
    bool RefusedBecauseLocked();

    void OnSetSelected(wxListEvent& event);
    void OnSetDeselected(wxListEvent& event);
    void OnTagActivated(wxListEvent& event);
    void OnUpdateTagButtons(wxUpdateUIEvent& event);
    void OnUpdateNewTagButton(wxUpdateUIEvent& event);

    VTSimpleListView* m_Tags = nullptr;
};

}  // namespace Vantrel
