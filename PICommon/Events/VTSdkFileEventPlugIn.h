#pragma once
// The shared part of the event types that present one file each (pictures, sound,
// films): their strings and the file checks that every such type makes.

#include <wx/image.h>

#include "VTPlugInCommon/VTSdkEventPlugin.h"

namespace VantrelSDK {

class VTSdkFileEventPlugIn : public VTSdkEventPlugin
{
public:
    struct Strings
    {
        const char* name;      // 5001
        const char* wildcard;  // 101
        const char* title;     // 102
    };
    explicit VTSdkFileEventPlugIn(const Strings& strings) : m_Strings(strings) {}

    bool GetString(int id, wxString& out) override;
    bool IsFileBased() override { return true; }
    // The configuration panel of the event editor (EventConfigPanel.h).
    bool PluginHasBeenConvertedTo_NON_xrc() override { return true; }
    wxWindow* FactoryFunction_GetNewEventPluginConfigPanel(wxWindow* parent) override;
    VTSdkEventEditor* MakeEditorForHost(VTSdkBaseEditorPageHost* host) override;

    // Files larger than this are refused before anything reads them.
    static constexpr unsigned long long kMaximumFileBytes = 2ULL << 30;
    // Exists, is a readable regular file within the size bound.
    static bool CheckFileBasics(const wxString& path, wxString& problem);

private:
    Strings m_Strings;
};

// `image` scaled to fit `area`, aspect kept; enlarged only when `enlarge`.
wxImage FitInto(const wxImage& image, const wxSize& area, bool enlarge,
                wxImageResizeQuality quality = wxIMAGE_QUALITY_HIGH);

}  // namespace VantrelSDK
