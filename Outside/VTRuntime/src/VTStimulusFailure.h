#pragma once
// The message for a stimulus that could not be presented once the run had begun.

#include <wx/string.h>

#include "VTRuntime/VTRunPlan.h"

namespace Vantrel {

// Names the event and its file (or text) and says why; never empty, whatever `problem` holds.
wxString StimulusFailureMessage(const VTPlannedEvent& event, const wxString& problem);

}  // namespace Vantrel
