#pragma once
// The base of the element editors laid out by a dialog resource.
//
// An editor edits a working copy of one element of the experiment (or a new one)
// and writes it back only when the user confirms. A concrete editor supplies the
// resource, its own controls, and its fields through SetDialogValues and
// GetDialogValues (each calling the base's version first); the base does the rest:
//
//   - finds "text_name", "edit_notes", "notebook", "wxID_OK", "wxID_CANCEL",
//     "ID_OK_PREV" and "ID_OK_NEXT" by name and binds OK, previous/next and their
//     update-UI handlers itself (override OnOK or OnOKPrevOrNext to change them);
//   - OK is offered while the name holds more than white space; the name is
//     cleaned to one line and checked against the other elements of its type;
//   - OK commits: a new element goes to the experiment at the launching list's
//     selected row (the end-insert variant: at the end), an existing one takes
//     over the working copy; with insert-repeatedly a new element follows in the
//     same dialog and Cancel reads "Done";
//   - previous/next commit and move through the launching list, offered only when
//     that list is a list view with more than one row;
//   - a locked experiment shows the element read-only, and OK then ends the dialog
//     with Cancel without writing anything;
//   - the notebook opens at the page on which an editor of this element type was
//     last confirmed;
//   - the geometry is remembered under "<TypeName>EditDialog".
//
// The constructor throws VantrelSDK::VTException when the list window is no list
// or an existing element has no selected row; FriendToElementDialogs lets it pass
// to the list that launched the editor.

#include "ElementEditorState.h"
#include "Interface_MasterVTObjectEditor.h"
#include "persdlg.h"

#include <VTCore/Interface_UsesRules.h>
#include <VTCore/VTExperiment.h>

#include <wx/button.h>
#include <wx/log.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace Vantrel {

template <class T>
class VTEditElementBaseDlgT : public VTDialogBase, public Interface_MasterVTObjectEditor
{
public:
    // skipPageMemory: no notebook page is restored or recorded.
    // nameControlFromSubclass: the subclass stores its own name control in
    //   m_NameCtrl before the editor is used.
    // deferSetup: the subclass calls AfterCreatingControls once its controls exist.
    // leaveExperimentUnchanged: OK neither adds a new element nor writes back; the
    //   caller commits (a new element reaches it through the list row).
    VTEditElementBaseDlgT(wxWindow* parent, VTExperiment* experiment, const wxString& xrcName, wxWindow* listWindow,
                          bool isNew, bool insertRepeatedly, bool skipPageMemory, bool nameControlFromSubclass,
                          bool deferSetup, bool leaveExperimentUnchanged)
        : m_State(experiment, listWindow, isNew, insertRepeatedly),
          m_SkipPageMemory(skipPageMemory),
          m_NameControlFromSubclass(nameControlFromSubclass),
          m_LeaveExperimentUnchanged(leaveExperimentUnchanged)
    {
        m_Experiment = experiment;
        if (!xrcName.empty()) Create(parent, experiment, xrcName);
        if (!deferSetup) AfterCreatingControls();
    }
    ~VTEditElementBaseDlgT() override = 0;

    wxString GetPersistenceName() const override { return TheTempObject()->GetTypeName(false) + "EditDialog"; }

    bool IsNewObject() const override { return m_State.isNew; }
    VTExperiment* TheExperiment() const override { return m_State.experiment; }
    T* TheTempObject() const override { return m_State.WorkingCopy(); }
    T* TheOriginalObject() const override { return m_State.original; }
    IVTListCtrl* TheListCtrl() const override { return m_State.list.get(); }
    Interface_UsesRules* TempCopyObjectUsingRules() const override { return nullptr; }
    bool IsCurrentlyInteractingWithUser() const override { return IsShownOnScreen(); }
    bool DialogIsLocked() const override { return m_State.locked; }

    virtual bool CheckElementName_PossiblyEditingTheTextControl()
    {
        return ElementEditorCore::CheckNameInControl(m_State.experiment, m_NameCtrl, TheTempObject(),
                                                     TheOriginalObject());
    }

    // The base loads and stores the name and the notes.
    virtual void SetDialogValues(T& element)
    {
        if (!m_Initialised) OnInitializeDialog();
        m_OKNameSeen.Forget();
        m_NavNameSeen.Forget();
        if (m_NameCtrl) m_NameCtrl->ChangeValue(element.GetName());
        if (auto* notes = NotesCtrl()) notes->ChangeValue(element.GetNotes());
        if (m_NameCtrl) m_NameCtrl->SetFocus();
    }
    // False keeps the dialog open with nothing written.
    virtual bool GetDialogValues(T& element)
    {
        if (!CheckElementName_PossiblyEditingTheTextControl()) return false;
        element.SetName(m_NameCtrl->GetValue());
        if (auto* notes = NotesCtrl()) element.SetNotes(notes->GetValue());
        return true;
    }

    bool Validate() override
    {
        if (!CheckElementName_PossiblyEditingTheTextControl()) return false;
        if (m_NameCtrl->GetValue().empty()) return false;
        return wxDialog::Validate();
    }
    bool TransferDataToWindow() override
    {
        if (TheTempObject()) SetDialogValues(*TheTempObject());
        return wxDialog::TransferDataToWindow();
    }
    bool TransferDataFromWindow() override
    {
        if (!TheTempObject() || !GetDialogValues(*TheTempObject())) return false;
        return wxDialog::TransferDataFromWindow();
    }

    virtual void OnOK(wxCommandEvent&)
    {
        if (m_State.locked) {
            EndModal(wxID_CANCEL);
            return;
        }
        if (!Validate() || !TransferDataFromWindow()) {
            TheTempObject()->SetTemporary(true);
            return;
        }
        if (!m_State.Commit(m_LeaveExperimentUnchanged)) return;
        if (m_State.isNew && m_State.insertRepeatedly) {
            m_State.StartNewElement();
            SetDialogValues(*TheTempObject());
            return;
        }
        RememberPage();
        EndModal(wxID_OK);
    }

    virtual void OnOKPrevOrNext(int buttonId)
    {
        if (!m_State.canNavigate) return;
        if (!Validate() || !TransferDataFromWindow()) return;
        const bool writeBack = !m_State.locked && !m_State.experiment->m_LockStateMinimal;
        if (m_State.StepTo(buttonId == ButtonId("ID_OK_NEXT"), writeBack)) TransferDataToWindow();
    }

    // Once, at the first SetDialogValues.
    virtual void OnInitializeDialog()
    {
        if (!m_State.canNavigate) {
            for (const char* name : {"ID_OK_PREV", "ID_OK_NEXT"})
                if (wxWindow* button = ElementEditorCore::FindByXrcName(this, name)) button->Hide();
            Layout();
        }
        if (m_State.insertRepeatedly)
            if (wxWindow* cancel = ElementEditorCore::FindByXrcName(this, "wxID_CANCEL")) cancel->SetLabel(_("Done"));
        m_Initialised = true;
    }

    // The set-up once the controls exist: called by the constructor unless the
    // subclass deferred it.
    void AfterCreatingControls()
    {
        if (m_State.isNew) {
            if (wxWindow* ok = ElementEditorCore::FindByXrcName(this, "wxID_OK")) ok->Disable();
        } else {
            m_State.canNavigate = ElementEditorCore::ListAllowsNavigation(TheListCtrl());
        }
        wxString reason;
        m_State.locked = m_State.experiment->IsLocked(reason);
        if (!m_NameControlFromSubclass)
            m_NameCtrl = dynamic_cast<wxTextCtrl*>(ElementEditorCore::FindByXrcName(this, "text_name"));
        wxNotebook* book = Notebook();
        if (m_State.locked) {
            if (m_State.isNew)
                wxLogError("Editor window is in a corrupt state.  Please close the window and do not save changes.");
            if (m_NameCtrl && !m_NameControlFromSubclass) m_NameCtrl->Disable();
            ElementEditorCore::EnableBookPages(book, false);
        }
        if (!m_SkipPageMemory && book && m_LastUsedPanelIndex >= 0 &&
            size_t(m_LastUsedPanelIndex) < book->GetPageCount())
            book->SetSelection(size_t(m_LastUsedPanelIndex));
        m_OKNameSeen.Forget();
        m_NavNameSeen.Forget();
        BindStandardHandlers();
    }

    void OnUpdateOKButton(wxUpdateUIEvent& event)
    {
        if (!m_NameCtrl || !m_OKNameSeen.Changed(m_NameCtrl->GetValue())) return;
        event.Enable(ElementEditorCore::NameAllowsCommit(m_NameCtrl->GetValue()));
    }
    void OnUpdatePreviousNextButton(wxUpdateUIEvent& event)
    {
        if (!m_NameCtrl) return;
        const bool changed = m_NavNameSeen.Changed(m_NameCtrl->GetValue());
        // One remembered text serves both buttons: each takes the answer of the last change.
        if (changed) m_NavEnabled = !m_NameCtrl->GetValue().empty();
        event.Enable(m_NavEnabled);
    }
    void OnOKNext(wxCommandEvent&) { OnOKPrevOrNext(ButtonId("ID_OK_NEXT")); }
    void OnOKPrev(wxCommandEvent&) { OnOKPrevOrNext(ButtonId("ID_OK_PREV")); }

    // Turns the notebook to `page`, to show the user where to correct something.
    void SwitchToTab(int page)
    {
        if (wxNotebook* book = Notebook())
            book->SetSelection(size_t(page));
        else
            wxLogError("Request to switch tabs, but no book-tabs are found.");
    }

    int InsertNewItemIntoListbox(int index, T& element)
    {
        return ElementEditorCore::InsertElementRow(*TheListCtrl(), index, element);
    }

    // Something reached the experiment while the editor was open, even when it
    // then ends with Cancel ("Done" after insert-repeatedly, Cancel after next).
    bool CommittedAnElement() const { return m_State.committedSomething; }

    // The notebook page on which an editor of this element type was last confirmed.
    static int m_LastUsedPanelIndex;

protected:
    wxNotebook* Notebook() { return dynamic_cast<wxNotebook*>(ElementEditorCore::FindByXrcName(this, "notebook")); }
    wxTextCtrl* NotesCtrl() { return dynamic_cast<wxTextCtrl*>(ElementEditorCore::FindByXrcName(this, "edit_notes")); }

    ElementEditorState<T> m_State;
    wxTextCtrl* m_NameCtrl = nullptr;

private:
    int ButtonId(const char* name)
    {
        wxWindow* button = ElementEditorCore::FindByXrcName(this, name);
        return button ? button->GetId() : -1;
    }

    void RememberPage()
    {
        if (m_SkipPageMemory) return;
        if (wxNotebook* book = Notebook()) m_LastUsedPanelIndex = std::max(0, book->GetSelection());
    }

    void BindStandardHandlers()
    {
        if (m_HandlersBound) return;
        m_HandlersBound = true;
        if (wxWindow* ok = ElementEditorCore::FindByXrcName(this, "wxID_OK")) {
            Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOK, this, ok->GetId());
            Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdateOKButton, this, ok->GetId());
        }
        if (wxWindow* next = ElementEditorCore::FindByXrcName(this, "ID_OK_NEXT")) {
            Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOKNext, this, next->GetId());
            Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdatePreviousNextButton, this, next->GetId());
        }
        if (wxWindow* prev = ElementEditorCore::FindByXrcName(this, "ID_OK_PREV")) {
            Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOKPrev, this, prev->GetId());
            Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdatePreviousNextButton, this, prev->GetId());
        }
    }

    bool m_SkipPageMemory;
    bool m_NameControlFromSubclass;
    bool m_LeaveExperimentUnchanged;
    bool m_Initialised = false;
    bool m_HandlersBound = false;
    bool m_NavEnabled = true;
    ElementEditorCore::NameSeen m_OKNameSeen;
    ElementEditorCore::NameSeen m_NavNameSeen;
};

template <class T>
VTEditElementBaseDlgT<T>::~VTEditElementBaseDlgT() = default;

template <class T>
int VTEditElementBaseDlgT<T>::m_LastUsedPanelIndex = 0;

// New elements go to the end of the experiment's list and of the launching list,
// whatever row is selected.
template <class T>
class VTEditElementEndInsertDlgT : public VTEditElementBaseDlgT<T>
{
public:
    VTEditElementEndInsertDlgT(wxWindow* parent, VTExperiment* experiment, const wxString& xrcName,
                               wxWindow* listWindow, bool isNew, bool insertRepeatedly, bool skipPageMemory,
                               bool nameControlFromSubclass, bool deferSetup, bool leaveExperimentUnchanged)
        : VTEditElementBaseDlgT<T>(parent, experiment, xrcName, listWindow, isNew, insertRepeatedly, skipPageMemory,
                                   nameControlFromSubclass, deferSetup, leaveExperimentUnchanged)
    {
        if (isNew) this->m_State.listIndex = -1;
    }

    // Appends a row for the element, keeps the element in it and selects it; -1.
    virtual int InsertNewItemIntoListbox(int, T& element)
    {
        IVTListCtrl& list = *this->TheListCtrl();
        const int row = ElementEditorCore::InsertElementRow(list, -1, element);
        list.SetSelection(row);
        return -1;
    }
};

}  // namespace Vantrel
