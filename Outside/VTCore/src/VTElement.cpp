#include <VTCore/VTElement.h>

#include "FieldKinds.h"

namespace Vantrel {

const char* const VTElement::m_ElementTypeName[ElementType::Count] = {
    "block", "trial",   "event", "trial variable", "rule", "response", "", "", "stimulus list", "participant group",
    "",      "tag set", "tag"};

wxString VTElement::ElementTypeName(VTElementType type)
{
    return IsValidElementTypeNumber(type) ? wxString(m_ElementTypeName[type]) : wxString();
}

VTElement::VTElement(VTElementType type, VTExperiment* experiment) : Minimal_VTElement(type, experiment) {}

VTElement::VTElement(const VTElement& source, VTExperiment* experiment)
    : Minimal_VTElement(source, experiment), m_SortKey(source.m_SortKey)
{}

VTElement::~VTElement() = default;

std::int32_t VTElement::GetSortKey() const { return m_SortKey; }
void VTElement::SetSortKey(std::int32_t key) { m_SortKey = key; }
int VTElement::GetChildNumForRandomization() const { return m_ChildNum; }
void VTElement::SetChildNumForRandomization(int number) { m_ChildNum = number; }

void VTElement::RefreshChildElementPointers()
{
    GetFieldTable().ForEachLinkList(*this, [](VTLinkT& links, bool warn) {
        links.WipeCleanAllElementPointers();
        links.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(warn);
    });
}

const ElementFieldTable& VTElement::ElementBaseFieldTable()
{
    static const ElementFieldTable table(&BaseFieldTable(),
                                         ElementMember("childNum", &VTElement::m_ChildNum, Whole<int>()));
    return table;
}

}  // namespace Vantrel
