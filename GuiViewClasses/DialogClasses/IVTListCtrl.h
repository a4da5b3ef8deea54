#pragma once
// One small interface over the list that launched an editor: a list view
// (Vantrel::VTSimpleListView) or any control with items (a list box, a choice).
// Rows are numbered from 0 in display order, -1 is "no row"; each row carries a
// 64-bit value, in which editors keep the address of the row's element.
//
// Neither adapter owns its control: the control belongs to the window tree and
// must outlive the adapter.

#include <wx/string.h>

class wxItemContainer;
class wxWindow;

namespace Vantrel {

class VTSimpleListView;

class IVTListCtrl
{
public:
    virtual ~IVTListCtrl();
    virtual void Clear() = 0;
    virtual int GetSelection() const = 0;
    virtual int GetCount() const = 0;
    virtual void SetSelection(int row) = 0;
    virtual void SetText(int row, const wxString& text) = 0;
    // Inserts a row at `row`; what is returned differs per adapter (see each).
    virtual int Insert(const wxString& text, int row) = 0;
    virtual void SetUserData(int row, unsigned long long data) = 0;
    virtual unsigned long long GetUserData(int row) const = 0;
    virtual wxWindow* GetWnd() const = 0;
};

// Over a list view, which must exist for the adapter's life.
class IVTListCtrlImplForListCtrl : public IVTListCtrl
{
public:
    explicit IVTListCtrlImplForListCtrl(VTSimpleListView* list = nullptr) : m_List(list) {}
    ~IVTListCtrlImplForListCtrl() override;
    // Binds the adapter to a list view (embedded adapters are bound after construction).
    void Bind(VTSimpleListView* list) { m_List = list; }

    void Clear() override;
    // The lowest selected row, -1 when none.
    int GetSelection() const override;
    int GetCount() const override;
    // Leaves exactly `row` selected and scrolled into view; a row at or beyond the
    // count leaves no row selected.
    void SetSelection(int row) override;
    // The list view keeps its row texts: its owner refills it.
    void SetText(int row, const wxString& text) override;
    // The row count after the insertion.
    int Insert(const wxString& text, int row) override;
    void SetUserData(int row, unsigned long long data) override;
    unsigned long long GetUserData(int row) const override;
    wxWindow* GetWnd() const override;

private:
    VTSimpleListView* m_List;
};

// Over a control with items; unbound until Init.
class IVTListCtrlImplForListBox : public IVTListCtrl
{
public:
    IVTListCtrlImplForListBox() = default;
    ~IVTListCtrlImplForListBox() override;
    // Binds the adapter. A container that is not a window is a programming error:
    // logged as fatal, which ends the program.
    void Init(wxItemContainer* container);

    void Clear() override;
    int GetSelection() const override;
    int GetCount() const override;
    void SetSelection(int row) override;
    // Renames the row and keeps the selection, which replacing a string can drop.
    void SetText(int row, const wxString& text) override;
    // The index the control gave the new row; -1 and nothing inserted when `row`
    // is beyond the count (every negative row is). Pass the count to append.
    int Insert(const wxString& text, int row) override;
    void SetUserData(int row, unsigned long long data) override;
    unsigned long long GetUserData(int row) const override;
    wxWindow* GetWnd() const override;

private:
    wxItemContainer* m_Container = nullptr;
};

}  // namespace Vantrel
