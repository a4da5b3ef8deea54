#include "AppMain/Run/CloudPanelViewHost.h"

#include "AppMain/Run/VTRunTaskView.h"

#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTCloudSettings.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/RNG_Wrapper.h>
#include <VTPlugInCommon/VTPresenter.h>

#include <wx/app.h>
#include <wx/docview.h>

namespace Vantrel {

namespace {

class RunTaskViewHost : public CloudPanelHost
{
public:
    RunTaskViewHost(VTRunTaskView* view, VTExperiment* experiment, wxDocManager* docManager)
        : m_view(view), m_experiment(experiment), m_docManager(docManager)
    {}

    void RunCloudExperiment(const wxString& dataFile, unsigned int groupId, bool saveData) override
    {
        if (m_view) m_view->RunCloudExperiment(dataFile, groupId, saveData);
    }
    bool WasLastRunCanceled() override { return VantrelSDK::GetPresenter()->WasLastRunCanceled(); }
    wxString LastRunFailure() override { return VantrelSDK::GetPresenter()->GetLastRunFailure(); }

    std::vector<std::uint32_t> GroupIds() override
    {
        std::vector<std::uint32_t> ids;
        if (!m_experiment) return ids;
        const VTElementsList& groups = m_experiment->GetReadOnlyElementsOfType(ElementType::ParticipantGroup);
        for (std::size_t i = 0; i < groups.Size(); ++i)
            if (const Minimal_VTElement* group = groups[i]) ids.push_back(group->GetID());
        return ids;
    }

    std::uint32_t CloudGroupSetting() override
    {
        const auto settings = m_experiment ? m_experiment->GetCloudSettings() : nullptr;
        return settings ? settings->m_GroupRule : VTCloudSettings::kBalancedGroupAssignment;
    }

    int DrawInRange(int low, int high) override
    {
        return Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed()->Draw(low, high);
    }

    void SetSubjectName(const wxString& name) override
    {
        if (m_experiment) m_experiment->GetRunOptions().SetSubjectName(name);
    }

    bool OpenExperimentDocument(const wxString& path) override
    {
        return m_docManager && m_docManager->CreateDocument(path, wxDOC_SILENT) != nullptr;
    }
    void CloseViewOnNextIdle() override
    {
        if (m_view) m_view->SetCloseOnNextIdle(true);
    }
    void ActivateView() override
    {
        if (m_view) m_view->ActivateDocumentWinCompat();
    }
    VTExperiment* Experiment() const override { return m_experiment; }

    void ExitApplication() override
    {
        if (m_view)
            m_view->ForceAppExit();
        else if (wxTheApp && wxTheApp->GetTopWindow())
            wxTheApp->GetTopWindow()->Close(false);
    }

private:
    VTRunTaskView* m_view;
    VTExperiment* m_experiment;
    wxDocManager* m_docManager;
};

}  // namespace

std::unique_ptr<CloudPanelHost> MakeRunTaskViewHost(VTRunTaskView* view, VTExperiment* experiment,
                                                    wxDocManager* docManager)
{
    return std::make_unique<RunTaskViewHost>(view, experiment, docManager);
}

wxWindow* RunTaskViewFrame(VTRunTaskView* view)
{
    if (view && view->GetFrame()) return view->GetFrame();
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

}  // namespace Vantrel
