#pragma once
// Random selection with replacement: any level at any time, in an order that is
// either new for each run or fixed for a group of participants. The page keeps
// no flag: committing leaves the variable's flag as it is.

#include "TLSPBase.h"

class wxRadioButton;
class wxStaticBox;
class wxStaticBoxSizer;

class TLSPRandWithRepl : public TLSPBase
{
    wxDECLARE_DYNAMIC_CLASS(TLSPRandWithRepl);

public:
    enum
    {
        ID_DESCRIPTION = 10014,
        ID_GROUP_NOTE = 10005
    };

    TLSPRandWithRepl() = default;
    TLSPRandWithRepl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                     const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void CreateControls() override;

    void SetGuiBasedOnVariable(Orbisk::Var::Variable* variable) override;
    void CommitGuiStateToVariable(Orbisk::Var::Variable* variable) override;

private:
    wxStaticBox* m_Box = nullptr;
    wxStaticBoxSizer* m_BoxSizer = nullptr;
    wxRadioButton* m_Run = nullptr;
    wxRadioButton* m_Group = nullptr;
};
