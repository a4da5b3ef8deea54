#include "VTPlugInCommon/VTListViews.h"

#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/renderer.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTSimpleListView, wxListCtrl);
wxIMPLEMENT_DYNAMIC_CLASS(VTListCtrlCheckableSimple, VTSimpleListView);
wxIMPLEMENT_DYNAMIC_CLASS(VTListCtrlColor, VTSimpleListView);
wxIMPLEMENT_DYNAMIC_CLASS(VTListViewXmlHandler, wxXmlResourceHandler);

// ---- VTSimpleListView

VTSimpleListView::VTSimpleListView() { BindEvents(); }

VTSimpleListView::VTSimpleListView(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : wxListCtrl(parent, id, pos, size, style | wxLC_REPORT)
{
    BindEvents();
}

VTSimpleListView::~VTSimpleListView() {}

void VTSimpleListView::BindEvents()
{
    Bind(wxEVT_LIST_ITEM_DESELECTED, &VTSimpleListView::OnItemDeselected, this);
    Bind(wxEVT_SIZE, &VTSimpleListView::OnSize, this);
}

void VTSimpleListView::Clear() { DeleteAllItems(); }

int VTSimpleListView::GetCount() const { return GetItemCount(); }

int VTSimpleListView::GetSelection() const { return int(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)); }

void VTSimpleListView::SetSelection(int row)
{
    for (long i = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        if (i != row) SetItemState(i, 0, wxLIST_STATE_SELECTED);
    }
    if (row < 0 || row >= GetItemCount()) return;
    SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    EnsureVisible(row);
}

int VTSimpleListView::GetSelections(wxArrayInt& rows) const
{
    rows.clear();
    for (long i = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); i != -1;
         i = GetNextItem(i, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        rows.push_back(int(i));
    return int(rows.size());
}

unsigned long long VTSimpleListView::GetUserData(long row) const
{
    if (row < 0 || row >= GetItemCount()) return 0;
    return static_cast<unsigned long long>(GetItemData(row));
}

void VTSimpleListView::SetUserData(long row, unsigned long long data)
{
    if (row >= 0 && row < GetItemCount()) SetItemPtrData(row, static_cast<wxUIntPtr>(data));
}

void VTSimpleListView::InitColumns()
{
    DeleteAllColumns();
    InsertColumn(0, wxString(), wxLIST_FORMAT_LEFT, std::max(50, GetClientSize().x));
}

long VTSimpleListView::AppendWithData(const wxString& text, unsigned long long data)
{
    const long row = InsertItem(GetItemCount(), text);
    SetUserData(row, data);
    OnRowAppended(row);
    if (m_RequireSelection && GetSelection() < 0) SetSelection(int(row));
    return row;
}

long VTSimpleListView::Append(const wxString& text) { return AppendWithData(text, 0); }

void VTSimpleListView::OnRowAppended(long) {}

void VTSimpleListView::SetItemTextAt(long row, const wxString& text)
{
    if (row >= 0 && row < GetItemCount()) SetItemText(row, text);
}

void VTSimpleListView::RequireSelection(bool require)
{
    m_RequireSelection = require;
    if (require && GetItemCount() > 0 && GetSelection() < 0) SetSelection(0);
}

int VTSimpleListView::SelectNextItem()
{
    if (GetItemCount() == 0) return -1;
    const int row = std::min(GetItemCount() - 1, GetSelection() + 1);
    SetSelection(row);
    return row;
}

int VTSimpleListView::SelectPreviousItem()
{
    if (GetItemCount() == 0) return -1;
    const int current = GetSelection();
    const int row = current < 0 ? 0 : std::max(0, current - 1);
    SetSelection(row);
    return row;
}

void VTSimpleListView::OnItemDeselected(wxListEvent& event)
{
    event.Skip();
    if (!m_RequireSelection) return;
    const long row = event.GetIndex();
    // Reselect once the deselection is over, unless another row took its place.
    CallAfter([this, row] {
        if (GetSelection() < 0 && GetItemCount() > 0) SetSelection(int(std::min<long>(row, GetItemCount() - 1)));
    });
}

void VTSimpleListView::OnSize(wxSizeEvent& event)
{
    event.Skip();
    if (GetColumnCount() == 1) SetColumnWidth(0, std::max(50, GetClientSize().x - 4));
}

// ---- VTListCtrlCheckableSimple

wxBEGIN_EVENT_TABLE(VTListCtrlCheckableSimple, VTSimpleListView)
    EVT_LEFT_DOWN(VTListCtrlCheckableSimple::OnLeftDown)
wxEND_EVENT_TABLE()

namespace {
wxBitmap CheckBoxImage(wxWindow* window, bool checked, bool enabled)
{
    wxBitmap bitmap(16, 16);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    const int flags = (checked ? int(wxCONTROL_CHECKED) : 0) | (enabled ? 0 : int(wxCONTROL_DISABLED));
    wxRendererNative::Get().DrawCheckBox(window, dc, wxRect(1, 1, 14, 14), flags);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}
}  // namespace

VTListCtrlCheckableSimple::VTListCtrlCheckableSimple()
{
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &VTListCtrlCheckableSimple::OnActivated, this);
    Bind(wxEVT_KEY_DOWN, &VTListCtrlCheckableSimple::OnKeyDown, this);
}

VTListCtrlCheckableSimple::VTListCtrlCheckableSimple(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                     const wxSize& size, long style)
    : VTSimpleListView(parent, id, pos, size, style)
{
    Bind(wxEVT_LIST_ITEM_ACTIVATED, &VTListCtrlCheckableSimple::OnActivated, this);
    Bind(wxEVT_KEY_DOWN, &VTListCtrlCheckableSimple::OnKeyDown, this);
}

VTListCtrlCheckableSimple::~VTListCtrlCheckableSimple() {}

unsigned long long VTListCtrlCheckableSimple::GetUserData(long row) const { return VTSimpleListView::GetUserData(row); }

void VTListCtrlCheckableSimple::InitColumns()
{
    VTSimpleListView::InitColumns();
    auto* images = new wxImageList(16, 16, true, 4);
    images->Add(CheckBoxImage(this, false, true));
    images->Add(CheckBoxImage(this, true, true));
    images->Add(CheckBoxImage(this, false, false));
    images->Add(CheckBoxImage(this, true, false));
    AssignImageList(images, wxIMAGE_LIST_SMALL);
}

void VTListCtrlCheckableSimple::OnRowAppended(long row) { SetItemImage(row, 0); }

void VTListCtrlCheckableSimple::Check(long row, bool checked)
{
    if (row < 0 || row >= GetItemCount()) return;
    SetItemImage(row, checked ? 1 : 0);
}

bool VTListCtrlCheckableSimple::IsChecked(long row) const
{
    if (row < 0 || row >= GetItemCount()) return false;
    wxListItem item;
    item.SetId(row);
    item.SetMask(wxLIST_MASK_IMAGE);
    if (!GetItem(item)) return false;
    return item.GetImage() == 1 || item.GetImage() == 3;
}

void VTListCtrlCheckableSimple::SetLeftClickObservers(boost::function<void(long, bool)> checkToggled,
                                                      boost::function<void(long)> doubleClick)
{
    m_CheckObserver = checkToggled;
    m_DoubleClickObserver = doubleClick;
}

void VTListCtrlCheckableSimple::OnLeftDown(wxMouseEvent& event)
{
    int flags = 0;
    const long row = HitTest(event.GetPosition(), flags);
    if (row == wxNOT_FOUND || !(flags & wxLIST_HITTEST_ONITEMICON) || !IsEnabled()) {
        event.Skip();
        return;
    }
    ToggleCheck(row);
    event.Skip();  // the row is selected as usual
}

void VTListCtrlCheckableSimple::ToggleCheck(long row)
{
    const bool checked = !IsChecked(row);
    Check(row, checked);
    if (m_CheckObserver) m_CheckObserver(row, checked);
}

void VTListCtrlCheckableSimple::OnKeyDown(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_SPACE || event.HasAnyModifiers() || !IsEnabled()) {
        event.Skip();
        return;
    }
    wxArrayInt rows;
    if (GetSelections(rows) == 0) {
        const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
        if (focused != -1) rows.push_back(int(focused));
    }
    for (int row : rows) ToggleCheck(row);
    // Consumed: the list's own Space (activating the row) does not follow.
}

void VTListCtrlCheckableSimple::OnActivated(wxListEvent& event)
{
    event.Skip();
    if (m_DoubleClickObserver) m_DoubleClickObserver(event.GetIndex());
}

// ---- VTListCtrlColor

VTListCtrlColor::VTListCtrlColor() {}
VTListCtrlColor::VTListCtrlColor(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
    : VTSimpleListView(parent, id, pos, size, style)
{}
VTListCtrlColor::~VTListCtrlColor() {}

void VTListCtrlColor::InitColumns()
{
    VTSimpleListView::InitColumns();
    AssignImageList(new wxImageList(16, 16, true), wxIMAGE_LIST_SMALL);
}

long VTListCtrlColor::AppendColor(const wxString& name, const wxColour& colour)
{
    wxImageList* images = GetImageList(wxIMAGE_LIST_SMALL);
    if (!images) {
        InitColumns();
        images = GetImageList(wxIMAGE_LIST_SMALL);
    }
    wxBitmap swatch(16, 16);
    {
        wxMemoryDC dc(swatch);
        dc.SetBackground(wxBrush(colour));
        dc.Clear();
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(0, 0, 16, 16);
    }
    const int image = images->Add(swatch);
    const long row = InsertItem(GetItemCount(), name, image);
    return row;
}

// ---- XRC

VTListViewXmlHandler::VTListViewXmlHandler()
{
    XRC_ADD_STYLE(wxLC_REPORT);
    XRC_ADD_STYLE(wxLC_SINGLE_SEL);
    XRC_ADD_STYLE(wxLC_NO_HEADER);
    XRC_ADD_STYLE(wxLC_HRULES);
    XRC_ADD_STYLE(wxLC_VRULES);
    AddWindowStyles();
}

bool VTListViewXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, "Vantrel::VTSimpleListView") || IsOfClass(node, "VTSimpleListView") ||
           IsOfClass(node, "Vantrel::VTListCtrlCheckableSimple") || IsOfClass(node, "VTListCtrlCheckableSimple") ||
           IsOfClass(node, "Vantrel::VTListCtrlColor") || IsOfClass(node, "VTListCtrlColor");
}

wxObject* VTListViewXmlHandler::DoCreateResource()
{
    const wxString cls = m_class.AfterLast(':');
    VTSimpleListView* list = nullptr;
    if (m_instance) {
        list = wxDynamicCast(m_instance, VTSimpleListView);
    } else if (cls == "VTListCtrlCheckableSimple") {
        list = new VTListCtrlCheckableSimple;
    } else if (cls == "VTListCtrlColor") {
        list = new VTListCtrlColor;
    } else {
        list = new VTSimpleListView;
    }
    if (!list) return nullptr;
    list->Create(m_parentAsWindow, GetID(), GetPosition(), GetSize(),
                 GetStyle("style", wxLC_REPORT | wxLC_SINGLE_SEL) | wxLC_REPORT, wxDefaultValidator, GetName());
    SetupWindow(list);
    list->InitColumns();
    return list;
}

}  // namespace Vantrel
