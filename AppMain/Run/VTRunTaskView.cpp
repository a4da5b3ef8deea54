#include "AppMain/Run/VTRunTaskView.h"

#include "AppMain/Run/CloudPanelViewHost.h"
#include "AppMain/Run/RunTaskShell.h"
#include "GuiViewClasses/CloudPanel/CloudExperimentPanel.h"

#include "UserInterface/wxDocManagerASIO.h"

#include <VTCore/VTExperiment.h>

#include <wx/config.h>
#include <wx/sizer.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTRunTaskView, wxView);

wxBEGIN_EVENT_TABLE(VTRunTaskView, wxView)
    EVT_IDLE(VTRunTaskView::OnIdle)
wxEND_EVENT_TABLE()

bool VTRunTaskView::s_Running = false;

VTRunTaskView::VTRunTaskView() = default;
VTRunTaskView::~VTRunTaskView() = default;

VTExperiment* VTRunTaskView::GetExperimentPtr() const { return wxDynamicCast(GetDocument(), VTExperiment); }

bool VTRunTaskView::OnCreate(wxDocument* doc, long)
{
    RunTaskShell& shell = RunTaskShell::Get();
    auto* parent = wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame);
    VTExperiment* experiment = wxDynamicCast(doc, VTExperiment);
    const wxString title = doc->GetUserReadableName();

    // On GTK an MDI child lives inside its (hidden) parent, so the participant
    // gets a top-level document frame owned by the main frame instead.
    m_Frame = new wxDocChildFrame(doc, this, parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
                                  wxDEFAULT_FRAME_STYLE | wxMAXIMIZE, wxFrameNameStr);
    SetFrame(m_Frame);
    m_Frame->Bind(wxEVT_CLOSE_WINDOW, &VTRunTaskView::OnFrameCloseByUser, this);
    // Idle events of the frame go to the document manager's active view; this
    // view must see its own frame's idle events to close itself when asked.
    m_Frame->Bind(wxEVT_IDLE, &VTRunTaskView::OnIdle, this);

    shell.ShowBarsInRunTaskFrame(m_Frame);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_Panel =
        new CloudExperimentPanel(RunTaskViewFrame(this), MakeRunTaskViewHost(this, experiment, shell.GetDocManager()),
                                 kPanelID, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxTAB_TRAVERSAL | 0x40);
    sizer->Add(m_Panel, 1, wxEXPAND, 0);
    m_Frame->SetMinSize(sizer->GetMinSize());
    m_Frame->SetSizer(sizer);

    wxSize client = m_Frame->GetClientSize();
    if (client.x < m_Frame->GetMinWidth()) m_Frame->SetSize(m_Frame->GetMinWidth(), client.y);
    client = m_Frame->GetClientSize();
    if (client.y < m_Frame->GetMinHeight()) m_Frame->SetSize(client.x, m_Frame->GetMinHeight());
    m_Frame->Layout();

    shell.MakeSureSplashscreenIsDestroyedNow();
    m_Frame->Show(true);
    Activate(true);

    m_Panel->SetMinSize(m_Panel->GetBestSize());
    m_Frame->SetMinSize(m_Frame->GetBestSize());
    client = m_Frame->GetClientSize();
    m_Frame->SetSize(client.x, client.y + 60);

    if (parent) parent->Refresh(true);
    m_Panel->SetFocus();

    const RunTaskShell::CommandLineTask task = shell.GetCommandLineTask();
    if (task.taskID != -1) m_Panel->InsertCmdLineTaskID(task.taskID, task.noDataUpload);
    return true;
}

bool VTRunTaskView::OnClose(bool deleteWindow)
{
    if (wxConfigBase* config = wxConfigBase::Get(false)) config->Flush();
    if (!wxView::OnClose(deleteWindow)) return false;
    if (m_Frame) m_Frame->Hide();
    Activate(false);
    if (!deleteWindow) return true;
    if (m_Panel) {
        m_Panel->Destroy();
        m_Panel = nullptr;
    }
    if (m_Frame) {
        m_Frame->Unbind(wxEVT_CLOSE_WINDOW, &VTRunTaskView::OnFrameCloseByUser, this);
        m_Frame->Unbind(wxEVT_IDLE, &VTRunTaskView::OnIdle, this);
        // The frame must not delete this view again: the document framework does.
        m_Frame->SetView(nullptr);
        m_Frame->Destroy();
        m_Frame = nullptr;
        SetFrame(nullptr);
    }
    return true;
}

void VTRunTaskView::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (!m_CloseOnNextIdle) return;
    m_CloseOnNextIdle = false;
    Close(true);
    // Closing the view leaves its document registered with no window; the
    // document and this view go once the idle event has been handled.
    wxDocument* doc = GetDocument();
    wxDocManager* manager = doc ? doc->GetDocumentManager() : nullptr;
    if (manager) {
        wxTheApp->CallAfter([manager, doc] {
            if (manager->GetDocuments().Member(doc)) manager->CloseDocument(doc, true);
        });
    }
}

// The run-task frame is the only window the participant sees: closing it ends
// the application, as the exit button does, instead of leaving an invisible
// process behind.
void VTRunTaskView::OnFrameCloseByUser(wxCloseEvent& event)
{
    wxWindow* top = wxTheApp->GetTopWindow();
    if (!top || !event.CanVeto()) {
        event.Skip();
        return;
    }
    event.Veto();
    ForceAppExit();
}

void VTRunTaskView::ForceAppExit()
{
    if (wxWindow* top = wxTheApp->GetTopWindow()) top->Close(false);
}

void VTRunTaskView::ActivateDocumentWinCompat()
{
    if (m_Frame) m_Frame->Raise();
}

VTExperiment* VTRunTaskView::ExpandEventsIntoNewDocument(VTExperiment*) { return nullptr; }

}  // namespace Vantrel
