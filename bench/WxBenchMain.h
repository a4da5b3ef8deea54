#pragma once
// What the run benchmarks share: a wx application with an active GUI event loop to
// run in (they need a display), and percentiles of their samples.

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace WxBench {

class App : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// Runs `bench` in the application; its result, or 2 without a display.
inline int RunInApp(const char* name, const std::function<int()>& bench)
{
    wxApp::SetInstance(new App);
    int one = 1;
    std::vector<char> program(name, name + std::char_traits<char>::length(name) + 1);
    char* args[] = {program.data(), nullptr};
    if (!wxEntryStart(one, args)) {
        std::fprintf(stderr, "Needs a display: run it under xvfb-run -a.\n");
        return 2;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    int rc = 1;
    if (wxTheApp->CallOnInit()) {
        wxGUIEventLoop loop;
        wxEventLoopActivator activate(&loop);
        rc = bench();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}

inline double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size() - 1) + 0.5));
    return values[index];
}

}  // namespace WxBench
