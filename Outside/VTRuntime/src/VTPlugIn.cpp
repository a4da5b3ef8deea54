#include "VTRuntime/VTPlugIn.h"

#include <wx/config.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/window.h>
#include <wx/xrc/xmlres.h>

#include <dlfcn.h>

#include <algorithm>
#include <map>

#include "VTPlugInCommon/VTException.h"
#include "VTPlugInCommon/VTPlugInKinds.h"
#include "VTPlugInCommon/VTResourceHelper.h"
#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTSdkInputPlugin.h"
#include "VTPlugInCommon/VTSdkWindowHelpers.h"

namespace Vantrel {

IPlugInLoadProgressDisplay::~IPlugInLoadProgressDisplay() {}

namespace {

std::vector<std::unique_ptr<VTPlugIn>>& Loaded()
{
    static std::vector<std::unique_ptr<VTPlugIn>> loaded;
    return loaded;
}

std::vector<VTPlugIn::LoadFailure>& Failures()
{
    static std::vector<VTPlugIn::LoadFailure> failures;
    return failures;
}

bool IsCandidate(const wxString& fileName)
{
    if (fileName.StartsWith(".")) return false;
    return !fileName.Lower().EndsWith(".xrc");
}

const char* const kConfigPanelName = "plugin_config_panel";

}  // namespace

VTPlugIn::VTPlugIn(VantrelSDK::VTSdkBase* object, int kind, const wxString& path)
    : m_Object(object), m_Kind(kind), m_Info(new VantrelSDK::VTPlugInInfoObject)
{
    wxFileName name(path);
    m_Info->libraryPath = name.GetFullPath();
    m_Info->folder = name.GetPath();
    m_Info->fileName = name.GetFullName();
    m_Object->SetPlugInInfoObject(m_Info.get());
}

VTPlugIn::~VTPlugIn()
{
    // The library keeps its object; it must no longer point at our information.
    if (m_Object && m_Object->GetPlugInInfoObject() == m_Info.get()) m_Object->SetPlugInInfoObject(nullptr);
}

bool VTPlugIn::LocateAll(IPlugInLoadProgressDisplay* progressOrNull)
{
    return LocateAllInFolder(VTResourceHelper::GetPlugInFolder(), progressOrNull);
}

bool VTPlugIn::LocateAllInFolder(const wxString& folder, IPlugInLoadProgressDisplay* progressOrNull)
{
    DeleteAllObjects();
    Failures().clear();
    LoadFolder(folder, progressOrNull, 0);
    return Failures().empty();
}

size_t VTPlugIn::EnsureEventPlugInsLoaded()
{
    std::vector<VTPlugIn*> events;
    if (GetPlugInsList(events, VantrelSDK::VT_PLUGIN_KIND_EVENT) == 0)
        LoadFolder(VTResourceHelper::GetPlugInFolder(), nullptr, VantrelSDK::VT_PLUGIN_KIND_EVENT);
    return GetPlugInsList(events, VantrelSDK::VT_PLUGIN_KIND_EVENT);
}

void VTPlugIn::LoadFolder(const wxString& folder, IPlugInLoadProgressDisplay* progressOrNull, int onlyKind)
{
    std::vector<wxString> files;
    if (wxDir::Exists(folder)) {
        wxDir dir(folder);
        wxString name;
        for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); more; more = dir.GetNext(&name)) {
            if (IsCandidate(name)) files.push_back(wxFileName(folder, name).GetFullPath());
        }
    }
    std::sort(files.begin(), files.end());

    auto fail = [](const wxString& path, const wxString& reason) {
        Failures().push_back({path, reason});
        wxLogError(_("The plug-in \"%s\" could not be loaded: %s."), wxFileName(path).GetFullName(), reason);
    };

    std::map<int, wxString> idsSeen;
    for (const auto& plugin : Loaded())
        idsSeen[plugin->GetPlugInID()] = wxFileName(plugin->GetLibraryPath()).GetFullName();
    for (const wxString& path : files) {
        const wxString fileName = wxFileName(path).GetFullName();
        if (progressOrNull) progressOrNull->ShowText(wxString::Format(_("Loading plug-in %s..."), fileName));

        void* handle = dlopen(path.fn_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = dlerror();
            fail(path, wxString::Format(_("it is not a loadable library (%s)"),
                                        why ? wxString::FromUTF8(why) : _("no reason given")));
            continue;
        }
        dlerror();
        void* symbol = dlsym(handle, VTSDK_ENTRY_POINT_NAME);
        if (!symbol) {
            fail(path, wxString::Format(_("it has no entry point %s"), VTSDK_ENTRY_POINT_NAME));
            dlclose(handle);
            continue;
        }
        auto entry = reinterpret_cast<VantrelSDK::VTSdkGetObjectPtrFunction>(symbol);
        VantrelSDK::VTSdkBase* object = nullptr;
        try {
            object = entry();
        } catch (...) {
            fail(path, wxString::Format(_("its entry point failed: %s"), VantrelSDK::DescribeCurrentException()));
            continue;  // the library stays loaded: what it built before failing may refer to it
        }
        int kind = 0;
        if (dynamic_cast<VantrelSDK::VTSdkInputPlugin*>(object))
            kind = VantrelSDK::VT_PLUGIN_KIND_INPUT;
        else if (dynamic_cast<VantrelSDK::VTSdkEventPlugin*>(object))
            kind = VantrelSDK::VT_PLUGIN_KIND_EVENT;
        if (onlyKind && kind != onlyKind) continue;  // the library stays loaded, unused
        if (!kind) {
            // Its code may still be referenced by static objects: keep the library loaded.
            fail(path, _("its object is not a plug-in of a known kind"));
            continue;
        }
        const int id = object->GetPlugInID();
        auto seen = idsSeen.find(id);
        if (seen != idsSeen.end()) {
            fail(path, wxString::Format(_("its plug-in ID %d is already used by \"%s\""), id, seen->second));
            continue;
        }
        idsSeen[id] = fileName;
        Loaded().push_back(std::unique_ptr<VTPlugIn>(new VTPlugIn(object, kind, path)));
    }
}

const std::vector<VTPlugIn::LoadFailure>& VTPlugIn::GetLoadFailures() { return Failures(); }

void VTPlugIn::DeleteAllObjects() { Loaded().clear(); }

size_t VTPlugIn::GetPlugInsList(std::vector<VTPlugIn*>& list, int kind)
{
    list.clear();
    for (const auto& plugin : Loaded())
        if (plugin->m_Kind == kind) list.push_back(plugin.get());
    return list.size();
}

size_t VTPlugIn::GetPlugInsList_SkippingObsoleteDLLs(std::vector<VTPlugIn*>& list, int kind)
{
    // Every library this manager loads is current.
    return GetPlugInsList(list, kind);
}

VTPlugIn* VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(int pluginID)
{
    for (const auto& plugin : Loaded())
        if (plugin->GetPlugInID() == pluginID) return plugin.get();
    return nullptr;
}

VantrelSDK::VTSdkEventPlugin* VTPlugIn::GetSdkBaseEventPtr(int pluginID)
{
    VTPlugIn* plugin = GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(pluginID);
    return plugin ? plugin->GetSdkBaseEventPtr() : nullptr;
}

VantrelSDK::VTSdkEventPlugin* VTPlugIn::GetSdkBaseEventPtr(VTPlugIn* plugin)
{
    return plugin ? plugin->GetSdkBaseEventPtr() : nullptr;
}

int VTPlugIn::GetPlugInID(VTPlugIn* plugin) { return plugin ? plugin->GetPlugInID() : -1; }

wxString VTPlugIn::GetName(VTPlugIn* plugin) { return plugin ? plugin->GetName() : wxString(); }

void VTPlugIn::WriteUsedPluginsToConfig(wxConfigBase* config, const std::vector<int>& usedPluginIDs)
{
    if (!config) return;
    wxString text;
    for (size_t i = 0; i < usedPluginIDs.size(); ++i) {
        if (i) text << ",";
        text << usedPluginIDs[i];
    }
    const wxString oldPath = config->GetPath();
    config->SetPath("/");
    config->Write("most_recent_input_set", text);
    config->SetPath(oldPath);
}

wxString VTPlugIn::DoesThisPluginConflictWithSome_LOADED_and_USED_Plugin(VTPlugIn* plugin,
                                                                         const std::vector<int>& usedPluginIDs,
                                                                         const std::vector<VTPlugIn*>& inputList)
{
    if (!plugin) return wxString();
    std::vector<VTPlugIn*> used;
    for (VTPlugIn* other : inputList) {
        if (other && other != plugin &&
            std::find(usedPluginIDs.begin(), usedPluginIDs.end(), other->GetPlugInID()) != usedPluginIDs.end())
            used.push_back(other);
    }
    for (VTPlugIn* other : used) {
        std::vector<VTPlugIn*> one{other};
        wxString message;
        if (plugin->CheckForConflictsAgainstGivenList(message, &one)) return other->GetName();
    }
    return wxString();
}

void VTPlugIn::BuildAllPlugInsListsOfSdkResponses()
{
    for (const auto& plugin : Loaded()) {
        if (VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr())
            input->CreateDefaultResponses([](wxString, VantrelSDK::VTSdkBaseResponse* response) { delete response; });
    }
}

wxString VTPlugIn::GetName() const
{
    wxString name;
    m_Object->GetString(5001, name);
    if (name.empty()) name = wxFileName(m_Info->libraryPath).GetName();
    return name;
}

wxString VTPlugIn::GetShortName() const
{
    wxString name;
    m_Object->GetShortString(name);
    return name.empty() ? GetName() : name;
}

int VTPlugIn::GetPlugInID() const { return m_Object->GetPlugInID(); }

const wxString& VTPlugIn::GetLibraryPath() const { return m_Info->libraryPath; }

bool VTPlugIn::CheckForConflictsAgainstGivenList(wxString& message, std::vector<VTPlugIn*>* list)
{
    message.clear();
    if (!list) return false;
    VantrelSDK::VTSdkInputPlugin* mine = GetSdkBaseInputPtr();
    for (VTPlugIn* other : *list) {
        if (!other || other == this) continue;
        VantrelSDK::VTSdkInputPlugin* theirs = other->GetSdkBaseInputPtr();
        const bool conflict = (mine && mine->HasResponseConflicts(other->GetPlugInID()) != 0) ||
                              (theirs && theirs->HasResponseConflicts(GetPlugInID()) != 0);
        if (conflict) {
            message = wxString::Format(_("\"%s\" cannot be used together with \"%s\"."), GetName(), other->GetName());
            return true;
        }
    }
    return false;
}

wxXmlResource* VTPlugIn::GetResources()
{
    if (!m_ResourcesTried) {
        m_ResourcesTried = true;
        wxFileName xrc(m_Info->folder, wxFileName(m_Info->libraryPath).GetName(), "xrc");
        if (xrc.FileExists()) {
            auto resources = std::make_unique<wxXmlResource>(wxXRC_USE_LOCALE);
            resources->InitAllHandlers();
            if (resources->Load(xrc.GetFullPath())) m_Resources = std::move(resources);
        }
    }
    return m_Resources.get();
}

wxWindow* VTPlugIn::GetConfigPanel(wxWindow* parent)
{
    if (m_ConfigPanel && (!parent || m_ConfigPanel->GetParent() == parent)) return m_ConfigPanel;
    if (!parent) return nullptr;
    if (m_Object->PluginHasBeenConvertedTo_NON_xrc()) {
        m_ConfigPanel = m_Object->FactoryFunction_GetNewEventPluginConfigPanel(parent);
    } else if (wxXmlResource* resources = GetResources()) {
        m_ConfigPanel = resources->LoadPanel(parent, kConfigPanelName);
    }
    if (m_ConfigPanel) {
        if (VantrelSDK::VTSdkInputPlugin* input = GetSdkBaseInputPtr()) {
            if (auto helper = input->GetParticipantInputWindowHelper())
                helper->ConfigureWindowUsingCurrentPluginState(*m_ConfigPanel, true);
        }
    }
    return m_ConfigPanel;
}

wxWindow* VTPlugIn::GetConfigPanelNoCreate() { return m_ConfigPanel.get(); }

void VTPlugIn::OnCloseConfigDlg() { m_ConfigPanel = nullptr; }

VantrelSDK::VTSdkEventPlugin* VTPlugIn::GetSdkBaseEventPtr() const
{
    return dynamic_cast<VantrelSDK::VTSdkEventPlugin*>(m_Object);
}

VantrelSDK::VTSdkInputPlugin* VTPlugIn::GetSdkBaseInputPtr() const
{
    return dynamic_cast<VantrelSDK::VTSdkInputPlugin*>(m_Object);
}

}  // namespace Vantrel
