#pragma once
// Base of event-type plug-ins (kind 1). The plug-in id is the stimulus-list kind it
// presents: 300 pictures, 311 audio, 320 movies, 330 text, 340 self-paced reading,
// 341 rapid serial presentation, 1000 digital output.
//
// Strings (GetString): 5001 the plug-in's name, also its configuration key;
// 101 the file-dialog wildcard; 102 the file-dialog title.

#include <wx/string.h>

#include <vector>

#include "VTPlugInCommon/VTSdkBase.h"
#include "VTPlugInCommon/VTSdkEventEditing.h"

namespace VantrelSDK {

class VTSdkBaseEditorPageHost;
class VTSdkEventInstance;
class VTSdkPicturePreviewControl;

// The plug-in's editor object for one event plug-in page; made by MakeEditorForHost.
class VTSDK_API VTSdkEventEditor
{
public:
    virtual ~VTSdkEventEditor();
    // The page's settings pack: the instance to show (see VTSdkEventEditing.h).
    virtual void TakeSettingsPack(const VTSdkEditorSettingsPack& pack);
    // Writes what the panel shows into `instance`.
    virtual void WriteStateIntoInstance(VTSdkEventInstance& instance);
    // Brings the plug-in's own stimulus controls up to date; true when the page is
    // to update the standard ones as well.
    virtual bool UpdateOwnStimulusControls(VTSdkEventInstance& instance, int reserved, bool isListEvent);
    virtual void OnEventEditorTabChanged(int tab);
    virtual void OnBeforeFilePrompt();
    virtual void OnAfterFilePrompt();
    // The six standard windows, when the plug-in has its own stimulus controls.
    virtual VTSdkStimulusWindows GetStimulusWindows();
};

class VTSDK_API VTSdkEventPlugin : public VTSdkBase
{
public:
    // Ids of the event types this system ships.
    enum : int
    {
        kPictures = 300,
        kAudio = 311,
        kMovies = 320,
        kText = 330,
        kSelfPacedReading = 340,
        kRapidSerialPresentation = 341,
    };

    VTSdkEventPlugin();
    ~VTSdkEventPlugin() override;

    // ---- Roles
    // The plug-in's panel brings its own stimulus controls (its editor supplies them).
    virtual bool HasOwnStimulusControls();
    // Its events take stimulus files (the page shows the file button).
    virtual bool TakesStimulusFiles();
    // It reports a failed load itself (the host then logs nothing).
    virtual bool ReportsOwnLoadFailures();
    // It draws on the display; sounds do not.
    virtual bool PresentsVisually();
    // It presents single files (pictures, sounds, films).
    virtual bool IsFileBased();
    // It can draw a preview of a file.
    virtual bool OffersPreviews();
    // The stimulus-list kind its lists have (its id unless it says otherwise).
    virtual int GetDeclaredListKind();

    // ---- Previews (only when OffersPreviews)
    // False, after clearing the control, when the file cannot be previewed.
    virtual bool PreviewFileIntoControl(const wxString& path, VTSdkPicturePreviewControl& control);
    virtual void ClearPreviewControl(VTSdkPicturePreviewControl& control);

    // ---- Editor object and instances
    // The editor for one plug-in page, or null when the plug-in has none; given back
    // through DeleteEditor.
    virtual VTSdkEventEditor* MakeEditorForHost(VTSdkBaseEditorPageHost* host);
    virtual void DeleteEditor(VTSdkEventEditor* editor);
    // A new instance with default settings; the caller owns it until it is handed
    // to an event, and gives it back through DeleteEventInstance.
    virtual VTSdkEventInstance* NewEventInstance_CallerMustDelete();
    virtual void DeleteEventInstance(VTSdkEventInstance* instance);

    // ---- Stimulus files
    // True when this plug-in can present the file; otherwise false with `problem`
    // saying why (missing, unreadable, not decodable). Bounded in time per file.
    virtual bool CanPresentFile(const wxString& path, wxString& problem);

    // True when `plugin` cannot present at least one of `paths`. Each problem is
    // appended to `problemsOrNull` as "<file>: <why>"; unless `quiet`, each is also
    // logged as an error. A null plug-in cannot present anything.
    static bool DetectedLoadabilityProblemInListOfFiles(VTSdkEventPlugin* plugin, const std::vector<wxString>& paths,
                                                        bool quiet, std::vector<wxString>* problemsOrNull = nullptr);
};

}  // namespace VantrelSDK
