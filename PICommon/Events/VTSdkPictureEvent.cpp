#include "VTSdkPictureEvent.h"

#include <wx/bitmap.h>
#include <wx/intl.h>
#include <wx/log.h>

#include <chrono>
#include <future>

#include "EventPlugInEntry.h"
#include "PictureHeader.h"
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
    ~PictureInstance() override
    {
        // A run that ends early waits for a decode still going (bounded by the pixel limit).
        if (m_Decoding.valid()) m_Decoding.wait();
    }

    // The size is checked from the header here; decoding and scaling go on in the
    // background, so the event on screen meanwhile keeps its timing.
    bool PrepareStimulus(const VTSdkStimulus& stimulus, Interface_PresentationSurface& surface,
                         wxString& problem) override
    {
        if (!VTSdkFileEventPlugIn::CheckFileBasics(stimulus.path, problem) || !CheckPictureSize(stimulus.path, problem))
            return false;
        const wxString path = stimulus.path;
        const wxSize area = surface.GetSurfaceSize();
        m_Decoding = std::async(std::launch::async, [path, area] {
            Decoded result;
            wxImage image;
            if (VTSdkPictureEvent::LoadPicture(path, image, result.problem))
                // Shown at its own size; only a picture larger than the display is scaled down.
                result.image = FitInto(image, area, false);
            return result;
        });
        return true;
    }

    // The bitmap is made here, on the GUI thread, once the decode is done: before this
    // event's onset and after the previous event ended.
    bool IsPrepared(wxString& problem) override
    {
        if (m_Bitmap.IsOk()) return true;
        if (!m_Decoding.valid() || m_Decoding.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return false;
        Decoded decoded = m_Decoding.get();
        if (!decoded.image.IsOk()) {
            problem = decoded.problem.empty() ? wxString(_("it cannot be read as a picture")) : decoded.problem;
            return false;
        }
        m_Bitmap = wxBitmap(decoded.image);
        if (!m_Bitmap.IsOk()) problem = _("it cannot be drawn");
        return m_Bitmap.IsOk();
    }

    unsigned long long StartPresentation(Interface_PresentationSurface& surface) override
    {
        surface.ShowBitmap(m_Bitmap);
        surface.PaintNow();
        return Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
    }

private:
    struct Decoded
    {
        wxImage image;
        wxString problem;
    };
    std::future<Decoded> m_Decoding;
    wxBitmap m_Bitmap;
};

}  // namespace

VTSdkPictureEvent::VTSdkPictureEvent() : VTSdkFileEventPlugIn(kStrings)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
}

bool VTSdkPictureEvent::LoadPicture(const wxString& path, wxImage& image, wxString& problem)
{
    if (!CheckFileBasics(path, problem) || !CheckPictureSize(path, problem)) return false;
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
