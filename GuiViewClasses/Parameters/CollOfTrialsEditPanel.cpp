#include "ParamEditPanels.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(CollOfTrialsEditPanel, wxPanel);
wxBEGIN_EVENT_TABLE(CollOfTrialsEditPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {
// What the size field offers while the collection has no limit.
constexpr int kSuggestedLimit = 20;
}  // namespace

CollOfTrialsEditPanel::CollOfTrialsEditPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                             long style)
{
    Init();
    Create(parent, id, pos, size, style);
    SetNameFieldPointerAndApplyValidator(m_NameField);
    ApplyNumberValidator(m_Limit);
}

void CollOfTrialsEditPanel::Init()
{
    m_HasLimit = nullptr;
    m_Limit = nullptr;
}

bool CollOfTrialsEditPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void CollOfTrialsEditPanel::CreateControls()
{
    const Skeleton skeleton{ID_INNER, _("Collection Name:"), ID_NAME, _("Untitled Collection 1"),
                            ID_SAVE,  ID_DESCRIPTION,        -1,      wxSize(15, 10)};
    BuildSkeleton(skeleton, [this](wxPanel* inner, wxBoxSizer* sizer) {
        wxBoxSizer* line = NewRow();
        m_HasLimit = new wxCheckBox(inner, ID_HAS_LIMIT, _("Limit collection size to"));
        line->Add(m_HasLimit, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        m_Limit = new wxTextCtrl(inner, ID_LIMIT, wxString(), wxDefaultPosition, wxSize(50, -1));
        line->Add(m_Limit, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        sizer->Add(line, 0);
    });
}

void CollOfTrialsEditPanel::SetGuiBasedOnOrderForm()
{
    ShowCommonFields();
    const bool limited = m_Form.sizeLimit != -1;
    m_HasLimit->SetValue(limited);
    m_Limit->ChangeValue(wxString::Format("%d", limited ? int(m_Form.sizeLimit) : kSuggestedLimit));
}

OrderFormForParameterCreation CollOfTrialsEditPanel::CommitGuiStateToOrderForm(bool* ok)
{
    m_Form.sizeLimit = m_HasLimit->GetValue() ? ReadNumber(m_Limit->GetValue()) : -1;
    return CommitNameAndCommonFields(ok);
}

}  // namespace Vantrel
