#include "CodedRadioGroup.h"

namespace Vantrel {

wxRadioButton* CodedRadioGroup::Add(wxWindow* parent, wxWindowID id, const wxString& label, int code)
{
    auto* radio =
        new wxRadioButton(parent, id, label, wxDefaultPosition, wxDefaultSize, m_Radios.empty() ? wxRB_GROUP : 0);
    m_Radios.emplace_back(radio, code);
    return radio;
}

void CodedRadioGroup::Close(wxWindow* parent, bool startWithNone)
{
    m_None = new wxRadioButton(parent, wxID_ANY, wxString());
    m_None->Hide();
    if (startWithNone)
        SelectNone();
    else if (!m_Radios.empty())
        m_Radios.front().first->SetValue(true);
}

bool CodedRadioGroup::Select(int code)
{
    if (wxRadioButton* radio = RadioOf(code)) {
        radio->SetValue(true);
        return true;
    }
    SelectNone();
    return false;
}

void CodedRadioGroup::SelectNone()
{
    if (m_None) m_None->SetValue(true);
    for (auto& [radio, code] : m_Radios) radio->SetValue(false);
}

bool CodedRadioGroup::HasSelection() const
{
    for (const auto& [radio, code] : m_Radios)
        if (radio->GetValue()) return true;
    return false;
}

int CodedRadioGroup::SelectedCode(int none) const
{
    for (const auto& [radio, code] : m_Radios)
        if (radio->GetValue()) return code;
    return none;
}

wxRadioButton* CodedRadioGroup::RadioOf(int code) const
{
    for (const auto& [radio, c] : m_Radios)
        if (c == code) return radio;
    return nullptr;
}

void CodedRadioGroup::Enable(bool enable)
{
    for (auto& [radio, code] : m_Radios) radio->Enable(enable);
}

}  // namespace Vantrel
