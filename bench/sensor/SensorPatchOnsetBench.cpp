// Stimulus onset as the screen shows it: a thread polls the light-sensor patch's
// pixel on the X server while a run presents 500 stimuli (each followed by a blank
// gap), and every time the patch appears is compared with the onset time the data
// file records for that stimulus (its Onset_ms column, on the run timer).
//
//   SensorPatchOnsetBench [onsets]        (needs a display; run under xvfb-run)
//
// Prints the median, p99 and maximum of recorded minus seen, in ms, and how many
// recorded onsets came before the pixels reached the server (goal: none, and
// |difference| p99 <= 1 ms).

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <VTCore/VTSaveDataOptions.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <thread>
#include <vector>

#include "VTPlugInCommon/ProcessServices.h"
#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTTimer.h"
#include "VTRuntime/VTRunEngine.h"
#include "XPixelProbe.h"

namespace {

using namespace Vantrel;

const wxRect kPatch(0, 0, 24, 24);

VTRunPlan MakePlan(int onsets)
{
    VTRunPlan plan;
    plan.experimentName = "Sensor patch bench";
    VTSaveDataOptions options;
    options.SetSaveOption(VTSaveDataOptions::CumulativeTimeColumn, true);
    options.SetSaveOption(VTSaveDataOptions::Header, false);
    options.SetSaveOption(VTSaveDataOptions::BlockNameColumn, false);
    options.SetSaveOption(VTSaveDataOptions::TrialNameColumn, false);
    plan.columns = VTDataColumns(options);
    plan.sensorPatch = kPatch;
    plan.sensorPatchColour = *wxWHITE;
    VTPlannedBlock block;
    block.name = "B";
    VTPlannedTrial trial;
    trial.name = "T";
    for (int i = 0; i < onsets; ++i) {
        VTPlannedEvent word;
        word.name = "Word";
        word.pluginID = VantrelSDK::VTSdkEventPlugin::kText;
        word.kind = VTPlannedEvent::StimulusKind::Text;
        word.text = word.stimulusLabel = wxString::Format("word %d", i);
        word.timeLimitMs = 30;
        word.recordsResponses = false;
        VTPlannedEvent gap;
        gap.name = "Gap";
        gap.timeLimitMs = 30;
        gap.recordsResponses = false;
        gap.showsSensorPatch = false;
        trial.events.push_back(word);
        trial.events.push_back(gap);
    }
    block.trials.push_back(trial);
    plan.blocks.push_back(block);
    return plan;
}

// Recorded onsets of the stimulus rows (Event, Stimulus, Response, RT_ms, Correctness, Onset_ms).
std::vector<double> RecordedOnsets(const wxString& file)
{
    std::vector<double> onsets;
    std::ifstream in(file.utf8_string());
    for (std::string line; std::getline(in, line);) {
        const wxArrayString fields = wxSplit(wxString::FromUTF8(line), '\t', 0);
        double ms = 0;
        if (fields.size() > 5 && fields[0] == "Word" && fields[5].ToCDouble(&ms)) onsets.push_back(ms);
    }
    return onsets;
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(std::ceil(p * double(values.size()))) - 1)];
}

int Bench(int onsets)
{
    std::atomic<bool> stop{false};
    std::mutex seenLock;
    std::vector<double> seen;  // run-timer ms at which the patch appeared
    std::thread poller([&] {
        XPixelProbe probe;
        bool shown = false;
        while (!stop) {
            const bool now = probe.PixelAt(kPatch.x + kPatch.width / 2, kPatch.y + kPatch.height / 2) == 0xffffff;
            if (now && !shown) {
                const double ms = VTTimer::GetTimer().GetElapsedMicroseconds() / 1000.0;
                std::lock_guard<std::mutex> lock(seenLock);
                seen.push_back(ms);
            }
            shown = now;
        }
    });

    VTRunSettings settings;
    settings.saveData = true;
    settings.dataFile = wxFileName::CreateTempFileName("sensor-bench");
    wxRemoveFile(settings.dataFile);
    const VTRunOutcome outcome = VTRunEngine::Run(MakePlan(onsets), settings);
    stop = true;
    poller.join();
    if (outcome != VTRunOutcome::Completed) {
        std::fprintf(stderr, "the run did not complete\n");
        return 2;
    }
    const std::vector<double> recorded = RecordedOnsets(settings.dataFile);
    wxRemoveFile(settings.dataFile);
    // The first appearance may predate the timer's reset; match from the end.
    const size_t n = std::min(recorded.size(), seen.size());
    if (n == 0) {
        std::fprintf(stderr, "no onsets seen (%zu recorded, %zu seen)\n", recorded.size(), seen.size());
        return 2;
    }
    std::vector<double> differences, magnitudes;
    int recordedEarly = 0;
    for (size_t i = 0; i < n; ++i) {
        const double d = recorded[recorded.size() - n + i] - seen[seen.size() - n + i];
        differences.push_back(d);
        magnitudes.push_back(std::fabs(d));
        if (d < 0) ++recordedEarly;
    }
    std::printf("sensor patch onsets: %zu recorded, %zu seen, %zu compared\n", recorded.size(), seen.size(), n);
    std::printf("recorded - seen (ms): median %.3f, p99 %.3f, max %.3f, min %.3f\n", Percentile(differences, 0.5),
                Percentile(differences, 0.99), *std::max_element(differences.begin(), differences.end()),
                *std::min_element(differences.begin(), differences.end()));
    std::printf("|recorded - seen| (ms): median %.3f, p99 %.3f, max %.3f\n", Percentile(magnitudes, 0.5),
                Percentile(magnitudes, 0.99), *std::max_element(magnitudes.begin(), magnitudes.end()));
    std::printf("recorded before the pixels reached the server: %d of %zu\n", recordedEarly, n);
    std::printf("goal |difference| p99 <= 1 ms and none recorded early: %s\n",
                Percentile(magnitudes, 0.99) <= 1.0 && recordedEarly == 0 ? "met" : "NOT met");
    return 0;
}

class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

}  // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "Cannot open the display.\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    int rc = 2;
    if (wxTheApp->CallOnInit()) {
        InitQt();
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        rc = Bench(argc > 1 ? std::max(10, std::atoi(argv[1])) : 500);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
