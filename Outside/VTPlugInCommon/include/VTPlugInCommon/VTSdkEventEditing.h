#pragma once
// The editor side of event-type plug-ins: what the event editor's plug-in page
// offers a plug-in (VTSdkBaseEditorPageHost), what it hands the plug-in's editor
// object (VTSdkEditorSettingsPack), and the clickability order form that the event
// editor shares with its pages.
//
// Order of calls on an editor object: TakeSettingsPack once with the plug-in's
// resources when the page is made, again (resources null) whenever the page reads
// an event or a file was chosen; WriteStateIntoInstance when the page writes its
// event back and for the preview; UpdateOwnStimulusControls after every change of
// the stimulus; OnEventEditorTabChanged, OnBeforeFilePrompt, OnAfterFilePrompt
// as their names say. All on the GUI thread.

#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include <functional>
#include <memory>
#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

class wxPanel;
class wxWindow;
class wxXmlResource;

namespace Orbisk {
namespace Var {
class VarValue;
}
}  // namespace Orbisk

namespace Vantrel {
class PerExperimentParameterCollection;
class VTExperiment;
class DynamicRuntimeEnvironment;
}  // namespace Vantrel

namespace VantrelSDK {

class VTSdkEventInstance;

// Which on-screen response the event's stimulus stands for when the participant
// clicks it. The pool function lists the ids of the experiment's on-screen responses
// whose region is placed automatically (where the stimulus is drawn).
struct VTSDK_API MiscEventSettingsOrderForm
{
    int clickableResponseID = 0;  // 0: none
    bool clickabilityAllowed = true;
    std::function<std::vector<int>()> responsePool;
};

// Read access to the experiment's variables for a plug-in's panel.
class VTSDK_API VTSdkVarValueProviderBase
{
public:
    virtual ~VTSdkVarValueProviderBase();
    // Appends the id of every variable of `type`; returns how many variables it examined.
    virtual int GetIDs(int type, std::vector<int>& ids) = 0;
    // "" when no variable has that id.
    virtual wxString GetVarNameByID(int id) = 0;
    // The variable's current value, or null.
    virtual const Orbisk::Var::VarValue* GetVarValueByID(int id) = 0;
    virtual bool ContainsVarValuesOfType(int type) = 0;
};

// The event editor's page that hosts one plug-in's configuration panel.
class VTSDK_API VTSdkBaseEditorPageHost
{
public:
    virtual wxPanel* GetPanel() = 0;
    // Runs the event as it is edited now in the real runtime. False when a preview
    // already runs, or when `onlyForListEvents` and the event uses no stimulus list.
    virtual bool ProcessPreviewEvent(bool onlyForListEvents) = 0;
    // true: the provider over element type 10; false: over the trial variables.
    virtual VTSdkVarValueProviderBase* GetVarValueProvider(bool otherKind) = 0;
    virtual ~VTSdkBaseEditorPageHost();
    virtual std::shared_ptr<Vantrel::DynamicRuntimeEnvironment> GetDummyDREPointer() = 0;
    virtual Vantrel::VTExperiment* GetExperimentPtrFromPageHost() = 0;
};

// What the page hands the editor object.
struct VTSDK_API VTSdkEditorSettingsPack
{
    VTSdkEventInstance* instance = nullptr;
    wxXmlResource* resources = nullptr;  // only with the first pack
    boost::shared_ptr<Vantrel::PerExperimentParameterCollection> parameters;
    MiscEventSettingsOrderForm* form = nullptr;
};

// The six standard stimulus windows an editor supplies when its plug-in has its own
// stimulus controls; any may be null.
struct VTSDK_API VTSdkStimulusWindows
{
    wxWindow* useListOrFile = nullptr;
    wxWindow* selectList = nullptr;
    wxWindow* editList = nullptr;
    wxWindow* createList = nullptr;
    wxWindow* selectFile = nullptr;
    wxWindow* showGrid = nullptr;
};

}  // namespace VantrelSDK
