// document-size-bench [largest]
//
// Writes experiment documents of 25k, 50k, 100k and 200k elements (trials, each
// linked from a block in groups of 100, with one event each), then measures
// opening each one, closing it, and refusing a copy that is broken at its very
// end (so everything before the fault is read and then cleaned up). Prints the
// time per element for each size and its ratio to the smallest size: linear
// work keeps the ratio near 1, quadratic work doubles it with every size.

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include <wx/filename.h>
#include <wx/init.h>
#include <wx/log.h>

#include <QByteArray>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Vantrel;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// A document of about `elements` elements: trials with an event each, blocks of 100 trials.
QByteArray MakeDocument(int elements)
{
    // Two elements per trial and one block per 100 trials: at most `elements` in all.
    const int trials = int(elements * 100LL / 201);
    std::string s = R"({"format": "Study Station experiment", "version": 1, "elements": [)";
    for (int t = 1; t <= trials; ++t) {
        s += "{\"type\": 2, \"id\": " + std::to_string(t) + ", \"timeLimitMs\": 500, \"endTimeLimit\": true},";
        s += "{\"type\": 1, \"id\": " + std::to_string(t) + ", \"name\": \"Trial " + std::to_string(t) +
             "\", \"events\": {\"links\": [[" + std::to_string(t) + ", 0]]}},";
    }
    for (int b = 0; b * 100 < trials; ++b) {
        s += "{\"type\": 0, \"id\": " + std::to_string(b + 1) + ", \"trials\": {\"links\": [";
        for (int t = b * 100 + 1; t <= std::min(trials, b * 100 + 100); ++t)
            s += (t > b * 100 + 1 ? ",[" : "[") + std::to_string(t) + ", 0]";
        s += "]}},";
    }
    s.pop_back();
    s += "]}";
    return QByteArray::fromStdString(s);
}

void Write(const wxString& path, const QByteArray& bytes)
{
    QFile f(QString::fromUtf8(path.utf8_str()));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", static_cast<const char*>(path.utf8_str()));
        std::exit(1);
    }
}

struct Row
{
    int elements;
    double open, close, refuse;
};

}  // namespace

int main(int argc, char** argv)
{
    wxInitializer wx;
    wxLog::EnableLogging(false);
    const int largest = argc > 1 ? std::atoi(argv[1]) : 200000;
    const wxString folder = wxFileName::CreateTempFileName(wxS("document-size-bench"));
    wxRemoveFile(folder);
    wxFileName::Mkdir(folder);

    std::vector<Row> rows;
    for (int n = largest / 8; n <= largest; n *= 2) {
        const QByteArray document = MakeDocument(n);
        const wxString good = folder + wxS("/good.vt6");
        const wxString broken = folder + wxS("/broken.vt6");
        Write(good, document);
        QByteArray damaged = document;
        damaged.insert(damaged.size() - 2, R"(, {"type": 1, "id": 1})");  // a duplicate id, found last
        Write(broken, damaged);

        Row row{n, 0, 0, 0};
        auto* x = new VTExperiment();
        auto start = Clock::now();
        if (!x->OnOpenDocument(good)) {
            std::fprintf(stderr, "the %d-element document did not open\n", n);
            return 1;
        }
        row.open = Seconds(start);
        start = Clock::now();
        delete x;
        row.close = Seconds(start);

        VTExperiment refused;
        start = Clock::now();
        if (refused.OnOpenDocument(broken)) {
            std::fprintf(stderr, "the broken %d-element document opened\n", n);
            return 1;
        }
        row.refuse = Seconds(start);
        rows.push_back(row);
    }
    wxRemoveFile(folder + wxS("/good.vt6"));
    wxRemoveFile(folder + wxS("/broken.vt6"));
    wxFileName::Rmdir(folder);

    std::printf("%10s %14s %14s %14s %8s %8s %8s\n", "elements", "open us/el", "close us/el", "refuse us/el", "open x",
                "close x", "refuse x");
    const Row& base = rows.front();
    const auto per = [](double seconds, int n) { return seconds * 1e6 / n; };
    for (const Row& r : rows)
        std::printf("%10d %14.2f %14.2f %14.2f %8.2f %8.2f %8.2f\n", r.elements, per(r.open, r.elements),
                    per(r.close, r.elements), per(r.refuse, r.elements),
                    per(r.open, r.elements) / per(base.open, base.elements),
                    per(r.close, r.elements) / per(base.close, base.elements),
                    per(r.refuse, r.elements) / per(base.refuse, base.elements));
    std::printf("x: time per element against the %d-element document; linear work stays near 1.\n", base.elements);
    return 0;
}
