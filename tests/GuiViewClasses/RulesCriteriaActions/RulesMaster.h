#pragma once
// An element editor as the rule panels see it: the experiment, the element being
// edited (null for a new one) and its working copy, and whether it is on screen.

#include <GuiViewClasses/DialogClasses/Interface_MasterVTObjectEditor.h>
#include <VTCore/Interface_UsesRules.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTTrial.h>

#include <memory>

namespace RuleRows {

template <class Element>
class RulesMaster : public Vantrel::Interface_MasterVTObjectEditor
{
public:
    RulesMaster(Vantrel::VTExperiment* experiment, Element* original)
        : experiment(experiment),
          original(original),
          temp(original ? new Element(*original, experiment) : new Element(experiment))
    {}
    bool IsNewObject() const override { return !original; }
    Vantrel::VTExperiment* TheExperiment() const override { return experiment; }
    Vantrel::Minimal_VTElement* TheTempObject() const override { return temp.get(); }
    Vantrel::Minimal_VTElement* TheOriginalObject() const override { return original; }
    Vantrel::IVTListCtrl* TheListCtrl() const override { return nullptr; }
    Vantrel::Interface_UsesRules* TempCopyObjectUsingRules() const override { return temp.get(); }
    bool IsCurrentlyInteractingWithUser() const override { return interacting; }
    bool DialogIsLocked() const override { return false; }

    // What the editors hand the rules panel: the original element's link, at once.
    void EditOriginalObjectLinkToRule(Vantrel::VTRule* rule, bool add)
    {
        if (!original) return;
        if (add)
            original->AttachRule(rule);
        else
            original->DetachRule(rule);
        experiment->Modify(true);
    }

    Vantrel::VTExperiment* experiment;
    Element* original;
    std::unique_ptr<Element> temp;
    bool interacting = true;
};

}  // namespace RuleRows
