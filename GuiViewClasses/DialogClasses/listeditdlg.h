#pragma once
// Lists of items edited with New, Edit, Delete, Up and Down.
//
// An owner says how its items are edited, deleted, moved and listed by
// implementing IListEditor (or IOrderedListEditor), directly or through a small
// adapter object, then pushes a VTListEditorEvtHandler (VTOrderedListEditorEvtHandler)
// over it onto its window. The handler turns button clicks, double-clicks and
// update-UI requests into calls on the interface and keeps the selection sensible
// after each action. Controls are recognised by resource name ("list", "ID_NEW",
// "ID_EDIT", "ID_DELETE", "ID_UP", "ID_DOWN") or by the fixed ids that code-built
// windows give them (25714 list, 25715 up, 25716 down, 25717 delete, 25718 new,
// 25719 edit; also the 10033-10125 and 29910-29915 groups).
//
// VTElementsListEditDlg is the modal dialog over all elements of one type; every
// action takes effect at once, "Done" closes it.

#include "IVTListCtrl.h"
#include "persdlg.h"

#include <VTCore/VTElementType.h>

#include <wx/event.h>

#include <functional>

class wxListEvent;
class wxTextCtrl;

namespace Vantrel {

class VTSimpleListView;

class IListEditor
{
public:
    // Edits the item at `index`, or creates one for -1; true when something was
    // created or changed.
    virtual bool EditItem(int index) = 0;
    virtual void DeleteItem(unsigned int index) = 0;
    // Whether the item may be edited, deleted or moved.
    virtual bool IsValidItem(unsigned int index) const;
    // (Re)fills the list, which the handler has emptied.
    virtual void FillList() = 0;
    // The adapter over the owner's list; never null while a handler lives.
    virtual IVTListCtrl* GetList() = 0;
    virtual ~IListEditor();
};

class IOrderedListEditor : public IListEditor
{
public:
    virtual void MoveItemUp(int index) = 0;
    virtual void MoveItemDown(int index) = 0;
};

// Failures of the owner's editing (VantrelSDK::VTException) are shown to the user
// and leave the list as it was.
class VTListEditorEvtHandler : public wxEvtHandler
{
public:
    // The editor must outlive the handler.
    explicit VTListEditorEvtHandler(IListEditor* editor);
    ~VTListEditorEvtHandler() override;

    // The next idle event refills the list and selects its first row.
    void ReInit() { m_FillOnIdle = true; }

    virtual void OnInitList(wxIdleEvent& event);
    virtual void OnUpdateEditDeleteButtons(wxUpdateUIEvent& event);
    virtual void OnNew(wxCommandEvent& event);
    virtual void OnEdit(wxCommandEvent& event);
    virtual void OnDelete(wxCommandEvent& event);
    virtual void OnListDClick(wxListEvent& event);
    virtual void OnListBoxDClick(wxCommandEvent& event);
    virtual void RefreshList();

protected:
    int Selection() const { return m_Editor->GetList()->GetSelection(); }
    int Count() const { return m_Editor->GetList()->GetCount(); }
    // Runs an action of the owner; a VantrelSDK::VTException is shown, and then
    // false: the caller leaves the list alone.
    bool Guarded(const std::function<void()>& action);

    IListEditor* m_Editor;

private:
    bool m_FillOnIdle = true;
};

class VTOrderedListEditorEvtHandler : public VTListEditorEvtHandler
{
public:
    explicit VTOrderedListEditorEvtHandler(IOrderedListEditor* editor);

    void OnUpdateUpButton(wxUpdateUIEvent& event);
    void OnUpdateDownButton(wxUpdateUIEvent& event);
    void OnUp(wxCommandEvent& event);
    void OnDown(wxCommandEvent& event);

private:
    IOrderedListEditor* Ordered() const { return static_cast<IOrderedListEditor*>(m_Editor); }
};

// A modal list dialog laid out by a resource with "list" (a VTSimpleListView),
// "text_description" (optional), "text_purpose" and the list buttons.
class VTBaseElementsListDlg : public VTDialogBase, public IListEditor
{
public:
    VTBaseElementsListDlg(wxWindow* parent, VTExperiment* experiment, const wxString& title, const wxString& purpose,
                          const wxString& xrcName);
    ~VTBaseElementsListDlg() override;

    wxString GetPersistenceName() const override = 0;
    IVTListCtrl* GetList() override { return &m_ListAdapter; }
    // The text shown beside the list for the item at `index`; empty here.
    virtual wxString GetDescription(unsigned int index);

    VTSimpleListView* GetListView() const { return m_List; }
    VTListEditorEvtHandler* GetListHandler() const { return m_Handler; }

protected:
    void OnListSelect(wxListEvent& event);
    void OnListDeselect(wxListEvent& event);
    void ClearDescription();

    wxTextCtrl* m_Description = nullptr;
    VTSimpleListView* m_List = nullptr;
    IVTListCtrlImplForListCtrl m_ListAdapter;

private:
    VTListEditorEvtHandler* m_Handler = nullptr;
};

// All elements of one type, in the experiment's order.
class VTElementsListEditDlg : public VTBaseElementsListDlg
{
public:
    VTElementsListEditDlg(wxWindow* parent, VTExperiment* experiment, const wxString& title, const wxString& purpose,
                          VTElementType type, const wxString& xrcName = "dlg_edit_list");

    wxString GetPersistenceName() const override;
    // The note of the element in the row.
    wxString GetDescription(unsigned int index) override;
    // Marks the experiment modified and answers true; editing subclasses open
    // their editor first.
    bool EditItem(int index) override;
    // Trial variables, stimulus lists, participant groups and tag sets are deleted
    // with their links (after the user agreed); other types are not deleted here.
    void DeleteItem(unsigned int index) override;
    void FillList() override;

    // Empties the list and appends every element of the type with its address as the row data.
    static void FillElementsList(VTExperiment* experiment, VTSimpleListView* list, VTElementType type);

    VTElementType GetElementType() const { return m_Type; }

protected:
    VTElementType m_Type;
};

}  // namespace Vantrel
