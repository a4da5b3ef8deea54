#pragma once
// The cloud panel's host inside the program: the run-task view, its experiment
// document, the document manager, the presenter and the random stream.

#include "GuiViewClasses/CloudPanel/CloudPanelHost.h"

#include <memory>

class wxDocManager;
class wxWindow;

namespace Vantrel {

class VTExperiment;
class VTRunTaskView;

std::unique_ptr<CloudPanelHost> MakeRunTaskViewHost(VTRunTaskView* view, VTExperiment* experiment,
                                                    wxDocManager* docManager);
// The window the view's panel belongs in: the view's frame, else the top window.
wxWindow* RunTaskViewFrame(VTRunTaskView* view);

}  // namespace Vantrel
