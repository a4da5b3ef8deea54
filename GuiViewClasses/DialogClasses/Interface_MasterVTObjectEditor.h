#pragma once
// What every element editor answers about the element it edits. Panels embedded
// in an editor (the heading panel, the rules panels) hold a pointer to it.

namespace Vantrel {

class IVTListCtrl;
class Interface_UsesRules;
class Minimal_VTElement;
class VTExperiment;

class Interface_MasterVTObjectEditor
{
public:
    virtual ~Interface_MasterVTObjectEditor();
    // The editor creates a new element.
    virtual bool IsNewObject() const = 0;
    virtual VTExperiment* TheExperiment() const = 0;
    // The working copy the controls edit; the editor owns it until it is committed.
    virtual Minimal_VTElement* TheTempObject() const = 0;
    // The element being edited; null for a new element.
    virtual Minimal_VTElement* TheOriginalObject() const = 0;
    // The adapter over the list that launched the editor; owned by the editor.
    virtual IVTListCtrl* TheListCtrl() const = 0;
    // The working copy as an element with rules; null when its class has none.
    virtual Interface_UsesRules* TempCopyObjectUsingRules() const = 0;
    // The dialog is on screen.
    virtual bool IsCurrentlyInteractingWithUser() const = 0;
    // The experiment's lock state as read when the controls were set up.
    virtual bool DialogIsLocked() const = 0;
};

}  // namespace Vantrel
