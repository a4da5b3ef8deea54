#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>

#include <algorithm>

#include "RuleFormFields.h"
#include "RuleLinks.h"

namespace Vantrel {

VTTrial::VTTrial(VTExperiment* experiment) : VTElement(ElementType::Trial, experiment)
{
    SetOwningExperiment(experiment);
}

VTTrial::VTTrial(const VTTrial& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTTrial::~VTTrial() = default;

VTTrial* VTTrial::CreateTemporary_CallerMustDelete(const VTTrial* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTTrial::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTTrial(*this, experiment);
}

const ElementFieldTable& VTTrial::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("rules", &VTTrial::m_Rules, RuleLinks::Kind()),
        ElementMember("whenToPresent", &VTTrial::m_WhenToPresent, OptionalPredicateKind()),
        ElementMember("events", &VTTrial::m_Events, LinksKind()), ElementMember("tags", &VTTrial::m_Tags, LinksKind()),
        ElementMember("trialSync", &VTTrial::m_TrialSync, BoolKind()),
        ElementMember("startPeriodMs", &VTTrial::m_StartPeriodMs, Whole<int>(0, INT_MAX)),
        ElementMember("randomizeEvents", &VTTrial::m_RandomizeEvents, BoolKind()),
        ElementMember("randomizeWhen", &VTTrial::m_RandomizeWhen, Whole<int>()),
        ElementMember("excludeFirstEvent", &VTTrial::m_ExcludeFirstEventFromRandomization, BoolKind()),
        ElementMember("excludeLastEvent", &VTTrial::m_ExcludeLastEventFromRandomization, BoolKind()),
        ElementMember("newLevelOnRestart", &VTTrial::m_GetNewLevelOnRestart, BoolKind()),
        ElementMember("limitRepeatsDueToFeedback", &VTTrial::m_LimitRepeats, BoolKind()),
        ElementMember("repeatsDueToFeedbackLimit", &VTTrial::m_RepeatLimit, Whole<unsigned>(0, UINT_MAX)),
        ElementMember("listShuffleWhen", &VTTrial::m_ListShuffleWhen, Whole<int>()),
        ElementMember("listAccessType", &VTTrial::m_ListAccessType, Whole<int>()),
        ElementMember("repetitions", &VTTrial::m_Repetitions, Whole<unsigned>(1, 100000)));
    return table;
}

bool VTTrial::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTTrial::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTTrial::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTTrial::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

boost::shared_ptr<MetaTFPredicate> VTTrial::GetCopyOfExpressionOrElseNull(VTExperiment*) const
{
    return CopyOfPredicate(m_WhenToPresent);
}

void VTTrial::ReplaceWhenToPresentExpression(boost::shared_ptr<const MetaTFPredicate> predicate)
{
    m_WhenToPresent = CopyOfPredicate(predicate);
}

bool VTTrial::AddUsedEvent(VTEvent* event) { return m_Events.AddChildElement(event, 0); }

std::vector<std::uint32_t> VTTrial::GetUsedStimListIDs() const
{
    std::vector<std::uint32_t> ids;
    auto& events = const_cast<VTUsedElements&>(m_Events);  // resolving a link changes nothing stored
    for (unsigned i = 0; i < events.Size(); ++i) {
        const auto* event = dynamic_cast<const VTEvent*>(events.GetUsedElementPtr(i));
        if (!event || !event->IsListEvent()) continue;
        const auto id = std::uint32_t(event->GetStimListID());
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
    return ids;
}

ListAccessHelper VTTrial::GetReadOnlyReferenceToListAccess() const
{
    std::vector<std::uint64_t> sizes;
    VTExperiment* experiment = GetOwningExperiment();
    for (std::uint32_t id : GetUsedStimListIDs()) {
        const VTStimList* list = experiment ? experiment->GetStimListIfacePtr(id) : nullptr;
        sizes.push_back(list ? list->GetItemCount() : 0);
    }
    return ListAccessHelper(m_ListShuffleWhen, m_ListAccessType, std::move(sizes));
}

VTEvent* VTTrial::GetUsedEvent(unsigned i)
{
    return i < m_Events.Size() ? dynamic_cast<VTEvent*>(m_Events.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
