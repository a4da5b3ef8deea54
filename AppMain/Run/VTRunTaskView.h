#pragma once
// The view of every experiment document: a document frame whose whole content
// is the cloud experiment panel. It hands a command-line task code to the
// panel, runs the experiment once when the panel asks, and ends the
// application when the panel's exit button asks.

#include <wx/docview.h>

#include <cstdint>

class CloudExperimentPanel;

namespace Vantrel {

class VTExperiment;

class VTRunTaskView : public wxView
{
public:
    VTRunTaskView();
    ~VTRunTaskView() override;

    void OnDraw(wxDC*) override {}
    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnIdle(wxIdleEvent& event);

    VTExperiment* GetExperimentPtr() const;
    void ForceAppExit();
    void ActivateDocumentWinCompat();
    static VTExperiment* ExpandEventsIntoNewDocument(VTExperiment* experiment);

    // Runs the view's experiment once and returns when the run has ended. A
    // second request while a run is in progress is ignored.
    void RunCloudExperiment(const wxString& dataFile, std::uint32_t groupID, bool saveData);
    static bool IsRunInProgress() { return s_Running; }

    // The cloud panel sets this on the old view when it opens a new experiment.
    void SetCloseOnNextIdle(bool close) { m_CloseOnNextIdle = close; }
    bool GetCloseOnNextIdle() const { return m_CloseOnNextIdle; }

    CloudExperimentPanel* GetPanel() const { return m_Panel; }
    wxDocChildFrame* GetChildFrame() const { return m_Frame; }

    static const int kPanelID = 10083;

private:
    void OnFrameCloseByUser(wxCloseEvent& event);

    CloudExperimentPanel* m_Panel = nullptr;
    wxDocChildFrame* m_Frame = nullptr;
    bool m_CloseOnNextIdle = false;

    static bool s_Running;

    wxDECLARE_DYNAMIC_CLASS(VTRunTaskView);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
