#pragma once
// Shared pieces of the panel benchmarks: a package of a given size, the doubles
// with that package as experiment 12345678, and a stand-in for the run-task view.

#include "CloudDoubles.h"
#include "CloudPanelHost.h"

#include <string>

namespace PanelBench {

constexpr std::uint32_t kCode = 12345678;
constexpr long kTaskCode = 15386598;

// A ".tar.gz" package of about `megabytes` MB (incompressible data plus one document).
std::string MakePackage(const std::string& folder, int megabytes);
std::string ReadFile(const std::string& path);
// A fresh folder under /tmp.
std::string TempFolder(const char* prefix);

// Starts the doubles (environment pointed at them) with the package as the experiment.
bool StartDoubles(TestDoubles::CloudDoublesEnvironment& doubles, const std::string& packageBytes);

// A view stand-in: opening a document only counts.
class CountingHost : public Vantrel::CloudPanelHost
{
public:
    explicit CountingHost(int& opened) : m_opened(opened) {}
    void RunCloudExperiment(const wxString&, unsigned int, bool) override {}
    bool WasLastRunCanceled() override { return false; }
    wxString LastRunFailure() override { return wxString(); }
    std::vector<std::uint32_t> GroupIds() override { return {2}; }
    std::uint32_t CloudGroupSetting() override { return 1; }
    int DrawInRange(int low, int) override { return low; }
    void SetSubjectName(const wxString&) override {}
    bool OpenExperimentDocument(const wxString&) override { return ++m_opened > 0; }
    void CloseViewOnNextIdle() override {}
    void ActivateView() override {}
    void ExitApplication() override {}

private:
    int& m_opened;
};

// Sets up wx (GUI when `gui`) and Qt offscreen with HOME in a fresh folder; false without a display.
bool InitialiseToolkits(int& argc, char** argv, bool gui);
void ShutDownToolkits();

}  // namespace PanelBench
