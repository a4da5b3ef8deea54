#include "TLSPRandWithRepl.h"

#include "LevelSelectionLayout.h"

#include <VTCore/OrbiskVar.h>

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

wxIMPLEMENT_DYNAMIC_CLASS(TLSPRandWithRepl, wxPanel);

TLSPRandWithRepl::TLSPRandWithRepl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

void TLSPRandWithRepl::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    LevelSelectionLayout::AddDescription(this, top, ID_DESCRIPTION,
                                         _("A level is picked at random. It is possible for some levels\nto be "
                                           "picked several times while others are never picked."),
                                         15);
    const LevelSelectionLayout::RunOrGroupBox box = LevelSelectionLayout::AddRunOrGroupBox(
        this, top, _("Randomize Levels Before Start of:"), wxID_ANY, wxID_ANY, ID_GROUP_NOTE);
    m_BoxSizer = static_cast<wxStaticBoxSizer*>(box.boxSizer);
    m_Box = m_BoxSizer->GetStaticBox();
    m_Run = box.run;
    m_Group = box.group;
}

void TLSPRandWithRepl::SetGuiBasedOnVariable(Orbisk::Var::Variable* variable)
{
    LevelSelectionLayout::ShowRunOrGroupScope({m_BoxSizer, m_Run, m_Group}, variable->GetScope());
}

void TLSPRandWithRepl::CommitGuiStateToVariable(Orbisk::Var::Variable* variable)
{
    variable->SetMethod(LevelSelection::RandomWithReplacement);
    variable->SetScope(LevelSelectionLayout::RunOrGroupScope({m_BoxSizer, m_Run, m_Group}));
}
