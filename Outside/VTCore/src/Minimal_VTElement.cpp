#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTElement.h>
#include <VTCore/VTExperiment.h>

#include <wx/intl.h>

namespace Vantrel {

bool IsElementTypeWithClass(VTElementType type)
{
    switch (type) {
        case ElementType::Block:
        case ElementType::Trial:
        case ElementType::Event:
        case ElementType::TrialVariable:
        case ElementType::Rule:
        case ElementType::Response:
        case ElementType::StimList:
        case ElementType::ParticipantGroup:
        case ElementType::TagSet:
        case ElementType::Tag:
            return true;
        default:
            return false;
    }
}

Minimal_VTElement::Minimal_VTElement(VTElementType type, VTExperiment* experiment)
    : m_Type(type), m_ID(experiment ? experiment->AllocateNewElementID(type) : kNoElementID), m_Experiment(experiment)
{
}

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
        case ElementType::ParticipantGroup: return forDisplay ? _("Participant Group") : wxString(wxS("ParticipantGroup"));
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

const char* const VTElement::m_ElementTypeName[ElementType::Count] = {
    "block", "trial", "event", "trial variable", "rule", "response", "", "",
    "stimulus list", "participant group", "", "tag set", "tag"};

wxString VTElement::ElementTypeName(VTElementType type)
{
    return IsValidElementTypeNumber(type) ? wxString(m_ElementTypeName[type]) : wxString();
}

VTElement::VTElement(VTElementType type, VTExperiment* experiment) : Minimal_VTElement(type, experiment) {}

VTElement::VTElement(const VTElement& source, VTExperiment* experiment)
    : Minimal_VTElement(source, experiment), m_SortKey(source.m_SortKey), m_ChildNum(source.m_ChildNum)
{
}

VTElement::~VTElement() = default;

std::int32_t VTElement::GetSortKey() const { return m_SortKey; }
void VTElement::SetSortKey(std::int32_t key) { m_SortKey = key; }
int VTElement::GetChildNumForRandomization() const { return m_ChildNum; }
void VTElement::SetChildNumForRandomization(int number) { m_ChildNum = number; }
void VTElement::RefreshChildElementPointers() {}

void VTElement::CopyElementSettingsFrom(const VTElement& source)
{
    CopyBaseSettingsFrom(source);
    m_ChildNum = source.m_ChildNum;
}

}  // namespace Vantrel
