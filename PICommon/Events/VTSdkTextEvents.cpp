#include "VTSdkTextEvents.h"

#include <wx/intl.h>

#include <wx/panel.h>

#include "EventConfigPanel.h"
#include "StimulusSegments.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"

namespace VantrelSDK {

namespace {

unsigned long long ShowAndStamp(Interface_PresentationSurface& surface, const wxString& text)
{
    surface.ShowText(text);
    surface.PaintNow();
    return Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
}

class TextInstance : public VTSdkEventInstance
{
public:
    using VTSdkEventInstance::VTSdkEventInstance;
    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface&, wxString&) override
    {
        m_Text = stimulus.text;
        return true;
    }
    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override
    {
        return ShowAndStamp(surface, m_Text);
    }

private:
    wxString m_Text;
};

// Shows the segments of a text one after another; subclasses say when to move on.
class SegmentedInstance : public VTSdkEventInstance
{
public:
    using VTSdkEventInstance::VTSdkEventInstance;

    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface&, wxString& problem) override
    {
        m_Segments.clear();
        m_Current = 0;
        for (const wxString& part : SplitIntoSegments(stimulus.text, GetSetting("segment_character", "\\"))) {
            VTSdkSegmentTime segment;
            segment.text = part;
            m_Segments.push_back(segment);
        }
        if (m_Segments.empty()) {
            problem = _("the text has no words to present");
            return false;
        }
        return true;
    }

    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override
    {
        m_Current = 0;
        return ShowCurrent(surface);
    }

    bool IsFinished() const override { return m_Current >= m_Segments.size(); }
    std::vector<VTSdkSegmentTime> GetSegmentTimes() const override
    {
        // Only what the participant saw.
        const size_t shown = std::min(m_Segments.size(), m_Current + 1);
        return std::vector<VTSdkSegmentTime>(m_Segments.begin(), m_Segments.begin() + long(shown));
    }

protected:
    unsigned long long ShowCurrent(Interface_PresentationSurface& surface)
    {
        VTSdkSegmentTime& segment = m_Segments[m_Current];
        const unsigned long long onset = ShowAndStamp(surface, segment.text);
        segment.onsetMicroseconds = onset;
        // Each word has its own place on the screen; the data file reports it per word.
        segment.hasRect = surface.GetDrawnRect(segment.rect);
        return onset;
    }
    // Moves to the next segment (showing it) or, after the last, to the finished state.
    void Advance(Interface_PresentationSurface& surface)
    {
        if (IsFinished()) return;
        if (++m_Current < m_Segments.size()) ShowCurrent(surface);
    }

    std::vector<VTSdkSegmentTime> m_Segments;
    size_t m_Current = 0;
};

class SelfPacedInstance : public SegmentedInstance
{
public:
    using SegmentedInstance::SegmentedInstance;
    bool TakesStepResponses() const override { return true; }
    void OnStepResponse(Interface_PresentationSurface& surface, unsigned long long time, const wxString& name,
                        bool correct) override
    {
        if (IsFinished()) return;
        VTSdkSegmentTime& segment = m_Segments[m_Current];
        // A press stamped before this segment was on screen (made while it was being
        // drawn) cannot be its reading time: the participant never saw it. Taking it would
        // skip the segment unseen and record a negative time.
        if (time < segment.onsetMicroseconds) return;
        segment.answered = true;
        segment.responseMicroseconds = time;
        segment.responseName = name;
        segment.responseCorrect = correct;
        Advance(surface);
    }
};

class RapidSerialInstance : public SegmentedInstance
{
public:
    using SegmentedInstance::SegmentedInstance;
    void OnTick(Interface_PresentationSurface& surface, unsigned long long now) override
    {
        const unsigned long long duration =
            static_cast<unsigned long long>(GetSettingNumber("word_duration_ms", 250, 16, 10000)) * 1000;
        // Each word's time counts from its own onset, so a late frame does not shorten the next word.
        while (!IsFinished() && now >= m_Segments[m_Current].onsetMicroseconds + duration) Advance(surface);
    }
};

}  // namespace

bool VTSdkTextKindEventPlugIn::GetString(int id, wxString& out)
{
    if (id == 5001) {
        out = wxGetTranslation(m_Name);
        return true;
    }
    return VTSdkEventPlugin::GetString(id, out);
}

wxWindow* VTSdkTextKindEventPlugIn::FactoryFunction_GetNewEventPluginConfigPanel(wxWindow* parent)
{
    return BuildEventConfigPanel(parent, EventPanelFeatures::ForPlugIn(GetPlugInID()));
}

VTSdkEventEditor* VTSdkTextKindEventPlugIn::MakeEditorForHost(VTSdkBaseEditorPageHost* host)
{
    return new StandardEventEditor(host, EventPanelFeatures::ForPlugIn(GetPlugInID()));
}

VTSdkEventInstance* VTSdkTextEvent::NewEventInstance_CallerMustDelete() { return new TextInstance(*this); }
VTSdkEventInstance* VTSdkSelfPacedReadingEvent::NewEventInstance_CallerMustDelete()
{
    return new SelfPacedInstance(*this);
}
VTSdkEventInstance* VTSdkRapidSerialEvent::NewEventInstance_CallerMustDelete()
{
    return new RapidSerialInstance(*this);
}

}  // namespace VantrelSDK
