#pragma once
// The markers that order forms carry in their flag text. At most one marker of a
// family stands in a flag text: every writer removes its family first.

#include <wx/string.h>
#include <initializer_list>

namespace Vantrel {

// Action form: a timer action ("Start timer", "Pause timer").
extern const wxChar* const TIMER_FEATURES_503;
// Expression form: the criterion tests a timer parameter.
extern const wxChar* const TIMER_EXPR_503;
// Expression form: the collection function asks whether the trial is not / is held.
extern const wxChar* const COLLFUNC_NOT_CONT;
extern const wxChar* const COLLFUNC_YES_CONT;
// Expression form: the unit of a time since block or experiment start.
extern const wxChar* const TIMEUNITS_MILLIS;
extern const wxChar* const TIMEUNITS_SECS;
extern const wxChar* const TIMEUNITS_MIN;

// Removes every occurrence of each marker from text.
void RemoveFlagMarkers(wxString& text, std::initializer_list<const wxChar*> markers);

}  // namespace Vantrel
