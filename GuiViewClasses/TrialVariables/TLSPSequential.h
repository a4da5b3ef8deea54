#pragma once
// Sequential level selection: levels in the order of the "Levels" tab, restarted
// before the chosen scope, optionally from the first level when all were picked.

#include "TLSPBase.h"

class wxCheckBox;
class wxChoice;

class TLSPSequential : public TLSPBase
{
    wxDECLARE_DYNAMIC_CLASS(TLSPSequential);

public:
    enum
    {
        ID_DESCRIPTION = 10008,
        ID_SCOPE = 10011,
        ID_RESTART = 10175
    };

    TLSPSequential() = default;
    TLSPSequential(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void CreateControls() override;

    void SetGuiBasedOnVariable(Orbisk::Var::Variable* variable) override;
    void CommitGuiStateToVariable(Orbisk::Var::Variable* variable) override;

private:
    wxChoice* m_Scope = nullptr;
    wxCheckBox* m_Restart = nullptr;
};
