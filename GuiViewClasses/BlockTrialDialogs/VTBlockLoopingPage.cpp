#include "VTBlockLoopingPage.h"

#include "PageText.h"

#include <VTCore/VTBlock.h>

#include <wx/intl.h>

#include <algorithm>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>

namespace Vantrel {

VTBlockLoopingPage::VTBlockLoopingPage(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(PageText::Picture(this, "icon_looping.png", wxSize(80, 64)), 0, wxALL, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* looping = new wxStaticBoxSizer(wxVERTICAL, this, _("Looping:"));
    wxStaticBox* box = looping->GetStaticBox();
    wxRadioButton* none =
        m_Mode.Add(box, ID_NO_LOOPING, _("No looping, present trials only once"), VTBlock::kLoopModeNone);
    wxRadioButton* times = m_Mode.Add(box, ID_N_TIMES, _("Present trials in this block"), VTBlock::kLoopModeCount);
    m_Count = new wxSpinCtrl(box, ID_COUNT, "2", wxDefaultPosition, wxSize(80, -1), wxSP_ARROW_KEYS, 2, 5000, 2);
    wxRadioButton* forever =
        m_Mode.Add(box, ID_FOREVER, _("Keep presenting trials in this block forever"), VTBlock::kLoopModeForever);
    m_Mode.Close(box);
    looping->Add(none, 0, wxALL, 3);
    auto* timesLine = new wxBoxSizer(wxHORIZONTAL);
    timesLine->Add(times, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    timesLine->Add(m_Count, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    timesLine->Add(new wxStaticText(box, wxID_STATIC, _("times")), 0, wxALIGN_CENTER_VERTICAL);
    looping->Add(timesLine, 0, wxALL, 3);
    looping->Add(forever, 0, wxALL, 3);
    column->Add(looping, 0, wxEXPAND | wxALL, 5);
    column->Add(PageText::Note(this,
                               _("Vantrel will exit this block automatically when no more trials can be\npresented, "
                                 "e.g. due to criteria at the trial level, or rules at the trial or\nblock levels."),
                               PageText::kNoteGrey),
                0, wxALL, 5);
    top->Add(column, 1, wxEXPAND);
    SetSizer(top);
    SetCountSelectsNTimes(true);
}

void VTBlockLoopingPage::SetCountSelectsNTimes(bool on)
{
    if (on == m_CountBound) return;
    if (on)
        m_Count->Bind(wxEVT_SPINCTRL, &VTBlockLoopingPage::SelectLoopXTimes, this);
    else
        m_Count->Unbind(wxEVT_SPINCTRL, &VTBlockLoopingPage::SelectLoopXTimes, this);
    m_CountBound = on;
}

void VTBlockLoopingPage::SelectLoopXTimes(wxSpinEvent& event)
{
    m_Mode.Select(VTBlock::kLoopModeCount);
    event.Skip();
}

void VTBlockLoopingPage::LoadFrom(const VTBlock& block)
{
    m_Mode.Select(block.m_LoopMode);
    // Loaded values never select a radio; only the researcher's changes do.
    const bool bound = m_CountBound;
    SetCountSelectsNTimes(false);
    m_Count->SetValue(wxString::Format("%u", unsigned(std::max(block.m_LoopCount, 0))));
    SetCountSelectsNTimes(bound);
}

void VTBlockLoopingPage::WriteTo(VTBlock& block) const
{
    // A stored mode no radio stands for stays unless one was picked.
    block.m_LoopMode = m_Mode.SelectedCode(block.m_LoopMode);
    block.m_LoopCount = m_Count->GetValue();
}

bool VTBlockLoopingPage::HasLooping() const { return !m_Mode.RadioOf(VTBlock::kLoopModeNone)->GetValue(); }

}  // namespace Vantrel
