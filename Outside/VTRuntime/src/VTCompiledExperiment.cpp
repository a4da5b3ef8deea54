#include "VTRuntime/VTCompiledExperiment.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/RuntimeHooks.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <QByteArray>
#include <QDataStream>

#include <algorithm>
#include <map>

#include "VTPlugInCommon/VTPresenter.h"
#include "VTPlugInCommon/VTSdkBase.h"
#include "VTPlugInCommon/VTSdkSettings.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTDeviceCheck.h"
#include "VTResponseMediation.h"
#include "VTRunPlanBuilder.h"
#include "VTRuntime/VTDataFolder.h"
#include "VTRuntime/VTPlugIn.h"

namespace Vantrel {

namespace {

void ReportNotRunnable(const wxString& experimentName, const wxString& why)
{
    const wxString message = wxString::Format(_("The experiment \"%s\" cannot run: %s"), experimentName, why);
    wxLogError("%s", message);
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    presenter->SetLastRunCanceled(true);
    presenter->SetLastRunFailure(message);
}

class RuntimeForCore : public Interface_RuntimeForCore
{
public:
    Interface_ExpandedRunnableExperiment* BuildCompiledExperiment(VTCompiledExperiment& compiled,
                                                                  VTExperiment& original, bool) override
    {
        wxString whyEmpty;
        const VTRunPlan plan = VTCompiledExperiment::BuildPlan(original, &whyEmpty);
        if (plan.IsEmpty()) {
            // Whoever asks about the last run must not take a stale answer for this one.
            ReportNotRunnable(original.GetUserReadableName(), whyEmpty);
            return nullptr;
        }
        auto* expanded = new Interface_ExpandedRunnableExperiment(original);
        compiled.AdoptExpanded(expanded, original.GetUserReadableName());
        return expanded;
    }
    int GetPlugInID(VTPlugIn* plugin) override { return VTPlugIn::GetPlugInID(plugin); }

    unsigned CreateDefaultResponses(VTPlugIn* plugin, VTExperiment& experiment) override
    {
        VantrelSDK::VTSdkInputPlugin* input = plugin ? plugin->GetSdkBaseInputPtr() : nullptr;
        if (!input) return 0;
        const int pluginID = plugin->GetPlugInID();
        unsigned made = 0;
        input->CreateDefaultResponses([&](wxString name, VantrelSDK::VTSdkBaseResponse* sdk) {
            std::unique_ptr<VantrelSDK::VTSdkBaseResponse> owned(sdk);  // the model keeps fields, not the object
            if (!owned) return;
            auto* response = new VTResponse(&experiment);
            response->SetName(name);
            response->SetPlugInID(pluginID);
            CopySdkFieldsInto(*owned, *response);
            if (experiment.GetElementsOfType(ElementType::Response).AddElement(response, -1))
                ++made;
            else
                delete response;
        });
        return made;
    }

    bool CapturePlugInSettings(int plugInID, std::string& bytes) override
    {
        VantrelSDK::VTSdkBase* sdk = SdkOf(plugInID);
        const auto suite = sdk ? sdk->SettingsManager().GetCurrentSettingsSuite() : nullptr;
        if (!suite) return false;
        QByteArray out;
        QDataStream stream(&out, QIODevice::WriteOnly);
        stream.setVersion(kSettingsStreamVersion);
        if (!suite->OnSaveToFile(stream)) return false;
        bytes.assign(out.constData(), std::size_t(out.size()));
        return true;
    }

    bool ShowResponseInWindow(const VTResponse& response, wxWindow& window,
                              VantrelSDK::Interface_EditResponseWindowHelper* helper) override
    {
        return Vantrel::ShowResponseInWindow(response, window, helper);
    }
    bool ReadResponseFromWindow(VTResponse& response, const wxWindow& window,
                                VantrelSDK::Interface_EditResponseWindowHelper* helper) override
    {
        return Vantrel::ReadResponseFromWindow(response, window, helper);
    }

    bool ApplyPlugInSettings(int plugInID, const std::string& bytes) override
    {
        VantrelSDK::VTSdkBase* sdk = SdkOf(plugInID);
        if (!sdk) return false;
        const auto suite = sdk->SettingsManager().CreateSettingsSuite();
        if (!suite) return false;
        QByteArray in(bytes.data(), int(bytes.size()));
        QDataStream stream(&in, QIODevice::ReadOnly);
        stream.setVersion(kSettingsStreamVersion);
        VantrelSDK::PlugInSettingsStreamingHelper helper;
        if (!suite->OnLoadFromFile(helper, stream)) return false;
        sdk->SettingsManager().ApplySettingsSuiteToCurrentPluginState(suite);
        return true;
    }

private:
    // Stored settings are read back with the data-stream version they were written with.
    static constexpr QDataStream::Version kSettingsStreamVersion = QDataStream::Qt_5_15;

    static VantrelSDK::VTSdkBase* SdkOf(int plugInID)
    {
        VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(plugInID);
        return plugin ? plugin->GetSdkBasePtr() : nullptr;
    }
};

RuntimeForCore& TheRuntime()
{
    static RuntimeForCore runtime;
    return runtime;
}

// Registered as the library loads, so building works before any compiled experiment exists.
struct RegisterAtLoad
{
    RegisterAtLoad() { RegisterRuntimeWithCore(); }
} registerAtLoad;

}  // namespace

void RegisterRuntimeWithCore() { SetRuntimeForCore(&TheRuntime()); }

VTCompiledExperiment::VTCompiledExperiment(boost::function<void(bool, bool)> onEnd) : m_OnEnd(onEnd)
{
    RegisterRuntimeWithCore();
}

VTCompiledExperiment::~VTCompiledExperiment() {}

void VTCompiledExperiment::AdoptExpanded(Interface_ExpandedRunnableExperiment* expanded, const wxString& experimentName)
{
    m_Expanded.reset(expanded);
    m_ExperimentName = experimentName;
}

VTRunPlan VTCompiledExperiment::BuildPlan(VTExperiment& experiment, wxString* whyEmpty)
{
    return VTRunPlanBuilder(experiment).Build(whyEmpty);
}

wxString VTCompiledExperiment::MakeAutomaticDataFilePath(const wxString& experimentName, const wxString& subjectName)
{
    return VTDataFolder::FreshFileIn(VTDataFolder::DefaultFolder(), experimentName, subjectName);
}

bool VTCompiledExperiment::Run(bool preview, bool showGrid)
{
    m_LastOutcome = VTRunOutcome::NotStarted;
    m_LastReport = VTRunReport();
    m_LastDataFile.clear();
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    if (!m_Expanded) {
        wxLogError(_("There is no experiment to run."));
        presenter->SetLastRunCanceled(true);
        presenter->SetLastRunFailure(_("There is no experiment to run."));
        if (m_OnEnd) m_OnEnd(true, true);
        return false;
    }

    wxString whyEmpty;
    VTRunPlan plan = BuildPlan(*m_Expanded, &whyEmpty);
    plan.experimentName = m_ExperimentName;
    const VTRunOptions& options = m_Expanded->GetRunOptions();

    VTRunSettings settings;
    settings.preview = preview;
    settings.showGrid = preview && showGrid;
    settings.subjectName = options.GetSubjectName();
    settings.sessionID = options.GetSessionID();
    settings.saveData = options.IsDataSaved() && !preview;
    bool inPreferredFolder = false;
    if (settings.saveData)
        settings.dataFile = VTDataFolder::ResolveDataFile(*m_Expanded, options.GetDataFile(), m_ExperimentName,
                                                          settings.subjectName, &inPreferredFolder);
    settings.inputPlugins = VTRunEngine::AllLoadedInputPlugins();
    // Only the devices the experiment names are started; naming none means the
    // keyboard alone. A loaded device that nobody uses, and that is not connected,
    // must not keep the run from starting.
    const std::vector<int>& usedInputs = m_Expanded->GetInputPlugInIDsInUse();
    auto unused = [&](VantrelSDK::VTSdkInputPlugin* p) {
        return std::find(usedInputs.begin(), usedInputs.end(), p->GetPlugInID()) == usedInputs.end();
    };
    settings.inputPlugins.erase(std::remove_if(settings.inputPlugins.begin(), settings.inputPlugins.end(), unused),
                                settings.inputPlugins.end());
    settings.dre = VTRunPlanBuilder(*m_Expanded).MakeResponseResolver();

    wxString missingDevice;
    if (plan.IsEmpty()) {
        ReportNotRunnable(m_ExperimentName, whyEmpty);
    } else if (!CheckDevicesBeforeRun(plan, settings.inputPlugins, missingDevice)) {
        ReportNotRunnable(m_ExperimentName, missingDevice);
    } else {
        try {
            m_LastOutcome = VTRunEngine::Run(plan, settings, &m_LastReport);
        } catch (...) {
            // The caller's end callback turns its services back on; it must run whatever happens.
            presenter->SetLastRunCanceled(true);
            if (m_OnEnd) m_OnEnd(true, true);
            throw;
        }
        if (m_LastOutcome != VTRunOutcome::NotStarted && settings.saveData) {
            m_LastDataFile = settings.dataFile;
            if (inPreferredFolder) VTDataFolder::RememberFolderOf(m_LastDataFile);
        }
    }
    if (m_OnEnd) m_OnEnd(true, true);
    return m_LastOutcome == VTRunOutcome::Completed;
}

}  // namespace Vantrel
