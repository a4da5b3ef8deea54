#include "ParamEditPanelBase.h"

#include <VTRuntime/DynamicRuntimeEnvironment.h>

#include <wx/checkbox.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include <algorithm>
#include <limits>

namespace Vantrel {

const wxString& ParamEditPanelBase::BarredNameCharacters()
{
    static const wxString barred = "`~!@#$%^&*()-=+[{]}\\|;:'\",<.>/?";
    return barred;
}

wxString ParamEditPanelBase::StripBarredNameCharacters(const wxString& text)
{
    wxString kept;
    for (wxUniChar c : text)
        if (BarredNameCharacters().Find(c) == wxNOT_FOUND) kept += c;
    return kept;
}

void ParamEditPanelBase::SetNameFieldPointerAndApplyValidator(wxTextCtrl* field)
{
    m_NameField = field;
    if (!field) return;
    wxTextValidator validator(wxFILTER_EXCLUDE_LIST);
    wxArrayString excluded;
    for (wxUniChar c : BarredNameCharacters()) excluded.Add(wxString(c));
    validator.SetExcludes(excluded);
    field->SetValidator(validator);
}

wxString ParamEditPanelBase::GetParamNameFromNameField() { return m_NameField ? m_NameField->GetValue() : wxString(); }

bool ParamEditPanelBase::TrimAndCheckIfParamNameIsReserved()
{
    if (!m_NameField) return false;
    wxString name = m_NameField->GetValue();
    name.Trim(true);
    bool ok = true;
    if (name.Strip(wxString::both).empty()) {
        wxLogError("A parameter name must have at least one non-whitespace character in it.");
        ok = false;
    } else {
        const std::vector<wxString> reserved = DynamicRuntimeEnvironment::GetVectorOfBuiltInParamNames();
        if (std::find(reserved.begin(), reserved.end(), name) != reserved.end()) {
            wxLogError("Sorry, but this name is reserved for Vantrel use.");
            ok = false;
        }
    }
    // ChangeValue: the trimmed name is no edit of the user's to report.
    if (m_NameField->GetValue() != name) m_NameField->ChangeValue(name);
    return ok;
}

void ParamEditPanelBase::SelectParamName()
{
    if (!m_NameField) return;
    m_NameField->SetFocus();
    m_NameField->SelectAll();
}

std::int32_t ParamEditPanelBase::ReadNumber(const wxString& text)
{
    size_t i = 0;
    while (i < text.length() && wxIsspace(text[i])) ++i;
    bool negative = false;
    if (i < text.length() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Counted in 64 bits and stopped at the range's end, so no length of digits overflows.
    const long long limit = negative ? -(long long)std::numeric_limits<std::int32_t>::min()
                                     : (long long)std::numeric_limits<std::int32_t>::max();
    long long value = 0;
    for (; i < text.length() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(limit, value * 10 + (text[i].GetValue() - '0'));
    return std::int32_t(negative ? -value : value);
}

void ParamEditPanelBase::ApplyNumberValidator(wxTextCtrl* field)
{
    wxTextValidator validator(wxFILTER_NUMERIC | wxFILTER_EXCLUDE_LIST);
    validator.SetExcludes(wxArrayString(4, std::vector<wxString>{"+", "e", ",", "."}.data()));
    field->SetValidator(validator);
}

bool ParamEditPanelBase::CreatePanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                     long style)
{
    wxPanel::Create(parent, id, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre();
    return true;
}

wxBoxSizer* ParamEditPanelBase::NewRow()
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(3, 5, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    return row;
}

wxPanel* ParamEditPanelBase::BuildSkeletonTop(const Skeleton& s, wxBoxSizer*& innerSizer)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* inner = new wxPanel(this, s.innerId, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    top->Add(inner, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    innerSizer = new wxBoxSizer(wxVERTICAL);
    inner->SetSizer(innerSizer);
    innerSizer->Add(new wxStaticText(inner, wxID_STATIC, s.nameLabel), 0, wxLEFT | wxRIGHT, 5);
    innerSizer->Add(15, 1, 0);
    m_NameField = new wxTextCtrl(inner, s.nameId, s.nameText);
    innerSizer->Add(m_NameField, 0, wxEXPAND | wxALL, 3);
    return inner;
}

void ParamEditPanelBase::BuildSkeletonBottom(const Skeleton& s, wxPanel* inner, wxBoxSizer* innerSizer)
{
    wxBoxSizer* save = NewRow();
    m_SaveToDataFile = new wxCheckBox(inner, s.saveId, _("Save to data file"));
    save->Add(m_SaveToDataFile, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* column = new wxStaticText(inner, wxID_STATIC, _(" (adds a column)"));
    column->SetForegroundColour(wxColour(128, 128, 128));
    save->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    innerSizer->Add(save, 0);
    if (s.spacerAboveDescription != wxDefaultSize)
        innerSizer->Add(s.spacerAboveDescription.x, s.spacerAboveDescription.y, 0);
    innerSizer->Add(new wxStaticText(inner, wxID_STATIC, _("Description:")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
    m_Description = new wxTextCtrl(inner, s.descriptionId, wxString(), wxDefaultPosition,
                                   wxSize(-1, s.descriptionMinHeight), wxTE_MULTILINE | wxTE_WORDWRAP);
    innerSizer->Add(m_Description, 1, wxEXPAND | wxALL, 5);
}

void ParamEditPanelBase::ShowCommonFields()
{
    m_NameField->ChangeValue(m_Form.name);
    m_SaveToDataFile->SetValue(m_Form.saveToDataFile);
    m_Description->ChangeValue(m_Form.description);
}

void ParamEditPanelBase::KeepCommonFields()
{
    m_Form.saveToDataFile = m_SaveToDataFile->GetValue();
    m_Form.description = m_Description->GetValue();
}

OrderFormForParameterCreation ParamEditPanelBase::CommitNameAndCommonFields(bool* ok)
{
    *ok = TrimAndCheckIfParamNameIsReserved();
    if (*ok) m_Form.name = m_NameField->GetValue();
    KeepCommonFields();
    return m_Form;
}

}  // namespace Vantrel
