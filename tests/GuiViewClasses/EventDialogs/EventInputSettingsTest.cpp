// The Input tab's rules without windows: which end options a click leaves checked and
// what the time-limit checkbox then reads, the fixed limit read from its text, the
// time-limit kind that is stored, and the clickability order form.

#include <gtest/gtest.h>

#include <GuiViewClasses/EventDialogs/EventInputSettings.h>
#include <GuiViewClasses/EventDialogs/VTVarValueProviderImpl.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTTrial.h>
#include <VTCore/VTTrialVariable.h>
#include <VTPlugInCommon/VTSdkEventEditing.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <string>
#include <vector>

using namespace Vantrel;

namespace {

// "I A C T": the four boxes, upper case when checked.
EndOptions Parse(const char* boxes)
{
    const std::string s(boxes);
    EndOptions o;
    o.immediately = s[0] == 'I';
    o.anyResponse = s[2] == 'A';
    o.correctResponse = s[4] == 'C';
    o.timeLimit = s[6] == 'T';
    return o;
}

std::string Show(const EndOptions& o)
{
    return std::string() + (o.immediately ? 'I' : 'i') + ' ' + (o.anyResponse ? 'A' : 'a') + ' ' +
           (o.correctResponse ? 'C' : 'c') + ' ' + (o.timeLimit ? 'T' : 't');
}

}  // namespace

TEST(EventInputSettings, EndOptionClicksExcludeTheirOppositesAndTheLabelFollows)
{
    const wxString only = "Only after a time limit. The time limit is:";
    const wxString first = "...or a time limit, whichever happens first. The time limit is:";
    struct Case
    {
        const char* before;  // what the boxes show after the click
        EndOptions::Which clicked;
        const char* after;
        bool refused;
        wxString label;
    };
    const std::vector<Case> cases = {
        {"I A C T", EndOptions::Immediately, "I a c t", false, only},
        {"i A C T", EndOptions::AnyResponse, "i A c T", false, first},
        {"I A c t", EndOptions::AnyResponse, "i A c t", false, first},
        {"I A C t", EndOptions::CorrectResponse, "i a C t", false, first},
        {"I a c T", EndOptions::TimeLimit, "i a c T", false, only},
        {"i a C T", EndOptions::TimeLimit, "i a C T", false, first},
        // Unchecking leaves the others as they are.
        {"i A c t", EndOptions::TimeLimit, "i A c t", false, first},
        {"i a c T", EndOptions::AnyResponse, "i a c T", false, only},
        // Unchecking the last option is refused and the box checked again.
        {"i a c t", EndOptions::Immediately, "I a c t", true, only},
        {"i a c t", EndOptions::CorrectResponse, "i a C t", true, first},
        {"i a c t", EndOptions::TimeLimit, "i a c T", true, only},
    };
    for (const Case& c : cases) {
        const EndOptionsClick click = ApplyEndOptionClick(Parse(c.before), c.clicked);
        EXPECT_EQ(Show(click.result), c.after) << c.before << " clicked " << int(c.clicked);
        EXPECT_EQ(click.refused, c.refused) << c.before;
        EXPECT_EQ(TimeLimitCheckboxLabel(click.result), c.label) << c.before;
    }
}

TEST(EventInputSettings, AFixedLimitIsAWholeNumberOfMillisecondsOrRefusedNamingTheField)
{
    struct Case
    {
        const char* text;
        bool ok;
        int ms;
    };
    const std::vector<Case> cases = {
        {"0", true, 0},           {"1500", true, 1500}, {" 250 ", true, 250}, {"2147483647", true, 2147483647},
        {"2147483648", false, 0}, {"-1", false, 0},     {"", false, 0},       {"12ms", false, 0},
        {"1.5", false, 0},        {"abc", false, 0}};
    for (const Case& c : cases) {
        int ms = -7;
        wxString error;
        EXPECT_EQ(ParseFixedTimeLimit(c.text, ms, error), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(ms, c.ms) << c.text;
            EXPECT_TRUE(error.empty());
        } else {
            EXPECT_EQ(ms, -7) << c.text;
            EXPECT_TRUE(error.Contains("fixed time limit")) << error;
        }
    }
}

TEST(EventInputSettings, AVariableLimitWithoutAVariableIsStoredAsAFixedOne)
{
    const TimeLimitChoice variable = ResolveTimeLimitChoice(1, 42);
    EXPECT_EQ(variable.kind, 1);
    EXPECT_EQ(variable.variableID, 42);
    EXPECT_FALSE(variable.reverted);
    for (int none : {-1, 0}) {
        const TimeLimitChoice reverted = ResolveTimeLimitChoice(1, none);
        EXPECT_EQ(reverted.kind, 0);
        EXPECT_EQ(reverted.variableID, -1);
        EXPECT_TRUE(reverted.reverted);
    }
    const TimeLimitChoice fixed = ResolveTimeLimitChoice(0, 42);
    EXPECT_EQ(fixed.kind, 0);
    EXPECT_EQ(fixed.variableID, -1);
    EXPECT_FALSE(fixed.reverted);

    // The model keeps the same pairing whoever calls it: never a variable limit
    // without its variable, never a fixed limit naming one.
    VTExperiment experiment;
    VTEvent event(&experiment);
    for (const auto& given : std::vector<std::pair<int, int>>{{1, -1}, {1, 0}, {0, 42}}) {
        event.AcceptInputSettingsForEditor(true, true, given.first, 300, given.second);
        bool b[7];
        int kind = -99, ms = -99, variable = -99;
        event.GetCopiedInputSettingsForEditor(b[0], b[1], b[2], b[3], b[4], b[5], b[6], kind, ms, variable);
        EXPECT_EQ(kind, 0) << given.first << "/" << given.second;
        EXPECT_EQ(variable, -1);
        EXPECT_EQ(ms, 300);
    }
}

TEST(EventInputSettings, TheClickabilityFormKeepsOnlyResponsesOfTheOnScreenPool)
{
    VTExperiment experiment;
    const auto addResponse = [&](int plugInID, int region) {
        auto* response = new VTResponse(&experiment);
        response->SetPlugInID(plugInID);
        response->SetRegionMode(region);
        experiment.GetElementsOfType(ElementType::Response).AddElement(response, -1);
        return int(response->GetID());
    };
    const int automatic = addResponse(InputPlugIn::Mouse, VTResponse::kRegionModeAutomatic);
    const int anywhere = addResponse(InputPlugIn::Mouse, VTResponse::kRegionModeAnywhere);
    EXPECT_EQ(experiment.GetOnScreenAutoPositionResponseList(), std::vector<int>{automatic});

    VTEvent event(&experiment);
    event.ConfigureClickability(false, automatic, false);
    VantrelSDK::MiscEventSettingsOrderForm form;
    MiscEventSettings_PrepopulateOrderFormWithCurrentValues(form, &experiment, event);
    EXPECT_EQ(form.clickableResponseID, automatic);
    EXPECT_FALSE(form.clickabilityAllowed);
    ASSERT_TRUE(form.responsePool);
    EXPECT_EQ(form.responsePool(), std::vector<int>{automatic});

    MiscEventSettingsOrderForm_AdaptToLatestResponsePool(form, &experiment);
    EXPECT_EQ(form.clickableResponseID, automatic);
    form.clickableResponseID = anywhere;
    MiscEventSettingsOrderForm_AdaptToLatestResponsePool(form, &experiment);
    EXPECT_EQ(form.clickableResponseID, 0) << "a response outside the pool is dropped";

    form.clickabilityAllowed = true;
    form.clickableResponseID = -5;
    MiscEventSettings_PutOrderFormSettingsOntoVTEventForSaving(form, event);
    EXPECT_EQ(event.ClickableResponseID(), 0);
    EXPECT_FALSE(event.ForbidsClickability());
    form.clickableResponseID = automatic;
    MiscEventSettings_PutOrderFormSettingsOntoVTEventForSaving(form, event);
    EXPECT_EQ(event.EffectiveClickableResponseID(), automatic);
}

TEST(EventInputSettings, TheStoredInputSettingsReachTheRunPlan)
{
    RegisterRuntimeWithCore();
    VTExperiment experiment;
    auto* click = new VTResponse(&experiment);
    click->SetName("Click");
    click->SetPlugInID(InputPlugIn::Mouse);
    click->SetRegionMode(VTResponse::kRegionModeAnywhere);
    experiment.GetElementsOfType(ElementType::Response).AddElement(click, -1);
    auto* trial = new VTTrial(&experiment);
    experiment.GetElementsOfType(ElementType::Trial).AddElement(trial, -1);
    for (const char* name : {"First", "Second"}) {
        auto* event = new VTEvent(&experiment);
        event->SetName(name);
        event->SetStimulusText(name);
        event->AcceptEndEventSettings(false, true, false, true);
        event->AcceptInputSettingsForEditor(true, std::string(name) == "First", 0, 500, -1);
        event->SetWhenToPresentFeedback(std::string(name) == "Second");
        event->ConfigureClickability(std::string(name) == "Second", int(click->GetID()), false);
        experiment.GetElementsOfType(ElementType::Event).AddElement(event, -1);
        trial->AddUsedEvent(event);
    }
    auto* block = new VTBlock(&experiment);
    experiment.GetElementsOfType(ElementType::Block).AddElement(block, -1);
    block->AddUsedTrial(trial);

    wxString why;
    const VTRunPlan plan = VTCompiledExperiment::BuildPlan(experiment, &why);
    ASSERT_EQ(plan.blocks.size(), 1u) << why;
    const std::vector<VTPlannedEvent>& events = plan.blocks[0].trials.at(0).events;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].resetsReactionTimer);
    EXPECT_FALSE(events[1].resetsReactionTimer);
    EXPECT_FALSE(events[0].delaysFeedbackUntilTimeLimit);
    EXPECT_TRUE(events[1].delaysFeedbackUntilTimeLimit);
    // Clickability forbidden on the first event; on the second a click on the
    // stimulus is the response, wherever the response itself would count.
    EXPECT_EQ(events[0].clickable.responseID, -1);
    EXPECT_EQ(events[1].clickable.responseID, int(click->GetID()));
    EXPECT_EQ(events[1].clickable.regionMode, VTResponse::kRegionModeAutomatic);
    EXPECT_TRUE(events[1].clickable.endsEvent);
}

TEST(EventInputSettings, TheVariableProviderCountsOnlyTheVariablesOfTheTypeAsked)
{
    VTExperiment experiment;
    const auto add = [&](const char* name, int type) {
        auto* variable = new VTTrialVariable(&experiment);
        variable->SetName(name);
        variable->SetVariableType(type);
        experiment.GetElementsOfType(ElementType::TrialVariable).AddElement(variable, -1);
        return int(variable->GetID());
    };
    const int limit = add("Limit", VariableType::TimeLimit);
    add("Place", VariableType::Location);
    VTVarValueProviderImpl provider(experiment, ElementType::TrialVariable);
    // Ids are appended to what the caller holds; the answer counts the variables examined.
    std::vector<int> ids = {77};
    EXPECT_EQ(provider.GetIDs(VariableType::TimeLimit, ids), 2);
    EXPECT_EQ(ids, (std::vector<int>{77, limit}));
    EXPECT_TRUE(provider.ContainsVarValuesOfType(VariableType::TimeLimit));
    EXPECT_FALSE(provider.ContainsVarValuesOfType(VariableType::Colour));
    EXPECT_EQ(provider.GetVarNameByID(limit), "Limit");
    EXPECT_EQ(provider.GetVarNameByID(12345), "");
    EXPECT_EQ(provider.GetVarValueByID(12345), nullptr);
    VTVarValueProviderImpl other(experiment, ElementType::Reserved10);
    EXPECT_FALSE(other.ContainsVarValuesOfType(VariableType::TimeLimit));
    EXPECT_EQ(other.GetVarNameByID(limit), "Limit") << "names are looked up among the trial variables first";
}
