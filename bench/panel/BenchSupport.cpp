#include "BenchSupport.h"

#include <QGuiApplication>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace PanelBench {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempFolder(const char* prefix)
{
    std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

std::string MakePackage(const std::string& folder, int megabytes)
{
    fs::create_directories(folder + "/Big");
    std::ofstream(folder + "/Big/Big.vt6") << "{}\n";
    {
        std::ofstream noise(folder + "/Big/noise.bin", std::ios::binary);
        std::mt19937_64 random(42);
        std::vector<std::uint64_t> block(1 << 17);
        for (int mb = 0; mb < megabytes; ++mb) {
            for (auto& word : block) word = random();
            noise.write(reinterpret_cast<const char*>(block.data()), block.size() * sizeof(std::uint64_t));
        }
    }
    const std::string package = folder + "/big.tar.gz";
    const std::string command = "tar -C '" + folder + "' -czf '" + package + "' Big && rm -rf '" + folder + "/Big'";
    if (std::system(command.c_str()) != 0) return std::string();
    return package;
}

bool StartDoubles(TestDoubles::CloudDoublesEnvironment& doubles, const std::string& packageBytes)
{
    std::string error;
    if (!doubles.Start(&error)) {
        std::fprintf(stderr, "doubles: %s\n", error.c_str());
        return false;
    }
    doubles.Service().AddExperiment(kCode, "Big", "2099-12-31", TestDoubles::InfoFileText("r@example.test", 0, false),
                                    &packageBytes);
    return true;
}

namespace {
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};
class BenchConsoleApp : public wxAppConsole
{
public:
    bool OnInit() override { return true; }
};
std::unique_ptr<QGuiApplication> g_qt;
}  // namespace

bool InitialiseToolkits(int& argc, char** argv, bool gui)
{
    const std::string home = TempFolder("panel-bench-home");
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (gui)
        wxApp::SetInstance(new BenchApp);
    else
        wxApp::SetInstance(new BenchConsoleApp);
    if (!wxEntryStart(argc, argv)) return false;
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxTheApp->CallOnInit();
    static int qtArgc = 1;
    static char name[] = "bench";
    static char* qtArgv[] = {name, nullptr};
    g_qt = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    return true;
}

void ShutDownToolkits()
{
    g_qt.reset();
    wxTheApp->OnExit();
    wxEntryCleanup();
}

}  // namespace PanelBench
