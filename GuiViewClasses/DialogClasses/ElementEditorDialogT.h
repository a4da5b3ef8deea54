#pragma once
// What the two element editor bases (VTEditElementBaseDlgT, laid out by a
// resource, and VTEditElementBaseDlgNoXRCT, built in code) share: the state of the
// element being edited, the answers of Interface_MasterVTObjectEditor, the name
// check, the transfers between working copy and controls, and the steps of OK and
// of previous/next. `DialogBase` is the dialog class the base stands on.

#include "ElementEditorState.h"
#include "Interface_MasterVTObjectEditor.h"

#include <VTCore/Interface_UsesRules.h>
#include <VTCore/VTExperiment.h>

#include <wx/textctrl.h>

#include <memory>

namespace Vantrel {

template <class T, class DialogBase>
class ElementEditorDialogT : public DialogBase, public Interface_MasterVTObjectEditor
{
public:
    using Pimpl = ElementEditorState<T>;

    bool IsNewObject() const override { return m_pImpl->isNew; }
    VTExperiment* TheExperiment() const override { return m_pImpl->experiment; }
    T* TheTempObject() const override { return m_pImpl->WorkingCopy(); }
    T* TheOriginalObject() const override { return m_pImpl->original; }
    IVTListCtrl* TheListCtrl() const override { return m_pImpl->list.get(); }
    // The working copy seen as an element with rules; null for classes without.
    Interface_UsesRules* TempCopyObjectUsingRules() const override
    {
        return dynamic_cast<Interface_UsesRules*>(TheTempObject());
    }
    bool IsCurrentlyInteractingWithUser() const override { return this->IsShownOnScreen(); }
    bool DialogIsLocked() const override { return m_pImpl->locked; }

    virtual bool CheckElementName_PossiblyEditingTheTextControl()
    {
        return ElementEditorCore::CheckNameInControl(m_pImpl->experiment, m_NameCtrl, TheTempObject(),
                                                     TheOriginalObject());
    }
    // The base stores the name; false keeps the dialog open with nothing written.
    virtual bool GetDialogValues(T& element)
    {
        if (!CheckElementName_PossiblyEditingTheTextControl()) return false;
        element.SetName(m_NameCtrl->GetValue());
        return true;
    }
    virtual void SetDialogValues(T& element) = 0;

    bool Validate() override
    {
        if (!CheckElementName_PossiblyEditingTheTextControl()) return false;
        if (m_NameCtrl->GetValue().empty()) return false;
        return DialogBase::Validate();
    }
    bool TransferDataToWindow() override
    {
        if (TheTempObject()) SetDialogValues(*TheTempObject());
        return DialogBase::TransferDataToWindow();
    }
    bool TransferDataFromWindow() override
    {
        if (!TheTempObject() || !GetDialogValues(*TheTempObject())) return false;
        return DialogBase::TransferDataFromWindow();
    }

    // Something reached the experiment while the editor was open, even when it
    // then ends with Cancel ("Done" after insert-repeatedly, Cancel after next).
    bool CommittedAnElement() const { return m_pImpl->committedSomething; }

protected:
    enum class OkOutcome
    {
        Locked,       // nothing written: end as cancelled
        Refused,      // a check failed or the experiment refused: stay open
        NextStarted,  // committed, and a fresh new element is shown
        Committed     // committed: end with OK
    };

    // The OK step up to ending the dialog: checks, commit, and in insert-repeatedly
    // mode the next new element.
    OkOutcome CommitFromOK(bool leaveExperimentUnchanged)
    {
        if (m_pImpl->locked) return OkOutcome::Locked;
        if (!Validate() || !TransferDataFromWindow() || !m_pImpl->Commit(leaveExperimentUnchanged)) {
            if (TheTempObject()) TheTempObject()->SetTemporary(true);
            return OkOutcome::Refused;
        }
        if (!m_pImpl->isNew || !m_pImpl->insertRepeatedly) return OkOutcome::Committed;
        m_pImpl->StartNewElement();
        SetDialogValues(*TheTempObject());
        return OkOutcome::NextStarted;
    }

    // Previous/next: checks, writes back (not while locked or in the minimal lock
    // state), moves the list view's selection and shows the element there. Only
    // for an existing element of a list view with more than one row.
    void StepToNeighbour(bool next)
    {
        if (!m_pImpl->canNavigate) return;
        if (!Validate() || !TransferDataFromWindow()) return;
        const bool writeBack = !m_pImpl->locked && !m_pImpl->experiment->m_LockStateMinimal;
        if (m_pImpl->StepTo(next, writeBack)) TransferDataToWindow();
    }

    // Navigation, lock and the update handlers' memory, for (re)initialisation.
    void ReadStateForControls()
    {
        if (!m_pImpl->isNew) m_pImpl->canNavigate = ElementEditorCore::ListAllowsNavigation(TheListCtrl());
        wxString reason;
        m_pImpl->locked = m_pImpl->experiment->IsLocked(reason);
        m_OKNameSeen.Forget();
        m_NavNameSeen.Forget();
    }

    std::shared_ptr<Pimpl> m_pImpl;
    wxTextCtrl* m_NameCtrl = nullptr;
    // The name texts the update handlers acted on last.
    ElementEditorCore::NameSeen m_OKNameSeen;
    ElementEditorCore::NameSeen m_NavNameSeen;
};

}  // namespace Vantrel
