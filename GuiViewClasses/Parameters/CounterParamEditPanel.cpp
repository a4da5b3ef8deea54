#include "ParamEditPanels.h"

#include <wx/checkbox.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(CounterParamEditPanel, wxPanel);
wxBEGIN_EVENT_TABLE(CounterParamEditPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {

wxString Number(std::int32_t n) { return wxString::Format("%d", int(n)); }

}  // namespace

CounterParamEditPanel::CounterParamEditPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                             long style)
{
    Init();
    Create(parent, id, pos, size, style);
    SetNameFieldPointerAndApplyValidator(m_NameField);
    for (wxTextCtrl* field : {m_Initial, m_Min, m_Max}) ApplyNumberValidator(field);
}

void CounterParamEditPanel::Init()
{
    m_Initial = m_Min = m_Max = nullptr;
    m_HasMin = m_HasMax = nullptr;
}

bool CounterParamEditPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void CounterParamEditPanel::CreateControls()
{
    const Skeleton skeleton{
        ID_INNER, _("Counter Parameter Name:"), ID_NAME, _("Counter 1"), ID_SAVE, ID_DESCRIPTION, 50, wxSize(10, 3)};
    BuildSkeleton(skeleton, [this](wxPanel* inner, wxBoxSizer* sizer) {
        // A row of a label or a check box, then a number field.
        auto row = [inner, sizer](wxWindow* lead, int fieldId, const wxString& text) {
            wxBoxSizer* line = NewRow();
            line->Add(lead, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
            auto* field = new wxTextCtrl(inner, fieldId, text, wxDefaultPosition, wxSize(65, -1));
            line->Add(field, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
            sizer->Add(line, 0);
            return field;
        };
        m_Initial = row(new wxStaticText(inner, wxID_STATIC, _("Initial value:")), ID_INITIAL, _("0"));
        m_HasMin = new wxCheckBox(inner, ID_HAS_MIN, _("Has a minimum value of"));
        m_Min = row(m_HasMin, ID_MIN, _("100"));
        m_HasMax = new wxCheckBox(inner, ID_HAS_MAX, _("Has a maximum value of"));
        m_Max = row(m_HasMax, ID_MAX, _("100"));
    });
}

void CounterParamEditPanel::SetGuiBasedOnOrderForm()
{
    ShowCommonFields();
    m_Initial->ChangeValue(Number(m_Form.initialValue));
    m_HasMin->SetValue(m_Form.hasMin);
    m_HasMax->SetValue(m_Form.hasMax);
    m_Min->ChangeValue(Number(m_Form.min));
    m_Max->ChangeValue(Number(m_Form.max));
}

OrderFormForParameterCreation CounterParamEditPanel::CommitGuiStateToOrderForm(bool* ok)
{
    *ok = TrimAndCheckIfParamNameIsReserved();
    const std::int32_t initial = ReadNumber(m_Initial->GetValue());
    const std::int32_t min = ReadNumber(m_Min->GetValue());
    const std::int32_t max = ReadNumber(m_Max->GetValue());
    // Every check runs, so one commit names every problem.
    if (m_HasMin->GetValue() && min > initial) {
        wxLogError("Initial value cannot be smaller than minimum!");
        *ok = false;
    }
    if (m_HasMax->GetValue() && max < initial) {
        wxLogError("Initial value cannot be larger than maximum!");
        *ok = false;
    }
    if (m_HasMin->GetValue() && m_HasMax->GetValue() && min >= max) {
        wxLogError("Maximum value must be larger than minimum value!");
        *ok = false;
    }
    if (*ok) {
        m_Form.name = m_NameField->GetValue();
        m_Form.initialValue = initial;
        KeepCommonFields();
        m_Form.hasMin = m_HasMin->GetValue();
        m_Form.min = min;
        m_Form.hasMax = m_HasMax->GetValue();
        m_Form.max = max;
    }
    return m_Form;
}

}  // namespace Vantrel
