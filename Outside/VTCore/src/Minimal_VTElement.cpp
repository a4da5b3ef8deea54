#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTExperiment.h>

#include "FieldKinds.h"

#include <wx/intl.h>

#include <typeinfo>

namespace Vantrel {

Minimal_VTElement::Minimal_VTElement(VTElementType type, VTExperiment* experiment)
    : m_Type(type), m_ID(experiment ? experiment->AllocateNewElementID(type) : kNoElementID), m_Experiment(experiment)
{}

Minimal_VTElement::Minimal_VTElement(const Minimal_VTElement& source, VTExperiment* experiment)
    : m_Type(source.m_Type), m_ID(source.m_ID), m_Temporary(false), m_Experiment(experiment)
{
    if (experiment) experiment->ReserveElementID(m_Type, m_ID);
}

Minimal_VTElement::~Minimal_VTElement() = default;

std::uint32_t Minimal_VTElement::GetID() const { return m_ID; }
VTElementType Minimal_VTElement::GetElementType() const { return m_Type; }

wxString Minimal_VTElement::GetTypeName(bool forDisplay) const
{
    switch (m_Type) {
        case ElementType::Block: return forDisplay ? _("Block") : wxString(wxS("Block"));
        case ElementType::Trial: return forDisplay ? _("Trial") : wxString(wxS("Trial"));
        case ElementType::Event: return forDisplay ? _("Event") : wxString(wxS("Event"));
        case ElementType::TrialVariable: return forDisplay ? _("Trial Variable") : wxString(wxS("TrialVariable"));
        case ElementType::Rule: return forDisplay ? _("Rule") : wxString(wxS("Rule"));
        case ElementType::Response: return forDisplay ? _("Response") : wxString(wxS("Response"));
        case ElementType::StimList: return forDisplay ? _("Stimulus List") : wxString(wxS("StimList"));
        case ElementType::ParticipantGroup:
            return forDisplay ? _("Participant Group") : wxString(wxS("ParticipantGroup"));
        case ElementType::TagSet: return forDisplay ? _("Tag Set") : wxString(wxS("TagSet"));
        case ElementType::Tag: return forDisplay ? _("Tag") : wxString(wxS("Tag"));
        default: return wxString();
    }
}

const wxString& Minimal_VTElement::GetName() const { return m_Name; }
void Minimal_VTElement::SetName(const wxString& name) { m_Name = name; }
const wxString& Minimal_VTElement::GetNotes() const { return m_Notes; }
void Minimal_VTElement::SetNotes(const wxString& notes) { m_Notes = notes; }
bool Minimal_VTElement::IsTemporary() const { return m_Temporary; }
void Minimal_VTElement::SetTemporary(bool temporary) { m_Temporary = temporary; }
VTExperiment* Minimal_VTElement::GetOwningExperiment() const { return m_Experiment; }

void Minimal_VTElement::SetOwningExperiment(VTExperiment* experiment)
{
    m_Experiment = experiment;
    // A working copy (no experiment) keeps resolving through its links' experiment.
    if (experiment)
        GetFieldTable().ForEachLinkList(*this,
                                        [experiment](VTLinkT& links, bool) { links.SetOwningExperiment(experiment); });
}

bool Minimal_VTElement::CopySettingsFrom(const Minimal_VTElement& source)
{
    if (typeid(source) != typeid(*this)) return false;
    if (&source == this) return true;
    GetFieldTable().CopySettings(*this, source);
    AfterSettingsCommitted(source);
    return true;
}

void Minimal_VTElement::CopyDeclaredFields(const Minimal_VTElement& source)
{
    GetFieldTable().CopyForClone(*this, source);
    if (m_Experiment) SetOwningExperiment(m_Experiment);
}

const ElementFieldTable& Minimal_VTElement::BaseFieldTable()
{
    static const ElementFieldTable table(nullptr, ElementMember("name", &Minimal_VTElement::m_Name, TextKind()),
                                         ElementMember("notes", &Minimal_VTElement::m_Notes, TextKind()));
    return table;
}

}  // namespace Vantrel
