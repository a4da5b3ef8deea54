#pragma once
// What the run-task view asks of the program shell around it. The shell (the
// application object) implements it, so the run depends on no header of the
// shell while the shell makes the run's views.

#include <wx/app.h>

#include <cstdint>

class wxFrame;

namespace Orbisk {
class wxDocManagerASIO;
}

namespace Vantrel {

class RunTaskShell
{
public:
    // The running program's shell: its application object.
    static RunTaskShell& Get() { return dynamic_cast<RunTaskShell&>(*wxTheApp); }

    virtual Orbisk::wxDocManagerASIO* GetDocManager() const = 0;
    // Switches the asynchronous-services pump off before a run and on after it.
    virtual void AllowNetworkingAndDiskInputOutputAndOtherIntensiveTasks(bool allow, bool) = 0;
    // Gives a run-task view's frame the main frame's toolbar and status bar.
    virtual void ShowBarsInRunTaskFrame(wxFrame* frame) = 0;
    virtual void MakeSureSplashscreenIsDestroyedNow() = 0;

    // The task code given on the command line (-1 for none), and whether its data
    // stays on this computer.
    struct CommandLineTask
    {
        std::int64_t taskID = -1;
        bool noDataUpload = false;
    };
    virtual CommandLineTask GetCommandLineTask() const = 0;

protected:
    ~RunTaskShell() = default;
};

}  // namespace Vantrel
