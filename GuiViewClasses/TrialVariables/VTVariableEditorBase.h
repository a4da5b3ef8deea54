#pragma once
// The value editors of the trial variable editor's "Levels" tab, one per
// variable type. An editor is loaded once from the variable being edited and, on
// OK, writes its levels back into a variable.
//
// A list editor holds its own copies of the levels. They stay the editor's until
// TransferDataFromWindow hands them to a variable; whatever the editor still
// holds when it is destroyed (after Cancel, or in the editors of the other
// types) is deleted with it.

#include <GuiViewClasses/DialogClasses/IVTListCtrl.h>
#include <GuiViewClasses/DialogClasses/listeditdlg.h>
#include <VTCore/OrbiskVar.h>

#include <wx/list.h>
#include <wx/panel.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace Vantrel {

class VTVariableEditorBase
{
public:
    virtual ~VTVariableEditorBase() = default;
    // Shows the variable's levels; the variable is left untouched.
    virtual void TransferDataToWindow(Orbisk::Var::Variable& variable) = 0;
    // Replaces the variable's levels by the ones shown. False, with the variable
    // untouched, when the levels shown cannot be stored.
    virtual bool TransferDataFromWindow(Orbisk::Var::Variable& variable) = 0;
    // The variable type the editor makes levels for (2001, 2003, 2006).
    virtual int GetTypeID() = 0;
    // Whether TransferDataFromWindow would succeed; when not, the user has been
    // told why. Asked before anything of the variable changes.
    virtual bool CanTransferDataFromWindow() { return true; }
};

// A value editor over a list view whose rows are the levels, edited with the
// list buttons of its page (New, Edit, Delete, Up, Down).
template <class ListView, class Level>
class VTVariableEditorWithList : public VTVariableEditorBase
{
public:
    // Pushes the list event handler onto the page, so that it sees the events of
    // that page's list and buttons only.
    VTVariableEditorWithList(wxPanel* panel, ListView* list) : m_Panel(panel), m_List(list)
    {
        m_List->InitColumns();
        m_ListAdapter.Bind(m_List);
        m_Handler = new VTOrderedListEditorEvtHandler(&m_EditorAdapter);
        m_Panel->PushEventHandler(m_Handler);
    }
    ~VTVariableEditorWithList() override
    {
        m_Panel->RemoveEventHandler(m_Handler);
        delete m_Handler;
        DeleteLevels();
    }
    VTVariableEditorWithList(const VTVariableEditorWithList&) = delete;
    VTVariableEditorWithList& operator=(const VTVariableEditorWithList&) = delete;

    void TransferDataToWindow(Orbisk::Var::Variable& variable) override
    {
        DeleteLevels();
        for (const Orbisk::Var::VarValue* level : variable.GetLevels())
            if (auto* typed = dynamic_cast<const Level*>(level)) m_Levels.push_back(new Level(*typed));
        LocFillList();
    }
    bool TransferDataFromWindow(Orbisk::Var::Variable& variable) override
    {
        variable.DeleteValueList();
        variable.ReplaceLevels(m_Levels);
        m_Levels.clear();  // the variable's now
        return true;
    }

    // The names of all levels in list order, except those equal to `exclude`.
    wxStringList GetValNames(const wxString& exclude) const
    {
        wxStringList names;
        for (const Orbisk::Var::VarValue* level : m_Levels)
            if (level->GetName() != exclude) names.Add(level->GetName().wc_str());
        return names;
    }

    // Edits the level at `index`, or creates one for -1; true when something changed.
    virtual bool LocEditItem(int index) = 0;
    // Appends one row per level to the emptied list and keeps the selected row.
    virtual void LocFillList() = 0;

    const std::vector<Orbisk::Var::VarValue*>& Levels() const { return m_Levels; }
    ListView* GetListView() const { return m_List; }

    // The list event handler's view of the editor.
    class EditorAdapter : public IOrderedListEditor
    {
    public:
        explicit EditorAdapter(VTVariableEditorWithList* editor) : m_Editor(editor) {}
        bool EditItem(int index) override { return m_Editor->LocEditItem(index); }
        // Without asking: the levels are the editor's copies until OK.
        void DeleteItem(unsigned int index) override
        {
            auto& levels = m_Editor->m_Levels;
            if (index >= levels.size()) return;
            delete levels[index];
            levels.erase(levels.begin() + long(index));
        }
        void FillList() override { m_Editor->LocFillList(); }
        IVTListCtrl* GetList() override { return &m_Editor->m_ListAdapter; }
        ~EditorAdapter() override = default;
        void MoveItemUp(int index) override
        {
            if (index >= 1 && size_t(index) < m_Editor->m_Levels.size())
                std::swap(m_Editor->m_Levels[size_t(index) - 1], m_Editor->m_Levels[size_t(index)]);
        }
        void MoveItemDown(int index) override
        {
            if (index >= 0 && size_t(index) + 1 < m_Editor->m_Levels.size())
                std::swap(m_Editor->m_Levels[size_t(index)], m_Editor->m_Levels[size_t(index) + 1]);
        }

    private:
        VTVariableEditorWithList* m_Editor;
    };

protected:
    // The level at `index` as the editor's level class; null when out of range.
    Level* LevelAt(int index) const
    {
        return index >= 0 && size_t(index) < m_Levels.size() ? static_cast<Level*>(m_Levels[size_t(index)]) : nullptr;
    }
    void AppendLevel(Level* level) { m_Levels.push_back(level); }
    // Appends a row per level through `appendRow`, then selects the row that was
    // selected before, when it still exists.
    template <class AppendRow>
    void FillRows(AppendRow appendRow)
    {
        const int selected = m_List->GetSelection();
        for (const Orbisk::Var::VarValue* level : m_Levels) appendRow(static_cast<const Level&>(*level));
        if (selected >= 0 && size_t(selected) < m_Levels.size()) m_List->SetSelection(selected);
    }

    wxPanel* m_Panel;
    ListView* m_List;

private:
    void DeleteLevels()
    {
        for (Orbisk::Var::VarValue* level : m_Levels) delete level;
        m_Levels.clear();
    }

    IVTListCtrlImplForListCtrl m_ListAdapter;
    EditorAdapter m_EditorAdapter{this};
    std::vector<Orbisk::Var::VarValue*> m_Levels;
    VTOrderedListEditorEvtHandler* m_Handler = nullptr;
};

}  // namespace Vantrel
