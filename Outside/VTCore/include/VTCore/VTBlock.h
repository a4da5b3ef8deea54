#pragma once
#include <VTCore/Interface_UsesRules.h>
#include <VTCore/MetaTFPredicate.h>
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <boost/shared_ptr.hpp>
#include <wx/arrstr.h>

namespace Vantrel {

class VTTrial;

// A block: an ordered list of trials.
class VTBlock : public VTElement, public Interface_UsesRules
{
public:
    explicit VTBlock(VTExperiment* experiment);
    VTBlock(const VTBlock& source, VTExperiment* experiment = nullptr);
    ~VTBlock() override;
    static VTBlock* CreateTemporary_CallerMustDelete(const VTBlock* original, VTExperiment* experiment);

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

    // Trials in presentation order (type 1 links).
    VTUsedElements& GetUsedTrials() { return m_Trials; }
    const VTUsedElements& GetUsedTrials() const { return m_Trials; }
    unsigned GetNumberOfUsedTrials() const { return unsigned(m_Trials.Size()); }
    bool AddUsedTrial(VTTrial* trial);
    // The trial at a position, resolved; null when gone.
    VTTrial* GetUsedTrial(unsigned i);

    // Marked for "run selected blocks only" and for the preview.
    virtual bool IsSelected() const { return m_Selected; }
    virtual void SetSelected(bool selected) { m_Selected = selected; }
    // Trial order shuffling; when code 61 per group, 62 per run, 63 every presentation, -1 none.
    virtual bool GetRandomizeTrials() const { return m_RandomizeTrials; }
    virtual void SetRandomizeTrials(bool randomize) { m_RandomizeTrials = randomize; }
    virtual int GetRandomizeTrialsWhen() const { return m_RandomizeWhen; }
    virtual void SetRandomizeTrialsWhen(int when) { m_RandomizeWhen = when; }

    // The trials' list items shuffled together across trials, instead of each trial
    // keeping its presentations in its own list-access order.
    bool GetListJumblingSetting() const { return m_JumbleLists; }
    void SetJumbleStimListsTogether(bool jumble) { m_JumbleLists = jumble; }
    // Appends the names of the block's trials whose list access shuffles list items
    // (in conflict with jumbling the lists across trials).
    void GetListOfTrialsUsingListAccessRandomization(wxArrayString& names) const;

    // Extra actions: stop presenting new trials past a time, present at most a number
    // of trials, pause every number of trials with a message. Disabled actions keep
    // their values.
    enum TimeLimitExtraActionUnits : int
    {
        TimeLimitSeconds = 91,
        TimeLimitMilliseconds = 92
    };
    void GetTimeLimitExtraActionSettings(bool& enabled, unsigned& amount, TimeLimitExtraActionUnits& units) const;
    void SetTimeLimitExtraActionSettings(bool enabled, unsigned amount, TimeLimitExtraActionUnits units);
    void GetTrialLimitExtraActionSettings(bool& enabled, unsigned& count) const;
    void SetTrialLimitExtraActionSettings(bool enabled, unsigned count);
    void GetPauseExtraActionSettings(bool& enabled, unsigned& interval, wxString& message) const;
    void SetPauseExtraActionSettings(bool enabled, unsigned interval, const wxString& message);

    // Looping modes, written and read by the block editor as they are.
    static constexpr int kLoopModeNone = 81;     // trials presented once
    static constexpr int kLoopModeCount = 82;    // presented m_LoopCount times
    static constexpr int kLoopModeForever = 83;  // presented until the run ends
    int m_LoopMode = kLoopModeNone;
    int m_LoopCount = 1;

private:
    VTUsedElements m_Trials{nullptr, ElementType::Trial};
    bool m_Selected = false;
    bool m_RandomizeTrials = false;
    int m_RandomizeWhen = -1;
    bool m_JumbleLists = false;
    bool m_TimeLimitOn = false;
    unsigned m_TimeLimit = 20;
    int m_TimeLimitUnits = TimeLimitSeconds;
    bool m_TrialLimitOn = false;
    unsigned m_TrialLimit = 20;
    bool m_PauseOn = false;
    unsigned m_PauseInterval = 50;
    wxString m_PauseMessage;
    VTUsedElements m_Rules{nullptr, ElementType::Rule};
    boost::shared_ptr<MetaTFPredicate> m_WhenToPresent;
};

}  // namespace Vantrel
