#pragma once
// One event's settings for its event-type plug-in, and the run-time face of the
// same object: the runtime prepares, starts, drives and stops the presentation of
// one stimulus through it.
//
// Run-time call order, all on the GUI thread:
//   PrepareStimulus -> (IsPrepared polled until true) -> StartPresentation ->
//   OnTick / OnStepResponse while the event lasts -> StopPresentation.
// Preparing does the slow work (decoding, prerolling) before the stimulus is due,
// so StartPresentation puts it on the display or the sound output at once.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <map>
#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

namespace VantrelSDK {

class Interface_PresentationSurface;
class VTSdkEventPlugin;

// What one presentation shows: a text (text kinds) or a file (file kinds).
struct VTSDK_API VTSdkStimulus
{
    wxString text;
    wxString path;  // absolute
};

// One shown part of a segmented stimulus (a word of self-paced reading or of rapid
// serial presentation), with its times on the run timer.
struct VTSDK_API VTSdkSegmentTime
{
    wxString text;
    unsigned long long onsetMicroseconds = 0;
    bool answered = false;  // a step response ended it
    unsigned long long responseMicroseconds = 0;
    wxString responseName;
    bool responseCorrect = true;
    // Where the segment was drawn on the surface (false: the surface cannot say).
    bool hasRect = false;
    wxRect rect;
};

class VTSDK_API Interface_EventInstanceForRuntime
{
public:
    virtual ~Interface_EventInstanceForRuntime();

    // Loads what `stimulus` needs. False (and `problem` filled) when it cannot be
    // presented. Work may go on in the background: IsPrepared tells when it is done.
    virtual bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface& surface,
                                 wxString& problem) = 0;
    // True when the stimulus can start at once; false while it is still loading, or
    // when loading failed (then `problem` says why).
    virtual bool IsPrepared(wxString& problem) = 0;
    // Puts the stimulus out now. Returns the onset on the run timer in microseconds:
    // when the first frame was drawn, or when the first sample leaves for the output.
    virtual unsigned long long StartPresentation(Interface_PresentationSurface& surface) = 0;
    // Called at least every few milliseconds while the event lasts (films draw their
    // frames here, rapid presentation changes words).
    virtual void OnTick(Interface_PresentationSurface& surface, unsigned long long nowMicroseconds);
    // True for kinds whose accepted responses step through the stimulus rather than
    // end the event (self-paced reading); OnStepResponse then receives each of them.
    virtual bool TakesStepResponses() const;
    virtual void OnStepResponse(Interface_PresentationSurface& surface, unsigned long long timeMicroseconds,
                                const wxString& responseName, bool correct);
    // True when the stimulus has run its course and its event should end (the last
    // word was read or shown). Sounds and films end their events by the event's rules.
    virtual bool IsFinished() const;
    // Stops sound and film output; the display keeps what it shows.
    virtual void StopPresentation();
    // The segments shown, in order (empty for kinds that are not segmented).
    virtual std::vector<VTSdkSegmentTime> GetSegmentTimes() const;
    // Frames the display missed (films), for the run's report.
    virtual unsigned long GetDroppedFrameCount() const;
    // A failure after the start (a decoder or output error): the stimulus no longer
    // reaches the participant. "" while all is well; each failure is returned once.
    virtual wxString TakePresentationFailure();
};

// An event's settings: the plug-in id and named values the plug-in defines (the
// self-paced reading segment character, the rapid presentation rate, ...).
class VTSDK_API VTSdkEventInstance : public Interface_EventInstanceForRuntime
{
public:
    explicit VTSdkEventInstance(VTSdkEventPlugin& owner);
    ~VTSdkEventInstance() override;
    VTSdkEventInstance(const VTSdkEventInstance&) = delete;
    VTSdkEventInstance& operator=(const VTSdkEventInstance&) = delete;

    int GetPlugInID() const;
    VTSdkEventPlugin& GetOwningPlugIn() const { return m_Owner; }
    // Takes the settings of `other` (an instance of the same plug-in; others are ignored).
    virtual void CopySettingsFrom(const VTSdkEventInstance& other);

    // The stimulus files the editor loaded for this event; null and 0 mean none.
    void SetLoadedFiles(const wxString* list, int count);
    const std::vector<wxString>& GetLoadedFiles() const { return m_LoadedFiles; }

    // The text the event presents (text kinds); the event's own stimulus text.
    const wxString& GetStimulusText() const { return m_StimulusText; }
    void SetStimulusText(const wxString& text) { m_StimulusText = text; }

    typedef std::map<wxString, wxString> Settings;
    const Settings& GetSettings() const { return m_Settings; }
    void SetSettings(const Settings& settings) { m_Settings = settings; }
    wxString GetSetting(const wxString& key, const wxString& fallback) const;
    long GetSettingNumber(const wxString& key, long fallback, long low, long high) const;
    void SetSetting(const wxString& key, const wxString& value) { m_Settings[key] = value; }

    // Run-time defaults: nothing to prepare, nothing drawn.
    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface& surface,
                         wxString& problem) override;
    bool IsPrepared(wxString& problem) override;
    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override;

private:
    VTSdkEventPlugin& m_Owner;
    std::vector<wxString> m_LoadedFiles;
    wxString m_StimulusText;
    Settings m_Settings;
};

}  // namespace VantrelSDK
