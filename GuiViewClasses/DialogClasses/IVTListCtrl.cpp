#include "IVTListCtrl.h"

#include <VTPlugInCommon/VTListViews.h>

#include <wx/ctrlsub.h>
#include <wx/log.h>

namespace Vantrel {

IVTListCtrl::~IVTListCtrl() = default;

// ---- over a list view

IVTListCtrlImplForListCtrl::~IVTListCtrlImplForListCtrl() = default;

void IVTListCtrlImplForListCtrl::Clear()
{
    if (m_List) m_List->Clear();
}

int IVTListCtrlImplForListCtrl::GetSelection() const
{
    if (!m_List) return -1;
    return int(m_List->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
}

int IVTListCtrlImplForListCtrl::GetCount() const { return m_List ? m_List->GetItemCount() : 0; }

void IVTListCtrlImplForListCtrl::SetSelection(int row)
{
    if (!m_List) return;
    for (long i = 0; i < m_List->GetItemCount(); ++i) m_List->SetItemState(i, 0, wxLIST_STATE_SELECTED);
    if (row < 0 || row >= m_List->GetItemCount()) return;
    m_List->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    m_List->EnsureVisible(row);
}

void IVTListCtrlImplForListCtrl::SetText(int, const wxString&) {}

int IVTListCtrlImplForListCtrl::Insert(const wxString& text, int row)
{
    if (!m_List) return -1;
    m_List->InsertItem(row, text);
    return m_List->GetItemCount();
}

void IVTListCtrlImplForListCtrl::SetUserData(int row, unsigned long long data)
{
    if (m_List) m_List->SetUserData(row, data);
}

unsigned long long IVTListCtrlImplForListCtrl::GetUserData(int row) const
{
    return m_List ? m_List->GetUserData(row) : 0;
}

wxWindow* IVTListCtrlImplForListCtrl::GetWnd() const { return m_List; }

// ---- over a control with items

IVTListCtrlImplForListBox::~IVTListCtrlImplForListBox() = default;

void IVTListCtrlImplForListBox::Init(wxItemContainer* container)
{
    if (container && dynamic_cast<wxWindow*>(container)) {
        m_Container = container;
        return;
    }
    wxLogFatalError("Gui list failure. A control is not a window?");
}

void IVTListCtrlImplForListBox::Clear()
{
    if (m_Container) m_Container->Clear();
}

int IVTListCtrlImplForListBox::GetSelection() const { return m_Container ? m_Container->GetSelection() : -1; }

int IVTListCtrlImplForListBox::GetCount() const { return m_Container ? int(m_Container->GetCount()) : 0; }

void IVTListCtrlImplForListBox::SetSelection(int row)
{
    if (m_Container) m_Container->SetSelection(row);
}

void IVTListCtrlImplForListBox::SetText(int row, const wxString& text)
{
    if (!m_Container) return;
    const int selected = GetSelection();
    m_Container->SetString(unsigned(row), text);
    if (selected >= 0) SetSelection(selected);
}

int IVTListCtrlImplForListBox::Insert(const wxString& text, int row)
{
    if (!m_Container) return -1;
    if (unsigned(row) > m_Container->GetCount()) return -1;
    return m_Container->Insert(text, unsigned(row));
}

void IVTListCtrlImplForListBox::SetUserData(int row, unsigned long long data)
{
    if (m_Container) m_Container->SetClientData(unsigned(row), reinterpret_cast<void*>(static_cast<wxUIntPtr>(data)));
}

unsigned long long IVTListCtrlImplForListBox::GetUserData(int row) const
{
    if (!m_Container) return 0;
    return static_cast<unsigned long long>(reinterpret_cast<wxUIntPtr>(m_Container->GetClientData(unsigned(row))));
}

wxWindow* IVTListCtrlImplForListBox::GetWnd() const
{
    return m_Container ? dynamic_cast<wxWindow*>(m_Container) : nullptr;
}

}  // namespace Vantrel
