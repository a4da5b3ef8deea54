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

#include "ElementEditorDialogT.h"
#include "persdlg.h"

#include <wx/button.h>
#include <wx/log.h>
#include <wx/notebook.h>

#include <algorithm>

namespace Vantrel {

template <class T>
class VTEditElementBaseDlgT : public ElementEditorDialogT<T, VTDialogBase>
{
    using Common = ElementEditorDialogT<T, VTDialogBase>;

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
        : m_SkipPageMemory(skipPageMemory),
          m_NameControlFromSubclass(nameControlFromSubclass),
          m_LeaveExperimentUnchanged(leaveExperimentUnchanged)
    {
        this->m_pImpl = std::make_shared<typename Common::Pimpl>(experiment, listWindow, isNew, insertRepeatedly);
        this->m_Experiment = experiment;
        if (!xrcName.empty()) this->Create(parent, experiment, xrcName);
        if (!deferSetup) AfterCreatingControls();
    }
    ~VTEditElementBaseDlgT() override = 0;

    wxString GetPersistenceName() const override { return this->TheTempObject()->GetTypeName(false) + "EditDialog"; }

    // The base loads and stores the name and the notes.
    void SetDialogValues(T& element) override
    {
        if (!m_Initialised) OnInitializeDialog();
        this->m_OKNameSeen.Forget();
        this->m_NavNameSeen.Forget();
        if (this->m_NameCtrl) this->m_NameCtrl->ChangeValue(element.GetName());
        if (auto* notes = NotesCtrl()) notes->ChangeValue(element.GetNotes());
        if (this->m_NameCtrl) this->m_NameCtrl->SetFocus();
    }
    bool GetDialogValues(T& element) override
    {
        if (!Common::GetDialogValues(element)) return false;
        if (auto* notes = NotesCtrl()) element.SetNotes(notes->GetValue());
        return true;
    }

    virtual void OnOK(wxCommandEvent&)
    {
        switch (this->CommitFromOK(m_LeaveExperimentUnchanged)) {
            case Common::OkOutcome::Locked: this->EndModal(wxID_CANCEL); break;
            case Common::OkOutcome::Committed:
                RememberPage();
                this->EndModal(wxID_OK);
                break;
            default: break;
        }
    }

    virtual void OnOKPrevOrNext(int buttonId) { this->StepToNeighbour(buttonId == ButtonId("ID_OK_NEXT")); }

    // Once, at the first SetDialogValues.
    virtual void OnInitializeDialog()
    {
        if (!this->m_pImpl->canNavigate) {
            for (const char* name : {"ID_OK_PREV", "ID_OK_NEXT"})
                if (wxWindow* button = ElementEditorCore::FindByXrcName(this, name)) button->Hide();
            this->Layout();
        }
        if (this->m_pImpl->insertRepeatedly)
            if (wxWindow* cancel = ElementEditorCore::FindByXrcName(this, "wxID_CANCEL")) cancel->SetLabel(_("Done"));
        m_Initialised = true;
    }

    // The set-up once the controls exist: called by the constructor unless the
    // subclass deferred it.
    void AfterCreatingControls()
    {
        if (this->m_pImpl->isNew)
            if (wxWindow* ok = ElementEditorCore::FindByXrcName(this, "wxID_OK")) ok->Disable();
        this->ReadStateForControls();
        if (!m_NameControlFromSubclass)
            this->m_NameCtrl = dynamic_cast<wxTextCtrl*>(ElementEditorCore::FindByXrcName(this, "text_name"));
        wxNotebook* book = Notebook();
        if (this->m_pImpl->locked) {
            if (this->m_pImpl->isNew)
                wxLogError(_("Editor window is in a corrupt state.  Please close the window and do not save changes."));
            if (this->m_NameCtrl && !m_NameControlFromSubclass) this->m_NameCtrl->Disable();
            ElementEditorCore::EnableBookPages(book, false);
        }
        if (!m_SkipPageMemory && book && m_LastUsedPanelIndex >= 0 &&
            size_t(m_LastUsedPanelIndex) < book->GetPageCount())
            book->SetSelection(size_t(m_LastUsedPanelIndex));
        BindStandardHandlers();
    }

    void OnUpdateOKButton(wxUpdateUIEvent& event)
    {
        if (!this->m_NameCtrl || !this->m_OKNameSeen.Changed(this->m_NameCtrl->GetValue())) return;
        event.Enable(ElementEditorCore::NameAllowsCommit(this->m_NameCtrl->GetValue()));
    }
    void OnUpdatePreviousNextButton(wxUpdateUIEvent& event)
    {
        if (!this->m_NameCtrl) return;
        // One remembered text serves both buttons: each takes the answer of the last change.
        if (this->m_NavNameSeen.Changed(this->m_NameCtrl->GetValue()))
            m_NavEnabled = !this->m_NameCtrl->GetValue().empty();
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
            wxLogError(_("Request to switch tabs, but no book-tabs are found."));
    }

    int InsertNewItemIntoListbox(int index, T& element)
    {
        return ElementEditorCore::InsertElementRow(*this->TheListCtrl(), index, element);
    }

    // The notebook page on which an editor of this element type was last confirmed.
    static int m_LastUsedPanelIndex;

protected:
    wxNotebook* Notebook() { return dynamic_cast<wxNotebook*>(ElementEditorCore::FindByXrcName(this, "notebook")); }
    wxTextCtrl* NotesCtrl() { return dynamic_cast<wxTextCtrl*>(ElementEditorCore::FindByXrcName(this, "edit_notes")); }

private:
    int ButtonId(const char* name)
    {
        wxWindow* button = ElementEditorCore::FindByXrcName(this, name);
        return button ? button->GetId() : -1;
    }

    // Without a notebook no page is recorded; the dialog ends all the same.
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
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOK, this, ok->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdateOKButton, this, ok->GetId());
        }
        if (wxWindow* next = ElementEditorCore::FindByXrcName(this, "ID_OK_NEXT")) {
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOKNext, this, next->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdatePreviousNextButton, this, next->GetId());
        }
        if (wxWindow* prev = ElementEditorCore::FindByXrcName(this, "ID_OK_PREV")) {
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgT::OnOKPrev, this, prev->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgT::OnUpdatePreviousNextButton, this, prev->GetId());
        }
    }

    bool m_SkipPageMemory;
    bool m_NameControlFromSubclass;
    bool m_LeaveExperimentUnchanged;
    bool m_Initialised = false;
    bool m_HandlersBound = false;
    bool m_NavEnabled = true;
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
        if (isNew) this->m_pImpl->listIndex = -1;
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
