#pragma once
// Manual level selection: rules and feedback actions pick the level or move it
// to the next or previous one. The radio buttons say how an action's random pick
// is ordered (per run or per group); "Wraparound" lets next and previous moves
// go round from the last level to the first and back.

#include "TLSPBase.h"

class wxCheckBox;
class wxRadioButton;
class wxStaticBox;
class wxStaticBoxSizer;

class TLSPManual : public TLSPBase
{
    wxDECLARE_DYNAMIC_CLASS(TLSPManual);

public:
    enum
    {
        ID_DESCRIPTION = 10002,
        ID_RUN = 10056,
        ID_GROUP = 10059,
        ID_GROUP_NOTE = 10060,
        ID_WRAPAROUND = 10161,
        ID_WRAP_NEXT_NOTE = 10007,
        ID_WRAP_PREVIOUS_NOTE = 10006
    };

    TLSPManual() = default;
    TLSPManual(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void CreateControls() override;

    void SetGuiBasedOnVariable(Orbisk::Var::Variable* variable) override;
    void CommitGuiStateToVariable(Orbisk::Var::Variable* variable) override;

private:
    wxStaticBox* m_Box = nullptr;
    wxStaticBoxSizer* m_BoxSizer = nullptr;
    wxRadioButton* m_Run = nullptr;
    wxRadioButton* m_Group = nullptr;
    wxCheckBox* m_Wraparound = nullptr;
};
