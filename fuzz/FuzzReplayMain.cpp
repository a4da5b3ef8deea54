// The main of a fuzz target on a build without libFuzzer: runs the target once on
// every file named on the command line, and on every file inside every folder named
// (sorted, so a failure always names the same input). A crash fails the process as it
// would under the fuzzer; an input that takes longer than a second counts as a hang.

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

constexpr auto kHangLimit = std::chrono::seconds(1);

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
    for (int i = 1; i < argc; ++i) {
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
            const auto start = std::chrono::steady_clock::now();
            LLVMFuzzerTestOneInput(exact.get(), bytes.size());
            const auto took = std::chrono::steady_clock::now() - start;
            if (took > kHangLimit) {
                std::fprintf(stderr, "HANG: %s took %lld ms (the limit is %lld ms)\n", input.c_str(),
                             static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                             static_cast<long long>(std::chrono::milliseconds(kHangLimit).count()));
                return 1;
            }
            ++replayed;
        }
    }
    std::fprintf(stderr, "replayed %zu inputs, none crashed or hung\n", replayed);
    return 0;
}
