// The rules vocabulary against its tables: the operators, the criteria and actions
// menus row by row, every look-up with its edge cases, and the entries of the
// left-side menus of each editing context (plain and extended). No display.

#include "RuleMenuTables.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/log.h>

#include <string>

using namespace Vantrel;

namespace {

std::string Text(const wxString& s) { return std::string(s.utf8_str()); }

class RuleMenuTables : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
};

struct OperatorRow
{
    int id;
    const char* text;
    int opInContext;
    int stringsContext;
};

struct MenuRow
{
    int menuId;  // 0: separator
    const char* label;
    unsigned page;
    const char* excluded;
    bool disabled;
    bool extendedOnly;
    bool submenu;
    int paramType;
    int paramOp;
};

const MenuRow kSep{0, "sepsepsepsep", 0, "", false, false, false, -1, -1};

// The Part's criteria table, transcribed.
const MenuRow kCriteria[] = {
    {13091, "Always", 1, "", false, false, false, -1, -1},
    kSep,
    {13092, "Last participant response", 29, "", false, false, false, -1, -1},
    {13093, "Last text typed by participant", 5, "", false, false, false, -1, -1},
    {13094, "Trial's reaction time", 3, "1235", false, false, false, -1, -1},
    {13095, "Number of times this trial has been presented", 2, "12", false, false, false, -1, -1},
    {13096, "Participant name", 5, "", false, false, false, -1, -1},
    kSep,
    {14103, "Dynamic Element", 6, "", true, true, false, 0, 0},
    {13199, "Trial's tag set", 6, "12", false, false, true, -1, -1},
    {13299, "Parameter", 0, "", false, false, true, -1, -1},
    {13399, "Trial Level", 7, "", false, false, true, -1, -1},
    kSep,
    {14098, "Percentage of trials presented in block", 4, "", false, false, false, -1, -1},
    {14099, "Number of trials presented in block", 2, "", false, false, false, -1, -1},
    {14100, "Average RT of trials presented in this block", 3, "", false, false, false, -1, -1},
    kSep,
    {14101, "Time since start of block", 3, "", false, false, false, -1, -1},
    {14102, "Time since start of experiment", 3, "", false, false, false, -1, -1},
};

MenuRow A(int id, const char* label, unsigned page, const char* excluded, int type = -1, int op = -1)
{
    return {id, label, page, excluded, false, false, false, type, op};
}

// The Part's actions table, transcribed.
const MenuRow kActions[] = {
    A(15001, "Reset parameter", 8, "", 0, 5),
    A(15002, "Store participant's response", 9, "12", 2103, 6),
    A(15003, "Store participant's typed text", 10, "12", 2104, 9),
    kSep,
    A(15005, "Set text parameter", 11, "", 2104, 1),
    A(15006, "Append to text parameter", 12, "", 2104, 7),
    kSep,
    A(15008, "Set counter value", 13, "", 2102, 2),
    A(15009, "Increment counter", 14, "", 2102, 3),
    A(15010, "Decrement counter", 15, "", 2102, 4),
    A(15011, "Assign random number (to counter)", 16, "", 2102, 8),
    kSep,
    A(15046, "Start timer", 36, "", 2101, 11),
    A(15047, "Pause timer", 36, "", 2101, 12),
    kSep,
    A(15013, "Clear collection", 17, "5", 2201, 5),
    A(15014, "Add trial to collection", 18, "12", 2201, 10),
    A(15015, "Clear built-in trials collection", 1, "5"),
    kSep,
    A(15016, "Exit experiment", 1, "5"),
    kSep,
    A(15018, "Exit block", 19, "1235"),
    A(15019, "Go back to previous block", 1, "5"),
    A(15020, "Present block", 20, "5"),
    kSep,
    A(15022, "Repeat current block", 1, "5"),
    A(15023, "Present event", 21, ""),
    A(15024, "Repeat trial", 1, "125"),
    A(15025, "Skip next trial", 1, "1235"),
    A(15035, "Restart trial", 28, "1234"),
    A(15036, "Skip remaining events in trial", 1, "1234"),
    kSep,
    A(15038, "Move to next trial level", 22, ""),
    A(15039, "Move to previous trial level", 23, ""),
    A(15040, "Set trial level", 24, ""),
    kSep,
    A(15042, "Change background color", 25, "5"),
    kSep,
    A(15044, "Set trial's tag", 26, "123"),
    A(15045, "Set tag on all trials in block", 27, "5"),
};

template <std::size_t N>
void ExpectTable(const RuleMenuTable& table, const MenuRow (&expected)[N], const char* which)
{
    ASSERT_EQ(table.size(), N) << which;
    for (std::size_t i = 0; i < N; ++i) {
        const RulesComponentRowsInfo& row = table[i];
        const MenuRow& e = expected[i];
        SCOPED_TRACE(std::string(which) + " row " + std::to_string(i + 1) + " " + e.label);
        EXPECT_EQ(row.menuId, e.menuId);
        EXPECT_EQ(Text(row.label), e.label);
        EXPECT_EQ(row.rhsPage, e.page);
        EXPECT_EQ(Text(row.excludedContexts), e.excluded);
        EXPECT_EQ(row.disabled, e.disabled);
        EXPECT_EQ(row.extendedOnly, e.extendedOnly);
        EXPECT_EQ(bool(row.submenuBuilder), e.submenu);
        EXPECT_EQ(row.paramType, e.paramType);
        EXPECT_EQ(row.paramOp, e.paramOp);
        EXPECT_EQ(row.IsSeparator(), e.menuId == 0);
    }
}

// A context's menu as text: "-" separators, ">" submenus; the plain menu leaves
// extended-only items out.
std::string Render(int context, const RuleMenuTable& table, bool extended)
{
    std::string out;
    for (const RuleMenuEntry& entry : MenuEntriesForContext(context, table)) {
        std::string item;
        if (entry.kind == RuleMenuEntry::Separator)
            item = "-";
        else if (entry.kind == RuleMenuEntry::Submenu)
            item = ">" + Text(entry.row->label);
        else if (!extended && entry.row->extendedOnly)
            continue;
        else
            item = Text(entry.row->label);
        out += (out.empty() ? "" : " | ") + item;
    }
    return out;
}

}  // namespace

TEST_F(RuleMenuTables, OperatorsInTheirInsertionOrder)
{
    const OperatorRow expected[] = {
        {0, "is", 0, 1},
        {1, "is not", 1, 1},
        {2, "=", 0, 0},
        {5, "\u2260", 1, 0},
        {3, ">", 2, 0},
        {4, "<", 3, 0},
        {6, "contains", 4, 2},
        {7, "does not contain", 5, 2},
        {8, "begins with", 6, 2},
        {9, "ends with", 7, 2},
        {10, "is equal to", 0, 2},
        {11, "is not equal to", 1, 2},
        {12, "is set to", 0, 3},
        {13, "is not set to", 1, 3},
    };
    const auto& ops = GLOBAL_COMPARISON_OPERATORS();
    ASSERT_EQ(ops.size(), std::size(expected));
    for (std::size_t i = 0; i < ops.size(); ++i) {
        EXPECT_EQ(ops[i].id, expected[i].id) << i;
        EXPECT_EQ(Text(ops[i].text), expected[i].text) << i;
        EXPECT_EQ(ops[i].opInContext, expected[i].opInContext) << i;
        EXPECT_EQ(ops[i].stringsContext, expected[i].stringsContext) << i;
        EXPECT_EQ(Text(GetCompText(ops[i].id)), expected[i].text);
        EXPECT_EQ(Text(GetCompTextByContextAndOpID(ops[i].stringsContext, ops[i].opInContext)), expected[i].text);
        EXPECT_EQ(GetCriteriaOp(ops[i].text), ops[i].opInContext);
    }
    EXPECT_EQ(&GLOBAL_COMPARISON_OPERATORS(), &ops);
}

TEST_F(RuleMenuTables, OperatorLookUpsAndTheirMisses)
{
    EXPECT_EQ(GetCriteriaOp(wxS("\u2260")), 1);
    EXPECT_EQ(GetCompTextByContextAndOpID(0, 1), wxS("\u2260"));
    EXPECT_EQ(GetCriteriaOp(wxS("Is")), -1);
    EXPECT_EQ(GetCriteriaOp(wxS("")), -1);
    EXPECT_EQ(GetCompText(14), wxS("error.error.error.error.error.error.error.error"));
    EXPECT_EQ(GetCompText(-1), wxS("error.error.error.error.error.error.error.error"));
    EXPECT_EQ(GetCompTextByContextAndOpID(1, 2), wxS("error-error-error-error-error-error-error-error"));
    EXPECT_EQ(GetCompTextByContextAndOpID(4, 0), wxS("error-error-error-error-error-error-error-error"));
    EXPECT_TRUE(TestSupport::RecordedLog().empty());

    const struct
    {
        int type;
        int context;
    } types[] = {{2101, 0}, {2102, 0}, {2103, 1}, {2104, 2}, {2201, -1}, {0, -1}, {-1, -1}};
    for (const auto& t : types) {
        TestSupport::ClearLog();
        EXPECT_EQ(GetStringsContextByParamType(t.type), t.context) << t.type;
        EXPECT_EQ(
            TestSupport::LogContains(
                wxString::Format("Type %d is unrecognized in the mappings to string context.", t.type), wxLOG_Error),
            t.context == -1)
            << t.type;
    }
}

TEST_F(RuleMenuTables, TheCriteriaTableRowByRow)
{
    ExpectTable(GLOBAL_VECTOR_CRITERIA_MENU_INFOS(), kCriteria, "criteria");
    EXPECT_EQ(&GLOBAL_VECTOR_CRITERIA_MENU_INFOS(), &GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
}

TEST_F(RuleMenuTables, TheActionsTableRowByRow)
{
    ExpectTable(GLOBAL_VECTOR_ACTIONS_MENU_INFOS(), kActions, "actions");
}

TEST_F(RuleMenuTables, PageMapsHoldEveryItemAndNoSeparator)
{
    const auto check = [](const std::map<int, unsigned long>& map, const auto& rows, const char* which) {
        std::size_t items = 0;
        for (const MenuRow& row : rows) {
            if (row.menuId == 0) continue;
            ++items;
            ASSERT_EQ(map.count(row.menuId), 1u) << which << " " << row.menuId;
            EXPECT_EQ(map.at(row.menuId), row.page) << which << " " << row.menuId;
        }
        EXPECT_EQ(map.size(), items) << which;
        EXPECT_EQ(map.count(0), 0u) << which;
    };
    check(MapExprMenuToBookPage(), kCriteria, "criteria");
    check(MapActionMenuToBookPage(), kActions, "actions");
    EXPECT_EQ(MapActionMenuToBookPage().size(), 30u);

    // The first row of an id wins; a refill starts empty.
    RuleMenuTable twice = GLOBAL_VECTOR_ACTIONS_MENU_INFOS();
    twice.push_back(twice[0]);
    twice.back().rhsPage = 33;
    std::map<int, unsigned long> map{{1, 2}};
    CreateMapUsingGlobalConfig(map, twice);
    EXPECT_EQ(map.at(15001), 8u);
    EXPECT_EQ(map.count(1), 0u);
}

TEST_F(RuleMenuTables, MenuLabelLookUps)
{
    EXPECT_EQ(FindActionMenuLabelByMenuId(15046), wxS("Start timer"));
    EXPECT_EQ(FindExpressionMenuLabelByMenuId(14103), wxS("Dynamic Element"));
    EXPECT_EQ(FindExpressionMenuLabelByMenuId(15046), wxS("[unknown option]"));
    EXPECT_EQ(FindActionMenuLabelByMenuId(13091), wxS("[unknown option]"));
    // Id 0 finds the first separator row: the label look-ups do not skip them.
    EXPECT_EQ(FindMenuLabel(0, GLOBAL_VECTOR_ACTIONS_MENU_INFOS()), wxS("sepsepsepsep"));
    EXPECT_EQ(FindMenuLabel(0, GLOBAL_VECTOR_CRITERIA_MENU_INFOS()), MENU_SEPARATOR_LINE);

    const auto& actions = GLOBAL_VECTOR_ACTIONS_MENU_INFOS();
    EXPECT_EQ(GetMenuLabelByPtPo(actions, 2201, 5), wxS("Clear collection"));
    EXPECT_EQ(GetMenuLabelByPtPo(actions, 0, 5), wxS("Reset parameter"));
    EXPECT_EQ(GetMenuLabelByPtPo(actions, 2101, 12), wxS("Pause timer"));
    EXPECT_EQ(GetMenuLabelByPtPo(actions, 2102, 5), wxS("[unknown parameter-related option]"));
    EXPECT_EQ(GetMenuLabelByPtPo(GLOBAL_VECTOR_CRITERIA_MENU_INFOS(), 0, 0), wxS("Dynamic Element"));
    // Every parameter row is found again by its (type, operation).
    for (const MenuRow& row : kActions)
        if (row.paramType >= 0) EXPECT_EQ(Text(GetMenuLabelByPtPo(actions, row.paramType, row.paramOp)), row.label);
}

TEST_F(RuleMenuTables, ParameterEnumsOfARow)
{
    const auto& actions = GLOBAL_VECTOR_ACTIONS_MENU_INFOS();
    const struct
    {
        int menuId;
        int type;
        int op;
        bool logged;
    } cases[] = {{15001, 0, 5, false},   {15011, 2102, 8, false}, {15047, 2101, 12, false},
                 {15016, -1, -1, false}, {99999, -99, -99, true}, {0, -1, -1, false}};
    for (const auto& c : cases) {
        TestSupport::ClearLog();
        int type = 7, op = 7;
        GetParameterEnums(c.menuId, actions, &type, &op);
        EXPECT_EQ(type, c.type) << c.menuId;
        EXPECT_EQ(op, c.op) << c.menuId;
        EXPECT_EQ(
            TestSupport::LogContains(
                wxString::Format("Global configuration did not contain parameter id numbers for menu %d.", c.menuId),
                wxLOG_Error),
            c.logged)
            << c.menuId;
    }
}

TEST_F(RuleMenuTables, LeftSidesThatTakeAParameterOperand)
{
    for (int id : {13093, 15005, 15006, 15008, 15009, 15010})
        EXPECT_TRUE(LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(id)) << id;
    for (int id : {15011, 13092, 15001, 0, -1, 27000})
        EXPECT_FALSE(LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(id)) << id;
}

TEST_F(RuleMenuTables, ExcludedContextsAreASubstringTest)
{
    const struct
    {
        const char* excluded;
        int context;
        bool allowed;
    } cases[] = {{"", 1, true},       {"", 999, true},     {"1235", 1, false}, {"1235", 4, true},   {"1235", 12, false},
                 {"1235", 23, false}, {"1235", 35, false}, {"1235", 53, true}, {"1235", 999, true}, {"5", 5, false},
                 {"125", 25, false},  {"123", 999, true},  {"12", 2, false}};
    for (const auto& c : cases)
        EXPECT_EQ(ItemIsAllowedInCurrentContext(wxString::FromUTF8(c.excluded), c.context), c.allowed)
            << c.excluded << " / " << c.context;
    // No row of either table keeps context 999 out.
    for (const RuleMenuTable* table : {&GLOBAL_VECTOR_CRITERIA_MENU_INFOS(), &GLOBAL_VECTOR_ACTIONS_MENU_INFOS()})
        for (const RulesComponentRowsInfo& row : *table)
            EXPECT_TRUE(ItemIsAllowedInCurrentContext(row.excludedContexts, 999)) << Text(row.label);
}

TEST_F(RuleMenuTables, TheEntriesOfEveryContextPlainAndExtended)
{
    const struct
    {
        bool actions;
        int context;
        bool extended;
        const char* menu;
    } cases[] = {
        {false, 1, false,
         "Always | - | Last participant response | Last text typed by participant | Participant name | - | >Parameter "
         "| >Trial Level | - | Percentage of trials presented in block | Number of trials presented in block | Average "
         "RT of trials presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 1, true,
         "Always | - | Last participant response | Last text typed by participant | Participant name | - | Dynamic "
         "Element | >Parameter | >Trial Level | - | Percentage of trials presented in block | Number of trials "
         "presented in block | Average RT of trials presented in this block | - | Time since start of block | Time "
         "since start of experiment"},
        {false, 2, false,
         "Always | - | Last participant response | Last text typed by participant | Participant name | - | >Parameter "
         "| >Trial Level | - | Percentage of trials presented in block | Number of trials presented in block | Average "
         "RT of trials presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 2, true,
         "Always | - | Last participant response | Last text typed by participant | Participant name | - | Dynamic "
         "Element | >Parameter | >Trial Level | - | Percentage of trials presented in block | Number of trials "
         "presented in block | Average RT of trials presented in this block | - | Time since start of block | Time "
         "since start of experiment"},
        {false, 3, false,
         "Always | - | Last participant response | Last text typed by participant | Number of times this trial has "
         "been presented | Participant name | - | >Trial's tag set | >Parameter | >Trial Level | - | Percentage of "
         "trials presented in block | Number of trials presented in block | Average RT of trials presented in this "
         "block | - | Time since start of block | Time since start of experiment"},
        {false, 3, true,
         "Always | - | Last participant response | Last text typed by participant | Number of times this trial has "
         "been presented | Participant name | - | Dynamic Element | >Trial's tag set | >Parameter | >Trial Level | - | "
         "Percentage of trials presented in block | Number of trials presented in block | Average RT of trials "
         "presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 4, false,
         "Always | - | Last participant response | Last text typed by participant | Trial's reaction time | Number of "
         "times this trial has been presented | Participant name | - | >Trial's tag set | >Parameter | >Trial Level | "
         "- | Percentage of trials presented in block | Number of trials presented in block | Average RT of trials "
         "presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 4, true,
         "Always | - | Last participant response | Last text typed by participant | Trial's reaction time | Number of "
         "times this trial has been presented | Participant name | - | Dynamic Element | >Trial's tag set | >Parameter "
         "| >Trial Level | - | Percentage of trials presented in block | Number of trials presented in block | Average "
         "RT of trials presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 5, false,
         "Always | - | Last participant response | Last text typed by participant | Number of times this trial has "
         "been presented | Participant name | - | >Trial's tag set | >Parameter | >Trial Level | - | Percentage of "
         "trials presented in block | Number of trials presented in block | Average RT of trials presented in this "
         "block | - | Time since start of block | Time since start of experiment"},
        {false, 5, true,
         "Always | - | Last participant response | Last text typed by participant | Number of times this trial has "
         "been presented | Participant name | - | Dynamic Element | >Trial's tag set | >Parameter | >Trial Level | - | "
         "Percentage of trials presented in block | Number of trials presented in block | Average RT of trials "
         "presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 999, false,
         "Always | - | Last participant response | Last text typed by participant | Trial's reaction time | Number of "
         "times this trial has been presented | Participant name | - | >Trial's tag set | >Parameter | >Trial Level | "
         "- | Percentage of trials presented in block | Number of trials presented in block | Average RT of trials "
         "presented in this block | - | Time since start of block | Time since start of experiment"},
        {false, 999, true,
         "Always | - | Last participant response | Last text typed by participant | Trial's reaction time | Number of "
         "times this trial has been presented | Participant name | - | Dynamic Element | >Trial's tag set | >Parameter "
         "| >Trial Level | - | Percentage of trials presented in block | Number of trials presented in block | Average "
         "RT of trials presented in this block | - | Time since start of block | Time since start of experiment"},
        {true, 1, false,
         "Reset parameter | - | Set text parameter | Append to text parameter | - | Set counter value | Increment "
         "counter | Decrement counter | Assign random number (to counter) | - | Start timer | Pause timer | - | Clear "
         "collection | Clear built-in trials collection | - | Exit experiment | - | Go back to previous block | "
         "Present block | - | Repeat current block | Present event | - | Move to next trial level | Move to previous "
         "trial level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 1, true,
         "Reset parameter | - | Set text parameter | Append to text parameter | - | Set counter value | Increment "
         "counter | Decrement counter | Assign random number (to counter) | - | Start timer | Pause timer | - | Clear "
         "collection | Clear built-in trials collection | - | Exit experiment | - | Go back to previous block | "
         "Present block | - | Repeat current block | Present event | - | Move to next trial level | Move to previous "
         "trial level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 2, false,
         "Reset parameter | - | Set text parameter | Append to text parameter | - | Set counter value | Increment "
         "counter | Decrement counter | Assign random number (to counter) | - | Start timer | Pause timer | - | Clear "
         "collection | Clear built-in trials collection | - | Exit experiment | - | Go back to previous block | "
         "Present block | - | Repeat current block | Present event | - | Move to next trial level | Move to previous "
         "trial level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 2, true,
         "Reset parameter | - | Set text parameter | Append to text parameter | - | Set counter value | Increment "
         "counter | Decrement counter | Assign random number (to counter) | - | Start timer | Pause timer | - | Clear "
         "collection | Clear built-in trials collection | - | Exit experiment | - | Go back to previous block | "
         "Present block | - | Repeat current block | Present event | - | Move to next trial level | Move to previous "
         "trial level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 3, false,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Go back to previous block | Present block | - | "
         "Repeat current block | Present event | Repeat trial | - | Move to next trial level | Move to previous trial "
         "level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 3, true,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Go back to previous block | Present block | - | "
         "Repeat current block | Present event | Repeat trial | - | Move to next trial level | Move to previous trial "
         "level | Set trial level | - | Change background color | - | Set tag on all trials in block"},
        {true, 4, false,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Exit block | Go back to previous block | Present "
         "block | - | Repeat current block | Present event | Repeat trial | Skip next trial | - | Move to next trial "
         "level | Move to previous trial level | Set trial level | - | Change background color | - | Set trial's tag | "
         "Set tag on all trials in block"},
        {true, 4, true,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Exit block | Go back to previous block | Present "
         "block | - | Repeat current block | Present event | Repeat trial | Skip next trial | - | Move to next trial "
         "level | Move to previous trial level | Set trial level | - | Change background color | - | Set trial's tag | "
         "Set tag on all trials in block"},
        {true, 5, false,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Add trial to collection | - | Present event | "
         "Restart trial | Skip remaining events in trial | - | Move to next trial level | Move to previous trial level "
         "| Set trial level | - | Set trial's tag"},
        {true, 5, true,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Add trial to collection | - | Present event | "
         "Restart trial | Skip remaining events in trial | - | Move to next trial level | Move to previous trial level "
         "| Set trial level | - | Set trial's tag"},
        {true, 999, false,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Exit block | Go back to previous block | Present "
         "block | - | Repeat current block | Present event | Repeat trial | Skip next trial | Restart trial | Skip "
         "remaining events in trial | - | Move to next trial level | Move to previous trial level | Set trial level | "
         "- | Change background color | - | Set trial's tag | Set tag on all trials in block"},
        {true, 999, true,
         "Reset parameter | Store participant's response | Store participant's typed text | - | Set text parameter | "
         "Append to text parameter | - | Set counter value | Increment counter | Decrement counter | Assign random "
         "number (to counter) | - | Start timer | Pause timer | - | Clear collection | Add trial to collection | Clear "
         "built-in trials collection | - | Exit experiment | - | Exit block | Go back to previous block | Present "
         "block | - | Repeat current block | Present event | Repeat trial | Skip next trial | Restart trial | Skip "
         "remaining events in trial | - | Move to next trial level | Move to previous trial level | Set trial level | "
         "- | Change background color | - | Set trial's tag | Set tag on all trials in block"},
    };
    for (const auto& c : cases) {
        const RuleMenuTable& table =
            c.actions ? GLOBAL_VECTOR_ACTIONS_MENU_INFOS() : GLOBAL_VECTOR_CRITERIA_MENU_INFOS();
        EXPECT_EQ(Render(c.context, table, c.extended), c.menu) << (c.actions ? "actions" : "criteria") << " context "
                                                                << c.context << (c.extended ? " extended" : " plain");
    }
}

TEST_F(RuleMenuTables, SeparatorsNeverLeadNorStandTogether)
{
    // A table whose first group is filtered out, and a group that is empty in a context.
    RuleMenuTable table = GLOBAL_VECTOR_ACTIONS_MENU_INFOS();
    for (int context : {1, 2, 3, 4, 5, 12, 999}) {
        const std::vector<RuleMenuEntry> entries = MenuEntriesForContext(context, table);
        ASSERT_FALSE(entries.empty());
        EXPECT_NE(entries.front().kind, RuleMenuEntry::Separator) << context;
        for (std::size_t i = 1; i < entries.size(); ++i)
            EXPECT_FALSE(entries[i].kind == RuleMenuEntry::Separator && entries[i - 1].kind == RuleMenuEntry::Separator)
                << context << " at " << i;
    }
    // Context 12 is kept out of every row excluding "12..." or "...12...".
    const std::string twelve = Render(12, table, false);
    EXPECT_EQ(twelve.find("Store participant's response"), std::string::npos);
    EXPECT_EQ(twelve.find("Exit block"), std::string::npos);
    EXPECT_EQ(twelve.find("Skip remaining events in trial"), std::string::npos);
    EXPECT_NE(twelve.find("Present event"), std::string::npos);
    // A menu may end with a separator when everything after the last one is filtered out.
    RuleMenuTable cut(table.begin(), table.begin() + 4);  // three items, then a separator
    cut.push_back(table[21]);                             // "Exit block", excluded in context 5
    EXPECT_EQ(Render(5, cut, false),
              "Reset parameter | Store participant's response | Store participant's typed text | -");
}
