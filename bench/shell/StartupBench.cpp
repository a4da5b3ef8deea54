// Time from process start to the first window on screen: Study Station's
// run-task view against a bare wx program showing one frame, measured in the
// same run, alternating, each started fresh. Prints the medians and the ratio
// (goal: at most 1.5). Needs an X display (run it under xvfb-run).
#include "StartupClock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Microseconds from fork to the child's "SHOWN" line, or -1.
long long TimeToShown(const std::string& program)
{
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const long long start = MonotonicMicroseconds();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string output;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const size_t at = output.find("SHOWN ");
    if (at == std::string::npos) return -1;
    return std::atoll(output.c_str() + at + 6) - start;
}

double Median(std::vector<long long> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <bare program> <study station probe> [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    char home[] = "/tmp/studystation-bench-XXXXXX";
    if (!mkdtemp(home)) return 2;
    setenv("HOME", home, 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (std::string(home) + "/.local/share").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("ORBISK_VANTREL_DISABLE_VERSION_UPDATE_CHECKING", "1", 1);

    // One unmeasured start of each warms the file cache.
    TimeToShown(argv[1]);
    TimeToShown(argv[2]);
    std::vector<long long> bare, station;
    for (int i = 0; i < runs; ++i) {
        const long long b = TimeToShown(argv[1]);
        const long long s = TimeToShown(argv[2]);
        if (b < 0 || s < 0) {
            std::fprintf(stderr, "a program did not report its window (bare %lld, station %lld)\n", b, s);
            return 1;
        }
        bare.push_back(b);
        station.push_back(s);
    }
    const double bareMs = Median(bare) / 1000.0;
    const double stationMs = Median(station) / 1000.0;
    const double ratio = stationMs / bareMs;
    std::printf("startup to first window, median of %d runs\n", runs);
    std::printf("  bare wx frame:            %8.1f ms\n", bareMs);
    std::printf("  Study Station run view:   %8.1f ms\n", stationMs);
    std::printf("  ratio: %.2f (goal <= 1.50) %s\n", ratio, ratio <= 1.5 ? "OK" : "ABOVE GOAL");
    return 0;
}
