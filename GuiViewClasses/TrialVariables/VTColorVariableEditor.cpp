#include "VTColorVariableEditor.h"

#include "VTEditColorValueDlg.h"

#include <VTCore/VTTrialVariable.h>

namespace Vantrel {

VTColorVariableEditor::VTColorVariableEditor(wxPanel* panel, VTListCtrlColor* list)
    : VTVariableEditorWithList(panel, list)
{}

int VTColorVariableEditor::GetTypeID() { return VariableType::Colour; }

bool VTColorVariableEditor::LocEditItem(int index)
{
    Orbisk::Var::ColorSingleLevel* level = index == -1 ? nullptr : LevelAt(index);
    if (index != -1 && !level) return false;
    VTEditColorValueDlg dialog(m_Panel, GetValNames(level ? level->GetName() : wxString()), 10096, _("Enter New Color"),
                               wxDefaultPosition, wxSize(400, 300),
                               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    if (level) {
        dialog.m_NameText = level->GetName();
        dialog.SetColor(level->GetColour());
    }
    if (dialog.ShowModal() != wxID_OK) return false;
    if (!level) {
        level = new Orbisk::Var::ColorSingleLevel(0);
        AppendLevel(level);
    }
    level->SetName(dialog.m_NameText);
    level->SetColour(dialog.GetColor());
    return true;
}

void VTColorVariableEditor::LocFillList()
{
    FillRows([this](const Orbisk::Var::ColorSingleLevel& level) {
        m_List->AppendColor(level.GetName(), level.GetColour());
    });
}

}  // namespace Vantrel
