#pragma once
// The editor of one participant group: its name, its description, and either all
// blocks of the experiment or an ordered selection of them. Opens from the groups
// list (with previous/next) and from a group choice (without them).

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgT.h>
#include <GuiViewClasses/DialogClasses/listeditdlg.h>
#include <VTCore/VTParticipantGroup.h>

#include <vector>

class wxRadioButton;

namespace Vantrel {

class VTBlock;
class VTListCtrlCheckableSimple;

class VTEditGroupDlg : public VTEditElementEndInsertDlgT<VTParticipantGroup>
{
public:
    VTEditGroupDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly);
    ~VTEditGroupDlg() override;

    void SetDialogValues(VTParticipantGroup& group) override;
    bool GetDialogValues(VTParticipantGroup& group) override;

    // The list editor's view of the dialog, kept apart from the dialog's own
    // virtuals so the list callbacks cannot be mistaken for editor steps.
    class EditorAdapter : public IOrderedListEditor
    {
    public:
        explicit EditorAdapter(VTEditGroupDlg* dialog) : m_Dialog(dialog) {}

    protected:
        VTEditGroupDlg* m_Dialog;
    };

    class BlocksAdapter : public EditorAdapter
    {
    public:
        using EditorAdapter::EditorAdapter;
        // The layout has no New, Edit or Delete control: nothing calls these.
        bool EditItem(int) override { return true; }
        void DeleteItem(unsigned int) override {}
        // Up and Down are live only while the list is (under "Run only...").
        bool IsValidItem(unsigned int index) const override;
        void FillList() override;
        IVTListCtrl* GetList() override;
        ~BlocksAdapter() override = default;
        void MoveItemUp(int index) override;
        void MoveItemDown(int index) override;
    };

private:
    friend class BlocksAdapter;

    void BlocksFillList();
    void BlocksMoveItemUp(int index);
    void BlocksMoveItemDown(int index);
    // The checked rows, in list order, become the working copy's blocks.
    void TransferBlockListValues(VTParticipantGroup& group);

    void OnUpdateBlocksList(wxUpdateUIEvent& event);
    void OnUpdateRunBlocksRadio(wxUpdateUIEvent& event);

    BlocksAdapter m_BlocksAdapter{this};
    VTOrderedListEditorEvtHandler* m_Handler = nullptr;
    wxRadioButton* m_RunAll = nullptr;
    wxRadioButton* m_RunSome = nullptr;
    VTListCtrlCheckableSimple* m_BlocksList = nullptr;
    IVTListCtrlImplForListCtrl m_BlocksListAdapter;
    // Row i of the list shows block i; empty until the first fill after the
    // values were set.
    std::vector<VTBlock*> m_ShownBlocks;
};

}  // namespace Vantrel
