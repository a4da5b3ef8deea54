// Study Station's real application object with one addition: it prints the
// moment the run-task view's frame is on screen and then closes the program.
#include "StartupClock.h"

#include "AppMain/AppFactory.h"
#include "AppMain/VTApp.h"
#include "AppMain/Run/VTRunTaskView.h"
#include "UserInterface/wxDocManagerASIO.h"

#include <wx/init.h>
#include <wx/timer.h>

#include <cstdio>

namespace {

class ProbedStudyStation : public Vantrel::VTApp
{
public:
    bool OnInit() override
    {
        if (!VTApp::OnInit()) return false;
        m_Timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Check(); });
        m_Timer.Start(1);
        return true;
    }

private:
    void Check()
    {
        for (wxDocument* doc : GetDocManager()->GetDocumentsVector()) {
            auto* view = wxDynamicCast(doc->GetFirstView(), Vantrel::VTRunTaskView);
            if (!view || !view->GetChildFrame() || !view->GetChildFrame()->IsShownOnScreen()) continue;
            m_Timer.Stop();
            std::printf("SHOWN %lld\n", static_cast<long long>(MonotonicMicroseconds()));
            std::fflush(stdout);
            if (wxWindow* top = GetTopWindow()) top->Close(false);
            return;
        }
    }
    wxTimer m_Timer;
};

}  // namespace

int main(int argc, char** argv)
{
    Vantrel::EnsureApplicationFactoryIsLinked();
    wxApp::SetInstance(new ProbedStudyStation);
    return wxEntry(argc, argv);
}
