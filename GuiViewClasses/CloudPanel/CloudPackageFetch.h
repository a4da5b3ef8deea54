#pragma once
// The download worker's whole job: fetch the experiment package into a file of
// its own, give it its real name only when complete, and unpack it into the task
// folder, so the GUI thread never waits on the network or the disk for it.

#include "CloudClient/OmbraAPIHelper.h"

#include <wx/string.h>

#include <functional>
#include <memory>

namespace Vantrel {

// Runs on the worker thread with its own copies of everything; returns true when the
// experiment lies unpacked in `taskFolder`. Otherwise the partial package is gone and
// `failure` (written before the worker ends) holds the message for the participant;
// it stays empty for a cancelled download.
std::function<bool(ProgStruct&)> MakePackageFetch(const OmbraAPIHelper& client, long code, const wxString& package,
                                                  const wxString& taskFolder, std::shared_ptr<wxString> failure);

}  // namespace Vantrel
