#pragma once
// The fixed vocabulary of the rules editor: the comparison operators, the criteria
// menu and the actions menu, each built once per process from its data table and
// never changed afterwards, with the look-ups the rows and mappings use and the
// builder of a context's left-side menus.
//
// Editing contexts: 1 block "When to Present", 2 block rules, 3 trial "When to
// Present", 4 trial rules, 5 event feedback actions, 999 sizing-only panels.

#include <boost/shared_ptr.hpp>
#include <wx/string.h>

#include <functional>
#include <map>
#include <vector>

class wxMenu;

namespace Vantrel {

class VTExperiment;
class RulesSubmenusMadnessHelper;

// Appends one item with a submenu of experiment content to the menu and records
// the submenu's entries in the helper.
using RuleSubmenuBuilder =
    std::function<void(VTExperiment* experiment, wxMenu* menu, boost::shared_ptr<RulesSubmenusMadnessHelper> helper,
                       const wxString& label, int menuId)>;

struct RulesComponentRowsInfo
{
    int menuId;                  // 0 on separators
    wxString label;              // translated; MENU_SEPARATOR_LINE on separators
    unsigned long long rhsPage;  // operand page 0..36
    bool disabled;
    wxString excludedContexts;  // the digits of each context the row is not offered in
    RuleSubmenuBuilder submenuBuilder;
    bool extendedOnly;
    int paramType;  // 0 any parameter type, -1 not a parameter row
    int paramOp;    // -1 not a parameter row

    bool IsSeparator() const;
};

using RuleMenuTable = std::vector<RulesComponentRowsInfo>;

const RuleMenuTable& GLOBAL_VECTOR_CRITERIA_MENU_INFOS();
const RuleMenuTable& GLOBAL_VECTOR_ACTIONS_MENU_INFOS();
// Menu id -> operand page of every non-separator row (the first row of an id wins).
const std::map<int, unsigned long>& MapExprMenuToBookPage();
const std::map<int, unsigned long>& MapActionMenuToBookPage();

wxString FindActionMenuLabelByMenuId(int menuId);
wxString FindExpressionMenuLabelByMenuId(int menuId);
// Writes the row's parameter type and operation; -99 and -99 with a logged error
// when no row has the id.
void GetParameterEnums(int menuId, const RuleMenuTable& table, int* paramType, int* paramOp);
wxString GetMenuLabelByPtPo(const RuleMenuTable& table, int paramType, int paramOp);
// The left sides whose operand may be a parameter instead of a typed value.
bool LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(int menuId);

// Operators.
wxString GetCompText(int id);
wxString GetCompTextByContextAndOpID(int stringsContext, int opInContext);
// The operator number within its context of the operator with exactly that text; -1 when none.
int GetCriteriaOp(const wxString& text);
// 0 numeric (timer, counter), 1 is/is not (response), 2 text; -1 (logged) otherwise.
int GetStringsContextByParamType(int paramType);

// One entry of a context's left-side menus, before any menu exists.
struct RuleMenuEntry
{
    enum Kind
    {
        Item,
        Separator,
        Submenu
    };
    Kind kind;
    const RulesComponentRowsInfo* row;  // null for separators
};
// The entries of a context in table order: rows the context excludes are left
// out, and a separator only stands after something was added since the previous
// one (never first, never two together). The plain menu skips extended-only items.
std::vector<RuleMenuEntry> MenuEntriesForContext(int context, const RuleMenuTable& table);

// The plain and the extended left-side menu of a context, in a new helper that
// owns them (plain first) and maps the submenus' ids. The experiment may be null.
boost::shared_ptr<RulesSubmenusMadnessHelper> GetMenuForContext(VTExperiment* experiment, int context,
                                                                const RuleMenuTable& table);

}  // namespace Vantrel

// The operator table and the file-level look-ups of the tables.
struct CompOperatorTextAndID
{
    int id;
    wxString text;
    int opInContext;
    int stringsContext;  // 0 numeric, 1 is/is not, 2 text functions, 3 set/not set
};
const std::vector<CompOperatorTextAndID>& GLOBAL_COMPARISON_OPERATORS();
extern const wxChar* const MENU_SEPARATOR_LINE;
wxString FindMenuLabel(int menuId, const Vantrel::RuleMenuTable& table);
void CreateMapUsingGlobalConfig(std::map<int, unsigned long>& out, const Vantrel::RuleMenuTable& table);
bool ItemIsAllowedInCurrentContext(const wxString& excludedContexts, int context);
