#include "VTEditGroupDlg.h"

#include <VTCore/VTBlock.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/radiobut.h>

#include <utility>

namespace Vantrel {

VTEditGroupDlg::VTEditGroupDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                               bool insertRepeatedly)
    : VTEditElementEndInsertDlgT<VTParticipantGroup>(parent, experiment, "dlg_edit_participant_group", listWindow,
                                                     isNew, insertRepeatedly, false, false, false, false)
{
    m_RunAll = XRCCTRL(*this, "ID_RADIO_RUNALLBLOCKS", wxRadioButton);
    m_RunSome = XRCCTRL(*this, "ID_RADIO_RUNSOMEBLOCKS", wxRadioButton);
    m_BlocksList = dynamic_cast<VTListCtrlCheckableSimple*>(FindWindow(XRCID("ID_LISTBLOCKS")));
    m_BlocksListAdapter.Bind(m_BlocksList);
    m_Handler = new VTOrderedListEditorEvtHandler(&m_BlocksAdapter);
    PushEventHandler(m_Handler);
    if (m_BlocksList) m_BlocksList->InitColumns();

    Bind(wxEVT_UPDATE_UI, &VTEditGroupDlg::OnUpdateBlocksList, this, XRCID("ID_LISTBLOCKS"));
    Bind(wxEVT_UPDATE_UI, &VTEditGroupDlg::OnUpdateRunBlocksRadio, this, XRCID("ID_RADIO_RUNSOMEBLOCKS"));

    // Previous and next step through a list view; a choice (the run dialog's) has none.
    if (!dynamic_cast<VTSimpleListView*>(TheListCtrl()->GetWnd())) {
        for (const char* name : {"ID_OK_PREV", "ID_OK_NEXT"})
            if (wxWindow* button = FindWindow(XRCID(name))) button->Hide();
        Layout();
    }
}

VTEditGroupDlg::~VTEditGroupDlg()
{
    RemoveEventHandler(m_Handler);
    delete m_Handler;
}

void VTEditGroupDlg::SetDialogValues(VTParticipantGroup& group)
{
    m_ShownBlocks.clear();
    if (group.m_RunAllBlocks)
        m_RunAll->SetValue(true);
    else
        m_RunSome->SetValue(true);
    VTEditElementEndInsertDlgT<VTParticipantGroup>::SetDialogValues(group);
    m_Handler->ReInit();
}

bool VTEditGroupDlg::GetDialogValues(VTParticipantGroup& group)
{
    // The name is checked first, so a refused name leaves the group untouched.
    if (!VTEditElementEndInsertDlgT<VTParticipantGroup>::GetDialogValues(group)) return false;
    group.m_RunAllBlocks = m_RunAll->GetValue();
    if (group.m_RunAllBlocks)
        group.ClearAllUsedBlocks();
    else
        TransferBlockListValues(group);
    return true;
}

void VTEditGroupDlg::TransferBlockListValues(VTParticipantGroup& group)
{
    group.ClearAllUsedBlocks();
    const int rows = m_BlocksList->GetCount();
    for (int row = 0; row < rows && size_t(row) < m_ShownBlocks.size(); ++row)
        if (m_BlocksList->IsChecked(row)) group.AddUsedBlock(m_ShownBlocks[size_t(row)]);
}

void VTEditGroupDlg::BlocksFillList()
{
    VTParticipantGroup* group = TheTempObject();
    if (!group || !m_BlocksList) return;
    const bool firstFill = m_ShownBlocks.empty();
    if (firstFill) {
        VTUsedElements& used = group->GetBlocksUsedByTheGroup();
        for (unsigned i = 0; i < used.Size(); ++i)
            // A link whose block is gone has no pointer: it is not shown.
            if (auto* block = dynamic_cast<VTBlock*>(used.GetUsedElementPtr(i))) m_ShownBlocks.push_back(block);
        const VTElementsList& blocks = TheExperiment()->GetReadOnlyElementsOfType(ElementType::Block);
        for (size_t i = 0; i < blocks.Size(); ++i)
            if (!used.ContainsThisElement(blocks[i]))
                if (auto* block = dynamic_cast<VTBlock*>(blocks[i])) m_ShownBlocks.push_back(block);
    }
    m_BlocksList->Clear();
    for (size_t row = 0; row < m_ShownBlocks.size(); ++row) {
        VTBlock* block = m_ShownBlocks[row];
        const long item = m_BlocksList->AppendWithData(block->GetName(), reinterpret_cast<wxUIntPtr>(block));
        const bool used = group->ContainsBlockMatchingThisID(int(block->GetID()));
        m_BlocksList->Check(item, used || (firstFill && group->m_RunAllBlocks));
    }
}

void VTEditGroupDlg::BlocksMoveItemUp(int index)
{
    if (index < 1 || size_t(index) >= m_ShownBlocks.size()) return;
    TransferBlockListValues(*TheTempObject());
    std::swap(m_ShownBlocks[size_t(index)], m_ShownBlocks[size_t(index) - 1]);
}

void VTEditGroupDlg::BlocksMoveItemDown(int index)
{
    if (index < 0 || size_t(index) + 1 >= m_ShownBlocks.size()) return;
    TransferBlockListValues(*TheTempObject());
    std::swap(m_ShownBlocks[size_t(index)], m_ShownBlocks[size_t(index) + 1]);
}

void VTEditGroupDlg::OnUpdateBlocksList(wxUpdateUIEvent& event) { event.Enable(!m_RunAll->GetValue()); }

void VTEditGroupDlg::OnUpdateRunBlocksRadio(wxUpdateUIEvent& event)
{
    event.Enable(m_BlocksList && m_BlocksList->GetCount() > 0);
}

// ---- the blocks adapter

bool VTEditGroupDlg::BlocksAdapter::IsValidItem(unsigned int) const
{
    return m_Dialog->m_BlocksList && m_Dialog->m_BlocksList->IsEnabled();
}

void VTEditGroupDlg::BlocksAdapter::FillList() { m_Dialog->BlocksFillList(); }

IVTListCtrl* VTEditGroupDlg::BlocksAdapter::GetList() { return &m_Dialog->m_BlocksListAdapter; }

void VTEditGroupDlg::BlocksAdapter::MoveItemUp(int index) { m_Dialog->BlocksMoveItemUp(index); }

void VTEditGroupDlg::BlocksAdapter::MoveItemDown(int index) { m_Dialog->BlocksMoveItemDown(index); }

}  // namespace Vantrel
