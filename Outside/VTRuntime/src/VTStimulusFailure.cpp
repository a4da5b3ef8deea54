#include "VTStimulusFailure.h"

#include <wx/intl.h>

namespace Vantrel {

wxString StimulusFailureMessage(const VTPlannedEvent& event, const wxString& problem)
{
    wxString why = problem;
    why.Trim().Trim(false);
    // Decoder messages end in a full stop of their own.
    while (why.EndsWith(".")) why.RemoveLast();
    if (why.empty()) why = _("no reason was given");
    const wxString what = !event.path.empty() ? event.path : event.stimulusLabel;
    return wxString::Format(_("The stimulus \"%s\" of the event \"%s\" could not be presented: %s. "
                              "The experiment was stopped."),
                            what, event.name, why);
}

}  // namespace Vantrel
