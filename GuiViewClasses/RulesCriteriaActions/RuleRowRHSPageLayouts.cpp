#include "RuleRowRHSPageLayouts.h"

#include "RulesHelperMappings.h"

#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/VTElementType.h>

#include <wx/intl.h>
#include <wx/sizer.h>

#include <map>

namespace Vantrel {

namespace {

using C = RhsControlLayout;
using K = RhsControlLayout::Kind;
using R = RhsControlLayout::Role;
using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;

constexpr int kCentre = wxALIGN_CENTER_VERTICAL;

C Link(const char* label, int flags, int border, bool registered)
{
    C c{K::Link, 10120, label};
    c.name = "settings_hyperlink";
    c.flags = flags;
    c.border = border;
    c.role = R::Link;
    c.registered = registered;
    return c;
}

C Choice(int id, std::vector<const char*> items, const char* selected, const char* name, R role, int flags, int border,
         bool registered = true)
{
    C c{K::Choice, id, selected};
    c.items = std::move(items);
    c.name = name;
    c.role = role;
    c.flags = flags;
    c.border = border;
    c.registered = registered;
    return c;
}

C Operator(std::vector<const char*> items, const char* selected, bool registered = true)
{
    return Choice(10114, std::move(items), selected, "rule_rhs_choice1", R::Choice1, wxRIGHT, 2, registered);
}

// A list of the experiment's content with its one placeholder item.
C List(int id, const char* placeholder, const char* name = "rule_rhs_choice1", R role = R::Choice1)
{
    return Choice(id, {placeholder}, placeholder, name, role, wxRIGHT, 2);
}

C Field(int id, const char* initial, int width, int flags, int border, bool registered = true)
{
    C c{K::Field, id, initial};
    c.name = "rule_rhs_field1";
    c.width = width;
    c.flags = flags;
    c.border = border;
    c.role = R::Field;
    c.registered = registered;
    return c;
}

C Label(const char* text, int flags, int border, R role = R::None, int id = wxID_STATIC, const char* name = "")
{
    C c{K::Label, id, text};
    c.flags = flags;
    c.border = border;
    c.role = role;
    c.name = name;
    return c;
}

C Grey(C c)
{
    c.grey = true;
    return c;
}

// The counter limits: read-only grey text in a sizer of their own.
C Limits(C c)
{
    c.inLimitsSizer = true;
    c.grey = true;
    return c;
}

C Registered(C c)
{
    c.registered = true;
    return c;
}

C Spacer(int width, int height, int border = 0)
{
    C c{K::Spacer};
    c.width = width;
    c.height = height;
    c.flags = wxALL;
    c.border = border;
    return c;
}

// A page whose only control is a hint that tells where to begin.
RhsPageLayout Hint(const char* text, bool grey, int flags)
{
    RhsPageLayout s;
    C label = Label(text, flags, 5);
    label.grey = grey;
    s.controls = {label};
    return s;
}

RhsPageLayout ParameterList(int id, const char* placeholder, int type, std::vector<C> rest = {})
{
    RhsPageLayout s;
    s.controls = {List(id, placeholder)};
    for (C& c : rest) s.controls.push_back(c);
    s.refill = RhsPageLayout::Refill::Parameters;
    s.parameterType = type;
    return s;
}

RhsPageLayout ElementList(int id, const char* placeholder, int elementType)
{
    RhsPageLayout s;
    s.controls = {List(id, placeholder)};
    s.refill = RhsPageLayout::Refill::Elements;
    s.elementType = elementType;
    return s;
}

// The parameter actions whose value is another parameter: target, word, source.
RhsPageLayout ParameterFromParameter(int targetId, const char* placeholder, const char* word, int sourceId, int type)
{
    RhsPageLayout s;
    s.controls = {List(targetId, placeholder), Label(word, wxLEFT | wxRIGHT, 5),
                  Choice(sourceId, {}, "", "rule_rhs_choice2", R::Choice2, wxRIGHT, 2)};
    s.refill = RhsPageLayout::Refill::BothParameters;
    s.parameterType = type;
    return s;
}

RhsPageLayout TagAction(const char* placeholder, int tagPage)
{
    RhsPageLayout s;
    s.controls = {Label("from set", wxRIGHT, 5), List(10228, placeholder), Label("to", wxLEFT | wxRIGHT, 5),
                  List(10229, placeholder, "rule_rhs_choice2", R::Choice2)};
    s.refill = RhsPageLayout::Refill::TagAction;
    s.tagPage = tagPage;
    return s;
}

RhsPageLayout Numeric(const char* link, std::vector<const char*> ops, const char* selected, int spacer, int width,
                      void (*filler)(wxChoice*), std::vector<C> rest = {})
{
    RhsPageLayout s;
    s.controls = {Link(link, wxRIGHT, 5, true), Operator(std::move(ops), selected), Spacer(spacer, 5),
                  Field(10157, "0", width, wxLEFT | wxRIGHT, 1)};
    for (C& c : rest) s.controls.push_back(c);
    s.filler = filler;
    return s;
}

std::map<int, RhsPageLayout> MakeLayouts()
{
    std::map<int, RhsPageLayout> m;
    using P = RhsPageLayout;
    const char* noCounters = "No Counter Parameters";
    const char* noTexts = "No Text Parameters";

    m[1].controls = {Operator({"="}, "="), Spacer(5, 5),
                     Choice(10110, {"No Parameters"}, "No Parameters", "rule_rhs_choice2", R::Choice2, 0, 0)};
    m[1].filler = Mappings::PrepareChoiceControl_StringFunc;
    m[2].controls = {Link("configure", wxLEFT | wxRIGHT, 5, true), Spacer(5, 5, 5)};
    m[3] = Numeric("(view subset)", {"=", "<", ">"}, "=", 7, 60, Mappings::PrepareChoiceControl_EqGtLt);
    m[4] = Numeric("(view subset)", {"<", ">"}, "<", 5, 60, Mappings::PrepareChoiceControl_GtLt,
                   {Spacer(5, 5),
                    Choice(10122, {"milliseconds", "seconds", "minutes"}, "milliseconds", "rule_rhs_choice2",
                           R::Choice2, wxLEFT | wxRIGHT, 2),
                    Registered(Label("milliseconds", wxRIGHT, 5, R::FixedUnits))});
    m[5] = Numeric("(view subset)", {"<", ">"}, "<", 5, 40, Mappings::PrepareChoiceControl_GtLt,
                   {Registered(Label(" %", wxRIGHT, 5))});
    m[6].controls = {Operator({"contains", "does not contain", "begins with", "ends with", "is equal to"}, "contains"),
                     Spacer(5, 5), Field(10142, "", -1, wxLEFT | wxRIGHT, 1)};
    m[6].controls.back().proportion = 1;
    m[6].filler = Mappings::PrepareChoiceControl_StringFunc;
    m[7].controls = {Operator({"is", "is not"}, "is"), Spacer(5, 5),
                     Choice(10229, {"Same as That of Previous Trial", "------ [sep.]", "[List  tags]"},
                            "Same as That of Previous Trial", "rule_rhs_choice2", R::Choice2, wxRIGHT, 2)};
    m[7].filler = Mappings::PrepareChoiceControl_SetNotSet;
    m[8].controls = {Operator({"is", "is not"}, "is"), Spacer(5, 5),
                     Choice(10132, {}, "", "rule_rhs_not_yet_using_autoname_feature_here", R::Choice2, wxRIGHT, 2)};
    m[8].filler = Mappings::PrepareChoiceControl_IsIsNot;
    m[9] = ParameterList(10135, "No Parameters", -1);
    m[10] = ParameterList(10137, "No Response Parameters", ParameterType::Response);
    m[10].controls.insert(m[10].controls.begin(), Label("in parameter", wxRIGHT, 5));
    m[11] = ParameterList(10139, noTexts, ParameterType::Text);
    m[11].controls.insert(m[11].controls.begin(), Label("in parameter", wxRIGHT, 5));
    m[11].controls.back().flags = 0;
    for (int n : {12, 13}) {
        C text = Field(10142, "", -1, wxLEFT, 1);
        m[n] = ParameterList(10139, noTexts, ParameterType::Text,
                             {Label(n == 12 ? "to" : "this string:", wxLEFT | wxRIGHT, 5), text});
    }
    m[14] = ParameterList(10152, noCounters, ParameterType::Counter,
                          {Label("to", wxLEFT | wxRIGHT, 5), Field(10157, "0", 50, wxLEFT, 1)});
    m[15] = ParameterList(10152, noCounters, ParameterType::Counter,
                          {Label("by", wxLEFT | wxRIGHT, 5), Field(10157, "1", 50, wxLEFT | wxTOP, 1)});
    m[16] = ParameterList(10152, noCounters, ParameterType::Counter,
                          {Label("by", wxLEFT | wxRIGHT, 5), Field(10157, "1", 50, wxLEFT, 1)});
    m[17] = Hint("This action works only with counters that have a range.", false, wxTOP | wxBOTTOM | wxRIGHT);
    m[18].controls = {Label("to", wxRIGHT, 5),
                      List(10152, "No Bounded Counters"),
                      Limits(Label("(between ", wxLEFT, 5)),
                      Limits(Label("??min??", 0, 0, R::MinLabel, 10170)),
                      Limits(Label(" and ", 0, 0)),
                      Limits(Label("??max??", 0, 0, R::MaxLabel, 10171)),
                      Limits(Label(")", wxTOP | wxBOTTOM, 5)),
                      Limits(Spacer(5, 5, 5))};
    m[18].controls.back().proportion = 1;
    m[18].refill = P::Refill::BoundedCounters;
    m[18].parameterType = ParameterType::Counter;
    m[19] = ParameterList(10173, "No Trial Collections", ParameterType::Collection);
    m[20] = m[19];
    m[21] = Hint("Skip remaining trials. Block rules determine next location.", true, wxRIGHT);
    m[22] = ElementList(10178, "No Blocks", ElementType::Block);
    m[23] = ElementList(10180, "No Non-List Events", ElementType::Event);
    m[24] = Hint("This action works only with trial levels that use sequential selection.", false,
                 wxTOP | wxBOTTOM | wxRIGHT);
    m[25] = ElementList(10186, "No Trial Levels", ElementType::TrialVariable);
    m[26] = m[25];
    m[27].controls = {Label("of", wxRIGHT, 5), List(10186, "No Trial Levels"), Label("to", wxLEFT | wxRIGHT, 5),
                      List(10223, "Random level", "rule_rhs_choice2", R::Choice2)};
    m[27].refill = P::Refill::LevelAction;
    {
        C picker{K::Picker, 10043};
        picker.name = "rule_color_picker";
        picker.flags = wxLEFT | wxRIGHT;
        picker.role = R::Picker;
        picker.registered = true;
        m[28].controls = {Label("to", wxLEFT | wxRIGHT, 5), picker};
    }
    m[29] = TagAction("No Tags", 26);
    m[30] = TagAction("No Trial Tags", 27);
    m[31] = Hint("The selected LHS cannot be used, due to...", true, wxRIGHT);
    m[31].controls[0].role = R::Message;
    for (int n : {32, 33, 34, 35})
        m[n] = Hint("Go to Experiment menu, Parameters to begin.", true, wxTOP | wxBOTTOM | wxRIGHT);
    m[36] = Hint("Go to Experiment menu, Trials Levels to begin.", true, wxTOP | wxBOTTOM | wxRIGHT);
    m[37] = Hint("Go to Experiment menu, Tag Sets to begin.", true, wxTOP | wxBOTTOM | wxRIGHT);
    m[38].controls = {Operator({"is", "is not"}, "is"), Spacer(5, 5),
                      Choice(10126, {"No Responses", "--- [sep.]", "[List]"}, "No Responses", "rule_rhs_choice2",
                             R::Choice2, wxRIGHT, 2)};
    m[38].refill = P::Refill::Responses;
    m[38].filler = Mappings::PrepareChoiceControl_IsIsNot;
    m[39] = Numeric("(view subset)", {"<", ">"}, "<", 5, 60, Mappings::PrepareChoiceControl_EqGtLt,
                    {Label(" milliseconds", wxRIGHT, 5, R::None, wxID_ANY, "rule_rhs_units_label")});
    m[39].controls[0].flags = wxLEFT | wxRIGHT;
    m[40] = ParameterFromParameter(10139, noTexts, "to", 10539, ParameterType::Text);
    m[41] = ParameterFromParameter(10139, noTexts, "this string:", 10539, ParameterType::Text);
    m[42] = ParameterFromParameter(10152, noCounters, "to", 10552, ParameterType::Counter);
    m[43] = ParameterFromParameter(10152, noCounters, "by", 10552, ParameterType::Counter);
    m[44] = ParameterFromParameter(10152, noCounters, "by", 10552, ParameterType::Counter);
    m[45] = ParameterList(11000, "No Timer Parameters", ParameterType::Timer,
                          {Grey(Label("(Use \"Reset Parameter\" to zero the timer.)", wxLEFT | wxRIGHT, 5, R::None,
                                      10125, "id_helptext_zero_timer"))});
    return m;
}

}  // namespace

const RhsPageLayout& RhsPageLayoutForClass(int classNumber)
{
    static const std::map<int, RhsPageLayout> layouts = MakeLayouts();
    static const RhsPageLayout none;
    const auto found = layouts.find(classNumber);
    return found == layouts.end() ? none : found->second;
}

}  // namespace Vantrel
