#include "VTPresenterFrame.h"

#include <wx/dcbuffer.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/tokenzr.h>

#include "DisplaySync.h"
#include "VTRuntime/VTTextLayout.h"

#include "VTPlugInCommon/VTTimer.h"

namespace Vantrel {

VTPresenterFrame::VTPresenterFrame()
    : wxFrame(nullptr, wxID_ANY, "Study Station Presentation", wxDefaultPosition, wxDefaultSize,
              wxBORDER_NONE | wxFRAME_NO_TASKBAR)
{
    SetBackgroundColour(*wxBLACK);
    m_Canvas = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS | wxBORDER_NONE);
    m_Canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_Canvas->Bind(wxEVT_PAINT, &VTPresenterFrame::OnPaint, this);
    m_Canvas->Bind(wxEVT_KEY_UP, &VTPresenterFrame::OnKeyUp, this);
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

void VTPresenterFrame::SetStimulusPlacement(const wxPoint& offset, const wxColour& textColour)
{
    m_Offset = offset;
    m_TextColour = textColour;
}

wxSize VTPresenterFrame::GetSurfaceSize() const { return m_Canvas->GetClientSize(); }

void VTPresenterFrame::AddLabelledRectangle(const wxRect& rect, const wxString& label)
{
    m_Rectangles.push_back({rect, label});
    Refresh();
}

void VTPresenterFrame::PaintNow()
{
    m_Canvas->Refresh();
    m_Canvas->Update();
    // Update() has drawn into the window; wait until the display server has done the
    // same, so the time taken next is when the stimulus is on screen.
    WaitUntilTheDisplayHasDrawn();
}

void VTPresenterFrame::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(m_Canvas);
    const wxSize size = m_Canvas->GetClientSize();
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    if (m_Grid) {
        dc.SetPen(wxPen(wxColour(60, 60, 60)));
        for (int x = 0; x < size.x; x += 50) dc.DrawLine(x, 0, x, size.y);
        for (int y = 0; y < size.y; y += 50) dc.DrawLine(0, y, size.x, y);
    }
    if (m_Picture.IsOk()) {
        dc.DrawBitmap(m_Picture, (size.x - m_Picture.GetWidth()) / 2 + m_Offset.x,
                      (size.y - m_Picture.GetHeight()) / 2 + m_Offset.y);
    } else if (!m_Text.empty()) {
        VTTextLayout layout = VTTextLayout::Fit(dc, m_Text, size);
        for (wxRect& line : layout.lineRects) line.Offset(m_Offset);
        layout.Draw(dc, m_TextColour.IsOk() ? m_TextColour : *wxWHITE);
    }
    for (const Labelled& r : m_Rectangles) {
        dc.SetPen(wxPen(*wxWHITE, 2));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(r.rect);
        dc.SetTextForeground(*wxWHITE);
        dc.DrawLabel(r.label, r.rect, wxALIGN_CENTER);
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
