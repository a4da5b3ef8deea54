#pragma once
// How the data model reaches the runtime without linking it: the runtime library
// registers one object implementing this interface when it is loaded (or before the
// first build), and VTExperiment forwards to it. Without one, building reports an
// error and yields nothing to run.

#include <wx/string.h>

#include <string>

class wxWindow;

namespace VantrelSDK {
class Interface_EditResponseWindowHelper;
}

namespace Vantrel {

class VTCompiledExperiment;
class VTExperiment;
class VTPlugIn;
class Interface_ExpandedRunnableExperiment;
class VTResponse;

class Interface_RuntimeForCore
{
public:
    virtual ~Interface_RuntimeForCore();
    // Expands `original` into `compiled` and returns the experiment that will run
    // (owned by `compiled`), or null when nothing is to run. `preview` is true for
    // the event editor's preview. The returned experiment's run options are a copy
    // of the original's, made by the Interface_ExpandedRunnableExperiment constructor.
    virtual Interface_ExpandedRunnableExperiment* BuildCompiledExperiment(VTCompiledExperiment& compiled,
                                                                          VTExperiment& original, bool preview) = 0;
    // The id of a loaded plug-in (its kind's numbering), or -1.
    virtual int GetPlugInID(VTPlugIn* plugin) = 0;
    // Appends the plug-in's default responses to the experiment (as VTResponse
    // elements) and returns how many; the default makes none.
    virtual unsigned CreateDefaultResponses(VTPlugIn* plugin, VTExperiment& experiment);
    // The loaded plug-in's current settings suite, as the bytes of its stream; false
    // (bytes untouched) when the plug-in is not loaded or keeps no settings.
    virtual bool CapturePlugInSettings(int plugInID, std::string& bytes);
    // Reads such bytes into a new suite and makes it the plug-in's current settings;
    // false, and the plug-in's settings as they were, when it is not loaded or the
    // bytes do not read as its suite.
    virtual bool ApplyPlugInSettings(int plugInID, const std::string& bytes);
    // A response editor's window shows `response` (VTResponse::InstructUnderlying...);
    // the default shows nothing and answers false.
    virtual bool ShowResponseInWindow(const VTResponse& response, wxWindow& window,
                                      VantrelSDK::Interface_EditResponseWindowHelper* helper);
    // The window's settings into `response` (VTResponse::Mediate...); false when they
    // are not valid, `response` then as it was. The default reads nothing: false.
    virtual bool ReadResponseFromWindow(VTResponse& response, const wxWindow& window,
                                        VantrelSDK::Interface_EditResponseWindowHelper* helper);
};

// Registers (or with null removes) the runtime. The object stays the caller's.
void SetRuntimeForCore(Interface_RuntimeForCore* runtime);
Interface_RuntimeForCore* GetRuntimeForCore();

}  // namespace Vantrel
