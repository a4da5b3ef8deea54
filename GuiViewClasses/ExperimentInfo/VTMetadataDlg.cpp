#include "VTMetadataDlg.h"

#include <VTCore/VTExperiment.h>
#include <VTCore/VTMetadata.h>

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/grid.h>
#include <wx/settings.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

VTMetadataDlg::VTMetadataDlg(wxWindow* parent, VTMetadata& metadata) : m_Metadata(metadata)
{
    if (!wxXmlResource::Get()->LoadDialog(this, parent, "dlg_edit_meta")) return;
    m_Grid = XRCCTRL(*this, "id_metadata", wxGrid);
    if (!m_Grid) return;
    m_Grid->SetRowLabelSize(0);
    m_Grid->CreateGrid(0, 2, wxGrid::wxGridSelectCells);
    m_Grid->SetColLabelValue(0, _("Name"));
    m_Grid->SetColLabelValue(1, _("Value"));
    PopulateGrid();
    AddEmptyRow();
    m_Grid->AutoSizeColumn(0, true);
    WidenForTitleAndValues();
    Bind(wxEVT_GRID_CELL_CHANGED, &VTMetadataDlg::OnCellChange, this, m_Grid->GetId());
    Bind(wxEVT_IDLE, &VTMetadataDlg::OnIdle, this);
    Bind(wxEVT_BUTTON, &VTMetadataDlg::OnOK, this, wxID_OK);
}

void VTMetadataDlg::PopulateGrid()
{
    wxGridUpdateLocker batch(m_Grid);
    for (const VTMetaDataEntry& entry : m_Metadata.m_Entries) {
        m_Grid->AppendRows(1);
        const int row = m_Grid->GetNumberRows() - 1;
        m_Grid->SetCellValue(row, 0, entry.name);
        m_Grid->SetCellValue(row, 1, entry.value);
        if (VTMetadata::IsPredefinedName(entry.name)) {
            m_Grid->SetReadOnly(row, 0);
            m_Grid->SetCellTextColour(row, 0, *wxBLUE);
        }
    }
}

void VTMetadataDlg::AddEmptyRow() { m_Grid->AppendRows(1); }

void VTMetadataDlg::WidenForTitleAndValues()
{
    // The width the values take in one column beside the names, with room for the
    // grid's vertical scroll bar; the idle handler stretches the column to the grid.
    const int valueWidth = m_Grid->GetColSize(1);
    m_Grid->AutoSizeColumn(1, false);
    const int valuesWidth = m_Grid->GetColSize(0) + m_Grid->GetColSize(1) +
                            wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_Grid) + kGridFrameWidth;
    m_Grid->SetColSize(1, valueWidth);
    const int frame = GetSize().x - m_Grid->GetSize().x;

    const wxSize title = TitleExtent(*this);
    const int wanted = std::max(valuesWidth + frame, title.x + kTitleBarButtonsWidth);
    const int screen = wxDisplay(static_cast<const wxWindow*>(this)).GetClientArea().width;
    const int width = std::min(wanted, screen);
    if (width > GetSize().x) SetSize(wxSize(width, GetSize().y));
    Centre();
}

wxSize VTMetadataDlg::TitleExtent(const wxTopLevelWindow& window)
{
    // Title bars commonly draw the title in bold.
    wxClientDC dc(const_cast<wxTopLevelWindow*>(&window));
    dc.SetFont(window.GetFont().Bold());
    return dc.GetTextExtent(window.GetTitle());
}

void VTMetadataDlg::OnCellChange(wxGridEvent& event)
{
    event.Skip();
    if (event.GetCol() != 0) return;
    const int row = event.GetRow();
    const bool last = row == m_Grid->GetNumberRows() - 1;
    const bool named = !m_Grid->GetCellValue(row, 0).empty();
    // One empty row stays at the end; a row whose name was cleared goes.
    if (named && last)
        AddEmptyRow();
    else if (!named && !last)
        m_Grid->DeleteRows(row, 1);
}

void VTMetadataDlg::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (!m_Grid) return;
    const int width = m_Grid->GetClientSize().GetWidth();
    const int first = m_Grid->GetColSize(0);
    if (first < width && (!m_LastWidth || *m_LastWidth != width || first + m_Grid->GetColSize(1) < width)) {
        m_Grid->SetColSize(1, width - first);
        m_Grid->ForceRefresh();
    }
    m_LastWidth = width;
}

void VTMetadataDlg::OnOK(wxCommandEvent& event)
{
    // The cell being edited counts as typed.
    if (m_Grid->IsCellEditControlShown()) m_Grid->SaveEditControlValue();
    m_Metadata.m_Entries.clear();
    for (int row = 0; row < m_Grid->GetNumberRows(); ++row) {
        const wxString name = m_Grid->GetCellValue(row, 0);
        if (!name.empty()) m_Metadata.m_Entries.push_back({name, m_Grid->GetCellValue(row, 1)});
    }
    event.Skip();
}

bool VTMetadataDlg::EditExperimentMetadata(wxWindow* parent, VTExperiment* experiment)
{
    const VTMetadata before = experiment->GetMetadata();
    VTMetadataDlg dialog(parent, experiment->GetMetadata());
    if (dialog.ShowModal() != wxID_OK || experiment->GetMetadata() == before) return false;
    experiment->Modify(true);
    return true;
}

}  // namespace Vantrel
