#include "TLSPSequential.h"

#include "LevelSelectionLayout.h"

#include <VTCore/OrbiskVar.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(TLSPSequential, wxPanel);

TLSPSequential::TLSPSequential(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

void TLSPSequential::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    LevelSelectionLayout::AddDescription(
        this, top, ID_DESCRIPTION,
        _("Levels are chosen sequentially, in the\nsame order as they appear in the \"Levels\" tab."), 15);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_STATIC, _("Restart sequence before start of:")), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    m_Scope = new wxChoice(this, ID_SCOPE, wxDefaultPosition, wxDefaultSize, LevelSelectionLayout::ScopeItems());
    m_Scope->SetSelection(LevelSelection::Trial);
    row->Add(m_Scope, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(row, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);

    m_Restart = new wxCheckBox(this, ID_RESTART, _("Restart at first level when all levels have been picked"));
    m_Restart->SetValue(true);
    top->Add(m_Restart, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
}

void TLSPSequential::SetGuiBasedOnVariable(Orbisk::Var::Variable* variable)
{
    // A scope this page never writes (beyond "Each trial") leaves the choice as it is.
    const int scope = variable->GetScope();
    if (scope >= 0 && unsigned(scope) < m_Scope->GetCount()) m_Scope->SetSelection(scope);
    m_Restart->SetValue(variable->GetFlag());
}

void TLSPSequential::CommitGuiStateToVariable(Orbisk::Var::Variable* variable)
{
    variable->SetMethod(LevelSelection::Sequential);
    variable->SetScope(m_Scope->GetSelection());
    variable->SetFlag(m_Restart->GetValue());
}
