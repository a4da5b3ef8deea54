// plan-size-bench
//
// Opening a document and building its run plan as the document grows, in three
// families: elements (trials with an event each, in blocks of 100), parameters, and
// responses accepted by one event (presented ten times). Sizes run from 10k up to
// what the document reader accepts (200k elements; 100k entries in one list). For
// each size it prints the time per element of the opening and of the plan, and the
// peak memory of each, with the time per element against the family's smallest
// size: linear work keeps that ratio near 1 (within 2x), quadratic work doubles it
// with every doubling of the size.

#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <QByteArray>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Vantrel;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The peak resident memory in MB since the last reset; a reset starts it from now.
long PeakMb(bool reset)
{
    if (reset) std::ofstream("/proc/self/clear_refs") << "5";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) / 1024;
    return 0;
}

const std::string kHead = R"({"format": "Study Station experiment", "version": 1, )";

std::string Links(int first, int last)
{
    std::string s = "{\"links\": [";
    for (int i = first; i <= last; ++i) s += (i > first ? ",[" : "[") + std::to_string(i) + ", 0]";
    return s + "]}";
}

// About `n` elements: trials with an event each, blocks of 100 trials.
std::string Elements(int n)
{
    const int trials = int(n * 100LL / 201);
    std::string s = kHead + R"("elements": [)";
    for (int t = 1; t <= trials; ++t) {
        s += "{\"type\": 2, \"id\": " + std::to_string(t) + R"(, "stimulusText": "word", "timeLimitMs": 500, )" +
             R"("endTimeLimit": true},)";
        s += "{\"type\": 1, \"id\": " + std::to_string(t) + ", \"name\": \"Trial " + std::to_string(t) +
             "\", \"events\": " + Links(t, t) + "},";
    }
    for (int b = 0; b * 100 < trials; ++b)
        s += "{\"type\": 0, \"id\": " + std::to_string(b + 1) +
             ", \"trials\": " + Links(b * 100 + 1, std::min(trials, b * 100 + 100)) + "},";
    s.pop_back();
    return s + "]}";
}

// `n` parameters and one short trial to plan.
std::string Parameters(int n)
{
    std::string s = kHead + R"("experiment": {"parameters": [)";
    for (int p = 1; p <= n; ++p)
        s += (p > 1 ? "," : "") + std::string(R"({"name": "parameter )") + std::to_string(p) + R"(", "type": 1})";
    s += R"(]}, "elements": [{"type": 2, "id": 1, "timeLimitMs": 500, "endTimeLimit": true},)";
    s += R"({"type": 1, "id": 1, "events": )" + Links(1, 1) + R"(}, {"type": 0, "id": 1, "trials": )" + Links(1, 1);
    return s + "}]}";
}

// One event that accepts `n` responses, in a trial of ten repetitions.
std::string Responses(int n)
{
    std::string s = kHead + R"("elements": [)";
    for (int r = 1; r <= n; ++r)
        s += "{\"type\": 5, \"id\": " + std::to_string(r) + ", \"name\": \"R" + std::to_string(r) +
             "\", \"keyCode\": " + std::to_string(r) + "},";
    s += R"({"type": 2, "id": 1, "timeLimitMs": 500, "endTimeLimit": true, "endAny": true, "responses": )" +
         Links(1, n) + R"(, "correctRows": [{"row": -1, "kind": 2, "chosen": [)";
    for (int r = 1; r <= n; r += 2) s += (r > 1 ? "," : "") + std::to_string(r);
    s += R"(]}]}, {"type": 1, "id": 1, "repetitions": 10, "events": )" + Links(1, 1) +
         R"(}, {"type": 0, "id": 1, "trials": )" + Links(1, 1);
    return s + "}]}";
}

struct Row
{
    const char* family;
    int size;
    double open, plan;
    long openMb, planMb;
    std::size_t planned;
};

bool Measure(const wxString& path, const char* family, int size, const std::string& text, Row& row)
{
    QFile file(QString::fromUtf8(path.utf8_str()));
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::fromStdString(text)) != qint64(text.size())) {
        std::fprintf(stderr, "cannot write %s\n", static_cast<const char*>(path.utf8_str()));
        return false;
    }
    file.close();
    row = Row{family, size, 0, 0, 0, 0, 0};
    auto experiment = std::make_unique<VTExperiment>();
    PeakMb(true);
    auto start = Clock::now();
    if (!experiment->OnOpenDocument(path)) {
        std::fprintf(stderr, "the %s document of %d did not open\n", family, size);
        return false;
    }
    row.open = Seconds(start);
    row.openMb = PeakMb(false);
    PeakMb(true);
    start = Clock::now();
    wxString why;
    const VTRunPlan plan = VTCompiledExperiment::BuildPlan(*experiment, &why);
    row.plan = Seconds(start);
    row.planMb = PeakMb(false);
    for (const VTPlannedBlock& block : plan.blocks)
        for (const VTPlannedTrial& trial : block.trials) row.planned += trial.events.size();
    if (plan.IsEmpty()) {
        std::fprintf(stderr, "the %s document of %d did not plan: %s\n", family, size,
                     static_cast<const char*>(why.utf8_str()));
        return false;
    }
    return true;
}

}  // namespace

int main()
{
    wxInitializer wx;
    wxLog::EnableLogging(false);
    const wxString folder = wxFileName::CreateTempFileName(wxS("plan-size-bench"));
    wxRemoveFile(folder);
    wxFileName::Mkdir(folder);
    const wxString path = folder + wxS("/document.vt6");

    const struct
    {
        const char* family;
        std::function<std::string(int)> make;
        std::vector<int> sizes;
    } families[] = {
        {"elements", Elements, {10000, 25000, 50000, 100000, 200000}},
        {"parameters", Parameters, {10000, 25000, 50000, 100000}},
        {"responses", Responses, {10000, 25000, 50000, 100000}},
    };
    std::printf("%-11s %8s %9s %13s %13s %8s %8s %8s %8s\n", "family", "size", "planned", "open us/el", "plan us/el",
                "open MB", "plan MB", "open x", "plan x");
    int status = 0;
    for (const auto& family : families) {
        std::vector<Row> rows;
        for (int size : family.sizes) {
            Row row;
            if (!Measure(path, family.family, size, family.make(size), row)) {
                status = 1;
                break;
            }
            rows.push_back(row);
            const Row& base = rows.front();
            const auto per = [](double seconds, int n) { return seconds * 1e6 / n; };
            std::printf("%-11s %8d %9zu %13.3f %13.3f %8ld %8ld %8.2f %8.2f\n", row.family, row.size, row.planned,
                        per(row.open, row.size), per(row.plan, row.size), row.openMb, row.planMb,
                        per(row.open, row.size) / per(base.open, base.size),
                        per(row.plan, row.size) / per(base.plan, base.size));
            std::fflush(stdout);
        }
    }
    std::printf("x: time per element against the family's smallest size; linear work stays within 2.\n");
    wxRemoveFile(path);
    wxFileName::Rmdir(folder);
    return status;
}
