#pragma once
#include <VTCore/Interface_UsesRules.h>
#include <VTCore/ListAccessHelper.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <boost/shared_ptr.hpp>

namespace Vantrel {

class VTEvent;

// A trial: an ordered list of events, presented one after another.
class VTTrial : public VTElement, public Interface_UsesRules
{
public:
    explicit VTTrial(VTExperiment* experiment);
    VTTrial(const VTTrial& source, VTExperiment* experiment = nullptr);
    ~VTTrial() override;
    static VTTrial* CreateTemporary_CallerMustDelete(const VTTrial* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    // Rules (type 4 links).
    bool UsesRule(const VTRule* rule) const override;
    void RefreshRuleUse() override;
    bool AttachRule(VTRule* rule) override;
    bool DetachRule(const VTRule* rule) override;
    VTUsedElements& GetUsedRules() override { return m_Rules; }
    const VTUsedElements& GetUsedRules() const override { return m_Rules; }
    unsigned GetNumberOfUsedRules() const { return unsigned(m_Rules.Size()); }

    // "When to Present" criteria; null: always. The copy is independent of the
    // element; replacing copies the predicate in.
    boost::shared_ptr<MetaTFPredicate> GetCopyOfExpressionOrElseNull(VTExperiment* experiment = nullptr) const;
    void ReplaceWhenToPresentExpression(boost::shared_ptr<const MetaTFPredicate> predicate);
    // The stored criteria for reading (a run evaluates these), or null.
    const MetaTFPredicate* GetWhenToPresent() const { return m_WhenToPresent.get(); }

    // Events in presentation order (type 2 links).
    VTUsedElements& GetUsedEvents() { return m_Events; }
    const VTUsedElements& GetUsedEvents() const { return m_Events; }
    unsigned GetNumberOfUsedEvents() const { return unsigned(m_Events.Size()); }
    bool AddUsedEvent(VTEvent* event);
    VTEvent* GetUsedEvent(unsigned i);

    // The trial's tags (type 12 links).
    VTUsedElements& GetUsedTags() { return m_Tags; }
    const VTUsedElements& GetUsedTags() const { return m_Tags; }

    // Trial pacing: with trial sync on, the next trial starts the start period (in
    // milliseconds) after this trial started.
    bool UsingTrialSync() const { return m_TrialSync; }
    void SetTrialSyncEnabledness(bool on) { m_TrialSync = on; }
    virtual int GetStartPeriod() const { return m_StartPeriodMs; }
    virtual void SetStartPeriod(int ms) { m_StartPeriodMs = ms < 0 ? 0 : ms; }
    // Event order shuffling; when code 62/63/61/-1 as the editor passes it.
    virtual bool GetRandomizeEvents() const { return m_RandomizeEvents; }
    virtual void SetRandomizeEvents(bool randomize) { m_RandomizeEvents = randomize; }
    virtual int GetRandomizeEventsWhen() const { return m_RandomizeWhen; }
    virtual void SetRandomizeEventsWhen(int when) { m_RandomizeWhen = when; }

    // Event shuffling leaves the first (a cue) or the last event (a mask) in place.
    bool m_ExcludeFirstEventFromRandomization = false;
    bool m_ExcludeLastEventFromRandomization = false;
    // Trial variables get a new level when the trial is restarted due to feedback.
    bool m_GetNewLevelOnRestart = false;

    // How often the trial may be presented again due to feedback, in a row.
    bool GetLimitOfRepeatsDueToFeedbackFlag() const { return m_LimitRepeats; }
    void SetLimitOfRepeatsDueToFeedbackFlag(bool on) { m_LimitRepeats = on; }
    unsigned GetLimitOfRepeatsDueToFeedback() const { return m_RepeatLimit; }
    void SetNumberOfRepeatsDueToFeedback(unsigned count) { m_RepeatLimit = count; }

    // List access: the distinct stimulus lists of the trial's events (in the order the
    // events first use them) and the codes of ListAccessHelper.
    std::vector<std::uint32_t> GetUsedStimListIDs() const;
    virtual int GetNumberOfStimLists() const { return int(GetUsedStimListIDs().size()); }
    // The trial's list access with the current sizes of its lists.
    ListAccessHelper GetReadOnlyReferenceToListAccess() const;
    void SetListAccessConfiguration(int whenToShuffle, int accessType)
    {
        m_ListShuffleWhen = whenToShuffle;
        m_ListAccessType = accessType;
    }

    // How many times the trial is presented in its block (at least once).
    virtual unsigned GetRepetitions() const { return m_Repetitions; }
    virtual void SetRepetitions(unsigned count) { m_Repetitions = count == 0 ? 1 : count; }

private:
    VTUsedElements m_Events{nullptr, ElementType::Event};
    VTUsedElements m_Tags{nullptr, ElementType::Tag};
    bool m_TrialSync = false;
    int m_StartPeriodMs = 0;
    bool m_LimitRepeats = false;
    unsigned m_RepeatLimit = 0;
    int m_ListShuffleWhen = ListAccessHelper::kShuffleNever;
    int m_ListAccessType = ListAccessHelper::kPaired;
    bool m_RandomizeEvents = false;
    int m_RandomizeWhen = -1;
    unsigned m_Repetitions = 1;
    VTUsedElements m_Rules{nullptr, ElementType::Rule};
    boost::shared_ptr<MetaTFPredicate> m_WhenToPresent;
};

}  // namespace Vantrel
