#include <VTCore/OrderFormForActionCreation.h>
#include <VTCore/OrderFormForExpressionCreation.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/TrialSubsetDescription.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <wx/intl.h>

namespace Vantrel {

const wxChar* const TIMER_FEATURES_503 = wxS("|timer=Y|");
const wxChar* const TIMER_EXPR_503 = wxS("|timer=Y|");
const wxChar* const COLLFUNC_NOT_CONT = wxS("|collmem=F|");
const wxChar* const COLLFUNC_YES_CONT = wxS("|collmem=T|");
const wxChar* const TIMEUNITS_MILLIS = wxS("|blk_exp_timeu=O|");
const wxChar* const TIMEUNITS_SECS = wxS("|blk_exp_timeu=S|");
const wxChar* const TIMEUNITS_MIN = wxS("|blk_exp_timeu=N|");

void RemoveFlagMarkers(wxString& text, std::initializer_list<const wxChar*> markers)
{
    for (const wxChar* marker : markers) text.Replace(marker, wxEmptyString, true);
}

// ---- Expression forms

namespace {

// Version 5: the fields of OrderFormForExpressionCreation as declared, with the
// time-unit markers.
constexpr std::int32_t kExpressionFormVersion = 5;
constexpr std::int32_t kActionFormVersion = 5;

struct TimeUnit
{
    const wxChar* marker;
    const char* text;  // as the unit choice shows it (translated)
    std::int64_t milliseconds;
};

const TimeUnit kTimeUnits[] = {
    {TIMEUNITS_MILLIS, wxTRANSLATE("milliseconds"), 1},
    {TIMEUNITS_SECS, wxTRANSLATE("seconds"), 1000},
    {TIMEUNITS_MIN, wxTRANSLATE("minutes"), 60000},
};

const TimeUnit& RecordedUnit(const OrderFormForExpressionCreation& form)
{
    for (const TimeUnit& unit : kTimeUnits)
        if (form.HasFlag(unit.marker)) return unit;
    return kTimeUnits[0];
}

}  // namespace

std::int32_t OrderFormForExpressionCreation::ComputeExpressionFormStreamingVersion(bool)
{
    return kExpressionFormVersion;
}

void OrderFormForExpressionCreation::ResetDefaults()
{
    streamingVersion = ComputeExpressionFormStreamingVersion(true);
    flagText.clear();
    spareCode = 0;
    kind = -1;
    value = -1;
    operatorInContext = -1;
    builtIn = -1;
    rhsKind = -1;
    value2 = -1;
    name.clear();
    text.clear();
    trialSubset = TrialSubsetDescription();
}

bool OrderFormForExpressionCreation::operator==(const OrderFormForExpressionCreation& o) const
{
    return kind == o.kind && value == o.value && operatorInContext == o.operatorInContext && builtIn == o.builtIn &&
           rhsKind == o.rhsKind && value2 == o.value2 && name == o.name && text == o.text &&
           trialSubset == o.trialSubset && flagText == o.flagText && spareCode == o.spareCode;
}

bool OrderFormForExpressionCreation::IsVerbatimEqual(const OrderFormForExpressionCreation& o) const
{
    return streamingVersion == o.streamingVersion && *this == o;
}

void OrderFormForExpressionCreation::MarkFormForTimerFeature503()
{
    RemoveAnyStringsForTimerFeature503();
    flagText += TIMER_EXPR_503;
}

void OrderFormForExpressionCreation::RemoveAnyStringsForTimerFeature503()
{
    RemoveFlagMarkers(flagText, {TIMER_EXPR_503});
}

void OrderFormForExpressionCreation::RemoveAnyTimeUnitStrings()
{
    RemoveFlagMarkers(flagText, {TIMEUNITS_MILLIS, TIMEUNITS_SECS, TIMEUNITS_MIN});
}

void OrderFormForExpressionCreation::RemoveAnyTimeCollMembershipStrings()
{
    RemoveFlagMarkers(flagText, {COLLFUNC_NOT_CONT, COLLFUNC_YES_CONT});
}

void OrderFormForExpressionCreation::ApplyAppropriateTimeUnitTranslation(const wxString& unitText, int)
{
    const TimeUnit* chosen = &kTimeUnits[0];
    for (const TimeUnit& unit : kTimeUnits)
        if (unitText == wxGetTranslation(unit.text) || unitText == wxString::FromUTF8(unit.text)) chosen = &unit;
    RemoveAnyTimeUnitStrings();
    flagText += chosen->marker;
}

wxString OrderFormForExpressionCreation::GetUserInterfaceStringFromTimeUnitCode() const
{
    return wxGetTranslation(RecordedUnit(*this).text);
}

std::int64_t OrderFormForExpressionCreation::GetMillisecondsPerTimeUnit() const
{
    return RecordedUnit(*this).milliseconds;
}

// ---- Action forms

std::int32_t OrderFormForActionCreation::ComputeActionFormStreamingVersion(bool) { return kActionFormVersion; }

void OrderFormForActionCreation::ResetDefaults()
{
    streamingVersion = ComputeActionFormStreamingVersion(true);
    flagText.clear();
    spareCode = 0;
    actionType = -1;
    target = -1;
    target2 = -1;
    operation = -1;
    parameterType = -1;
    number = -1;
    parameterName.clear();
    text.clear();
    colour = *wxWHITE;
}

bool OrderFormForActionCreation::operator==(const OrderFormForActionCreation& o) const
{
    return actionType == o.actionType && target == o.target && target2 == o.target2 && operation == o.operation &&
           parameterType == o.parameterType && number == o.number && parameterName == o.parameterName &&
           text == o.text && colour == o.colour && flagText == o.flagText && spareCode == o.spareCode;
}

bool OrderFormForActionCreation::IsVerbatimEqual(const OrderFormForActionCreation& o) const
{
    return streamingVersion == o.streamingVersion && *this == o;
}

void OrderFormForActionCreation::RemoveAnyStringsForTimerFeature503()
{
    RemoveFlagMarkers(flagText, {TIMER_FEATURES_503});
}

// ---- Trial subsets

wxString TrialSubsetDescription::GetFriendlySummaryText(const wxString& tagName) const
{
    wxString range =
        rangeMode == kLastTrials ? wxString::Format(_("the last %d trials"), int(count)) : wxString(_("all trials"));
    if (!useTag) return range;
    return wxString::Format(_("%s tagged \"%s\""), range, tagName);
}

void InlineHelper_UseTagsToLimitSubset(TrialSubsetDescription& description, const VTExperiment* experiment, int tagId)
{
    description.useTag = true;
    const bool isTag =
        experiment && tagId >= 1 &&
        dynamic_cast<VTTag*>(experiment->LookupElementByTypeAndID(ElementType::Tag, std::uint32_t(tagId)));
    description.tagId = isTag ? tagId : -1;
}

}  // namespace Vantrel
