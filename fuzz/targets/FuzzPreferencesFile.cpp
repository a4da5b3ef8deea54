// The preferences file as the program reads it at start-up: judged within its bounds,
// the later duplicates of the file history removed as the clean-up does, then (when
// readable) handed to the configuration classes, every group and entry read, one key
// written and flushed, and the object destroyed, as at the program's exit. The input's
// bytes are the file's bytes.

#include "FuzzSupport.h"

#include "AppMain/PreferencesText.h"

#include <wx/fileconf.h>
#include <wx/filename.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using namespace Vantrel;

void CheckCleanUp(const wxString& text)
{
    const std::vector<wxString> lines = PreferencesLines(text);
    if (JoinedWithout(lines, {}) != text) FuzzSupport::Fail("the lines do not join back to the text");
    const std::vector<std::size_t> later = LaterDuplicateHistoryLines(lines);
    const wxString cleaned = JoinedWithout(lines, later);
    if (!LaterDuplicateHistoryLines(PreferencesLines(cleaned)).empty())
        FuzzSupport::Fail("the clean-up leaves a duplicated history line");
    if (cleaned.length() > text.length()) FuzzSupport::Fail("the clean-up made the text longer");
}

// Reads every group and entry the way a reader of the preferences walks them, with a
// list of paths instead of recursion.
void ReadEverything(wxFileConfig& config)
{
    std::vector<wxString> paths{"/"};
    while (!paths.empty()) {
        const wxString path = std::move(paths.back());
        paths.pop_back();
        config.SetPath(path);
        if (config.GetPath().Freq('/') > kMaxPreferencesGroupDepth)
            FuzzSupport::Fail("a group nests deeper than the file was judged");
        wxString name;
        long cookie = 0;
        for (bool more = config.GetFirstEntry(name, cookie); more; more = config.GetNextEntry(name, cookie))
            config.Read(name, wxString());
        for (bool more = config.GetFirstGroup(name, cookie); more; more = config.GetNextGroup(name, cookie))
            paths.push_back(config.GetPath() + "/" + name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    const wxString path = FuzzSupport::WriteScratchFile("preferences.conf", data, size);
    wxString text;
    const PreferencesVerdict verdict = ReadPreferencesText(path, text);
    if (verdict == PreferencesVerdict::Unreadable) FuzzSupport::Fail("a written file could not be read");
    if ((verdict == PreferencesVerdict::TooLarge) != (size > kMaxPreferencesBytes))
        FuzzSupport::Fail("the size bound does not match the file's size");
    if (verdict == PreferencesVerdict::Readable) {
        CheckCleanUp(text);
        auto config = std::make_unique<wxFileConfig>("Study Station", "Orbisk", path, wxEmptyString,
                                                     wxCONFIG_USE_LOCAL_FILE, wxConvAuto());
        ReadEverything(*config);
        config->SetPath("/");
        config->Write("/VTCloudSettings/last_exp_id", "12345678");
        config->Flush();
        config.reset();
    }
    FuzzSupport::RemoveScratchPath(path);
    return 0;
}
