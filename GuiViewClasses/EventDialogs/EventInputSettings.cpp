#include "EventInputSettings.h"

#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTSdkEventEditing.h>

#include <wx/intl.h>

#include <algorithm>
#include <climits>

namespace Vantrel {

bool EndOptions::Get(Which which) const
{
    switch (which) {
        case Immediately: return immediately;
        case AnyResponse: return anyResponse;
        case CorrectResponse: return correctResponse;
        case TimeLimit: return timeLimit;
    }
    return false;
}

void EndOptions::Set(Which which, bool on)
{
    switch (which) {
        case Immediately: immediately = on; break;
        case AnyResponse: anyResponse = on; break;
        case CorrectResponse: correctResponse = on; break;
        case TimeLimit: timeLimit = on; break;
    }
}

EndOptionsClick ApplyEndOptionClick(const EndOptions& after, EndOptions::Which clicked)
{
    EndOptionsClick click;
    click.result = after;
    if (!after.AnyChecked()) {
        click.refused = true;
        click.result.Set(clicked, true);
        return click;
    }
    if (!after.Get(clicked)) return click;
    EndOptions& r = click.result;
    switch (clicked) {
        case EndOptions::Immediately: r.anyResponse = r.correctResponse = r.timeLimit = false; break;
        case EndOptions::AnyResponse: r.immediately = r.correctResponse = false; break;
        case EndOptions::CorrectResponse: r.immediately = r.anyResponse = false; break;
        case EndOptions::TimeLimit: r.immediately = false; break;
    }
    return click;
}

wxString TimeLimitCheckboxLabel(const EndOptions& options)
{
    if (!options.anyResponse && !options.correctResponse) return _("Only after a time limit. The time limit is:");
    return _("...or a time limit, whichever happens first. The time limit is:");
}

bool ParseFixedTimeLimit(const wxString& text, int& milliseconds, wxString& error)
{
    const wxString trimmed = wxString(text).Strip(wxString::both);
    long long value = 0;
    if (trimmed.empty() || !trimmed.ToLongLong(&value, 10) || value < 0 || value > INT_MAX) {
        error = wxString::Format(_("The fixed time limit must be a whole number of milliseconds from 0 to %d; "
                                   "\"%s\" is not."),
                                 INT_MAX, trimmed);
        return false;
    }
    milliseconds = int(value);
    return true;
}

TimeLimitChoice ResolveTimeLimitChoice(int kind, int variableIDOrNone)
{
    TimeLimitChoice choice;
    if (kind != 1) return choice;
    if (variableIDOrNone < 1) {
        choice.reverted = true;
        return choice;
    }
    choice.kind = 1;
    choice.variableID = variableIDOrNone;
    return choice;
}

void MiscEventSettings_PrepopulateOrderFormWithCurrentValues(VantrelSDK::MiscEventSettingsOrderForm& form,
                                                             VTExperiment* experiment, const VTEvent& event)
{
    form.clickableResponseID = event.ClickableResponseID();
    form.clickabilityAllowed = !event.ForbidsClickability();
    if (experiment)
        form.responsePool = [experiment] { return experiment->GetOnScreenAutoPositionResponseList(); };
    else
        form.responsePool = nullptr;
}

void MiscEventSettingsOrderForm_AdaptToLatestResponsePool(VantrelSDK::MiscEventSettingsOrderForm& form,
                                                          VTExperiment* experiment)
{
    if (form.clickableResponseID == 0) return;
    const std::vector<int> pool = experiment ? experiment->GetOnScreenAutoPositionResponseList() : std::vector<int>();
    if (std::find(pool.begin(), pool.end(), form.clickableResponseID) == pool.end()) form.clickableResponseID = 0;
}

void MiscEventSettings_PutOrderFormSettingsOntoVTEventForSaving(const VantrelSDK::MiscEventSettingsOrderForm& form,
                                                                VTEvent& event)
{
    event.ConfigureClickability(form.clickabilityAllowed, std::max(0, form.clickableResponseID), false);
}

}  // namespace Vantrel
