// The live values of parameters, on a clock the test gives: what rules change and
// what the data file shows, at the edges the run tests do not reach.

#include <gtest/gtest.h>

#include <VTCore/OrderFormForParameterCreation.h>

#include <climits>

#include "VTRuntime/DynamicRuntimeEnvironment.h"
#include "VTRuntime/VTParameterValues.h"

using namespace Vantrel;

namespace {

VTPlannedParameter Planned(const wxString& name, int type)
{
    VTPlannedParameter p;
    p.name = name;
    p.type = type;
    return p;
}

constexpr unsigned long long kMs = 1000;  // microseconds

}  // namespace

TEST(ParameterValues, TimersRunOnlyWhileStartedAndResetKeepsThemRunning)
{
    VTParameterValues values;
    values.Start({Planned("Clock", ParameterType::Timer)});
    EXPECT_EQ(values.Number(0, 500 * kMs), 0);
    values.PauseTimer(0, 10 * kMs);  // paused already: nothing
    values.StartTimer(0, 100 * kMs);
    values.StartTimer(0, 200 * kMs);  // started already: it keeps counting from 100
    EXPECT_EQ(values.Number(0, 350 * kMs), 250);
    values.PauseTimer(0, 400 * kMs);
    EXPECT_EQ(values.Number(0, 900 * kMs), 300);
    values.StartTimer(0, 1000 * kMs);
    EXPECT_EQ(values.Number(0, 1050 * kMs), 350);
    values.Reset(0, 1100 * kMs);
    EXPECT_EQ(values.Number(0, 1175 * kMs), 75) << "reset to 0, still running";
    EXPECT_EQ(values.ColumnValue(0, 1175 * kMs, {}), "75.000");
    EXPECT_EQ(values.Number(0, 1000 * kMs), 0) << "a clock read before the start counts nothing";
}

TEST(ParameterValues, CountersStayWithinTheirLimitsAndThe32BitRange)
{
    VTPlannedParameter bounded = Planned("Bounded", ParameterType::Counter);
    bounded.hasMin = bounded.hasMax = true;
    bounded.min = -3;
    bounded.max = 3;
    bounded.initialValue = 9;  // a document's value beyond a limit
    VTParameterValues values;
    values.Start({bounded, Planned("Free", ParameterType::Counter)});
    EXPECT_EQ(values.Number(0, 0), 3);
    values.AddToCounter(0, -100);
    EXPECT_EQ(values.Number(0, 0), -3);
    values.SetCounter(1, INT_MAX);
    values.AddToCounter(1, INT_MAX);
    EXPECT_EQ(values.Number(1, 0), INT_MAX);
    values.AddToCounter(1, -(long long)INT_MAX);
    values.AddToCounter(1, INT_MIN);
    values.AddToCounter(1, INT_MIN);
    EXPECT_EQ(values.Number(1, 0), INT_MIN);
    for (int i = 0; i < 50; ++i) {
        values.DrawRandomCounter(0);
        EXPECT_GE(values.Number(0, 0), -3);
        EXPECT_LE(values.Number(0, 0), 3);
    }
    values.Reset(0, 0);
    EXPECT_EQ(values.Number(0, 0), 3);
    // Indexes out of range read as nothing and change nothing.
    values.SetCounter(7, 1);
    EXPECT_EQ(values.Number(-1, 0), 0);
    EXPECT_EQ(values.ColumnValue(7, 0, {}), "");
}

TEST(ParameterValues, TextsAreBoundedAndResponsesShowTheirNames)
{
    VTPlannedParameter text = Planned("Note", ParameterType::Text);
    text.initialText = "start";
    VTParameterValues values;
    values.Start({text, Planned("Answer", ParameterType::Response)});
    values.AppendText(0, wxString('x', VTParameterValues::kMaxTextLength));
    EXPECT_EQ(values.Text(0).length(), VTParameterValues::kMaxTextLength);
    EXPECT_TRUE(values.Text(0).StartsWith("startxxx"));
    values.AppendText(0, "more");
    EXPECT_EQ(values.Text(0).length(), VTParameterValues::kMaxTextLength);
    values.Reset(0, 0);
    EXPECT_EQ(values.Text(0), "start");

    const std::map<int, wxString> names{{12, "Yes"}};
    EXPECT_EQ(values.Number(1, 0), VTParameterValues::kUnsetResponse);
    EXPECT_EQ(values.ColumnValue(1, 0, names), "");
    values.StoreResponse(1, 12);
    EXPECT_EQ(values.ColumnValue(1, 0, names), "Yes");
    values.Reset(1, 0);
    EXPECT_EQ(values.Number(1, 0), VTParameterValues::kUnsetResponse);
}

TEST(TypedText, PrintableKeysJoinAndBackspaceTakesTheLastOneWithinATrial)
{
    DynamicRuntimeEnvironment dre;
    dre.StartTrialPresentation(1);
    for (int key : {int('H'), int('I'), int(' '), int('!'), int(WXK_BACK), int(WXK_BACK), int('2'), int(WXK_RETURN),
                    int(WXK_LEFT)})
        dre.NoteTypedKey(key);
    EXPECT_EQ(dre.GetTypedText(), "HI2");
    dre.StartTrialPresentation(2);
    dre.NoteTypedKey(WXK_BACK);
    EXPECT_EQ(dre.GetTypedText(), "");
}
