#include "VTPresenterFrame.h"

#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/panel.h>
#include <wx/stopwatch.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

#include "DisplaySync.h"
#include "VTRuntime/VTTextLayout.h"

#include "VTPlugInCommon/VTSdkPointerInput.h"
#include "VTPlugInCommon/VTTimer.h"

namespace Vantrel {

VTPresenterFrame::VTPresenterFrame()
    : wxFrame(nullptr, wxID_ANY, _("Study Station Presentation"), wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_NO_TASKBAR)
{
    SetBackgroundColour(*wxBLACK);
    m_Canvas = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE);
    m_Canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_Canvas->Bind(wxEVT_PAINT, &VTPresenterFrame::OnPaint, this);
    m_Canvas->Bind(wxEVT_KEY_UP, &VTPresenterFrame::OnKeyUp, this);
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DCLICK})
        m_Canvas->Bind(type, &VTPresenterFrame::OnMouseButton, this);
    Bind(wxEVT_CHAR_HOOK, &VTPresenterFrame::OnCharHook, this);
}

VTPresenterFrame::~VTPresenterFrame() {}

void VTPresenterFrame::Present()
{
    // Without a window manager full-screen requests go unanswered: cover the display ourselves.
    int index = wxDisplay::GetFromPoint(wxPoint(0, 0));
    const wxRect area = wxDisplay(index == wxNOT_FOUND ? 0u : unsigned(index)).GetGeometry();
    SetSize(area);
    Show();
    ShowFullScreen(true);
    Raise();
    m_Canvas->SetFocus();
    WaitForTheFirstPaint();
}

void VTPresenterFrame::WaitForTheFirstPaint()
{
    // Until the new window is mapped and exposed, Refresh() and Update() draw nothing: the
    // first stimulus would be stamped as shown before it was. Let only the window-system
    // events through (no key presses), bounded so that a display that never answers
    // cannot hold the run.
    wxStopWatch waited;
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (!m_EverPainted && waited.Time() < kFirstPaintWaitMs) {
        if (loop)
            loop->YieldFor(wxEVT_CATEGORY_UI);
        else if (wxTheApp)
            wxTheApp->SafeYieldFor(nullptr, wxEVT_CATEGORY_UI);
        if (!m_EverPainted) wxMilliSleep(1);
    }
}

void VTPresenterFrame::ShowBlank()
{
    m_Text.clear();
    m_Picture = wxBitmap();
    Refresh();
}

void VTPresenterFrame::ShowText(const wxString& text)
{
    m_Picture = wxBitmap();
    m_Text = text;
    Refresh();
}

void VTPresenterFrame::ShowBitmap(const wxBitmap& bitmap)
{
    m_Text.clear();
    m_Picture = bitmap;
    Refresh();
}

wxSize VTPresenterFrame::GetSurfaceSize() const { return m_Canvas->GetClientSize(); }

void VTPresenterFrame::SetBackground(const wxColour& colour)
{
    m_Background = colour;
    SetBackgroundColour(colour);
    Refresh();
}

void VTPresenterFrame::SetSensorPatch(const wxRect& rect, const wxColour& colour)
{
    m_SensorPatch = rect;
    m_SensorPatchColour = colour;
}

void VTPresenterFrame::ShowSensorPatch(bool show)
{
    // Put up by the next PaintNow(), together with the stimulus, so that the patch
    // marks the onset and not some earlier repaint; taken down at once.
    m_SensorPatchArmed = show && !m_SensorPatch.IsEmpty();
    if (!m_SensorPatchArmed && m_SensorPatchShown) {
        m_SensorPatchShown = false;
        Refresh();
    }
}

void VTPresenterFrame::SetStimulusPlacement(const wxPoint& offset, const wxColour& textColour)
{
    m_Offset = offset;
    m_TextColour = textColour;
}

bool VTPresenterFrame::GetStimulusRect(wxRect& rect) const
{
    rect = m_StimulusRect;
    return !m_StimulusRect.IsEmpty();
}

void VTPresenterFrame::AddLabelledRectangle(const wxRect& rect, const wxString& label)
{
    m_Rectangles.push_back({rect, label});
    Refresh();
}

void VTPresenterFrame::PaintNow()
{
    m_SensorPatchShown = m_SensorPatchArmed;
    m_Canvas->Refresh();
    m_Canvas->Update();
    // Update() has drawn into the window; wait until the display server has done the
    // same, so the time taken next is when the stimulus is on screen.
    WaitUntilTheDisplayHasDrawn();
}

void VTPresenterFrame::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(m_Canvas);
    m_EverPainted = true;
    const wxSize size = m_Canvas->GetClientSize();
    dc.SetBackground(wxBrush(m_Background));
    dc.Clear();
    m_StimulusRect = wxRect();
    if (m_Grid) {
        dc.SetPen(wxPen(wxColour(60, 60, 60)));
        for (int x = 0; x < size.x; x += 50) dc.DrawLine(x, 0, x, size.y);
        for (int y = 0; y < size.y; y += 50) dc.DrawLine(0, y, size.x, y);
    }
    if (m_Picture.IsOk()) {
        m_StimulusRect =
            wxRect((size.x - m_Picture.GetWidth()) / 2 + m_Offset.x, (size.y - m_Picture.GetHeight()) / 2 + m_Offset.y,
                   m_Picture.GetWidth(), m_Picture.GetHeight());
        dc.DrawBitmap(m_Picture, m_StimulusRect.GetTopLeft());
    } else if (!m_Text.empty()) {
        // Text stands out from the experiment's background: black on light, white on dark.
        VTTextLayout layout = VTTextLayout::Fit(dc, m_Text, size);
        for (wxRect& line : layout.lineRects) line.Offset(m_Offset);
        const wxColour usual = m_Background.GetLuminance() > 0.5 ? *wxBLACK : *wxWHITE;
        layout.Draw(dc, m_TextColour.IsOk() ? m_TextColour : usual);
        m_StimulusRect = layout.Bounds();
    }
    for (const Labelled& r : m_Rectangles) {
        dc.SetPen(wxPen(*wxWHITE, 2));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(r.rect);
        dc.SetTextForeground(*wxWHITE);
        dc.DrawLabel(r.label, r.rect, wxALIGN_CENTER);
    }
    if (m_SensorPatchShown) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(m_SensorPatchColour));
        dc.DrawRectangle(m_SensorPatch);
    }
}

void VTPresenterFrame::OnCharHook(wxKeyEvent& event)
{
    const unsigned long long now = VTTimer::GetTimer().GetElapsedMicroseconds();
    const int code = event.GetKeyCode();
    if (code == WXK_ESCAPE) {
        m_Escape = true;
        VTTimer::GetTimer().SignalCancellationKeypress();
        return;
    }
    // A key held down repeats; only its first press is a response.
    if (!m_Down.insert(code).second) return;
    m_Keys.push_back({code, 1, now});
}

void VTPresenterFrame::OnKeyUp(wxKeyEvent& event)
{
    const unsigned long long now = VTTimer::GetTimer().GetElapsedMicroseconds();
    const int code = event.GetKeyCode();
    if (code == WXK_ESCAPE) return;
    m_Down.erase(code);
    m_Keys.push_back({code, 2, now});
}

void VTPresenterFrame::OnMouseButton(wxMouseEvent& event)
{
    // Stamped on arrival, like a key, before anything else is done with it.
    const unsigned long long now = VTTimer::GetTimer().GetElapsedMicroseconds();
    event.Skip();
    VantrelSDK::PointerInputQueue& queue = VantrelSDK::PointerInputQueue::Get();
    if (!queue.IsListening()) return;
    VantrelSDK::PointerButtonEvent pointer;
    pointer.timeMicroseconds = now;
    // A double click's second press arrives as a double-click event: it is a press too.
    pointer.phase = event.ButtonUp() ? 2 : 1;
    switch (event.GetButton()) {
        case wxMOUSE_BTN_LEFT: pointer.button = VantrelSDK::PointerButtonEvent::BUTTON_LEFT; break;
        case wxMOUSE_BTN_MIDDLE: pointer.button = VantrelSDK::PointerButtonEvent::BUTTON_MIDDLE; break;
        case wxMOUSE_BTN_RIGHT: pointer.button = VantrelSDK::PointerButtonEvent::BUTTON_RIGHT; break;
        default: return;
    }
    pointer.position = event.GetPosition();
    pointer.surface = m_Canvas->GetClientSize();
    pointer.stimulusShown = GetStimulusRect(pointer.stimulus);
    queue.Post(pointer);
}

bool VTPresenterFrame::TakeKey(Key& key)
{
    if (m_Keys.empty()) return false;
    key = m_Keys.front();
    m_Keys.pop_front();
    return true;
}

void VTPresenterFrame::DropQueuedKeys() { m_Keys.clear(); }

bool VTPresenterFrame::TakeEscape()
{
    const bool escape = m_Escape;
    m_Escape = false;
    return escape;
}

}  // namespace Vantrel
