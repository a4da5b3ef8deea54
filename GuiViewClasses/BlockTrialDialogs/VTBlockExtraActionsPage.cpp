#include "VTBlockExtraActionsPage.h"

#include "BlockTrialValueText.h"
#include "PageText.h"

#include <VTCore/VTBlock.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/textctrl.h>

namespace Vantrel {

namespace {

constexpr int kSeconds = 0;
constexpr int kMilliseconds = 1;

wxString Unsigned(unsigned value) { return wxString::Format("%u", value); }

// One extra action before the next: its line, the note under it and a rule.
void AddSection(wxWindow* parent, wxSizer* top, wxSizer* line, const wxString& note)
{
    top->Add(line, 0, wxALL, 5);
    top->Add(PageText::Note(parent, note, PageText::kNoteGrey), 0, wxLEFT | wxBOTTOM, 25);
    top->Add(new wxStaticLine(parent), 0, wxEXPAND | wxALL, 5);
}

// One extra action's line: its check box, its number field and the words after it.
wxBoxSizer* ActionLine(wxWindow* parent, wxCheckBox*& box, wxWindowID boxID, const wxString& label, wxTextCtrl*& field,
                       wxWindowID fieldID, const wxString& value, int width, const wxString& after)
{
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    box = new wxCheckBox(parent, boxID, label);
    field = new wxTextCtrl(parent, fieldID, value, wxDefaultPosition, wxSize(width, -1), 0,
                           PageText::WholeNumberValidator());
    line->Add(box, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    line->Add(field, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    if (!after.empty()) line->Add(new wxStaticText(parent, wxID_STATIC, after), 0, wxALIGN_CENTER_VERTICAL);
    return line;
}

}  // namespace

VTBlockExtraActionsPage::VTBlockExtraActionsPage(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxVERTICAL);

    wxBoxSizer* timeLine = ActionLine(this, m_TimeLimitOn, ID_TIME_LIMIT_ON, _("Stop presenting trials past"),
                                      m_TimeLimit, ID_TIME_LIMIT, "20", 50, wxString());
    m_Unit = new wxChoice(this, ID_TIME_LIMIT_UNIT);
    m_Unit->Append(_("seconds"));
    m_Unit->Append(_("milliseconds"));
    m_Unit->SetSelection(kSeconds);
    timeLine->Add(m_Unit, 0, wxALIGN_CENTER_VERTICAL);
    AddSection(this, top, timeLine,
               _("Vantrel will not interrupt a trial in progress, but will stop presenting\nnew trials after the "
                 "time period has elapsed."));

    wxBoxSizer* trialLine = ActionLine(this, m_TrialLimitOn, ID_TRIAL_LIMIT_ON, _("Present a maximum of"), m_TrialLimit,
                                       ID_TRIAL_LIMIT, "20", 40, _("trials"));
    AddSection(this, top, trialLine,
               _("This count does not include trials that may be presented\nagain due to feedback."));

    wxBoxSizer* pauseLine = ActionLine(this, m_PauseOn, ID_PAUSE_ON, _("Pause experiment every"), m_PauseInterval,
                                       ID_PAUSE_INTERVAL, "50", 40, _("trials with message:"));
    top->Add(pauseLine, 0, wxALL, 5);
    m_PauseMessage =
        new wxTextCtrl(this, ID_PAUSE_MESSAGE, _("Please take a break.\nPress any key when you are ready to continue."),
                       wxDefaultPosition, wxSize(-1, 60), wxTE_MULTILINE | wxTE_WORDWRAP);
    top->Add(m_PauseMessage, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 25);
    SetSizer(top);

    m_Unit->Bind(wxEVT_CHOICE, &VTBlockExtraActionsPage::OnChangeExtraActionTimeLimitUnit, this);
}

void VTBlockExtraActionsPage::OnChangeExtraActionTimeLimitUnit(wxCommandEvent&)
{
    const int unit = m_Unit->GetSelection();
    if (unit == m_RememberedUnit || unit == wxNOT_FOUND) return;
    const unsigned amount = BlockTrialValueText::LeadingUnsigned(m_TimeLimit->GetValue());
    m_TimeLimit->ChangeValue(Unsigned(BlockTrialValueText::ConvertTimeLimit(amount, m_RememberedUnit, unit)));
    m_RememberedUnit = unit;
}

void VTBlockExtraActionsPage::LoadFrom(const VTBlock& block)
{
    bool on = false;
    unsigned amount = 0;
    VTBlock::TimeLimitExtraActionUnits units = VTBlock::TimeLimitSeconds;
    block.GetTimeLimitExtraActionSettings(on, amount, units);
    m_TimeLimitOn->SetValue(on);
    m_TimeLimit->ChangeValue(Unsigned(amount));
    m_RememberedUnit = units == VTBlock::TimeLimitMilliseconds ? kMilliseconds : kSeconds;
    m_Unit->SetSelection(m_RememberedUnit);

    block.GetTrialLimitExtraActionSettings(on, amount);
    m_TrialLimitOn->SetValue(on);
    m_TrialLimit->ChangeValue(Unsigned(amount));

    wxString message;
    block.GetPauseExtraActionSettings(on, amount, message);
    m_PauseOn->SetValue(on);
    m_PauseInterval->ChangeValue(Unsigned(amount));
    m_PauseMessage->ChangeValue(message);
}

void VTBlockExtraActionsPage::WriteTo(VTBlock& block) const
{
    using BlockTrialValueText::LeadingUnsigned;
    block.SetTimeLimitExtraActionSettings(m_TimeLimitOn->GetValue(), LeadingUnsigned(m_TimeLimit->GetValue()),
                                          m_Unit->GetSelection() == kMilliseconds ? VTBlock::TimeLimitMilliseconds
                                                                                  : VTBlock::TimeLimitSeconds);
    block.SetTrialLimitExtraActionSettings(m_TrialLimitOn->GetValue(), LeadingUnsigned(m_TrialLimit->GetValue()));
    block.SetPauseExtraActionSettings(m_PauseOn->GetValue(), LeadingUnsigned(m_PauseInterval->GetValue()),
                                      m_PauseMessage->GetValue());
}

}  // namespace Vantrel
