#pragma once
// The base of the element editors whose controls are built in code. The same life
// cycle as VTEditElementBaseDlgT (see there), with these differences:
//
//   - the derived editor creates its window and controls, stores the name
//     control, the page book, the OK, Cancel, Next and Previous buttons and the
//     sizer of the navigation buttons in the protected members (null where it has
//     none), then calls GuiInitialization(false); the base binds OK,
//     previous/next and their update-UI handlers to the buttons it was given;
//   - the page memory is always on and OK always writes to the experiment;
//   - the name is the only field the base loads (SetDialogValues ends with the
//     derived editor's DoInitialSetup);
//   - everything that belongs to the element being edited lives in a Pimpl that
//     is replaced when one instance is reused for another element
//     (SimulateDestruction, then SimulateRepeatOfConstructor, then show again);
//   - EditOriginalObjectLinkToRule changes the original element's rule links at
//     once, for the rules editor.

#include "ElementEditorDialogT.h"
#include "persdlg.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/log.h>
#include <wx/sizer.h>

namespace Vantrel {

class VTRule;

template <class T>
class VTEditElementBaseDlgNoXRCT : public ElementEditorDialogT<T, wxDialogPersistentPosition>
{
    using Common = ElementEditorDialogT<T, wxDialogPersistentPosition>;

public:
    using typename Common::Pimpl;

    // Makes the state (see SimulateRepeatOfConstructor); the window is created by
    // the derived editor.
    VTEditElementBaseDlgNoXRCT(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly)
    {
        SimulateRepeatOfConstructor(experiment, listWindow, isNew, insertRepeatedly);
    }
    // For dynamic creation only: no state until SimulateRepeatOfConstructor.
    VTEditElementBaseDlgNoXRCT() = default;
    ~VTEditElementBaseDlgNoXRCT() override { SimulateDestruction(); }

    wxString GetPersistenceName() const override = 0;
    // Run when the editor is put aside; the base does nothing.
    virtual void OnPseudoDestroy() {}

    virtual void OnOK(wxCommandEvent&)
    {
        RememberPage();
        switch (this->CommitFromOK(false)) {
            case Common::OkOutcome::Locked: this->EndModal(wxID_CANCEL); break;
            case Common::OkOutcome::Committed: this->EndModal(wxID_OK); break;
            default: break;
        }
    }

    virtual void OnOKPrevOrNext(int buttonId)
    {
        RememberPage();
        this->StepToNeighbour(m_NextButton && buttonId == m_NextButton->GetId());
    }

    // At every SetDialogValues: the navigation buttons show only when navigation
    // is possible, Cancel reads "Done" in insert-repeatedly mode.
    virtual void OnInitializeDialog()
    {
        if (m_PrevButton || m_NextButton) {
            for (wxButton* button : {m_PrevButton, m_NextButton})
                if (button) button->Show(this->m_pImpl->canNavigate);
            if (m_NavSizer) m_NavSizer->Layout();
        }
        if (m_CancelButton) m_CancelButton->SetLabel(this->m_pImpl->insertRepeatedly ? _("Done") : _("Cancel"));
    }

    void SetDialogValues(T& element) override
    {
        GuiInitialization(false);
        OnInitializeDialog();
        this->m_NameCtrl->SetValue(element.GetName());
        this->m_NameCtrl->SelectAll();
        DoInitialSetup();
    }
    // The derived editor's own loading, after the base loaded the name.
    virtual void DoInitialSetup() = 0;

    // Applies the state to the controls: OK, navigation, lock, remembered page.
    // `quiet` suppresses the corrupt-state message (an editor made ahead of use).
    void GuiInitialization(bool quiet)
    {
        BindStandardHandlers();
        if (this->m_pImpl->isNew && m_OKButton) m_OKButton->Disable();
        this->ReadStateForControls();
        if (!m_Book) return;
        const bool locked = this->m_pImpl->locked;
        if (locked && this->m_pImpl->isNew && !quiet)
            wxLogError(_("Editor dialog is in a corrupt state.  Please close the window and do not save changes."));
        if (this->m_NameCtrl) this->m_NameCtrl->Enable(!locked);
        ElementEditorCore::EnableBookPages(m_Book, !locked);
        if (m_recalledPanelIndex >= 0 && size_t(m_recalledPanelIndex) < m_Book->GetPageCount())
            m_Book->SetSelection(size_t(m_recalledPanelIndex));
    }

    // Puts the editor aside: the hook, then an owned working copy is deleted.
    void SimulateDestruction()
    {
        OnPseudoDestroy();
        if (this->m_pImpl) this->m_pImpl->ReleaseWorkingCopy();
    }
    // A fresh state for another element. Throws VantrelSDK::VTException (after
    // logging "Error with list items in base dialog.") when the list window is no
    // list or an existing element has no selected row; the old state then stays.
    void SimulateRepeatOfConstructor(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly)
    {
        this->m_pImpl = std::make_shared<Pimpl>(experiment, listWindow, isNew, insertRepeatedly);
    }

    int InsertNewItemIntoListbox(int index, T& element)
    {
        return ElementEditorCore::InsertElementRow(*this->TheListCtrl(), index, element);
    }

    void OnOKNext(wxCommandEvent&) { OnOKPrevOrNext(m_NextButton ? m_NextButton->GetId() : -1); }
    void OnOKPrev(wxCommandEvent&) { OnOKPrevOrNext(m_PrevButton ? m_PrevButton->GetId() : -1); }
    void OnUpdateOKButton(wxUpdateUIEvent&)
    {
        RememberPage();
        if (!this->m_NameCtrl || !this->m_OKNameSeen.Changed(this->m_NameCtrl->GetValue())) return;
        if (m_OKButton) m_OKButton->Enable(ElementEditorCore::NameAllowsCommit(this->m_NameCtrl->GetValue()));
    }
    void OnUpdatePreviousNextButton(wxUpdateUIEvent&)
    {
        RememberPage();
        if (!this->m_NameCtrl || !this->m_NavNameSeen.Changed(this->m_NameCtrl->GetValue())) return;
        for (wxButton* button : {m_NextButton, m_PrevButton})
            if (button) button->Enable(!this->m_NameCtrl->GetValue().empty());
    }

    // Adds (add true) or removes the original element's link to the rule at once,
    // whatever the editor ends with. Nothing for a new element or in the minimal
    // lock state.
    void EditOriginalObjectLinkToRule(VTRule* rule, bool add)
    {
        if (!this->m_pImpl->original || this->m_pImpl->experiment->m_LockStateMinimal) return;
        auto* rules = dynamic_cast<Interface_UsesRules*>(this->m_pImpl->original);
        if (!rules) return;
        if (add)
            rules->AttachRule(rule);
        else
            rules->DetachRule(rule);
        this->m_pImpl->experiment->Modify(true);
    }

    // OK is offered: the name holds more than white space.
    bool SubmissionShouldBeAllowed() const
    {
        return this->m_NameCtrl && ElementEditorCore::NameAllowsCommit(this->m_NameCtrl->GetValue());
    }

    // The page of the book last seen by an editor of this element type.
    static int m_recalledPanelIndex;

protected:
    wxBookCtrlBase* m_Book = nullptr;
    wxButton* m_OKButton = nullptr;
    wxButton* m_CancelButton = nullptr;
    wxButton* m_NextButton = nullptr;
    wxButton* m_PrevButton = nullptr;
    wxSizer* m_NavSizer = nullptr;

private:
    void RememberPage()
    {
        if (m_Book) m_recalledPanelIndex = m_Book->GetSelection();
    }

    void BindStandardHandlers()
    {
        if (m_HandlersBound) return;
        m_HandlersBound = true;
        if (m_OKButton) {
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgNoXRCT::OnOK, this, m_OKButton->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgNoXRCT::OnUpdateOKButton, this, m_OKButton->GetId());
        }
        if (m_NextButton) {
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgNoXRCT::OnOKNext, this, m_NextButton->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgNoXRCT::OnUpdatePreviousNextButton, this,
                       m_NextButton->GetId());
        }
        if (m_PrevButton) {
            this->Bind(wxEVT_BUTTON, &VTEditElementBaseDlgNoXRCT::OnOKPrev, this, m_PrevButton->GetId());
            this->Bind(wxEVT_UPDATE_UI, &VTEditElementBaseDlgNoXRCT::OnUpdatePreviousNextButton, this,
                       m_PrevButton->GetId());
        }
    }

    bool m_HandlersBound = false;
};

template <class T>
int VTEditElementBaseDlgNoXRCT<T>::m_recalledPanelIndex = 0;

// New elements go to the end of the experiment's list and of the launching list.
template <class T>
class VTEditElementEndInsertDlgNoXRCT : public VTEditElementBaseDlgNoXRCT<T>
{
public:
    VTEditElementEndInsertDlgNoXRCT(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly)
        : VTEditElementBaseDlgNoXRCT<T>(experiment, listWindow, isNew, insertRepeatedly)
    {
        if (isNew) this->m_pImpl->listIndex = -1;
    }
    VTEditElementEndInsertDlgNoXRCT() = default;

    // Appends a row for the element, keeps the element in it and selects it; -1.
    virtual int InsertNewItemIntoListbox(int, T& element)
    {
        IVTListCtrl& list = *this->TheListCtrl();
        list.SetSelection(ElementEditorCore::InsertElementRow(list, -1, element));
        return -1;
    }
};

}  // namespace Vantrel
