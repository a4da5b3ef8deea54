#pragma once
// The start-up splash: the program's image with one line of status text drawn
// into a strip at its bottom. It never closes itself on a click or key; its
// owner closes it.

#include <VTRuntime/VTPlugIn.h>

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/splash.h>

namespace Vantrel {

class VTSplashScreen : public wxSplashScreen, public IPlugInLoadProgressDisplay
{
public:
    VTSplashScreen(const wxBitmap& bitmap, int pointSize, int stripHeight);
    ~VTSplashScreen() override;

    int FilterEvent(wxEvent& event) override;
    void ShowText(const wxString& text) override;
    // Draws `text` into the displayed image, first restoring what the first
    // text covered so no remains of an earlier text stay visible.
    void SetString(const wxString& text);

    // For tests: the rectangle saved by the first text (empty until then).
    wxRect GetSavedStripRect() const { return m_SavedStripRect; }

private:
    wxBitmap m_SavedStrip;
    int m_StripHeight;
    wxFont m_Font;
    wxRect m_SavedStripRect;
};

// Owns the splash for the application: creating it shows the splash (when asked
// and when the image can be loaded); destroying it closes the splash.
class RAII_SplashScreenHelper
{
public:
    RAII_SplashScreenHelper(bool show, const wxString& text);
    ~RAII_SplashScreenHelper();
    RAII_SplashScreenHelper(const RAII_SplashScreenHelper&) = delete;
    RAII_SplashScreenHelper& operator=(const RAII_SplashScreenHelper&) = delete;

    IPlugInLoadProgressDisplay* GetDisplayPtr() const { return m_Splash; }
    wxWindow* GetHidableWindowPtr() const { return m_Splash; }

    static const char* const kSplashFileName;  // "Vantrel 6 splash screen.png"

private:
    VTSplashScreen* m_Splash = nullptr;
};

}  // namespace Vantrel
