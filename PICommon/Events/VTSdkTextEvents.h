#pragma once
// The event types that present text: plain text (330), self-paced reading (340:
// one word or segment at a time, the next on each accepted response) and rapid
// serial presentation (341: one word or segment at a time at a fixed rate).
//
// Instance settings of the reading types: "segment_character" (default "\"): with it
// in the text, the parts between them are shown in turn, otherwise the words;
// rapid presentation also "word_duration_ms" (default 250, 16 to 10000).

#include "VTPlugInCommon/VTSdkEventPlugin.h"

namespace VantrelSDK {

class VTSdkTextKindEventPlugIn : public VTSdkEventPlugin
{
public:
    explicit VTSdkTextKindEventPlugIn(const char* name) : m_Name(name) {}
    bool GetString(int id, wxString& out) override;
    // The configuration panel of the event editor (EventConfigPanel.h).
    bool PluginHasBeenConvertedTo_NON_xrc() override { return true; }
    wxWindow* FactoryFunction_GetNewEventPluginConfigPanel(wxWindow* parent) override;
    VTSdkEventEditor* MakeEditorForHost(VTSdkBaseEditorPageHost* host) override;

private:
    const char* m_Name;
};

class VTSdkTextEvent : public VTSdkTextKindEventPlugIn
{
public:
    VTSdkTextEvent() : VTSdkTextKindEventPlugIn("Text") {}
    int GetPlugInID() override { return kText; }
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
};

class VTSdkSelfPacedReadingEvent : public VTSdkTextKindEventPlugIn
{
public:
    VTSdkSelfPacedReadingEvent() : VTSdkTextKindEventPlugIn("Self-Paced Reading") {}
    int GetPlugInID() override { return kSelfPacedReading; }
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
};

class VTSdkRapidSerialEvent : public VTSdkTextKindEventPlugIn
{
public:
    VTSdkRapidSerialEvent() : VTSdkTextKindEventPlugIn("RSVP") {}
    int GetPlugInID() override { return kRapidSerialPresentation; }
    // Its lists are the reading lists; it presents them at a fixed rate.
    int GetDeclaredListKind() override { return kSelfPacedReading; }
    VTSdkEventInstance* NewEventInstance_CallerMustDelete() override;
};

}  // namespace VantrelSDK
