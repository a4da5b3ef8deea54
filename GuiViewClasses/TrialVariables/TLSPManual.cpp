#include "TLSPManual.h"

#include "LevelSelectionLayout.h"

#include <VTCore/OrbiskVar.h>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

wxIMPLEMENT_DYNAMIC_CLASS(TLSPManual, wxPanel);

TLSPManual::TLSPManual(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
}

void TLSPManual::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    LevelSelectionLayout::AddDescription(this, top, ID_DESCRIPTION,
                                         _("Level selection is under your control: use Rules or feedback actions\nto "
                                           "pick a level or to move current level to the next or previous one."),
                                         10);
    const LevelSelectionLayout::RunOrGroupBox box = LevelSelectionLayout::AddRunOrGroupBox(
        this, top, _("When an Action Chooses a Level at Random, Do So:"), ID_RUN, ID_GROUP, ID_GROUP_NOTE);
    m_BoxSizer = static_cast<wxStaticBoxSizer*>(box.boxSizer);
    m_Box = m_BoxSizer->GetStaticBox();
    m_Run = box.run;
    m_Group = box.group;

    auto* wrap = new wxBoxSizer(wxVERTICAL);
    m_Wraparound = new wxCheckBox(this, ID_WRAPAROUND, _("Wraparound"));
    m_Wraparound->SetValue(false);
    wrap->Add(m_Wraparound);
    wrap->Add(5, 3, 0);
    auto* indented = new wxBoxSizer(wxHORIZONTAL);
    indented->Add(23, 5, 0);
    auto* notes = new wxBoxSizer(wxVERTICAL);
    LevelSelectionLayout::AddGreyNote(
        this, notes, ID_WRAP_NEXT_NOTE,
        _("When current level is the last one and an action is used to move it to the\nnext one, enabling this option "
          "will make Vantrel go back to the first level."));
    LevelSelectionLayout::AddGreyNote(
        this, notes, ID_WRAP_PREVIOUS_NOTE,
        _("The same applies for when current level is the first one and an action is used\nto move it to the previous "
          "one: enabling this option will make Vantrel go to\nthe last level."));
    indented->Add(notes);
    wrap->Add(indented);
    top->Add(wrap, 0, wxALL, 10);
}

void TLSPManual::SetGuiBasedOnVariable(Orbisk::Var::Variable* variable)
{
    LevelSelectionLayout::ShowRunOrGroupScope({m_BoxSizer, m_Run, m_Group}, variable->GetScope());
    m_Wraparound->SetValue(variable->GetFlag());
}

void TLSPManual::CommitGuiStateToVariable(Orbisk::Var::Variable* variable)
{
    variable->SetMethod(LevelSelection::Manual);
    variable->SetScope(LevelSelectionLayout::RunOrGroupScope({m_BoxSizer, m_Run, m_Group}));
    variable->SetFlag(m_Wraparound->GetValue());
}
