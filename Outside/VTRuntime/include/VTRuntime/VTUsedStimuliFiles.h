#pragma once
// The stimulus files one event uses, as the event editor loads them for the event's
// plug-in: filled from the event, checked with the plug-in that presents them, and
// handed to the plug-in's instance as a list of absolute paths.

#include <wx/string.h>

#include <vector>

namespace VantrelSDK {
class VTSdkEventPlugin;
}

namespace Vantrel {

class VTEvent;

class VTUsedStimuliFiles
{
public:
    // `checkFiles`: loading checks that each file can be presented; otherwise every
    // file is taken as it is.
    explicit VTUsedStimuliFiles(bool checkFiles);

    // The event's own stimulus files, resolved against its experiment's folder; the
    // plug-in is the one that presents them (null: the files are not checked).
    void FillFromEvent(const VTEvent& event, VantrelSDK::VTSdkEventPlugin* plugin);
    // 0 when every file can be presented; otherwise 1, with the problems kept. The
    // flags are reserved.
    int LoadStimuliFiles(bool, bool, bool, bool);
    const std::vector<wxString>& GetProblems() const { return m_Problems; }
    // The loaded files as the plug-in's instance takes them (empty before a load).
    const std::vector<wxString>& BuildSdkFilesList() const { return m_Loaded; }
    bool IsEmpty() const { return m_Paths.empty(); }
    void UnloadStimuliFiles();
    void ClearAll();

private:
    bool m_CheckFiles;
    VantrelSDK::VTSdkEventPlugin* m_Plugin = nullptr;
    std::vector<wxString> m_Paths;
    std::vector<wxString> m_Loaded;
    std::vector<wxString> m_Problems;
};

}  // namespace Vantrel
