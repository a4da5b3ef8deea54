#pragma once
// What an element editor knows about the element it edits: the list that launched
// it, the row, the original element and the working copy. Both element editor
// bases keep one; the code-built base replaces it when it is reused for another
// element.
//
// Ownership: the working copy is the state's until a new element is handed to the
// experiment (or, for an editor that leaves the experiment to its caller, to the
// caller through the list row). A working copy of an existing element is always
// the state's and dies with it or when previous/next replaces it.

#include "ElementEditorCore.h"
#include "IVTListCtrl.h"

#include <VTCore/VTExperiment.h>

#include <memory>

namespace Vantrel {

template <class T>
class ElementEditorState
{
public:
    // Chooses the list adapter and makes the working copy: a new T for the
    // experiment, or a copy of the list's selected element. Throws
    // VantrelSDK::VTException (after logging "Error with list items in base
    // dialog.") when the list window is no list or an existing element has no
    // selected row.
    ElementEditorState(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly)
        : experiment(experiment),
          isNew(isNew),
          insertRepeatedly(insertRepeatedly),
          list(ElementEditorCore::MakeListAdapterOrThrow(listWindow)),
          listIndex(list->GetSelection())
    {
        ElementEditorCore::RequireExperiment(experiment);
        if (isNew)
            StartNewElement();
        else
            LoadElement(static_cast<T*>(ElementEditorCore::ElementOfRowOrThrow(*list, listIndex)));
    }

    T* WorkingCopy() const { return m_Copy; }
    bool OwnsWorkingCopy() const { return bool(m_Owned); }
    // Deletes an owned working copy (a committed one belongs to the experiment).
    void ReleaseWorkingCopy()
    {
        m_Owned.reset();
        m_Copy = nullptr;
    }

    // A fresh new element for the experiment becomes the working copy.
    void StartNewElement() { Adopt(new T(experiment)); }

    // `element` becomes the original and a copy of it the working copy.
    void LoadElement(T* element)
    {
        original = element;
        Adopt(new T(*element, nullptr));
    }

    // Commits the working copy. A new element goes to the experiment's list at the
    // list index and into the launching list (unless `leaveExperimentUnchanged`,
    // where it only goes into the list and the caller takes it from there); an
    // existing one is written back into the original. False when the experiment
    // refused the new element: the working copy stays the editor's.
    bool Commit(bool leaveExperimentUnchanged)
    {
        if (isNew) {
            m_Copy->SetTemporary(false);
            if (!leaveExperimentUnchanged &&
                !ElementEditorCore::AddElementToExperiment(*experiment, *m_Copy, listIndex)) {
                m_Copy->SetTemporary(true);
                return false;
            }
            m_Owned.release();  // the experiment's, or the caller's through the row
            ElementEditorCore::InsertElementRow(*list, listIndex, *m_Copy);
        } else {
            if (!leaveExperimentUnchanged) ElementEditorCore::WriteBack(*original, *m_Copy);
            list->SetText(listIndex, original->GetName());
        }
        experiment->Modify(true);
        committedSomething = true;
        return true;
    }

    // Previous/next: writes the working copy back (unless `writeBack` is false),
    // moves the list view's selection and loads the element of the new row. False
    // when there is nowhere to go; nothing is written then.
    bool StepTo(bool next, bool writeBack)
    {
        if (!ElementEditorCore::ListAllowsNavigation(list.get()) || !original) return false;
        if (writeBack) {
            ElementEditorCore::WriteBack(*original, *m_Copy);
            experiment->Modify(true);
            committedSomething = true;
        }
        list->SetText(listIndex, original->GetName());
        const int row = ElementEditorCore::MoveListSelection(*list, next);
        T* element = static_cast<T*>(ElementEditorCore::ElementOfRow(*list, row));
        if (!element) return false;
        listIndex = row;
        LoadElement(element);
        return true;
    }

    VTExperiment* experiment;
    bool isNew;
    bool insertRepeatedly;
    // Previous/next is possible: an existing element of a list view with more than one row.
    bool canNavigate = false;
    std::shared_ptr<IVTListCtrl> list;
    // The list row of the element, or where a new element goes (-1: at the end).
    int listIndex;
    T* original = nullptr;
    bool locked = false;
    // Something reached the experiment while the editor was open (OK of an
    // insert-repeatedly editor, previous/next), even if it then ends with Cancel.
    bool committedSomething = false;

private:
    void Adopt(T* copy)
    {
        copy->SetTemporary(true);
        m_Owned.reset(copy);
        m_Copy = copy;
    }

    std::unique_ptr<T> m_Owned;
    T* m_Copy = nullptr;
};

}  // namespace Vantrel
