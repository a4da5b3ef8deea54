#pragma once
// The plug-in object every plug-in library hands out through its one entry point:
//
//   VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr();
//
// It returns the address of the library's single plug-in object, the same on every
// call. The manager never deletes that object and tells its kind by dynamic_cast
// (VTSdkInputPlugin: input device; VTSdkEventPlugin: event type).

#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"

class wxWindow;

namespace VantrelSDK {

class VTSdkBase;
class Interface_DynamicPluginSettingsManager;

// What a run hands every plug-in at its start.
struct VTSDK_API RunningExperimentNecessities
{
    wxString experimentName;
    wxString subjectName;
    wxString sessionID;
    bool isPreview = false;
    int screenWidth = 0;
    int screenHeight = 0;
};

// What the manager tells a plug-in about itself. The first member is the full path
// of the plug-in's library file.
struct VTSDK_API VTPlugInInfoObject
{
    wxString libraryPath;
    wxString folder;    // the folder holding the library (resources are looked up there)
    wxString fileName;  // the library's file name without folder
};

typedef VTSdkBase* (*VTSdkGetObjectPtrFunction)();
// The name of the entry point, for dlsym.
#define VTSDK_ENTRY_POINT_NAME "VTSdkGetObjectPtr"

class VTSDK_API VTSdkBase
{
public:
    VTSdkBase();
    VTSdkBase(const VTSdkBase&) = delete;
    VTSdkBase& operator=(const VTSdkBase&) = delete;
    virtual ~VTSdkBase();

    virtual bool Init();
    virtual void DeInit();
    // The plug-in's settings; the base has none (VTSdkNoSettingsManager).
    virtual Interface_DynamicPluginSettingsManager& SettingsManager();
    virtual int GetPlugInID() = 0;
    // Known strings: 5001 the plug-in's name (also the configuration key of event types),
    // 101 file-dialog wildcard, 102 file-dialog title. Unknown ids: false, `out` empty.
    virtual bool GetString(int id, wxString& out);
    virtual bool NeedsPlugInID(int id);
    // 0 = ready.
    virtual int OnEndExperiment();
    // 0 = ready; any other value stops the run before its first trial (-10: no device).
    virtual int OnStartExperiment(RunningExperimentNecessities& necessities);
    virtual void SetPlugInInfoObject(VTPlugInInfoObject* info);
    virtual VTPlugInInfoObject* GetPlugInInfoObject();
    virtual bool PluginHasBeenConvertedTo_NON_xrc();
    // A configuration panel made on `parent`, or null when there is none.
    virtual wxWindow* FactoryFunction_GetNewEventPluginConfigPanel(wxWindow* parent);
    // The short name: GetString(5001) unless overridden.
    virtual void GetShortString(wxString& out);

private:
    VTPlugInInfoObject* m_Info = nullptr;
};

}  // namespace VantrelSDK
