#pragma once
// The configuration panel that every event-type plug-in of this system gives the
// event editor, and the editor object that fills it from an event's settings and
// writes them back.
//
// The standard stimulus controls carry the names the editor's page looks for:
// "ID_MN_USE_LIST_OR_FILE" (0 the event's own stimulus, 1 a stimulus list),
// "ID_MN_SELECT_LIST", "ID_BT_EDIT_STIM_LIST", "ID_BT_CREATE_LIST",
// "ID_BT_SELECT_FILE" (file kinds), "ID_CB_SHOW_GRID", "ID_BT_PREVIEW" and
// "ID_BT_EDIT_VISUAL_ATTRIBUTES" is not offered. The plug-in's own controls:
// "label_stim_file" (the chosen file), "text_stimulus" (the text of text kinds),
// "text_segment_character" (reading kinds), "text_word_duration" (rapid serial
// presentation, milliseconds per word).

#include "VTPlugInCommon/VTSdkEventPlugin.h"

class wxPanel;
class wxWindow;

namespace VantrelSDK {

struct EventPanelFeatures
{
    bool files = false;
    bool text = false;
    bool segments = false;
    bool wordDuration = false;
    // The features of the event types this system ships, by plug-in id.
    static EventPanelFeatures ForPlugIn(int plugInID);
};

wxPanel* BuildEventConfigPanel(wxWindow* parent, const EventPanelFeatures& features);

class StandardEventEditor : public VTSdkEventEditor
{
public:
    StandardEventEditor(VTSdkBaseEditorPageHost* host, const EventPanelFeatures& features);
    void TakeSettingsPack(const VTSdkEditorSettingsPack& pack) override;
    void WriteStateIntoInstance(VTSdkEventInstance& instance) override;
    bool UpdateOwnStimulusControls(VTSdkEventInstance& instance, int reserved, bool isListEvent) override;

    // Settings keys of the reading kinds.
    static constexpr const char* kSegmentCharacter = "segment_character";
    static constexpr const char* kWordDuration = "word_duration_ms";

private:
    wxWindow* Find(const char* name) const;

    VTSdkBaseEditorPageHost* m_Host;
    EventPanelFeatures m_Features;
};

}  // namespace VantrelSDK
