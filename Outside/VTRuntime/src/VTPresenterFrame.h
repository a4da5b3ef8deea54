#pragma once
// The presentation window: covers the display, is the surface the event-type
// plug-ins draw their stimuli on, and queues the participant's keys with their
// run-timer times.

#include <wx/bitmap.h>
#include <wx/frame.h>

#include <deque>
#include <set>
#include <vector>

#include "VTPlugInCommon/VTSdkPresentationSurface.h"

namespace Vantrel {

class VTPresenterFrame : public wxFrame, public VantrelSDK::Interface_PresentationSurface
{
public:
    struct Key
    {
        int code;
        int phase;  // 1 press, 2 release
        unsigned long long timeMicroseconds;
    };

    VTPresenterFrame();
    ~VTPresenterFrame() override;

    // Shows the window over the whole display and gives it the keyboard.
    void Present();
    wxSize GetSurfaceSize() const override;
    void ShowBlank() override;
    void ShowText(const wxString& text) override;
    void ShowBitmap(const wxBitmap& bitmap) override;
    void SetGrid(bool grid) { m_Grid = grid; }
    // Text is drawn in black or white, whichever stands out from the background.
    void SetBackground(const wxColour& colour);
    // The light-sensor patch, drawn over everything while shown. Showing takes
    // effect with the next PaintNow(); hiding at once.
    void SetSensorPatch(const wxRect& rect, const wxColour& colour);
    void ShowSensorPatch(bool show);
    // Where the last paint drew the stimulus (false: no stimulus drawn).
    bool GetStimulusRect(wxRect& rect) const;
    // Where what is shown next is drawn: its middle `offset` pixels from the surface's
    // centre; and the colour of its text (an invalid colour: black or white as above).
    void SetStimulusPlacement(const wxPoint& offset, const wxColour& textColour);
    void AddLabelledRectangle(const wxRect& rect, const wxString& label);
    // Paints now, so the stimulus is on screen when this returns.
    void PaintNow() override;

    bool TakeKey(Key& key);
    void DropQueuedKeys();
    // Escape was pressed since the last call.
    bool TakeEscape();

private:
    void WaitForTheFirstPaint();
    void OnPaint(wxPaintEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    // Buttons go to the on-screen input plug-in, when one listens.
    void OnMouseButton(wxMouseEvent& event);

    wxWindow* m_Canvas;
    wxString m_Text;
    wxBitmap m_Picture;
    bool m_Grid = false;
    // Set by the first paint: from then on PaintNow() really draws.
    bool m_EverPainted = false;
    static constexpr long kFirstPaintWaitMs = 2000;
    wxColour m_Background{0, 0, 0};
    wxRect m_SensorPatch;
    wxColour m_SensorPatchColour;
    bool m_SensorPatchArmed = false;
    bool m_SensorPatchShown = false;
    wxRect m_StimulusRect;
    wxPoint m_Offset;
    wxColour m_TextColour;
    struct Labelled
    {
        wxRect rect;
        wxString label;
    };
    std::vector<Labelled> m_Rectangles;
    std::deque<Key> m_Keys;
    std::set<int> m_Down;
    bool m_Escape = false;
};

}  // namespace Vantrel
