#include "VTIntVariableEditor.h"

#include "LevelText.h"

#include <VTCore/VTTrialVariable.h>

#include <wx/log.h>
#include <wx/textctrl.h>

#include <memory>

namespace Vantrel {

VTIntVariableEditor::VTIntVariableEditor(wxPanel* panel, wxTextCtrl* text, wxChar separator)
    : m_Panel(panel), m_Text(text), m_Separator(separator)
{}

void VTIntVariableEditor::TransferDataToWindow(Orbisk::Var::Variable& variable)
{
    std::vector<wxString> texts;
    for (const Orbisk::Var::VarValue* level : variable.GetLevels()) texts.push_back(level->GetText());
    m_Text->ChangeValue(LevelText::JoinLevelTexts(texts, m_Separator));
}

bool VTIntVariableEditor::TransferDataFromWindow(Orbisk::Var::Variable& variable)
{
    const LevelText::TimeLimitLevels parsed = LevelText::ParseTimeLimitLevels(m_Text->GetValue(), m_Separator);
    if (!parsed.ok) return false;
    variable.DeleteValueList();
    for (size_t k = 0; k < parsed.values.size(); ++k) {
        // The variable numbers its new levels from 1.
        std::unique_ptr<Orbisk::Var::VarValue> level(variable.MakeLevelForPosition(int(k) + 1));
        if (auto* timeLimit = dynamic_cast<Orbisk::Var::TimeLimitSingleLevel*>(level.get()))
            timeLimit->SetMilliseconds(parsed.values[k]);
        variable.AppendLevel(level.release());
    }
    return true;
}

int VTIntVariableEditor::GetTypeID() { return VariableType::TimeLimit; }

bool VTIntVariableEditor::CanTransferDataFromWindow()
{
    const LevelText::TimeLimitLevels parsed = LevelText::ParseTimeLimitLevels(m_Text->GetValue(), m_Separator);
    if (parsed.ok) return true;
    wxLogMessage(_("The time limit \"%s\" is not a whole number of milliseconds between -2147483648 and 2147483647. "
                   "Type the levels as integers separated by commas, e.g. \"10,20,30\"."),
                 parsed.badPiece);
    return false;
}

}  // namespace Vantrel
