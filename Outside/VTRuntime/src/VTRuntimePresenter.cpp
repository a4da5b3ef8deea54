// The presenter that the runtime installs: the plain queries plus the participant-input
// preview, which shows the presentation window without a run.

#include <wx/msgdlg.h>

#include <memory>

#include "VTPlugInCommon/VTPresenter.h"
#include "VTPresenterFrame.h"
#include "VTRuntime/VTRunEngine.h"

namespace Vantrel {

namespace {

class RuntimePresenter : public VantrelSDK::VTPresenter
{
public:
    void StartPresentation(bool fullScreen, bool showGrid) override
    {
        if (m_Frame || VTRunEngine::IsRunning()) return;
        m_Frame = new VTPresenterFrame();
        m_Frame->SetGrid(showGrid);
        if (fullScreen) {
            m_Frame->Present();
        } else {
            m_Frame->SetSize(800, 600);
            m_Frame->Show();
        }
        SetVisible(true);
    }
    void AddLabelledRectangle(const wxRect& rect, const wxString& label) override
    {
        if (m_Frame) m_Frame->AddLabelledRectangle(rect, label);
    }
    bool UserConfirmedEscapeKeyPress() override
    {
        if (!m_Frame || !m_Frame->TakeEscape()) return false;
        wxMessageDialog ask(m_Frame, _("Do you want to stop the experiment now?"), _("Stop the experiment?"),
                            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
        return ask.ShowModal() == wxID_YES;
    }
    void TerminatePresentation() override
    {
        if (!m_Frame) return;
        m_Frame->Hide();
        m_Frame->Destroy();
        m_Frame = nullptr;
        SetVisible(false);
    }

private:
    VTPresenterFrame* m_Frame = nullptr;
};

struct InstallAtLoad
{
    InstallAtLoad() { VantrelSDK::InstallPresenter(&presenter); }
    ~InstallAtLoad() { VantrelSDK::InstallPresenter(nullptr); }
    RuntimePresenter presenter;
} installAtLoad;

}  // namespace

}  // namespace Vantrel
