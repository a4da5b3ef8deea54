#include "VTPlugInCommon/OrbiskImagesArtworkEtc.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstring>
#include <map>
#include <mutex>

namespace OrbiskArtworkData {
struct Entry
{
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const Entry kEntries[];
}  // namespace OrbiskArtworkData

namespace Orbisk {

namespace {

// Decoded once per image; callers get copies sharing the data.
wxBitmap Load(const wxString& fileName)
{
    // Never freed: bitmaps must not be released after the GUI library has shut down.
    static auto& cache = *new std::map<wxString, wxBitmap>;
    auto found = cache.find(fileName);
    if (found != cache.end()) return found->second;
    wxBitmap bitmap;
    for (const OrbiskArtworkData::Entry* e = OrbiskArtworkData::kEntries; e->name; ++e) {
        if (fileName != e->name) continue;
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
        wxMemoryInputStream in(e->data, e->size);
        wxImage image(in, wxBITMAP_TYPE_PNG);
        if (image.IsOk()) bitmap = wxBitmap(image);
        break;
    }
    cache[fileName] = bitmap;
    return bitmap;
}

}  // namespace

#define ARTWORK_GETTER(name)                                                                                           \
    wxBitmap OrbiskImagesArtworkEtc::name() { return Load(#name ".png"); }
#define ARTWORK_TOOLBAR(file, stored)
#include "ArtworkNames.inc"
#undef ARTWORK_GETTER
#undef ARTWORK_TOOLBAR

wxBitmap OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon(const wxString& name)
{
#define ARTWORK_GETTER(getter)
#define ARTWORK_TOOLBAR(file, stored)                                                                                  \
    if (name == file) return Load(stored);
#include "ArtworkNames.inc"
#undef ARTWORK_GETTER
#undef ARTWORK_TOOLBAR
    return wxBitmap();
}

wxBitmap OrbiskImagesArtworkEtc::GetByName(const wxString& getterName)
{
#define ARTWORK_GETTER(getter)                                                                                         \
    if (getterName == #getter) return getter();
#define ARTWORK_TOOLBAR(file, stored)
#include "ArtworkNames.inc"
#undef ARTWORK_GETTER
#undef ARTWORK_TOOLBAR
    return wxBitmap();
}

int OrbiskImagesArtworkEtc::TestAllImages()
{
    int failures = 0;
#define ARTWORK_GETTER(getter)                                                                                         \
    if (!getter().IsOk()) {                                                                                            \
        ++failures;                                                                                                    \
        wxLogError(_("The image %s could not be loaded."), #getter);                                                   \
    }
#define ARTWORK_TOOLBAR(file, stored)                                                                                  \
    if (!GetIcon_ToolBarIcon(file).IsOk()) {                                                                           \
        ++failures;                                                                                                    \
        wxLogError(_("The toolbar image %s could not be loaded."), file);                                              \
    }
#include "ArtworkNames.inc"
#undef ARTWORK_GETTER
#undef ARTWORK_TOOLBAR
    return failures;
}

}  // namespace Orbisk
