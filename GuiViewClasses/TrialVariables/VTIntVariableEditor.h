#pragma once
// The time-limit value editor: the levels as one text of integers (milliseconds)
// separated by commas.

#include "VTVariableEditorBase.h"

class wxPanel;
class wxTextCtrl;

namespace Vantrel {

class VTIntVariableEditor : public VTVariableEditorBase
{
public:
    VTIntVariableEditor(wxPanel* panel, wxTextCtrl* text, wxChar separator = ',');

    // The levels' texts joined by the separator ("10,20,30"); empty without levels.
    void TransferDataToWindow(Orbisk::Var::Variable& variable) override;
    // One level per integer piece, in order; empty pieces are skipped. A non-empty
    // piece that is not a 32-bit integer refuses the whole text (see
    // CanTransferDataFromWindow) and leaves the variable as it was.
    bool TransferDataFromWindow(Orbisk::Var::Variable& variable) override;
    int GetTypeID() override;
    // Tells the user (message level) about the first piece that is not an integer.
    bool CanTransferDataFromWindow() override;

private:
    wxPanel* m_Panel;
    wxTextCtrl* m_Text;
    wxChar m_Separator;
};

}  // namespace Vantrel
