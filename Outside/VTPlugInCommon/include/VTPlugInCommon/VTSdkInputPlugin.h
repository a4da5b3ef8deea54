#pragma once
// Base of input-device plug-ins and what a run passes them.
//
// During a run every run-time operation (OnStartExperiment, OnStartTrial, the
// detection function, OnGetCompleteResponse, OnFlushInput, WaitForAllKeysToBeReleased,
// OnEndExperiment, ...) is called from one runtime thread, never concurrently.
// Window objects are made and used on the GUI thread only, never during a run.

#include <wx/string.h>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>

#include "VTPlugInCommon/VTSdkBase.h"
#include "VTPlugInCommon/VTSdkResponses.h"
#include "VTPlugInCommon/VTSdkSettings.h"

class wxWindow;

namespace VantrelSDK {

class Interface_ParticipantInputWindowHelper;
class Interface_EditResponseWindowHelper;

// The run's environment as plug-ins see it.
class VTSDK_API Interface_DREForPlugins
{
public:
    virtual ~Interface_DREForPlugins();
    // The id of the run's defined response of plug-in `pluginID` that is the same
    // response, or VTSdkBaseResponse::GetUniqueIdForUndefined().
    virtual int FindDefinedResponseID(int pluginID, const VTSdkBaseResponse& response) const = 0;
};

// Handed to a plug-in's detection function on each poll.
class VTSDK_API RAII_InputDetectionForCyclingOverAllDevices
{
public:
    explicit RAII_InputDetectionForCyclingOverAllDevices(Interface_DREForPlugins* dre) : m_DRE(dre) {}
    ~RAII_InputDetectionForCyclingOverAllDevices() {}
    Interface_DREForPlugins* GetDREForPlugins() const { return m_DRE; }

private:
    Interface_DREForPlugins* m_DRE;
};

// What a run tells plug-ins at each trial start (positions count from 0).
struct VTSDK_API TrialInfoNecessities
{
    int blockIndex = 0;
    int trialIndex = 0;
    int blockID = -1;
    int trialID = -1;
};

typedef bool (*InputDetectedFunctionPtr)(RAII_InputDetectionForCyclingOverAllDevices*);
typedef boost::function<void(wxString, VTSdkBaseResponse*)> AddResponseCallback;

class VTSDK_API VTSdkInputPlugin : public VTSdkBase
{
public:
    VTSdkInputPlugin();
    ~VTSdkInputPlugin() override;

    int OnEndExperiment() override;

    virtual bool AttachInputPluginSplashPanel(wxWindow* parent);
    virtual bool StringInputWantsToStealTheMouseNow();
    // A new response of this plug-in's class with defaults; the caller owns it.
    virtual VTSdkBaseResponse* CreateNewResponse();
    virtual const VTSdkDiscreteKeySettings& GetConstReferenceToKeypressKeyreleaseSettings();
    virtual wxString GetAdditionalFieldHeader(int field, int variant);
    // The poll function of the run; null = this plug-in never detects input.
    virtual InputDetectedFunctionPtr GetIsInputDetectedFunctionPtr();
    virtual int GetNumberOfResponseAdditionalFields();
    // Non-zero when this plug-in's responses conflict with those of plug-in `otherPluginID`.
    virtual int HasResponseConflicts(int otherPluginID);
    virtual wxString GetResponseAdditionalField(int field, const VTSdkBaseResponse* response);
    // Last chance before a run to repair settings or warn; false keeps the run from starting.
    virtual bool LastDitchSettingsRecoveryOrWarningsPreExperimentRun_UseWithCaution(wxWindow* parent);
    // After the detection function returned true: the finished response (caller owns it)
    // and its time in run-timer units (ms) in `time`.
    virtual boost::shared_ptr<VTSdkBaseResponse> OnGetCompleteResponse(unsigned long long& time,
                                                                       boost::shared_ptr<Interface_DREForPlugins> dre);
    // Calls `add` once per default response; the callee takes ownership of each.
    virtual void CreateDefaultResponses(AddResponseCallback add);
    virtual void CreateCorrectiveResponsesToRepairSomethingMissing(AddResponseCallback add);
    virtual boost::shared_ptr<Interface_ParticipantInputWindowHelper> GetParticipantInputWindowHelper();
    virtual boost::shared_ptr<Interface_EditResponseWindowHelper> GetEditResponseWindowHelper();
    virtual bool TheGivenHardwareModelCanBeSelectedForInput(unsigned int modelID);
    // Blocks until every key is up; the code of VTTimer::BlockEverythingExcept... (0 released).
    virtual int WaitForAllKeysToBeReleased(RAII_InputDetectionForCyclingOverAllDevices* detection);
    virtual void OnFlushInput();
    virtual void OnStartTrial(const TrialInfoNecessities& trial);
    virtual void OnStartEventInput();
    virtual void OnEndTrial();
    virtual void OnEndEventInput(bool responded);
    virtual bool ThisIsBrevolaInput();

    // Gives `response` the id of the run's matching defined response (or the undefined id).
    void SetResponseIDForLastResponse(VTSdkBaseResponse* response, Interface_DREForPlugins* dre);
    bool CheckIfResponseIsDefined(const VTSdkBaseResponse* response) const;
};

}  // namespace VantrelSDK
