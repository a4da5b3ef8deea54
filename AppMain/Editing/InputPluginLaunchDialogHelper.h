#pragma once
// Prepares and commits the choice of input device for the welcome and the
// input-selection dialogs. Built once per dialog: it lists the plug-in
// manager's input plug-ins and reads the last known set of input devices from
// the preference "most_recent_input_set"; the lists are not refreshed later.
//
// Entries: one per input plug-in, in the manager's order, then one for the
// whole last known set when that set holds two or more plug-ins.

#include <wx/string.h>

#include <vector>

namespace Vantrel {
class VTExperiment;
class VTPlugIn;
}  // namespace Vantrel

class InputPluginLaunchDialogHelper
{
public:
    InputPluginLaunchDialogHelper();

    const std::vector<wxString>& GetListOfPluginStrings() const { return m_PluginStrings; }
    unsigned int GetNumberOfPluginsInLastKnownConfig() const
    {
        return static_cast<unsigned int>(m_LastKnownSet.size());
    }
    // The entry to select first: the single remembered plug-in (-1 when it is
    // not an input plug-in), the whole remembered set, or 0 when nothing is remembered.
    int GetInitialSelection() const;
    // Whether a plug-in of the last known set reports a conflict with the others.
    bool CheckConflictsForStartupDialog() const;
    // Loads the entry's plug-in, or the whole last known set, into the
    // experiment; `flag` goes to the data model unchanged. A plug-in that
    // conflicts with one the experiment already uses is not loaded: the
    // refusal is logged as an error naming both.
    void CommitPluginSelection(int selection, Vantrel::VTExperiment* experiment, bool flag);

private:
    std::vector<wxString> m_PluginStrings;
    std::vector<Vantrel::VTPlugIn*> m_InputPlugins;
    std::vector<Vantrel::VTPlugIn*> m_LastKnownSet;
};
