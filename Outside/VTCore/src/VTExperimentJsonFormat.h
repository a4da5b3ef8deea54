#pragma once
// The experiment document on disk: versioned JSON, one object per element with
// its type, id and settings, links by id. Missing fields take their defaults, so
// files stay loadable as settings are added.

#include <wx/string.h>

namespace Vantrel {

class VTExperiment;

class VTExperimentJsonFormat
{
public:
    // Written through a temporary file that replaces the target only when complete.
    static bool Save(VTExperiment& experiment, const wxString& file, wxString& error);
    enum class LoadResult
    {
        Loaded,
        Refused,      // unreadable or malformed; `error` says what failed
        NewerVersion  // made by a newer version; `error` says which
    };
    // Fills an empty experiment; on failure `error` says why and the experiment
    // may hold part of the file (the caller clears it). Dangling references are
    // repaired with a logged warning each, not refused.
    static LoadResult Load(VTExperiment& experiment, const wxString& file, wxString& error);

    static constexpr const char* kFormatName = "Study Station experiment";
    // Limits far above any real experiment, so a hostile file cannot make loading
    // take unbounded memory or time.
    static constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;
    static constexpr int kMaxElements = 200000;
    static constexpr int kMaxNesting = 512;
};

}  // namespace Vantrel
