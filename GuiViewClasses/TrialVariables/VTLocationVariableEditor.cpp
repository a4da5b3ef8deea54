#include "VTLocationVariableEditor.h"

#include <VTCore/WholeNumberText.h>
#include "VTEditLocationValueDlg.h"

#include <VTCore/VTTrialVariable.h>

namespace Vantrel {

VTLocationVariableEditor::VTLocationVariableEditor(wxPanel* panel, VTSimpleListView* list)
    : VTVariableEditorWithList(panel, list)
{}

int VTLocationVariableEditor::GetTypeID() { return VariableType::Location; }

bool VTLocationVariableEditor::LocEditItem(int index)
{
    Orbisk::Var::LocationSingleLevel* level = index == -1 ? nullptr : LevelAt(index);
    if (index != -1 && !level) return false;
    VTEditLocationValueDlg dialog(m_Panel, GetValNames(level ? level->GetName() : wxString()), 10114,
                                  _("Enter New Location"), wxDefaultPosition, wxDefaultSize,
                                  wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    if (level) {
        dialog.m_XText = wxString::Format("%d", level->GetX());
        dialog.m_YText = wxString::Format("%d", level->GetY());
        dialog.m_NameText = level->GetName();
    }
    if (dialog.ShowModal() != wxID_OK || dialog.m_NameText.empty()) return false;
    if (!level) {
        level = new Orbisk::Var::LocationSingleLevel(0);
        AppendLevel(level);
    }
    level->SetName(dialog.m_NameText);
    // The dialog offers OK only for whole integers; anything else would be 0.
    std::int32_t x = 0, y = 0;
    if (!ParseWholeInt32(dialog.m_XText, x)) x = 0;
    if (!ParseWholeInt32(dialog.m_YText, y)) y = 0;
    level->SetX(x);
    level->SetY(y);
    return true;
}

void VTLocationVariableEditor::LocFillList()
{
    FillRows([this](const Orbisk::Var::LocationSingleLevel& level) { m_List->Append(level.GetName()); });
}

}  // namespace Vantrel
