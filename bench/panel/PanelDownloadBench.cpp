// Download and unpacking of a 50 MB package from the local cloud double, the way
// the panel's worker does it, against curl plus "tar xzf" of the same package.
// Goal: at most 1.25 times their time.

#include "BenchSupport.h"
#include "CloudPackageFetch.h"
#include "CloudTaskSupport/PackageDownload.h"

#include "CloudClient/ServiceConfiguration.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double OurRun()
{
    const wxString taskFolder = OmbraAPIHelper::GetCloudFolderPath(PanelBench::kCode);
    fs::remove_all(std::string(taskFolder.fn_str()));
    OmbraAPIHelper::GetCloudFolderPath(PanelBench::kCode);
    OmbraAPIHelper client;
    auto failure = std::make_shared<wxString>();
    Vantrel::BasicPackageDownload<ProgStruct> download;
    const auto start = Clock::now();
    download.Start(Vantrel::MakePackageFetch(client, PanelBench::kCode, taskFolder + ".tar.gz", taskFolder, failure));
    std::optional<Vantrel::BasicPackageDownload<ProgStruct>::Outcome> outcome;
    while (!(outcome = download.TakeOutcome())) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (*outcome != Vantrel::BasicPackageDownload<ProgStruct>::Outcome::Succeeded) {
        std::fprintf(stderr, "download failed: %s\n", failure->utf8_str().data());
        std::exit(1);
    }
    return seconds;
}

double BaselineRun(const std::string& work)
{
    const std::string dir = work + "/baseline";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string command = "curl -s -f --cacert '" + Vantrel::ServiceConfiguration::ExtraCaBundle() +
                                "' -H 'X-Authorization: " + Vantrel::ServiceConfiguration::CloudApiKey() + "' -o '" +
                                dir + "/p.tar.gz' '" + Vantrel::ServiceConfiguration::CloudBaseUrl() +
                                "user/v1/download-experiment/" + std::to_string(PanelBench::kCode) + "' && tar xzf '" +
                                dir + "/p.tar.gz' -C '" + dir + "'";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "baseline failed: %s\n", command.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (!PanelBench::InitialiseToolkits(argc, argv, false)) return 2;
    const std::string work = PanelBench::TempFolder("panel-bench");
    const std::string package = PanelBench::MakePackage(work, 50);
    TestDoubles::CloudDoublesEnvironment doubles;
    if (package.empty() || !PanelBench::StartDoubles(doubles, PanelBench::ReadFile(package))) return 1;
    std::printf("package: %.1f MB\n", static_cast<double>(fs::file_size(package)) / 1e6);

    std::vector<double> ours, theirs;
    for (int i = 0; i < 3; ++i) {
        theirs.push_back(BaselineRun(work));
        ours.push_back(OurRun());
    }
    const double ratio = Median(ours) / Median(theirs);
    std::printf("download+unpack: panel worker %.3f s, curl + tar xzf %.3f s (medians of 3)\n", Median(ours),
                Median(theirs));
    std::printf("ratio %.2f (goal <= 1.25): %s\n", ratio, ratio <= 1.25 ? "met" : "NOT met");
    doubles.Stop();
    fs::remove_all(work);
    PanelBench::ShutDownToolkits();
    return 0;
}
