#include "VTPlugInCommon/VTSdkEventPlugin.h"

#include <wx/filename.h>
#include <wx/log.h>

#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkPicturePreviewControl.h"

namespace VantrelSDK {

VTSdkEventEditor::~VTSdkEventEditor() {}
void VTSdkEventEditor::TakeSettingsPack(const VTSdkEditorSettingsPack&) {}
void VTSdkEventEditor::WriteStateIntoInstance(VTSdkEventInstance&) {}
bool VTSdkEventEditor::UpdateOwnStimulusControls(VTSdkEventInstance&, int, bool) { return true; }
void VTSdkEventEditor::OnEventEditorTabChanged(int) {}
void VTSdkEventEditor::OnBeforeFilePrompt() {}
void VTSdkEventEditor::OnAfterFilePrompt() {}
VTSdkStimulusWindows VTSdkEventEditor::GetStimulusWindows() { return VTSdkStimulusWindows(); }

VTSdkVarValueProviderBase::~VTSdkVarValueProviderBase() {}
VTSdkBaseEditorPageHost::~VTSdkBaseEditorPageHost() {}

VTSdkEventPlugin::VTSdkEventPlugin() {}
VTSdkEventPlugin::~VTSdkEventPlugin() {}

bool VTSdkEventPlugin::HasOwnStimulusControls() { return false; }
bool VTSdkEventPlugin::TakesStimulusFiles() { return IsFileBased(); }
bool VTSdkEventPlugin::ReportsOwnLoadFailures() { return false; }
bool VTSdkEventPlugin::PresentsVisually() { return true; }
bool VTSdkEventPlugin::IsFileBased() { return false; }
bool VTSdkEventPlugin::OffersPreviews() { return false; }
int VTSdkEventPlugin::GetDeclaredListKind() { return GetPlugInID(); }

bool VTSdkEventPlugin::PreviewFileIntoControl(const wxString&, VTSdkPicturePreviewControl& control)
{
    control.ClearPreview();
    return false;
}

void VTSdkEventPlugin::ClearPreviewControl(VTSdkPicturePreviewControl& control) { control.ClearPreview(); }

VTSdkEventEditor* VTSdkEventPlugin::MakeEditorForHost(VTSdkBaseEditorPageHost*) { return nullptr; }
void VTSdkEventPlugin::DeleteEditor(VTSdkEventEditor* editor) { delete editor; }

VTSdkEventInstance* VTSdkEventPlugin::NewEventInstance_CallerMustDelete() { return new VTSdkEventInstance(*this); }
void VTSdkEventPlugin::DeleteEventInstance(VTSdkEventInstance* instance) { delete instance; }

bool VTSdkEventPlugin::CanPresentFile(const wxString& path, wxString& problem)
{
    if (!IsFileBased()) {
        problem = "this event type presents no files";
        return false;
    }
    if (!wxFileName::FileExists(path)) {
        problem = "the file does not exist";
        return false;
    }
    return true;
}

bool VTSdkEventPlugin::DetectedLoadabilityProblemInListOfFiles(VTSdkEventPlugin* plugin,
                                                               const std::vector<wxString>& paths, bool quiet,
                                                               std::vector<wxString>* problemsOrNull)
{
    bool found = false;
    for (const wxString& path : paths) {
        wxString problem;
        if (!plugin)
            problem = "no event plug-in presents it";
        else if (plugin->CanPresentFile(path, problem))
            continue;
        found = true;
        const wxString line = path + ": " + problem;
        if (problemsOrNull) problemsOrNull->push_back(line);
        if (!quiet) wxLogError("%s", line);
    }
    return found;
}

}  // namespace VantrelSDK
