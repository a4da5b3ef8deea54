#include "VTSdkPictureEvent.h"

#include <wx/bitmap.h>
#include <wx/intl.h>
#include <wx/log.h>

#include "EventPlugInEntry.h"
#include "VTPlugInCommon/VTSdkEventInstance.h"
#include "VTPlugInCommon/VTSdkPicturePreviewControl.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"

namespace VantrelSDK {

namespace {

const VTSdkFileEventPlugIn::Strings kStrings = {
    "Picture",
    "Pictures (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff)|*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff|"
    "All Files (*.*)|*.*",
    "Select a Picture File"};

class PictureInstance : public VTSdkEventInstance
{
public:
    using VTSdkEventInstance::VTSdkEventInstance;

    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface& surface,
                         wxString& problem) override
    {
        wxImage image;
        if (!VTSdkPictureEvent::LoadPicture(stimulus.path, image, problem)) return false;
        m_Bitmap = wxBitmap(FitInto(image, surface.GetSurfaceSize(), true));
        return m_Bitmap.IsOk();
    }

    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override
    {
        surface.ShowBitmap(m_Bitmap);
        surface.PaintNow();
        return Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
    }

private:
    wxBitmap m_Bitmap;
};

}  // namespace

VTSdkPictureEvent::VTSdkPictureEvent() : VTSdkFileEventPlugIn(kStrings)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
}

bool VTSdkPictureEvent::LoadPicture(const wxString& path, wxImage& image, wxString& problem)
{
    if (!CheckFileBasics(path, problem)) return false;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    {
        wxLogNull quiet;  // the caller names the file once
        image.LoadFile(path);
    }
    if (!image.IsOk()) {
        problem = _("it cannot be read as a picture");
        return false;
    }
    return true;
}

bool VTSdkPictureEvent::CanPresentFile(const wxString& path, wxString& problem)
{
    wxImage image;
    return LoadPicture(path, image, problem);
}

bool VTSdkPictureEvent::PreviewFileIntoControl(const wxString& path, VTSdkPicturePreviewControl& control)
{
    wxImage image;
    wxString problem;
    if (!LoadPicture(path, image, problem)) {
        control.SetPreviewText(problem);
        return false;
    }
    control.SetPreview(wxBitmap(FitInto(image, control.GetClientSize(), false)));
    return true;
}

VTSdkEventInstance* VTSdkPictureEvent::NewEventInstance_CallerMustDelete() { return new PictureInstance(*this); }

}  // namespace VantrelSDK

VTSDK_DEFINE_EVENT_PLUGIN_ENTRY(VantrelSDK::VTSdkPictureEvent)
