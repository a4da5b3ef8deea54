#include "RuleMenuTables.h"

#include "RuleSubmenus.h"
#include "RulesSubmenusMadnessHelper.h"

#include <VTCore/OrderFormForParameterCreation.h>

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>

const wxChar* const MENU_SEPARATOR_LINE = wxS("sepsepsepsep");

namespace Vantrel {

namespace {

// ---- The tables as data, in display order.

enum class Submenu
{
    None,
    TagSets,
    Parameters,
    TrialLevels
};

struct RowData
{
    int menuId;         // 0: a separator
    const char* label;  // untranslated
    unsigned rhsPage;
    const char* excluded;
    bool disabled = false;
    bool extendedOnly = false;
    int paramType = -1;
    int paramOp = -1;
    Submenu submenu = Submenu::None;
};

const RowData kSeparator{0, nullptr, 0, ""};

const RowData kCriteria[] = {
    {13091, wxTRANSLATE("Always"), 1, ""},
    kSeparator,
    {13092, wxTRANSLATE("Last participant response"), 29, ""},
    {13093, wxTRANSLATE("Last text typed by participant"), 5, ""},
    {13094, wxTRANSLATE("Trial's reaction time"), 3, "1235"},
    {13095, wxTRANSLATE("Number of times this trial has been presented"), 2, "12"},
    {13096, wxTRANSLATE("Participant name"), 5, ""},
    kSeparator,
    {14103, wxTRANSLATE("Dynamic Element"), 6, "", true, true, 0, 0},
    {13199, wxTRANSLATE("Trial's tag set"), 6, "12", false, false, -1, -1, Submenu::TagSets},
    {13299, wxTRANSLATE("Parameter"), 0, "", false, false, -1, -1, Submenu::Parameters},
    {13399, wxTRANSLATE("Trial Level"), 7, "", false, false, -1, -1, Submenu::TrialLevels},
    kSeparator,
    {14098, wxTRANSLATE("Percentage of trials presented in block"), 4, ""},
    {14099, wxTRANSLATE("Number of trials presented in block"), 2, ""},
    {14100, wxTRANSLATE("Average RT of trials presented in this block"), 3, ""},
    kSeparator,
    {14101, wxTRANSLATE("Time since start of block"), 3, ""},
    {14102, wxTRANSLATE("Time since start of experiment"), 3, ""},
};

RowData Param(int menuId, const char* label, unsigned page, const char* excluded, int type, int op)
{
    return {menuId, label, page, excluded, false, false, type, op};
}

const RowData kActions[] = {
    Param(15001, wxTRANSLATE("Reset parameter"), 8, "", 0, 5),
    Param(15002, wxTRANSLATE("Store participant's response"), 9, "12", ParameterType::Response, 6),
    Param(15003, wxTRANSLATE("Store participant's typed text"), 10, "12", ParameterType::Text, 9),
    kSeparator,
    Param(15005, wxTRANSLATE("Set text parameter"), 11, "", ParameterType::Text, 1),
    Param(15006, wxTRANSLATE("Append to text parameter"), 12, "", ParameterType::Text, 7),
    kSeparator,
    Param(15008, wxTRANSLATE("Set counter value"), 13, "", ParameterType::Counter, 2),
    Param(15009, wxTRANSLATE("Increment counter"), 14, "", ParameterType::Counter, 3),
    Param(15010, wxTRANSLATE("Decrement counter"), 15, "", ParameterType::Counter, 4),
    Param(15011, wxTRANSLATE("Assign random number (to counter)"), 16, "", ParameterType::Counter, 8),
    kSeparator,
    Param(15046, wxTRANSLATE("Start timer"), 36, "", ParameterType::Timer, 11),
    Param(15047, wxTRANSLATE("Pause timer"), 36, "", ParameterType::Timer, 12),
    kSeparator,
    Param(15013, wxTRANSLATE("Clear collection"), 17, "5", ParameterType::Collection, 5),
    Param(15014, wxTRANSLATE("Add trial to collection"), 18, "12", ParameterType::Collection, 10),
    {15015, wxTRANSLATE("Clear built-in trials collection"), 1, "5"},
    kSeparator,
    {15016, wxTRANSLATE("Exit experiment"), 1, "5"},
    kSeparator,
    {15018, wxTRANSLATE("Exit block"), 19, "1235"},
    {15019, wxTRANSLATE("Go back to previous block"), 1, "5"},
    {15020, wxTRANSLATE("Present block"), 20, "5"},
    kSeparator,
    {15022, wxTRANSLATE("Repeat current block"), 1, "5"},
    {15023, wxTRANSLATE("Present event"), 21, ""},
    {15024, wxTRANSLATE("Repeat trial"), 1, "125"},
    {15025, wxTRANSLATE("Skip next trial"), 1, "1235"},
    {15035, wxTRANSLATE("Restart trial"), 28, "1234"},
    {15036, wxTRANSLATE("Skip remaining events in trial"), 1, "1234"},
    kSeparator,
    {15038, wxTRANSLATE("Move to next trial level"), 22, ""},
    {15039, wxTRANSLATE("Move to previous trial level"), 23, ""},
    {15040, wxTRANSLATE("Set trial level"), 24, ""},
    kSeparator,
    {15042, wxTRANSLATE("Change background color"), 25, "5"},
    kSeparator,
    {15044, wxTRANSLATE("Set trial's tag"), 26, "123"},
    {15045, wxTRANSLATE("Set tag on all trials in block"), 27, "5"},
};

RuleSubmenuBuilder BuilderFor(Submenu submenu)
{
    using namespace boost::placeholders;
    namespace H = ExperimentContentGuiHelpers;
    switch (submenu) {
        case Submenu::TagSets:
            return boost::bind(&H::ExperimentElementsSubmenu, ElementType::TagSet, wxString(_("tag")),
                               SubmenuFirstId::TagSets, H::ElementFilter(), _1, _2, _3, _4, _5);
        case Submenu::TrialLevels:
            return boost::bind(&H::ExperimentElementsSubmenu, ElementType::TrialVariable, wxString(_("trial level")),
                               SubmenuFirstId::TrialLevels, H::ElementFilter(), _1, _2, _3, _4, _5);
        case Submenu::Parameters: return &H::ParametersSubmenu;
        case Submenu::None: break;
    }
    return RuleSubmenuBuilder();
}

// The one walk that turns a data table into its menu rows.
template <std::size_t N>
RuleMenuTable BuildTable(const RowData (&rows)[N])
{
    RuleMenuTable table;
    for (const RowData& r : rows) {
        if (!r.label) {
            table.push_back({0, MENU_SEPARATOR_LINE, 0, false, wxString(), {}, false, -1, -1});
            continue;
        }
        table.push_back({r.menuId, wxGetTranslation(r.label), r.rhsPage, r.disabled, wxString::FromUTF8(r.excluded),
                         BuilderFor(r.submenu), r.extendedOnly, r.paramType, r.paramOp});
    }
    return table;
}

template <class T>
const T* FirstWith(const std::vector<T>& rows, const std::function<bool(const T&)>& match)
{
    for (const T& row : rows)
        if (match(row)) return &row;
    return nullptr;
}

}  // namespace

bool RulesComponentRowsInfo::IsSeparator() const { return label == MENU_SEPARATOR_LINE; }

const RuleMenuTable& GLOBAL_VECTOR_CRITERIA_MENU_INFOS()
{
    static const RuleMenuTable table = BuildTable(kCriteria);
    return table;
}

const RuleMenuTable& GLOBAL_VECTOR_ACTIONS_MENU_INFOS()
{
    static const RuleMenuTable table = BuildTable(kActions);
    return table;
}

const std::map<int, unsigned long>& MapExprMenuToBookPage()
{
    static const std::map<int, unsigned long> map = [] {
        std::map<int, unsigned long> m;
        CreateMapUsingGlobalConfig(m, GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
        return m;
    }();
    return map;
}

const std::map<int, unsigned long>& MapActionMenuToBookPage()
{
    static const std::map<int, unsigned long> map = [] {
        std::map<int, unsigned long> m;
        CreateMapUsingGlobalConfig(m, GLOBAL_VECTOR_ACTIONS_MENU_INFOS());
        return m;
    }();
    return map;
}

wxString FindActionMenuLabelByMenuId(int menuId) { return FindMenuLabel(menuId, GLOBAL_VECTOR_ACTIONS_MENU_INFOS()); }

wxString FindExpressionMenuLabelByMenuId(int menuId)
{
    return FindMenuLabel(menuId, GLOBAL_VECTOR_CRITERIA_MENU_INFOS());
}

void GetParameterEnums(int menuId, const RuleMenuTable& table, int* paramType, int* paramOp)
{
    *paramType = *paramOp = -99;
    if (const RulesComponentRowsInfo* row = FirstWith<RulesComponentRowsInfo>(
            table, [menuId](const RulesComponentRowsInfo& r) { return r.menuId == menuId; })) {
        *paramType = row->paramType;
        *paramOp = row->paramOp;
    }
    if (*paramType == -99) wxLogError("Global configuration did not contain parameter id numbers for menu %d.", menuId);
}

wxString GetMenuLabelByPtPo(const RuleMenuTable& table, int paramType, int paramOp)
{
    const RulesComponentRowsInfo* row = FirstWith<RulesComponentRowsInfo>(
        table, [&](const RulesComponentRowsInfo& r) { return r.paramType == paramType && r.paramOp == paramOp; });
    return row ? row->label : wxString(wxS("[unknown parameter-related option]"));
}

bool LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(int menuId)
{
    switch (menuId) {
        case 13093:
        case 15005:
        case 15006:
        case 15008:
        case 15009:
        case 15010: return true;
        default: return false;
    }
}

wxString GetCompText(int id)
{
    const CompOperatorTextAndID* op = FirstWith<CompOperatorTextAndID>(
        GLOBAL_COMPARISON_OPERATORS(), [id](const CompOperatorTextAndID& o) { return o.id == id; });
    return op ? op->text : wxString(wxS("error.error.error.error.error.error.error.error"));
}

wxString GetCompTextByContextAndOpID(int stringsContext, int opInContext)
{
    const CompOperatorTextAndID* op =
        FirstWith<CompOperatorTextAndID>(GLOBAL_COMPARISON_OPERATORS(), [&](const CompOperatorTextAndID& o) {
            return o.stringsContext == stringsContext && o.opInContext == opInContext;
        });
    return op ? op->text : wxString(wxS("error-error-error-error-error-error-error-error"));
}

int GetCriteriaOp(const wxString& text)
{
    const CompOperatorTextAndID* op = FirstWith<CompOperatorTextAndID>(
        GLOBAL_COMPARISON_OPERATORS(), [&text](const CompOperatorTextAndID& o) { return o.text == text; });
    return op ? op->opInContext : -1;
}

int GetStringsContextByParamType(int paramType)
{
    switch (paramType) {
        case ParameterType::Timer:
        case ParameterType::Counter: return 0;
        case ParameterType::Response: return 1;
        case ParameterType::Text: return 2;
        default: wxLogError("Type %d is unrecognized in the mappings to string context.", paramType); return -1;
    }
}

std::vector<RuleMenuEntry> MenuEntriesForContext(int context, const RuleMenuTable& table)
{
    std::vector<RuleMenuEntry> entries;
    // Nothing added since the last separator (or the start).
    bool nothingSinceSeparator = true;
    for (const RulesComponentRowsInfo& row : table) {
        if (row.IsSeparator()) {
            if (!nothingSinceSeparator) entries.push_back({RuleMenuEntry::Separator, nullptr});
            nothingSinceSeparator = true;
            continue;
        }
        if (!ItemIsAllowedInCurrentContext(row.excludedContexts, context)) continue;
        entries.push_back({row.submenuBuilder ? RuleMenuEntry::Submenu : RuleMenuEntry::Item, &row});
        nothingSinceSeparator = false;
    }
    return entries;
}

boost::shared_ptr<RulesSubmenusMadnessHelper> GetMenuForContext(VTExperiment* experiment, int context,
                                                                const RuleMenuTable& table)
{
    auto helper = boost::make_shared<RulesSubmenusMadnessHelper>(experiment);
    auto* plain = new wxMenu;
    auto* extended = new wxMenu;
    for (const RuleMenuEntry& entry : MenuEntriesForContext(context, table)) {
        if (entry.kind == RuleMenuEntry::Separator) {
            plain->AppendSeparator();
            extended->AppendSeparator();
            continue;
        }
        const RulesComponentRowsInfo& row = *entry.row;
        if (entry.kind == RuleMenuEntry::Submenu) {
            row.submenuBuilder(experiment, plain, helper, row.label, row.menuId);
            row.submenuBuilder(experiment, extended, helper, row.label, row.menuId);
            continue;
        }
        for (wxMenu* menu : {plain, extended}) {
            if (menu == plain && row.extendedOnly) continue;
            menu->Append(row.menuId, row.label, wxEmptyString, wxITEM_NORMAL);
            if (row.disabled) menu->Enable(row.menuId, false);
        }
    }
    helper->AdoptMenu(plain);
    helper->AdoptMenu(extended);
    return helper;
}

}  // namespace Vantrel

const std::vector<CompOperatorTextAndID>& GLOBAL_COMPARISON_OPERATORS()
{
    // Insertion order, not id order; the texts are not translated.
    static const std::vector<CompOperatorTextAndID> operators = {
        {0, wxS("is"), 0, 1},
        {1, wxS("is not"), 1, 1},
        {2, wxS("="), 0, 0},
        {5, wxS("\u2260"), 1, 0},
        {3, wxS(">"), 2, 0},
        {4, wxS("<"), 3, 0},
        {6, wxS("contains"), 4, 2},
        {7, wxS("does not contain"), 5, 2},
        {8, wxS("begins with"), 6, 2},
        {9, wxS("ends with"), 7, 2},
        {10, wxS("is equal to"), 0, 2},
        {11, wxS("is not equal to"), 1, 2},
        {12, wxS("is set to"), 0, 3},
        {13, wxS("is not set to"), 1, 3},
    };
    return operators;
}

wxString FindMenuLabel(int menuId, const Vantrel::RuleMenuTable& table)
{
    for (const Vantrel::RulesComponentRowsInfo& row : table)
        if (row.menuId == menuId) return row.label;
    return wxS("[unknown option]");
}

void CreateMapUsingGlobalConfig(std::map<int, unsigned long>& out, const Vantrel::RuleMenuTable& table)
{
    out.clear();
    for (const Vantrel::RulesComponentRowsInfo& row : table)
        if (!row.IsSeparator()) out.emplace(row.menuId, (unsigned long)(row.rhsPage));
}

bool ItemIsAllowedInCurrentContext(const wxString& excludedContexts, int context)
{
    // A substring test on the whole number: "1235" keeps context 12 out too.
    return excludedContexts.Find(wxString::Format(wxS("%d"), context)) == wxNOT_FOUND;
}
