// The experiment's services around rules: rule use, tag parents, the response
// summary and parameter deletion with the references that rules hold.

#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include <NonPersistentHelpers/VTElementsList.h>

#include <set>

namespace Vantrel {

namespace {

unsigned CountUsers(const VTElementsList& list, const VTRule* rule)
{
    if (!rule) return 0;
    unsigned count = 0;
    for (std::size_t i = 0; i < list.Size(); ++i)
        if (auto* user = dynamic_cast<const Interface_UsesRules*>(list[i]); user && user->UsesRule(rule)) ++count;
    return count;
}

}  // namespace

unsigned VTExperiment::HowManyBlocksUseThisRule(const VTRule* rule) const
{
    return CountUsers(GetReadOnlyElementsOfType(ElementType::Block), rule);
}

unsigned VTExperiment::HowManyTrialsUseThisRule(const VTRule* rule) const
{
    return CountUsers(GetReadOnlyElementsOfType(ElementType::Trial), rule);
}

int VTExperiment::GetParentIdFromTagId(int tagId) const
{
    if (tagId < 1) return 0;
    const auto* tag = dynamic_cast<VTTag*>(LookupElementByTypeAndID(ElementType::Tag, std::uint32_t(tagId)));
    return tag ? int(tag->GetParentTagSetID()) : 0;
}

std::vector<VantrelSDK::NameIDPair> VTExperiment::GetResponsesSummaryInfoList() const
{
    std::vector<VantrelSDK::NameIDPair> out;
    const VTElementsList& responses = GetReadOnlyElementsOfType(ElementType::Response);
    for (std::size_t i = 0; i < responses.Size(); ++i) {
        VantrelSDK::NameIDPair pair;
        pair.name = responses[i]->GetName();
        pair.id = int(responses[i]->GetID());
        out.push_back(pair);
    }
    return out;
}

void VTExperiment::RenameParameterReferences(const wxString& oldName, const wxString& newName)
{
    if (oldName.empty() || oldName == newName) return;
    const ParameterNameVisitor rename([&](wxString& named) {
        if (named == oldName) named = newName;
        return true;
    });
    for (auto& list : m_Lists)
        for (std::size_t i = 0; i < list->Size(); ++i)
            if (Minimal_VTElement* el = (*list)[i]) el->VisitParameterNames(rename);
}

bool VTExperiment::DeleteParameterAndItsReferences(const wxString& name)
{
    if (name.empty() || !m_Parameters->RemoveItem(name)) return false;
    const ParameterNameVisitor drop([&name](const wxString& named) { return named != name; },
                                    /*removesCriteria=*/true);
    for (auto& list : m_Lists)
        for (std::size_t i = 0; i < list->Size(); ++i)
            if (Minimal_VTElement* el = (*list)[i]) el->VisitParameterNames(drop);
    return true;
}

std::vector<wxString> VTExperiment::DropReferencesToMissingParameters()
{
    // A set of the names, so a large document is checked in time proportional to its size.
    std::set<wxString> names;
    for (const wxString& name : m_Parameters->GetVisibleParamNamesVector()) names.insert(name);
    std::set<wxString> seen;
    std::vector<wxString> dropped;
    for (auto& list : m_Lists)
        for (std::size_t i = 0; i < list->Size(); ++i)
            if (Minimal_VTElement* el = (*list)[i])
                el->VisitParameterNames([&](const wxString& named) {
                    if (names.count(named)) return true;
                    if (seen.insert(named).second) dropped.push_back(named);
                    return false;
                });
    return dropped;
}

}  // namespace Vantrel
