#pragma once
// The plug-in manager and one loaded plug-in.
//
// LocateAll loads every file of the plug-in folder ("PlugIns" beside the executable;
// the environment variable VANTREL_PLUGIN_DIR overrides it) as a shared library, calls
// its VTSdkGetObjectPtr and keeps the objects of known kinds (1 event types, 4 input
// devices). Hidden files, folders and plug-in layouts ("*.xrc") are not libraries and
// are passed over. Libraries stay loaded for the life of the process, so windows and
// objects made from their code never outlive it.
//
// A plug-in's dialog resources: "<library base name>.xrc" beside the library. Its
// configuration panel is the XRC panel named "plugin_config_panel" of those resources
// (or the plug-in's own code-built panel when it says it has no XRC).

#include <wx/string.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <memory>
#include <vector>

class wxConfigBase;
class wxWindow;
class wxXmlResource;

namespace VantrelSDK {
class VTSdkBase;
class VTSdkEventPlugin;
class VTSdkInputPlugin;
struct VTPlugInInfoObject;
}  // namespace VantrelSDK

namespace Vantrel {

// Receives one text per plug-in while LocateAll works (the splash implements it).
class IPlugInLoadProgressDisplay
{
public:
    virtual ~IPlugInLoadProgressDisplay();
    virtual void ShowText(const wxString& text) = 0;
};

class VTPlugIn
{
public:
    // A library that could not be taken as a plug-in.
    struct LoadFailure
    {
        wxString path;
        wxString reason;
    };

    // Loads the plug-in folder; false when one or more files failed (each is logged
    // at error level with its name and reason). Replaces what an earlier call found.
    static bool LocateAll(IPlugInLoadProgressDisplay* progressOrNull);
    static bool LocateAllInFolder(const wxString& folder, IPlugInLoadProgressDisplay* progressOrNull);
    static const std::vector<LoadFailure>& GetLoadFailures();
    // Runs present every stimulus through an event-type plug-in. When none is loaded
    // (a caller loaded a folder of input plug-ins only, or nothing), this adds the
    // event-type plug-ins of the plug-in folder and leaves the rest as it is.
    // Returns how many event-type plug-ins are loaded.
    static size_t EnsureEventPlugInsLoaded();
    // Deletes the manager's entries (never the objects the libraries own).
    static void DeleteAllObjects();

    // Fills `list` with the plug-ins of `kind` (1 event types, 4 input devices) in load
    // order (file-name order) and returns their count.
    static size_t GetPlugInsList(std::vector<VTPlugIn*>& list, int kind);
    static size_t GetPlugInsList_SkippingObsoleteDLLs(std::vector<VTPlugIn*>& list, int kind);
    static VTPlugIn* GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(int pluginID);
    static VantrelSDK::VTSdkEventPlugin* GetSdkBaseEventPtr(int pluginID);
    static VantrelSDK::VTSdkEventPlugin* GetSdkBaseEventPtr(VTPlugIn* plugin);
    static int GetPlugInID(VTPlugIn* plugin);
    static wxString GetName(VTPlugIn* plugin);

    // Stores the ids under "most_recent_input_set" at "/" as comma-separated decimals.
    static void WriteUsedPluginsToConfig(wxConfigBase* config, const std::vector<int>& usedPluginIDs);
    // The name of a loaded plug-in among `usedPluginIDs` (from `inputList`) that conflicts
    // with `plugin`, or "".
    static wxString DoesThisPluginConflictWithSome_LOADED_and_USED_Plugin(VTPlugIn* plugin,
                                                                          const std::vector<int>& usedPluginIDs,
                                                                          const std::vector<VTPlugIn*>& inputList);
    // Asks every input plug-in for its default responses once, so editors can list them.
    static void BuildAllPlugInsListsOfSdkResponses();

    ~VTPlugIn();

    wxString GetName() const;
    wxString GetShortName() const;
    int GetPlugInID() const;
    int GetKind() const { return m_Kind; }
    const wxString& GetLibraryPath() const;

    // True (and `message` filled) when this plug-in conflicts with one in `list`.
    bool CheckForConflictsAgainstGivenList(wxString& message, std::vector<VTPlugIn*>* list);
    // The configuration panel, made on `parent` when it has none there yet; null when
    // the plug-in has none.
    wxWindow* GetConfigPanel(wxWindow* parent);
    wxWindow* GetConfigPanelNoCreate();
    // The plug-in's dialog resources, or null.
    wxXmlResource* GetResources();
    // The configuration dialog closed: its panel is gone with it.
    void OnCloseConfigDlg();

    VantrelSDK::VTSdkBase* GetSdkBasePtr() const { return m_Object; }
    VantrelSDK::VTSdkEventPlugin* GetSdkBaseEventPtr() const;
    VantrelSDK::VTSdkInputPlugin* GetSdkBaseInputPtr() const;

private:
    VTPlugIn(VantrelSDK::VTSdkBase* object, int kind, const wxString& path);
    // Adds the plug-ins of `folder` (only those of `onlyKind` unless 0).
    static void LoadFolder(const wxString& folder, IPlugInLoadProgressDisplay* progressOrNull, int onlyKind);

    VantrelSDK::VTSdkBase* m_Object;
    int m_Kind;
    std::unique_ptr<VantrelSDK::VTPlugInInfoObject> m_Info;
    std::unique_ptr<wxXmlResource> m_Resources;
    bool m_ResourcesTried = false;
    // The panel goes with its window; a dialog made while the last one's panel still
    // waits for deletion gets a panel of its own.
    wxWeakRef<wxWindow> m_ConfigPanel;
};

}  // namespace Vantrel
