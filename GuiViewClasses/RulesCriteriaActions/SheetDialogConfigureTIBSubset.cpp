#include "SheetDialogConfigureTIBSubset.h"

#include "RuleSheets.h"

#include <VTCore/VTTagSet.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(SheetDialogConfigureTIBSubset, wxDialog);

wxBEGIN_EVENT_TABLE(SheetDialogConfigureTIBSubset, wxDialog)
    EVT_BUTTON(wxID_OK, SheetDialogConfigureTIBSubset::OnOkButton)
    EVT_BUTTON(wxID_CANCEL, SheetDialogConfigureTIBSubset::OnCancelButton)
    EVT_RADIOBUTTON(SheetDialogConfigureTIBSubset::ID_ALL_TRIALS, SheetDialogConfigureTIBSubset::OnRangeRadioButton)
    EVT_RADIOBUTTON(SheetDialogConfigureTIBSubset::ID_LAST_TRIALS, SheetDialogConfigureTIBSubset::OnRangeRadioButton)
    EVT_SPINCTRL(SheetDialogConfigureTIBSubset::ID_COUNT, SheetDialogConfigureTIBSubset::OnSpinValueMaxTrials)
    EVT_CHECKBOX(SheetDialogConfigureTIBSubset::ID_USE_TAG, SheetDialogConfigureTIBSubset::OnCheckLimitByTag)
    EVT_CHOICE(SheetDialogConfigureTIBSubset::ID_TAG, SheetDialogConfigureTIBSubset::OnTagChoice)
wxEND_EVENT_TABLE()

SheetDialogConfigureTIBSubset::SheetDialogConfigureTIBSubset(wxWindow* parent, wxWindowID id, const wxString& title,
                                                             const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    Create(parent, id, title, pos, size, style);
}

void SheetDialogConfigureTIBSubset::Init()
{
    m_AllTrials = m_LastTrials = nullptr;
    m_Count = nullptr;
    m_UseTag = nullptr;
    m_Tag = nullptr;
    m_Experiment = nullptr;
}

bool SheetDialogConfigureTIBSubset::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                           const wxSize& size, long style)
{
    if (!wxDialog::Create(parent, id, title, pos, size, style)) return false;
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void SheetDialogConfigureTIBSubset::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* range = new wxStaticBoxSizer(wxVERTICAL, this, _("Range of Trials Used:"));
    top->Add(range, 0, wxEXPAND | wxALL, 5);
    m_AllTrials = new wxRadioButton(range->GetStaticBox(), ID_ALL_TRIALS, _("All the presented trials in the block"),
                                    wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    range->Add(m_AllTrials, 0, wxALL, 5);
    auto* last = new wxBoxSizer(wxHORIZONTAL);
    range->Add(last, 0, wxALL, 0);
    m_LastTrials = new wxRadioButton(range->GetStaticBox(), ID_LAST_TRIALS, _("Only the last"));
    last->Add(m_LastTrials, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_Count =
        new wxSpinCtrl(range->GetStaticBox(), ID_COUNT, "10", wxDefaultPosition,
                       range->GetStaticBox()->ConvertDialogToPixels(wxSize(40, -1)), wxSP_ARROW_KEYS, 1, 1000000, 10);
    last->Add(m_Count, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    last->Add(new wxStaticText(range->GetStaticBox(), wxID_STATIC, _("presented trials in the block")), 0,
              wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* filter = new wxStaticBoxSizer(wxVERTICAL, this, _("Filter:"));
    top->Add(filter, 0, wxEXPAND | wxALL, 5);
    m_UseTag = new wxCheckBox(filter->GetStaticBox(), ID_USE_TAG, _("Only use trials with tag"));
    filter->Add(m_UseTag, 0, wxALL, 5);
    m_Tag = new wxChoice(filter->GetStaticBox(), ID_TAG);
    filter->Add(m_Tag, 0, wxEXPAND | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), 0, wxALL, 5);
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
}

void SheetDialogConfigureTIBSubset::ReinitializeWithData(VTExperiment* experiment,
                                                         const TrialSubsetDescription& description,
                                                         std::function<void()> onOk)
{
    m_Experiment = experiment;
    m_OnOk = std::move(onOk);
    RefillTagChoice(m_Tag, experiment);
    m_Description = std::make_shared<TrialSubsetDescription>(description);
    if (description.rangeMode == TrialSubsetDescription::kAllPresentedTrials)
        m_AllTrials->SetValue(true);
    else if (description.rangeMode == TrialSubsetDescription::kLastTrials)
        m_LastTrials->SetValue(true);
    else
        wxLogError("Unrecognized subset range case.");
    if (description.count > 0) m_Count->SetValue(description.count);
    m_UseTag->SetValue(description.useTag);
    if (description.useTag) {
        const VTTag* tag = FindTag(experiment, description.GetRangeTagID());
        if (!tag) {
            wxLogError("Tag from subset data does not match any known tag.");
        } else {
            const int item = m_Tag->FindString(tag->GetLongName_PrependsTagSetNameToTag(), true);
            if (item == wxNOT_FOUND)
                wxLogError("Tag \"%s\" not found on drop-down choice control.",
                           tag->GetLongName_PrependsTagSetNameToTag());
            else
                m_Tag->SetSelection(item);
        }
    }
    ProcessTagRelatedSettings(description.useTag);
}

void SheetDialogConfigureTIBSubset::ReadRange()
{
    if (m_AllTrials->GetValue() == m_LastTrials->GetValue()) wxLogError("Non unary selection value for radio buttons.");
    if (!m_Description) return;
    if (m_AllTrials->GetValue()) {
        m_Description->rangeMode = TrialSubsetDescription::kAllPresentedTrials;
    } else if (m_LastTrials->GetValue()) {
        m_Description->rangeMode = TrialSubsetDescription::kLastTrials;
        m_Description->count = m_Count->GetValue();
    } else {
        wxLogError("Unhandled subset range case.");
    }
}

void SheetDialogConfigureTIBSubset::OnRangeRadioButton(wxCommandEvent& event)
{
    event.Skip();
    ReadRange();
}

void SheetDialogConfigureTIBSubset::OnSpinValueMaxTrials(wxSpinEvent& event)
{
    event.Skip();
    m_LastTrials->SetValue(true);
    ReadRange();
}

void SheetDialogConfigureTIBSubset::OnCheckLimitByTag(wxCommandEvent& event)
{
    event.Skip();
    ProcessTagRelatedSettings(m_UseTag->GetValue());
}

void SheetDialogConfigureTIBSubset::OnTagChoice(wxCommandEvent& event)
{
    event.Skip();
    ProcessTagRelatedSettings(true);
}

void SheetDialogConfigureTIBSubset::ProcessTagRelatedSettings(bool useTag)
{
    m_Tag->Enable(useTag);
    if (!m_Description) return;
    if (!useTag) {
        m_Description->StopUsingTags();
        return;
    }
    const int item = m_Tag->GetSelection();
    if (item == wxNOT_FOUND) {
        wxLogError("Selection error on tag list.");
        m_Description->StopUsingTags();
        m_UseTag->SetValue(false);
        m_Tag->Enable(false);
        return;
    }
    InlineHelper_UseTagsToLimitSubset(*m_Description, m_Experiment, int(wxPtrToUInt(m_Tag->GetClientData(item))));
}

void SheetDialogConfigureTIBSubset::OnOkButton(wxCommandEvent& event)
{
    event.Skip(false);
    if (m_Description && m_LastTrials->GetValue()) {
        m_Description->rangeMode = TrialSubsetDescription::kLastTrials;
        m_Description->count = m_Count->GetValue();
    }
    if (m_OnOk) m_OnOk();
    FinishSheet(*this, wxID_OK);
}

void SheetDialogConfigureTIBSubset::OnCancelButton(wxCommandEvent&) { FinishSheet(*this, wxID_CANCEL); }

}  // namespace Vantrel
