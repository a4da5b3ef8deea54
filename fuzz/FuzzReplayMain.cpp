// The main of a fuzz target on a build without libFuzzer: runs the target once on
// every file named on the command line, and on every file inside every folder named
// (sorted, so a failure always names the same input). A crash fails the process as it
// would under the fuzzer; an input that takes longer than a second (or -timeout=N
// seconds, as the fuzzer takes it) counts as a hang, and one whose run takes more memory than -rss_limit_mb=N (libFuzzer's option, which
// the runner accepts too) fails as it would under the fuzzer. -max_len=N is accepted
// and ignored: the corpus' inputs are replayed whole.

#include "FuzzSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

// One second unless the target's own bound is given (-timeout=N, as libFuzzer takes it).
constexpr auto kDefaultHangLimit = std::chrono::seconds(1);

std::vector<std::string> InputsNamedBy(const char* argument)
{
    std::vector<std::string> inputs;
    std::error_code error;
    if (std::filesystem::is_directory(argument, error)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argument, error))
            if (entry.is_regular_file()) inputs.push_back(entry.path().string());
        std::sort(inputs.begin(), inputs.end());
    } else {
        inputs.push_back(argument);
    }
    return inputs;
}

// The process' peak resident memory in MB since the last reset (0 when unknown);
// a reset starts the count again from what the process holds now.
long PeakResidentMb(bool reset)
{
    if (reset) std::ofstream("/proc/self/clear_refs") << "5";
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) / 1024;
    return 0;
}

bool ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 2;
    }
    std::size_t replayed = 0;
    long rssLimitMb = 0;
    std::chrono::steady_clock::duration hangLimit = kDefaultHangLimit;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("-rss_limit_mb=", 0) == 0) {
            rssLimitMb = std::stol(argument.substr(14));
            continue;
        }
        if (argument.rfind("-timeout=", 0) == 0) {
            hangLimit = std::chrono::seconds(std::max(1L, std::stol(argument.substr(9))));
            continue;
        }
        if (argument.rfind("-max_len=", 0) == 0) continue;
        const std::vector<std::string> inputs = InputsNamedBy(argv[i]);
        if (inputs.empty()) {
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 2;
        }
        for (const std::string& input : inputs) {
            std::vector<std::uint8_t> bytes;
            if (!ReadWhole(input, bytes)) {
                std::fprintf(stderr, "cannot read %s\n", input.c_str());
                return 2;
            }
            std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
            // A copy of exactly the input's size, so a read past its end is one past an allocation.
            std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[bytes.size()]);
            std::copy(bytes.begin(), bytes.end(), exact.get());
            PeakResidentMb(true);
            const auto start = std::chrono::steady_clock::now();
            LLVMFuzzerTestOneInput(exact.get(), bytes.size());
            const auto took = std::chrono::steady_clock::now() - start;
            const long peakMb = PeakResidentMb(false);
            if (rssLimitMb > 0 && peakMb > rssLimitMb) {
                std::fprintf(stderr, "OUT OF MEMORY: %s took %ld MB (the limit is %ld MB)\n", input.c_str(), peakMb,
                             rssLimitMb);
                return 1;
            }
            if (took > hangLimit) {
                std::fprintf(
                    stderr, "HANG: %s took %lld ms (the limit is %lld ms)\n", input.c_str(),
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(hangLimit).count()));
                return 1;
            }
            ++replayed;
        }
    }
    std::fprintf(stderr, "replayed %zu inputs, none crashed or hung\n", replayed);
    return 0;
}
