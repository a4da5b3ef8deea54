#include "VTSdkFileEventPlugIn.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/panel.h>

#include "EventConfigPanel.h"

namespace VantrelSDK {

bool VTSdkFileEventPlugIn::GetString(int id, wxString& out)
{
    switch (id) {
        case 5001: out = wxGetTranslation(m_Strings.name); return true;
        case 101: out = wxGetTranslation(m_Strings.wildcard); return true;
        case 102: out = wxGetTranslation(m_Strings.title); return true;
        default: return VTSdkEventPlugin::GetString(id, out);
    }
}

wxWindow* VTSdkFileEventPlugIn::FactoryFunction_GetNewEventPluginConfigPanel(wxWindow* parent)
{
    return BuildEventConfigPanel(parent, EventPanelFeatures::ForPlugIn(GetPlugInID()));
}

VTSdkEventEditor* VTSdkFileEventPlugIn::MakeEditorForHost(VTSdkBaseEditorPageHost* host)
{
    return new StandardEventEditor(host, EventPanelFeatures::ForPlugIn(GetPlugInID()));
}

bool VTSdkFileEventPlugIn::CheckFileBasics(const wxString& path, wxString& problem)
{
    if (path.empty() || !wxFileName::FileExists(path)) {
        problem = _("the file does not exist");
        return false;
    }
    if (!wxFileName::IsFileReadable(path)) {
        problem = _("the file cannot be read");
        return false;
    }
    const wxULongLong size = wxFileName::GetSize(path);
    if (size == wxInvalidSize || size.GetValue() > kMaximumFileBytes) {
        problem = _("the file is too large");
        return false;
    }
    return true;
}

wxImage FitInto(const wxImage& image, const wxSize& area, bool enlarge, wxImageResizeQuality quality)
{
    if (!image.IsOk() || area.x <= 0 || area.y <= 0) return image;
    double scale = std::min(double(area.x) / image.GetWidth(), double(area.y) / image.GetHeight());
    if (!enlarge) scale = std::min(1.0, scale);
    if (scale == 1.0) return image;
    return image.Scale(std::max(1, int(image.GetWidth() * scale)), std::max(1, int(image.GetHeight() * scale)),
                       quality);
}

}  // namespace VantrelSDK
