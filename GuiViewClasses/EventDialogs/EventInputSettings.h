#pragma once
// The event editor's Input tab without windows: which end options a click leaves
// checked, the time-limit label, the fixed limit read from its text, the time-limit
// kind that can be stored, and the clickability order form's exchange with the event.

#include <wx/string.h>

namespace VantrelSDK {
struct MiscEventSettingsOrderForm;
}

namespace Vantrel {

class VTEvent;
class VTExperiment;

// The four ways an event can end, as the Input tab's checkboxes show them.
struct EndOptions
{
    bool immediately = false;
    bool anyResponse = false;
    bool correctResponse = false;
    bool timeLimit = false;

    enum Which
    {
        Immediately,
        AnyResponse,
        CorrectResponse,
        TimeLimit
    };
    bool Get(Which which) const;
    void Set(Which which, bool on);
    bool AnyChecked() const { return immediately || anyResponse || correctResponse || timeLimit; }
    bool operator==(const EndOptions& o) const
    {
        return immediately == o.immediately && anyResponse == o.anyResponse && correctResponse == o.correctResponse &&
               timeLimit == o.timeLimit;
    }
};

struct EndOptionsClick
{
    EndOptions result;
    // The click would have left no end option: it is undone and the user told.
    bool refused = false;
};

// `after` is what the boxes show after the user clicked `clicked`. Checking
// "immediately" clears the other three; "any response" and "correct response" clear
// each other and "immediately"; "time limit" clears "immediately". Unchecking the
// last option is refused and the box checked again.
EndOptionsClick ApplyEndOptionClick(const EndOptions& after, EndOptions::Which clicked);

// The label of the time-limit checkbox for the options shown.
wxString TimeLimitCheckboxLabel(const EndOptions& options);

// The fixed time limit as typed: a whole number of milliseconds from 0 to
// 2147483647, white space around it allowed. Otherwise false with `error` naming the
// field.
bool ParseFixedTimeLimit(const wxString& text, int& milliseconds, wxString& error);

// What the Input tab stores for the time-limit kind: a variable limit needs a
// variable (id 1 or more); without one it becomes a fixed limit (kind 0, variable -1)
// and `reverted` says so. A fixed limit never keeps a variable.
struct TimeLimitChoice
{
    int kind = 0;
    int variableID = -1;
    bool reverted = false;
};
TimeLimitChoice ResolveTimeLimitChoice(int kind, int variableIDOrNone);

// The clickability order form: filled from the event, kept within the experiment's
// on-screen responses placed at the stimulus, and written onto the event.
void MiscEventSettings_PrepopulateOrderFormWithCurrentValues(VantrelSDK::MiscEventSettingsOrderForm& form,
                                                             VTExperiment* experiment, const VTEvent& event);
void MiscEventSettingsOrderForm_AdaptToLatestResponsePool(VantrelSDK::MiscEventSettingsOrderForm& form,
                                                          VTExperiment* experiment);
void MiscEventSettings_PutOrderFormSettingsOntoVTEventForSaving(const VantrelSDK::MiscEventSettingsOrderForm& form,
                                                                VTEvent& event);

}  // namespace Vantrel
