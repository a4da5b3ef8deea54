#include <VTCore/VTBlock.h>

#include "FieldKinds.h"
#include "RuleFormFields.h"
#include "RuleLinks.h"
#include <VTCore/VTTrial.h>

#include <wx/arrstr.h>
#include <wx/intl.h>

namespace Vantrel {

VTBlock::VTBlock(VTExperiment* experiment)
    : VTElement(ElementType::Block, experiment),
      m_PauseMessage(_("Please take a break.\nPress any key when you are ready to continue."))
{
    SetOwningExperiment(experiment);
}

VTBlock::VTBlock(const VTBlock& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTBlock::~VTBlock() = default;

VTBlock* VTBlock::CreateTemporary_CallerMustDelete(const VTBlock* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTBlock::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTBlock(*this, experiment);
}

const ElementFieldTable& VTBlock::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("rules", &VTBlock::m_Rules, RuleLinks::Kind()),
        ElementMember("whenToPresent", &VTBlock::m_WhenToPresent, OptionalPredicateKind()),
        ElementMember("trials", &VTBlock::m_Trials, LinksKind()),
        ElementMember("selected", &VTBlock::m_Selected, BoolKind()),
        ElementMember("randomizeTrials", &VTBlock::m_RandomizeTrials, BoolKind()),
        ElementMember("randomizeWhen", &VTBlock::m_RandomizeWhen, Whole<int>()),
        ElementMember("loopMode", &VTBlock::m_LoopMode, Whole<int>()),
        ElementMember("loopCount", &VTBlock::m_LoopCount, Whole<int>(0, 100000)),
        ElementMember("jumbleLists", &VTBlock::m_JumbleLists, BoolKind()),
        ElementMember("timeLimitOn", &VTBlock::m_TimeLimitOn, BoolKind()),
        ElementMember("timeLimit", &VTBlock::m_TimeLimit, Whole<unsigned>(0, UINT_MAX)),
        ElementMember("timeLimitUnits", &VTBlock::m_TimeLimitUnits, Whole<int>()),
        ElementMember("trialLimitOn", &VTBlock::m_TrialLimitOn, BoolKind()),
        ElementMember("trialLimit", &VTBlock::m_TrialLimit, Whole<unsigned>(0, UINT_MAX)),
        ElementMember("pauseOn", &VTBlock::m_PauseOn, BoolKind()),
        ElementMember("pauseInterval", &VTBlock::m_PauseInterval, Whole<unsigned>(0, UINT_MAX)),
        ElementMember("pauseMessage", &VTBlock::m_PauseMessage, TextKind()));
    return table;
}

bool VTBlock::UsesRule(const VTRule* rule) const { return RuleLinks::Uses(m_Rules, rule); }
void VTBlock::RefreshRuleUse() { RuleLinks::Refresh(m_Rules); }
bool VTBlock::AttachRule(VTRule* rule) { return RuleLinks::Attach(m_Rules, rule); }
bool VTBlock::DetachRule(const VTRule* rule) { return RuleLinks::Detach(m_Rules, rule); }

boost::shared_ptr<MetaTFPredicate> VTBlock::GetCopyOfExpressionOrElseNull(VTExperiment*) const
{
    return CopyOfPredicate(m_WhenToPresent);
}

void VTBlock::ReplaceWhenToPresentExpression(boost::shared_ptr<const MetaTFPredicate> predicate)
{
    m_WhenToPresent = CopyOfPredicate(predicate);
}

void VTBlock::GetListOfTrialsUsingListAccessRandomization(wxArrayString& names) const
{
    auto& trials = const_cast<VTUsedElements&>(m_Trials);  // resolving a link changes nothing stored
    for (unsigned i = 0; i < trials.Size(); ++i)
        if (const auto* trial = dynamic_cast<const VTTrial*>(trials.GetUsedElementPtr(i)))
            if (trial->GetReadOnlyReferenceToListAccess().ShufflesListItems()) names.Add(trial->GetName());
}

void VTBlock::GetTimeLimitExtraActionSettings(bool& enabled, unsigned& amount, TimeLimitExtraActionUnits& units) const
{
    enabled = m_TimeLimitOn;
    amount = m_TimeLimit;
    units = TimeLimitExtraActionUnits(m_TimeLimitUnits);
}

void VTBlock::SetTimeLimitExtraActionSettings(bool enabled, unsigned amount, TimeLimitExtraActionUnits units)
{
    m_TimeLimitOn = enabled;
    m_TimeLimit = amount;
    m_TimeLimitUnits = units;
}

void VTBlock::GetTrialLimitExtraActionSettings(bool& enabled, unsigned& count) const
{
    enabled = m_TrialLimitOn;
    count = m_TrialLimit;
}

void VTBlock::SetTrialLimitExtraActionSettings(bool enabled, unsigned count)
{
    m_TrialLimitOn = enabled;
    m_TrialLimit = count;
}

void VTBlock::GetPauseExtraActionSettings(bool& enabled, unsigned& interval, wxString& message) const
{
    enabled = m_PauseOn;
    interval = m_PauseInterval;
    message = m_PauseMessage;
}

void VTBlock::SetPauseExtraActionSettings(bool enabled, unsigned interval, const wxString& message)
{
    m_PauseOn = enabled;
    m_PauseInterval = interval;
    m_PauseMessage = message;
}

bool VTBlock::AddUsedTrial(VTTrial* trial) { return m_Trials.AddChildElement(trial, 0); }

VTTrial* VTBlock::GetUsedTrial(unsigned i)
{
    return i < m_Trials.Size() ? dynamic_cast<VTTrial*>(m_Trials.GetUsedElementPtr(i)) : nullptr;
}

}  // namespace Vantrel
