#pragma once
// Report-mode list views shared by the editors, and their XRC handler.
//
// XRC: the handler makes "Vantrel::VTSimpleListView", "Vantrel::VTListCtrlCheckableSimple"
// and "Vantrel::VTListCtrlColor" (class names without the namespace work too), and the
// classes serve as subclass= of a wxListCtrl.

#include <wx/listctrl.h>
#include <wx/xrc/xmlres.h>

#include <boost/function.hpp>

#include "VTPlugInCommon/VTSdkExport.h"

namespace Vantrel {

class VTSDK_API VTSimpleListView : public wxListCtrl
{
public:
    VTSimpleListView();
    VTSimpleListView(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_SINGLE_SEL);
    ~VTSimpleListView() override;

    void Clear();
    int GetCount() const;
    // The first selected row, or -1.
    int GetSelection() const;
    // Selects only `row` and scrolls to it; -1 clears the selection.
    void SetSelection(int row);
    int GetSelections(wxArrayInt& rows) const;
    virtual unsigned long long GetUserData(long row) const;
    void SetUserData(long row, unsigned long long data);
    // One column as wide as the control; replaces any columns.
    virtual void InitColumns();
    long AppendWithData(const wxString& text, unsigned long long data);
    long Append(const wxString& text);
    void SetItemTextAt(long row, const wxString& text);
    void SelectAndShow(long row) { SetSelection(int(row)); }
    // On: while rows exist one of them stays selected.
    void RequireSelection(bool require);
    // Move the selection by one row (kept within the rows); the new row, -1 without rows.
    int SelectNextItem();
    int SelectPreviousItem();

protected:
    // A row was appended (checkable lists give it the unchecked icon).
    virtual void OnRowAppended(long row);
    void OnItemDeselected(wxListEvent& event);
    void OnSize(wxSizeEvent& event);
    bool m_RequireSelection = false;

private:
    void BindEvents();
    wxDECLARE_DYNAMIC_CLASS(VTSimpleListView);
};

// The list view with a checked flag and a check-box icon per row. Its image list holds
// exactly four images: 0 unchecked, 1 checked, 2 unchecked disabled, 3 checked disabled.
// A left button-down on a row's icon toggles it and tells the observer; handlers pushed
// onto the list and event tables of subclasses see the click first and may consume it.
// Space toggles the selected rows (the focused one when none is selected) the same way,
// so the list can be worked from the keyboard.
class VTSDK_API VTListCtrlCheckableSimple : public VTSimpleListView
{
public:
    VTListCtrlCheckableSimple();
    VTListCtrlCheckableSimple(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                              const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_SINGLE_SEL);
    ~VTListCtrlCheckableSimple() override;

    unsigned long long GetUserData(long row) const override;
    void InitColumns() override;
    virtual void Check(long row, bool checked);
    virtual bool IsChecked(long row) const;

    void SetLeftClickObservers(boost::function<void(long, bool)> checkToggled, boost::function<void(long)> doubleClick);

protected:
    void OnRowAppended(long row) override;
    void OnLeftDown(wxMouseEvent& event);
    void OnActivated(wxListEvent& event);
    void OnKeyDown(wxKeyEvent& event);

private:
    // Flips the row's check mark and tells the observer.
    void ToggleCheck(long row);

    boost::function<void(long, bool)> m_CheckObserver;
    boost::function<void(long)> m_DoubleClickObserver;
    wxDECLARE_DYNAMIC_CLASS(VTListCtrlCheckableSimple);
    wxDECLARE_EVENT_TABLE();
};

// A list of named colours, each row with a swatch.
class VTSDK_API VTListCtrlColor : public VTSimpleListView
{
public:
    VTListCtrlColor();
    VTListCtrlColor(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxLC_REPORT | wxLC_SINGLE_SEL);
    ~VTListCtrlColor() override;
    void InitColumns() override;
    long AppendColor(const wxString& name, const wxColour& colour);

private:
    wxDECLARE_DYNAMIC_CLASS(VTListCtrlColor);
};

class VTSDK_API VTListViewXmlHandler : public wxXmlResourceHandler
{
public:
    VTListViewXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(VTListViewXmlHandler);
};

}  // namespace Vantrel
