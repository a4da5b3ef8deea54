#include "VTTrialTagsPage.h"

#include "PageText.h"

#include <GuiViewClasses/TagSetDialogs/VTManageAllTagSetsDlg.h>
#include <GuiViewClasses/TagSetDialogs/VTTagsGrid.h>
#include <VTCore/VTTrial.h>

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace Vantrel {

VTTrialTagsPage::VTTrialTagsPage(wxWindow* parent, VTExperiment* experiment, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL), m_Experiment(experiment)
{
    m_Sizer = new wxBoxSizer(wxVERTICAL);
    m_EmptyState = new wxPanel(this, ID_EMPTY_STATE);
    m_EmptyState->SetSizer(PageText::EmptyState(
        m_EmptyState, "icon_tags_w100.png",
        {PageText::LargeHeading(m_EmptyState, _("No tag sets have"), 250),
         PageText::LargeHeading(m_EmptyState, _("been created yet."), 250)},
        _("Tags provide a way to describe a trial. Each tag set that you create adds a column in the collected data "
          "file, providing a richer description of the trial and more options when processing the data.\n\nYou also "
          "gain a lot of control when combining tags with rules and collections, e.g. skip certain trials based on "
          "their tags or constrain randomization by preventing two similarly-tagged trials from appearing "
          "consecutively."),
        500));
    m_Sizer->Add(m_EmptyState, 1, wxEXPAND | wxALL, 5);
    auto* button = new wxButton(this, ID_TAGS_BUTTON, _("Tags..."));
    m_Sizer->Add(button, 0, wxALL, 5);
    SetSizer(m_Sizer);
    button->Bind(wxEVT_BUTTON, &VTTrialTagsPage::OnCreateCode, this);
    SetupCodeGrid();
}

void VTTrialTagsPage::SetupCodeGrid()
{
    if (m_Grid || !m_Experiment) return;
    m_Grid = new VTTagsGrid(this, *m_Experiment, VTTagSet::TrialContext);
    m_Sizer->Insert(0, m_Grid, 1, wxEXPAND | wxALL, 5);
    m_Grid->DoCreateGrid();
    RefreshTagSetsVisibility();
}

void VTTrialTagsPage::TakeDownCodeGrid()
{
    if (!m_Grid) return;
    m_Sizer->Detach(m_Grid);
    m_Grid->Destroy();
    m_Grid = nullptr;
    RefreshTagSetsVisibility();
}

void VTTrialTagsPage::RefreshTagSetsVisibility()
{
    const bool showGrid = m_Grid && !m_Grid->IsEmpty();
    if (m_Grid) m_Grid->Show(showGrid);
    m_EmptyState->Show(!showGrid);
    Layout();
    if (showGrid) m_Grid->AutoSize();
}

bool VTTrialTagsPage::HasTags() const { return m_Grid && m_Grid->GetNumberOfUsedTags() != 0; }

void VTTrialTagsPage::LoadFrom(const VTTrial& trial)
{
    SetupCodeGrid();
    if (m_Grid) m_Grid->TransferDataToGrid(trial.GetUsedTags());
    RefreshTagSetsVisibility();
}

void VTTrialTagsPage::WriteTo(VTTrial& trial) const
{
    if (m_Grid) m_Grid->TransferDataFromGrid(trial.GetUsedTags());
}

void VTTrialTagsPage::OnCreateCode(wxCommandEvent&)
{
    if (!m_Experiment) return;
    {
        VTManageAllTagSetsDlg dialog(wxGetTopLevelParent(this), m_Experiment);
        dialog.ShowModal();
    }
    if (m_Grid) m_Grid->RefreshGrid();
    RefreshTagSetsVisibility();
}

}  // namespace Vantrel
