#pragma once
// The panel that fills the run-task view: task-code entry, download and run of
// a cloud experiment.

#include <wx/panel.h>

#include <cstdint>

class wxDocManager;

namespace Vantrel {
class VTExperiment;
class VTRunTaskView;
}  // namespace Vantrel

class CloudExperimentPanel : public wxPanel {
public:
    CloudExperimentPanel(Vantrel::VTRunTaskView* view, Vantrel::VTExperiment* experiment, wxDocManager* manager,
                         wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
    ~CloudExperimentPanel() override;

    // A task code given on the command line, with the no-upload switch.
    void InsertCmdLineTaskID(std::int64_t taskID, bool noDataUpload);

    Vantrel::VTRunTaskView* GetView() const { return m_View; }
    Vantrel::VTExperiment* GetExperiment() const { return m_Experiment; }
    std::int64_t GetCmdLineTaskID() const { return m_CmdLineTaskID; }
    bool GetNoDataUpload() const { return m_NoDataUpload; }

private:
    Vantrel::VTRunTaskView* m_View;
    Vantrel::VTExperiment* m_Experiment;
    wxDocManager* m_DocManager;
    std::int64_t m_CmdLineTaskID = -1;
    bool m_NoDataUpload = false;
};
