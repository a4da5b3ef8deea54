#pragma once
#include <VTCore/Interface_UsesRules.h>
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

    // Pause before the first event, in milliseconds.
    virtual int GetStartPeriod() const { return m_StartPeriodMs; }
    virtual void SetStartPeriod(int ms) { m_StartPeriodMs = ms; }
    // Event order shuffling; when code 62/63/61/-1 as the editor passes it.
    virtual bool GetRandomizeEvents() const { return m_RandomizeEvents; }
    virtual void SetRandomizeEvents(bool randomize) { m_RandomizeEvents = randomize; }
    virtual int GetRandomizeEventsWhen() const { return m_RandomizeWhen; }
    virtual void SetRandomizeEventsWhen(int when) { m_RandomizeWhen = when; }

    // How many times the trial is presented in its block (at least once).
    virtual unsigned GetRepetitions() const { return m_Repetitions; }
    virtual void SetRepetitions(unsigned count) { m_Repetitions = count == 0 ? 1 : count; }

private:
    VTUsedElements m_Events{nullptr, ElementType::Event};
    VTUsedElements m_Tags{nullptr, ElementType::Tag};
    int m_StartPeriodMs = 0;
    bool m_RandomizeEvents = false;
    int m_RandomizeWhen = -1;
    unsigned m_Repetitions = 1;
    VTUsedElements m_Rules{nullptr, ElementType::Rule};
    boost::shared_ptr<MetaTFPredicate> m_WhenToPresent;
};

}  // namespace Vantrel
