// What rules cost the next stimulus: one run whose trials alternate between fifty
// rules of twelve rows each (every row evaluated, no action taken) and no rules at
// all; reports, for each kind, the time from a trial's last event to the next
// trial's first onset, and how much the rules add at the 99th percentile.
//
//   xvfb-run -a build/bin/RuleGapBench [trials]   (default 2000)

#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "VTRuntime/VTRunEngine.h"
#include "LatencyBenchApp.h"

namespace {

using namespace Vantrel;

using LatencyBench::Percentile;

// Twelve rows that all hold, joined by "and", so each is evaluated; negated, so the
// rule never acts and the run's course is the same with and without rules.
VTPlannedRule BusyRule(int n)
{
    const VTCriterionKind kinds[] = {
        VTCriterionKind::Always,          VTCriterionKind::LastResponse,        VTCriterionKind::TrialPresentations,
        VTCriterionKind::ParticipantName, VTCriterionKind::BlockPercentCorrect, VTCriterionKind::BlockTrialCount,
        VTCriterionKind::BlockAverageRT,  VTCriterionKind::TimeSinceBlockStart, VTCriterionKind::TimeSinceRunStart};
    VTPlannedRule rule;
    rule.name = wxString::Format("rule %d", n);
    rule.negated = true;
    for (int row = 0; row < 12; ++row) {
        VTPlannedCriterion c;
        c.kind = kinds[row % 9];
        c.compare = c.kind == VTCriterionKind::Always ? VTCompare::Equal : VTCompare::NotEqual;
        c.number = -12345;
        c.text = "nobody";
        c.unitMs = row % 2 ? 1000 : 1;
        rule.criteria.push_back(c);
    }
    rule.actions.push_back({VTActionKind::ExitExperiment, -1});
    return rule;
}

int Bench(int trials)
{
    VTRunPlan plan;
    plan.experimentName = "Rule gap";
    for (int r = 0; r < 50; ++r) plan.rules.push_back(BusyRule(r));
    VTPlannedBlock block;
    block.name = "B";
    for (int t = 0; t < trials; ++t) {
        VTPlannedTrial trial;
        trial.trialID = t % 2;
        trial.name = t % 2 ? "rules" : "plain";
        if (t % 2)
            for (size_t r = 0; r < plan.rules.size(); ++r) trial.rules.push_back(r);
        VTPlannedEvent event;
        event.name = "E";
        event.pluginID = 330;
        event.kind = VTPlannedEvent::StimulusKind::Text;
        event.text = event.stimulusLabel = t % 2 ? "x" : "o";
        event.timeLimitMs = 5;
        event.recordsResponses = false;
        trial.events.push_back(event);
        block.trials.push_back(trial);
    }
    plan.blocks.push_back(block);

    VTRunReport report;
    if (VTRunEngine::Run(plan, VTRunSettings(), &report) != VTRunOutcome::Completed) return 1;
    // Entry i is the change after trial i (trial 0 has none before it).
    std::vector<double> afterRules, afterPlain;
    for (size_t i = 0; i < report.trialChangeMicroseconds.size(); ++i)
        (i % 2 ? afterRules : afterPlain).push_back(double(report.trialChangeMicroseconds[i]) / 1000.0);
    const double added = Percentile(afterRules, 99) - Percentile(afterPlain, 99);
    std::printf("trials: %d (every other one with 50 rules of 12 rows)\n", trials);
    std::printf("last event to next onset after a trial with rules (ms): median %.3f  p99 %.3f\n",
                Percentile(afterRules, 50), Percentile(afterRules, 99));
    std::printf("last event to next onset after a trial without rules (ms): median %.3f  p99 %.3f\n",
                Percentile(afterPlain, 50), Percentile(afterPlain, 99));
    std::printf("prepared stimuli thrown away: %lu\n", report.discardedPreparations);
    std::printf("goal: rules add <= 0.2 ms at p99 (added %.3f ms): %s\n", added, added <= 0.2 ? "met" : "NOT met");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const int trials = argc > 1 ? std::max(2, std::atoi(argv[1])) : 2000;
    return LatencyBench::RunWithDisplay("RuleGapBench", [&] { return Bench(trials); });
}
