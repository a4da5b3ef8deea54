#include <VTCore/VTEvent.h>
#include <VTCore/VTTrial.h>

#include "RuleLinks.h"

namespace Vantrel {

VTTrial::VTTrial(VTExperiment* experiment)
    : VTElement(ElementType::Trial, experiment),
      m_Events(experiment, ElementType::Event),
      m_Tags(experiment, ElementType::Tag),
      m_Rules(experiment, ElementType::Rule)
{}

VTTrial::VTTrial(const VTTrial& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_Events(source.m_Events),
      m_Tags(source.m_Tags),
      m_StartPeriodMs(source.m_StartPeriodMs),
      m_RandomizeEvents(source.m_RandomizeEvents),
      m_RandomizeWhen(source.m_RandomizeWhen),
      m_Repetitions(source.m_Repetitions),
      m_Rules(source.m_Rules)
{
    if (experiment) {
        m_Events.SetOwningExperiment(experiment);
        m_Tags.SetOwningExperiment(experiment);
        m_Rules.SetOwningExperiment(experiment);
    }
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

bool VTTrial::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTTrial*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_Events.CopyLinksFrom(s->m_Events);
    m_Tags.CopyLinksFrom(s->m_Tags);
    m_StartPeriodMs = s->m_StartPeriodMs;
    m_RandomizeEvents = s->m_RandomizeEvents;
    m_RandomizeWhen = s->m_RandomizeWhen;
    m_Repetitions = s->m_Repetitions;
    m_Rules.CopyLinksFrom(s->m_Rules);
    return true;
}

void VTTrial::SetOwningExperiment(VTExperiment* experiment)
{
    VTElement::SetOwningExperiment(experiment);
    if (experiment) {
        m_Events.SetOwningExperiment(experiment);
        m_Tags.SetOwningExperiment(experiment);
        m_Rules.SetOwningExperiment(experiment);
    }
}

void VTTrial::RefreshChildElementPointers()
{
    for (VTLinkT* links : {static_cast<VTLinkT*>(&m_Events), static_cast<VTLinkT*>(&m_Tags)}) {
        links->WipeCleanAllElementPointers();
        links->RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    }
    RefreshRuleUse();
}

bool VTTrial::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTTrial::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTTrial::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTTrial::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

bool VTTrial::AddUsedEvent(VTEvent* event) { return m_Events.AddChildElement(event, 0); }

VTEvent* VTTrial::GetUsedEvent(unsigned i)
{
    return i < m_Events.Size() ? dynamic_cast<VTEvent*>(m_Events.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
