#pragma once
// The base of every element of an experiment: identity, name, notes, working-copy mark.

#include <VTCore/DeclaredFields.h>
#include <VTCore/VTElementType.h>
#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

class VTExperiment;

class Minimal_VTElement
{
public:
    virtual ~Minimal_VTElement();

    // Identity: the id is unique within the type and never changes while the
    // element sits in a list.
    virtual std::uint32_t GetID() const;
    virtual VTElementType GetElementType() const;
    // false: the compact name ("Event", "StimList"), the first part of persistence
    // names; true: the translated words shown to the user ("Stimulus List").
    virtual wxString GetTypeName(bool forDisplay = false) const;

    virtual const wxString& GetName() const;
    virtual void SetName(const wxString& name);
    virtual const wxString& GetNotes() const;
    virtual void SetNotes(const wxString& notes);

    // Set on a working copy while an editor holds it.
    virtual bool IsTemporary() const;
    virtual void SetTemporary(bool temporary);

    // Null for a working copy. Setting an experiment moves the link lists to it.
    virtual VTExperiment* GetOwningExperiment() const;
    virtual void SetOwningExperiment(VTExperiment* experiment);

    // A copy for `experiment` that keeps this element's id and every setting.
    virtual Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const = 0;
    // Copies every setting (not the id, the owner or the temporary mark) from an
    // element of the same class; false and nothing changed for another class.
    virtual bool CopySettingsFrom(const Minimal_VTElement& source);

    // The stored settings of the element's class, its bases' first.
    virtual const ElementFieldTable& GetFieldTable() const = 0;
    // Name and notes, the fields every element has.
    static const ElementFieldTable& BaseFieldTable();
    // Every reference the element holds to another element; the visitor may drop it.
    void VisitReferences(const ReferenceVisitor& visit) { GetFieldTable().VisitReferences(*this, visit); }
    // Every experiment parameter the element names; the visitor may drop it.
    void VisitParameterNames(const ParameterNameVisitor& visit) { GetFieldTable().VisitParameterNames(*this, visit); }

    // Hooks of the element's life in an experiment. After its fields were read
    // from a document (reconcile fields that depend on each other):
    virtual void AfterFieldsRead() {}
    // After an element list of the experiment took it in:
    virtual void OnInsertedIntoList() {}
    // After CopySettingsFrom committed a working copy into it:
    virtual void AfterSettingsCommitted(const Minimal_VTElement& /*source*/) {}

    // Only for loading and for lists that are being built: the id is the key of
    // the list's index and must not change once the element is in a list.
    void ReplaceID_BeforeAddingToAList(std::uint32_t id) { m_ID = id; }

protected:
    // A new element: gets a fresh id from the experiment (0 without one).
    Minimal_VTElement(VTElementType type, VTExperiment* experiment);
    // A copy keeping the source's id, owned by `experiment` (may be null). The
    // settings come from CopyDeclaredFields in the most derived constructor.
    Minimal_VTElement(const Minimal_VTElement& source, VTExperiment* experiment);
    Minimal_VTElement& operator=(const Minimal_VTElement&) = delete;

    // For the copy constructor of each concrete class: every declared field from
    // source; link lists then move to the copy's experiment when it has one.
    void CopyDeclaredFields(const Minimal_VTElement& source);

private:
    VTElementType m_Type;
    std::uint32_t m_ID;
    wxString m_Name;
    wxString m_Notes;
    bool m_Temporary = false;
    VTExperiment* m_Experiment;
};

// The working copy of an editor: same id, every setting, no owning experiment
// unless one is given. The caller owns it.
template <class T>
T* CreateTemporaryCopy_CallerMustDelete(const T* original, VTExperiment* experiment)
{
    return original ? new T(*original, experiment) : nullptr;
}

}  // namespace Vantrel
