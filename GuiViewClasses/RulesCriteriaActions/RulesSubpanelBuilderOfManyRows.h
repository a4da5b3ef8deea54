#pragma once
// A list of up to twelve rule rows (criteria or actions) with a working and a
// committed copy of their forms. All twelve rows are made once; inserting and
// removing only move rows between the shown part of the row sizer and the hidden
// spares at its end.
//
// The working forms follow every row change while the panel reports; the
// committed forms hold the last accepted state. A stored collection longer than
// the rows can show is kept whole and shown read-only, so a commit never cuts it.

#include "Interface_MultiRowManager.h"
#include "Interface_OuterContainerForExpressions.h"
#include "RuleComponentRowPanel.h"

#include <GuiViewClasses/DialogClasses/Interface_MasterVTObjectEditor.h>
#include <VTCore/OrderFormForActionCreation.h>
#include <VTCore/OrderFormForExpressionCreation.h>

#include <boost/shared_ptr.hpp>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include <algorithm>
#include <vector>

namespace Vantrel {

class VTExperiment;

namespace RowForms {
inline void FillDefaults(const RuleComponentRowPanel& row, ExpressionFromGUI& form)
{
    row.FillThisFormWithExpressionFormDefaults(form);
    form.isAnd = true;
}
inline void FillDefaults(const RuleComponentRowPanel& row, OrderFormForActionCreation& form)
{
    row.FillThisFormWithActionFormDefaults(form);
}
inline bool Same(const ExpressionFromGUI& a, const ExpressionFromGUI& b) { return a == b && a.isAnd == b.isAnd; }
inline bool Same(const OrderFormForActionCreation& a, const OrderFormForActionCreation& b) { return a == b; }
}  // namespace RowForms

template <class T>
class RulesSubpanelBuilderOfManyRows : public wxPanel, public Interface_MultiRowManager
{
public:
    static constexpr unsigned kMaxRows = 12;
    static constexpr int kSizingOnlyContext = 999;

    RulesSubpanelBuilderOfManyRows(int editingContext, bool isActionPanel, Interface_MasterVTObjectEditor* master)
        : m_editingContext(editingContext), m_isActionPanel(isActionPanel), m_master(master)
    {
        EnterStateOfOneSingleDefaultRow();
    }
    ~RulesSubpanelBuilderOfManyRows() override = default;

    bool Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
    {
        return wxPanel::Create(parent, id, pos, size, style);
    }

    // Completes the row set once the subclass has made its first row.
    void PostDialogBlocksCreationLogic()
    {
        RuleComponentRowPanel* first = InitialStartupRowPointer();
        first->LastChanceToDoDelayedSetup(nullptr);
        m_rows.push_back(first);
        ResetOneRow(first);
        PrepareHardcodedExtraRows();
    }

    // ---- Interface_MultiRowManager
    void InsertRowFollowing(RuleComponentRowPanel* row) override
    {
        Private_InsertRowFollowing(row, true, false);
        NotifyRowCount();
    }
    void InsertDuplicateRowFollowing(RuleComponentRowPanel* row) override
    {
        Private_InsertRowFollowing(row, true, true);
        NotifyRowCount();
    }
    void RemoveRow(RuleComponentRowPanel* row) override { Private_RemoveRow(row, true); }
    void OnSubrowReportingChanges(RuleComponentRowPanel* row) override
    {
        const int index = IndexOf(row);
        if (index < 0 || unsigned(index) >= CountVisibleInUseRows() || !m_reportingEnabled || m_readOnlyOverflow)
            return;
        SynchronizeWithStateOfThisRow(row, unsigned(index));
        if (m_outer) m_outer->OnSubpanelReportingAnyMinisculeChangeToAnyRow();
    }
    bool IsVeryFirstLeadingSubrow(const RuleComponentRowPanel* row) const override
    {
        return !m_rows.empty() && m_rows.front() == row;
    }

    // The panel that parents the rows, its sizer, and the row made with them.
    virtual wxPanel* GetPanelForRows() { return m_rowsPanel; }
    virtual wxSizer* GetSizerForRows() { return m_rowsSizer; }
    virtual RuleComponentRowPanel* InitialStartupRowPointer() { return m_firstRow; }
    virtual void AdjustExpressionNegationGUI(bool) {}

    unsigned CountVisibleInUseRows() const
    {
        unsigned count = 0;
        wxSizer* sizer = const_cast<RulesSubpanelBuilderOfManyRows*>(this)->GetSizerForRows();
        for (RuleComponentRowPanel* row : m_rows)
            if (sizer && sizer->IsShown(row)) ++count;
        return count;
    }

    void ResetOneRow(RuleComponentRowPanel* row)
    {
        if (IsVeryFirstLeadingSubrow(row))
            row->HideThe_AndOr();
        else
            row->SetLabelTo_And();
        row->ResetToDefaultState();
        HideFirstJoiner();
    }

    void InitializeGUIControlsThisRow(RuleComponentRowPanel* row, unsigned index)
    {
        if (index < m_working.size()) row->PlaceFormStateOntoGUI(m_working[index]);
        HideFirstJoiner();
    }

    void MakeAllVisibleRowsReportState()
    {
        if (!m_reportingEnabled) return;
        SynchronizeVisibleRows();
    }

    void SynchronizeWithStateOfThisRow(RuleComponentRowPanel* row, unsigned index)
    {
        if (index > m_working.size()) {
            wxLogError(_("Rows grew by more than one, before the %s panel could catch up."), FriendlyNameTypeOfPanel());
            return;
        }
        if (index == m_working.size()) m_working.push_back(T());
        row->PlaceRowGUIStateOntoThisForm(m_working[index]);
        if (m_freshDefault) {
            m_freshDefault = false;
            if (index == 0 && !m_committed.empty()) m_committed[0] = m_working[0];
        }
    }

    void RefreshRowSetAtExactlyThisRowCount(unsigned count)
    {
        unsigned target = count == 0 ? 1 : count;
        if (target > kMaxRows) {
            wxLogError(_("Unable to display %d component rows."), int(target));
            target = kMaxRows;
        }
        while (CountVisibleInUseRows() < target)
            Private_InsertRowFollowing(m_rows[CountVisibleInUseRows() - 1], false, false);
        while (CountVisibleInUseRows() > target) Private_RemoveRow(m_rows[CountVisibleInUseRows() - 1], false);
        if (count == 0)
            ResetOneRow(m_rows.front());
        else
            for (unsigned i = 0; i < CountVisibleInUseRows(); ++i) InitializeGUIControlsThisRow(m_rows[i], i);
        m_committed = m_working;
    }

    void EnterStateOfOneSingleDefaultRow()
    {
        T form;
        if (!m_rows.empty()) RowForms::FillDefaults(*m_rows.front(), form);
        m_working.assign(1, form);
        m_committed.assign(1, form);
        m_freshDefault = true;
        m_readOnlyOverflow = false;
    }

    void UseDataFromThisCollection(boost::shared_ptr<const std::vector<T>> data, bool negated)
    {
        m_working = *data;
        m_committed = *data;
        m_negationWorking = m_negationCommitted = negated;
        m_readOnlyOverflow = false;
        if (m_working.empty()) EnterStateOfOneSingleDefaultRow();
        if (m_working.size() > kMaxRows) {
            // Shown in part and read-only: the stored rows stay whole.
            wxLogError(_("This %s has %d rows, more than the %d that can be edited; it is shown read-only and kept "
                         "as stored."),
                       FriendlyNameTypeOfPanel(), int(m_working.size()), int(kMaxRows));
            m_readOnlyOverflow = true;
            while (CountVisibleInUseRows() < kMaxRows)
                Private_InsertRowFollowing(m_rows[CountVisibleInUseRows() - 1], false, false);
            for (unsigned i = 0; i < kMaxRows; ++i) InitializeGUIControlsThisRow(m_rows[i], i);
        } else {
            RefreshRowSetAtExactlyThisRowCount(unsigned(m_working.size()));
        }
        PlayDeadAllRows(m_rowsDead);
        AdjustExpressionNegationGUI(m_negationWorking);
        NotifyRowCount();
    }

    // Every visible row is read first, so what is committed is what is shown.
    void CommitAll()
    {
        if (!m_readOnlyOverflow) {
            SynchronizeVisibleRows();
            const unsigned visible = CountVisibleInUseRows();
            if (m_working.size() >= visible) {
                if (visible > 0) m_working.resize(visible);
            } else {
                wxLogError(_("Internal %s count differs from visible rows quantity."), FriendlyNameTypeOfPanel());
            }
        }
        m_negationCommitted = m_negationWorking;
        m_committed = m_working;
    }

    void RevertAll()
    {
        m_negationWorking = m_negationCommitted;
        m_working = m_committed;
        AdjustExpressionNegationGUI(m_negationWorking);
        if (!m_readOnlyOverflow) RefreshRowSetAtExactlyThisRowCount(unsigned(m_working.size()));
        NotifyRowCount();
    }

    void GotoNullState()
    {
        if (m_negationWorking != m_negationCommitted || !VectorIsMutationFreeSinceLastCommit())
            wxLogError(_("Emptying the %s despite having uncommitted changes."), FriendlyNameTypeOfPanel());
        EnterStateOfOneSingleDefaultRow();
        RefreshRowSetAtExactlyThisRowCount(unsigned(m_working.size()));
        PlayDeadAllRows(m_rowsDead);
        NotifyRowCount();
    }

    bool VectorIsMutationFreeSinceLastCommit() const
    {
        if (m_working.size() != m_committed.size()) return false;
        if (!m_readOnlyOverflow && m_working.size() > CountVisibleInUseRows()) return false;
        for (size_t i = 0; i < m_working.size(); ++i)
            if (!RowForms::Same(m_working[i], m_committed[i])) return false;
        return true;
    }

    // Rows shown inert (dead) or alive; a read-only panel keeps its rows inert.
    void PlayDeadAllRows(bool dead)
    {
        m_rowsDead = dead;
        for (RuleComponentRowPanel* row : m_rows) row->PlayDead(dead || m_readOnlyOverflow);
    }

    bool IsDirty() const { return m_negationWorking != m_negationCommitted || !VectorIsMutationFreeSinceLastCommit(); }
    bool IsReadOnlyOverflow() const { return m_readOnlyOverflow; }
    // How many working forms a factory turns into the stored result.
    int RowCountForResult() const { return m_readOnlyOverflow ? int(m_working.size()) : int(CountVisibleInUseRows()); }

    wxString FriendlyNameTypeOfPanel() const { return m_isActionPanel ? "action" : "expression"; }

    void OnIdle(wxIdleEvent& event)
    {
        event.Skip();
        if (m_editingContext == kSizingOnlyContext || !m_master || !m_master->IsCurrentlyInteractingWithUser()) return;
        m_reportingEnabled = true;
        if (m_editsBegun || !IsDirty()) return;
        m_editsBegun = true;
        if (!m_outer) return;
        if (m_editingContext != 1 && m_editingContext != 3 && m_editingContext != 5)
            m_outer->OnEntryIntoDirtyState_EditsHaveBegun(wxString());
        m_outer->OnPanelRowCountChanged(this);
    }

    void SetOuterContainer(Interface_OuterContainerForExpressions* outer) { m_outer = outer; }
    void SetExperiment(VTExperiment* experiment)
    {
        m_experiment = experiment;
        for (RuleComponentRowPanel* row : m_rows) row->RepopulateAllShownDropDowns(experiment);
    }

    int m_editingContext;
    bool m_isActionPanel;
    Interface_MasterVTObjectEditor* m_master;
    Interface_OuterContainerForExpressions* m_outer = nullptr;
    bool m_editsBegun = false;
    bool m_reportingEnabled = false;
    std::vector<T> m_working;
    std::vector<T> m_committed;
    bool m_negationWorking = false;
    bool m_negationCommitted = false;
    bool m_freshDefault = false;
    VTExperiment* m_experiment = nullptr;
    std::vector<RuleComponentRowPanel*> m_rows;

protected:
    // The panel's own look and the rows' panel with its first row; the subclass
    // places the returned rows' panel in the panel's sizer.
    wxPanel* MakeRowsArea(int panelId, int firstRowId)
    {
        SetBackgroundColour(wxColour(200, 200, 200));
        SetSizer(new wxBoxSizer(wxVERTICAL));
        m_rowsPanel = new wxPanel(this, panelId, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
        m_rowsPanel->SetBackgroundColour(wxColour(230, 239, 247));
        m_rowsSizer = new wxBoxSizer(wxVERTICAL);
        m_rowsPanel->SetSizer(m_rowsSizer);
        m_firstRow = new RuleComponentRowPanel(this, m_editingContext, m_isActionPanel, m_rowsPanel, firstRowId,
                                               wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
        m_firstRow->SetBackgroundColour(wxColour(230, 239, 247));
        m_rowsSizer->Add(m_firstRow, 0, wxEXPAND | wxALL, 0);
        return m_rowsPanel;
    }

    void NotifyRowCount()
    {
        if (m_outer) m_outer->OnPanelRowCountChanged(this);
    }

private:
    int IndexOf(const RuleComponentRowPanel* row) const
    {
        auto it = std::find(m_rows.begin(), m_rows.end(), row);
        return it == m_rows.end() ? -1 : int(it - m_rows.begin());
    }

    void HideFirstJoiner()
    {
        if (!m_rows.empty()) m_rows.front()->HideThe_AndOr();
    }

    void SynchronizeVisibleRows()
    {
        const unsigned visible = CountVisibleInUseRows();
        for (unsigned i = 0; i < visible; ++i) SynchronizeWithStateOfThisRow(m_rows[i], i);
    }

    void PrepareHardcodedExtraRows()
    {
        for (unsigned i = 1; i < kMaxRows; ++i) {
            auto* row = new RuleComponentRowPanel(this, m_editingContext, m_isActionPanel, GetPanelForRows(), wxID_ANY,
                                                  wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
            row->SetBackgroundColour(wxColour(230, 239, 247));
            m_rows.push_back(row);
            ResetOneRow(row);
            GetSizerForRows()->Add(row, 0, wxEXPAND | wxALL, 0);
            GetSizerForRows()->Hide(row);
        }
    }

    void Private_InsertRowFollowing(RuleComponentRowPanel* anchor, bool userRequest, bool duplicate)
    {
        if (CountVisibleInUseRows() >= kMaxRows) {
            wxLogError(_("The maximum limit of rows has been reached."));
            return;
        }
        wxSizer* sizer = GetSizerForRows();
        if (!sizer->IsShown(anchor)) {
            wxLogError(_("Rule panel synchronization error."));
            return;
        }
        const bool anchorIsLast = IndexOf(anchor) == int(CountVisibleInUseRows()) - 1;
        T form;
        const int anchorIndex = IndexOf(anchor);
        size_t at = m_rows.size();
        if (anchorIndex >= 0) {
            if (size_t(anchorIndex) < m_working.size()) form = m_working[size_t(anchorIndex)];
            at = size_t(anchorIndex) + 1;
        }
        RuleComponentRowPanel* newRow = m_rows.back();
        newRow->LastChanceToDoDelayedSetup(m_experiment);
        if (userRequest && !duplicate) {
            ResetOneRow(newRow);
        } else if (userRequest && anchorIndex < 0) {
            wxLogError(_("Failed to duplicate row. Using defaults instead."));
            ResetOneRow(newRow);
        } else {
            newRow->PlaceFormStateOntoGUI(form);
            newRow->SetLabelTo_And();
        }
        sizer->Detach(newRow);
        if (at >= sizer->GetItemCount())
            sizer->Add(newRow, 0, wxEXPAND | wxALL, 0);
        else
            sizer->Insert(at, newRow, 0, wxEXPAND | wxALL, 0);
        sizer->Show(newRow);
        newRow->PlayDead(m_rowsDead || m_readOnlyOverflow);
        sizer->Layout();
        m_rows.pop_back();
        m_rows.insert(m_rows.begin() + std::min(at, m_rows.size()), newRow);
        HideFirstJoiner();
        if (userRequest) {
            SynchronizeWithStateOfThisRow(newRow, unsigned(at));
            if (!anchorIsLast) MakeAllVisibleRowsReportState();
        }
    }

    void Private_RemoveRow(RuleComponentRowPanel* row, bool userRequest)
    {
        if (CountVisibleInUseRows() == 1) {
            if (row == m_rows.front())
                ResetOneRow(row);
            else
                wxLogError(_("Bad request for row removal."));
            if (userRequest) MakeAllVisibleRowsReportState();
            return;
        }
        const int index = IndexOf(row);
        if (index < 0) {
            wxLogError(_("Bad request to remove unknown row."));
            if (userRequest) MakeAllVisibleRowsReportState();
            return;
        }
        wxSizer* sizer = GetSizerForRows();
        sizer->Detach(row);
        sizer->Add(row, 0, wxEXPAND | wxALL, 0);
        sizer->Hide(row);
        sizer->Layout();
        m_rows.erase(m_rows.begin() + index);
        m_rows.push_back(row);
        HideFirstJoiner();
        NotifyRowCount();
        if (userRequest) MakeAllVisibleRowsReportState();
    }

    bool m_readOnlyOverflow = false;
    bool m_rowsDead = false;
    wxPanel* m_rowsPanel = nullptr;
    wxSizer* m_rowsSizer = nullptr;
    RuleComponentRowPanel* m_firstRow = nullptr;
};

}  // namespace Vantrel
