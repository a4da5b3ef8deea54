#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTExperiment.h>

#include <wx/intl.h>

namespace Vantrel {

Minimal_VTElement::Minimal_VTElement(VTElementType type, VTExperiment* experiment)
    : m_Type(type), m_ID(experiment ? experiment->AllocateNewElementID(type) : kNoElementID), m_Experiment(experiment)
{}

Minimal_VTElement::Minimal_VTElement(const Minimal_VTElement& source, VTExperiment* experiment)
    : m_Type(source.m_Type),
      m_ID(source.m_ID),
      m_Name(source.m_Name),
      m_Notes(source.m_Notes),
      m_Temporary(false),
      m_Experiment(experiment)
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
void Minimal_VTElement::SetOwningExperiment(VTExperiment* experiment) { m_Experiment = experiment; }

bool Minimal_VTElement::CopySettingsFrom(const Minimal_VTElement& source)
{
    if (source.m_Type != m_Type) return false;
    CopyBaseSettingsFrom(source);
    return true;
}

void Minimal_VTElement::CopyBaseSettingsFrom(const Minimal_VTElement& source)
{
    m_Name = source.m_Name;
    m_Notes = source.m_Notes;
}

}  // namespace Vantrel
