#include "GuiViewClasses/MiscGui/CloudExperimentPanel.h"

#include "AppMain/VTRunTaskView.h"

// The panel lives in its view's document frame.
CloudExperimentPanel::CloudExperimentPanel(Vantrel::VTRunTaskView* view, Vantrel::VTExperiment* experiment,
                                           wxDocManager* manager, wxWindowID id, const wxPoint& pos,
                                           const wxSize& size, long style)
    : wxPanel(view->GetFrame(), id, pos, size, style),
      m_View(view),
      m_Experiment(experiment),
      m_DocManager(manager) {}

CloudExperimentPanel::~CloudExperimentPanel() = default;

void CloudExperimentPanel::InsertCmdLineTaskID(std::int64_t taskID, bool noDataUpload) {
    m_CmdLineTaskID = taskID;
    m_NoDataUpload = noDataUpload;
}
