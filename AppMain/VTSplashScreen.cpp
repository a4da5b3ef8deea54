#include "AppMain/VTSplashScreen.h"

#include <VTPlugInCommon/VTResourceHelper.h>

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>

namespace Vantrel {

VTSplashScreen::VTSplashScreen(const wxBitmap& bitmap, int pointSize, int stripHeight)
    : wxSplashScreen(bitmap, wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_NO_TIMEOUT, 0, nullptr, wxID_ANY, wxDefaultPosition,
                     wxDefaultSize, wxBORDER_SIMPLE),
      m_StripHeight(stripHeight),
      m_Font(pointSize, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false, wxEmptyString,
             wxFONTENCODING_DEFAULT)
{}

VTSplashScreen::~VTSplashScreen() = default;

int VTSplashScreen::FilterEvent(wxEvent&) { return Event_Skip; }

void VTSplashScreen::ShowText(const wxString& text)
{
    SetString(text);
    Refresh(true);
}

void VTSplashScreen::SetString(const wxString& text)
{
    wxSplashScreenWindow* window = GetSplashWindow();
    if (!window || !window->GetBitmap().IsOk()) return;
    // Draw on a copy: the displayed bitmap's data may be shared.
    wxBitmap image = window->GetBitmap().GetSubBitmap(wxRect(wxPoint(0, 0), window->GetBitmap().GetSize()));
    {
        wxMemoryDC dc(image);
        dc.SetFont(m_Font);
        wxCoord textWidth = 0, textHeight = 0;
        dc.GetTextExtent(text, &textWidth, &textHeight);
        const int y = image.GetHeight() - m_StripHeight + std::max((m_StripHeight - textHeight) / 2, 0);
        if (m_SavedStrip.IsOk()) {
            // Restore where the strip was taken, so a text of another height
            // cannot leave part of the first one behind.
            dc.DrawBitmap(m_SavedStrip, m_SavedStripRect.GetPosition(), false);
        } else {
            m_SavedStripRect = wxRect(0, y, image.GetWidth(), std::min<int>(textHeight, m_StripHeight));
            m_SavedStripRect.Intersect(wxRect(wxPoint(0, 0), image.GetSize()));
            if (!m_SavedStripRect.IsEmpty()) m_SavedStrip = image.GetSubBitmap(m_SavedStripRect);
        }
        dc.SetTextForeground(*wxBLACK);
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        dc.DrawText(text, 5, y);
    }
    window->SetBitmap(image);
    window->Refresh(true);
    window->Update();
}

const char* const RAII_SplashScreenHelper::kSplashFileName = "Vantrel 6 splash screen.png";

RAII_SplashScreenHelper::RAII_SplashScreenHelper(bool show, const wxString& text)
{
    if (!show) return;
    const wxString path = VTResourceHelper::FindPath_SharedSupport_OrWin32Substitute(kSplashFileName);
    if (path.empty()) return;
    wxImage image;
    {
        wxLogNull quiet;  // a missing or broken image only means no splash
        if (!image.LoadFile(path, wxBITMAP_TYPE_ANY)) return;
    }
    const wxBitmap bitmap(image, wxBITMAP_SCREEN_DEPTH, 1.0);
    if (!bitmap.IsOk()) return;
    m_Splash = new VTSplashScreen(bitmap, 10, 35);
    m_Splash->ShowText(text);
}

RAII_SplashScreenHelper::~RAII_SplashScreenHelper()
{
    if (!m_Splash) return;
    m_Splash->Hide();
    m_Splash->Refresh(true);
    m_Splash->Update();
    m_Splash->Close(false);
    m_Splash->Destroy();
    m_Splash = nullptr;
}

}  // namespace Vantrel
