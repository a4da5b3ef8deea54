#include "FuzzSupport.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <QCoreApplication>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace FuzzSupport {

namespace {

// Hostile inputs are logged about on nearly every run; printing that would drown
// the fuzzer's own output and slow it down.
class QuietLog : public wxLog
{
protected:
    void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override {}
};

void QuietQt(QtMsgType, const QMessageLogContext&, const QString&) {}

// wx asserts on some hostile inputs it then handles (a configuration line without a
// key, for one); the program's handler only records them, and so does nothing here.
void AssertionsAreHandledByWx(const wxString&, int, const wxString&, const wxString&, const wxString&) {}

wxString& Scratch()
{
    static wxString scratch;
    return scratch;
}

void RemoveScratchFolder()
{
    if (Scratch().empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(Scratch().utf8_string(), ignored);
}

void MakeScratchHome()
{
    char pattern[] = "/tmp/studystation-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    const std::string home = pattern;
    Scratch() = wxString::FromUTF8(home);
    const std::string runtime = home + "/.runtime";
    for (const std::string& folder : {home + "/.config", home + "/.local/share", home + "/.cache", runtime})
        std::filesystem::create_directories(folder);
    chmod(runtime.c_str(), 0700);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    std::atexit(RemoveScratchFolder);
}

}  // namespace

void Initialise()
{
    static bool done = false;
    if (done) return;
    done = true;
    MakeScratchHome();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    wxSetAssertHandler(AssertionsAreHandledByWx);
    // Both stay for the life of the process: the code under test may reach wx and
    // Qt from static destructors too.
    static std::unique_ptr<wxInitializer> wx = std::make_unique<wxInitializer>();
    if (!wx->IsOk()) Fail("wx could not be initialised");
    delete wxLog::SetActiveTarget(new QuietLog);
    qInstallMessageHandler(QuietQt);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* qt = new QCoreApplication(argc, argv);
    (void)qt;
}

const wxString& ScratchFolder() { return Scratch(); }

wxString WriteScratchFile(const wxString& name, const std::uint8_t* data, std::size_t size)
{
    const wxString path = Scratch() + "/" + name;
    std::FILE* file = std::fopen(path.utf8_str(), "wb");
    if (file == nullptr) Fail("cannot write a scratch file");
    if (size > 0 && std::fwrite(data, 1, size, file) != size) Fail("cannot write a scratch file");
    std::fclose(file);
    return path;
}

void RemoveScratchPath(const wxString& path)
{
    if (!path.StartsWith(Scratch() + "/")) Fail("refusing to remove a path outside the scratch folder");
    std::error_code ignored;
    std::filesystem::remove_all(path.utf8_string(), ignored);
}

void Fail(const char* what)
{
    std::fprintf(stderr, "fuzz target invariant failed: %s\n", what);
    std::abort();
}

}  // namespace FuzzSupport
