#include "AppMain/Editing/InputPluginLaunchDialogHelper.h"

#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/GeneralHelpers.h>
#include <VTPlugInCommon/VTPlugInKinds.h>
#include <VTRuntime/VTPlugIn.h>

#include <wx/config.h>
#include <wx/intl.h>
#include <wx/log.h>

using Vantrel::VTPlugIn;

namespace {

// Loads one plug-in unless it conflicts with an input device the experiment
// already uses; loading both would leave the experiment with devices that
// cannot run together.
void LoadUnlessConflicting(VTPlugIn* plugin, Vantrel::VTExperiment* experiment, bool flag,
                           const std::vector<VTPlugIn*>& inputPlugins)
{
    const wxString other = VTPlugIn::DoesThisPluginConflictWithSome_LOADED_and_USED_Plugin(
        plugin, experiment->GetInputPlugInIDsInUse(), inputPlugins);
    if (!other.empty()) {
        wxLogError(_("\"%s\" was not added to the experiment because it conflicts with \"%s\". These input devices "
                     "may conflict. You can change settings in Participant Input."),
                   plugin->GetName(), other);
        return;
    }
    experiment->LoadInputPlugin(plugin, flag);
}

}  // namespace

InputPluginLaunchDialogHelper::InputPluginLaunchDialogHelper()
{
    VTPlugIn::GetPlugInsList(m_InputPlugins, VantrelSDK::VT_PLUGIN_KIND_INPUT);
    for (VTPlugIn* plugin : m_InputPlugins) m_PluginStrings.push_back(plugin->GetName());

    wxConfigBase* config = wxConfigBase::Get(true);
    const wxString previousPath = config->GetPath();
    config->SetPath("/");
    std::vector<double> ids;
    Orbisk::GeneralAppHelpers::GetFloatArrayPreferenceValue(config, "/", "most_recent_input_set", ids);
    for (double id : ids) {
        // Truncated, not rounded: 2.9 stands for plug-in 2.
        if (VTPlugIn* plugin =
                VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(static_cast<int>(id)))
            m_LastKnownSet.push_back(plugin);
    }
    if (m_LastKnownSet.size() >= 2) {
        wxString entry = _("Last Known Setup (");
        for (size_t i = 0; i < m_LastKnownSet.size(); ++i) {
            if (i) entry << ", ";
            entry << m_LastKnownSet[i]->GetShortName();
        }
        entry << ")";
        m_PluginStrings.push_back(entry);
    }
    config->SetPath(previousPath);
}

int InputPluginLaunchDialogHelper::GetInitialSelection() const
{
    if (m_LastKnownSet.empty()) return 0;
    if (m_LastKnownSet.size() >= 2) return static_cast<int>(m_InputPlugins.size());
    const int remembered = m_LastKnownSet.front()->GetPlugInID();
    for (size_t i = 0; i < m_InputPlugins.size(); ++i)
        if (m_InputPlugins[i]->GetPlugInID() == remembered) return static_cast<int>(i);
    return -1;
}

bool InputPluginLaunchDialogHelper::CheckConflictsForStartupDialog() const
{
    std::vector<VTPlugIn*> set = m_LastKnownSet;
    wxString message;
    for (VTPlugIn* plugin : m_LastKnownSet) {
        plugin->CheckForConflictsAgainstGivenList(message, &set);
        if (!message.empty()) return true;
    }
    return false;
}

void InputPluginLaunchDialogHelper::CommitPluginSelection(int selection, Vantrel::VTExperiment* experiment, bool flag)
{
    if (!experiment) return;
    const int count = static_cast<int>(m_InputPlugins.size());
    if (m_InputPlugins.empty() && m_LastKnownSet.empty()) {
        // Whatever the selection, there is no device to load: say so.
        wxLogError(_("Missing Vantrel input device."));
        return;
    }
    if (selection >= 0 && selection < count) {
        LoadUnlessConflicting(m_InputPlugins[selection], experiment, flag, m_InputPlugins);
    } else if (selection == count) {
        for (VTPlugIn* plugin : m_LastKnownSet) LoadUnlessConflicting(plugin, experiment, flag, m_InputPlugins);
    } else if (m_InputPlugins.empty()) {
        wxLogError(_("Missing Vantrel input device."));
    } else {
        wxLogError(_("Unknown selection. Choosing first available input device."));
        LoadUnlessConflicting(m_InputPlugins.front(), experiment, flag, m_InputPlugins);
    }
}
