// Rule forms in the document: saved and loaded verbatim, field by field; the
// references they hold to elements and parameters through deletion, load repair
// and the clipboard.

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTClipboard.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "RuleTestSupport.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <sstream>

using namespace Vantrel;
namespace RC = Vantrel::RuleCode;

namespace {

using RuleTests::Add;

std::string Text(const wxString& s) { return std::string(s.utf8_str()); }

std::string Describe(const OrderFormForExpressionCreation& f)
{
    std::ostringstream o;
    o << "v" << f.streamingVersion << " flag[" << Text(f.flagText) << "] spare" << f.spareCode << " kind" << f.kind
      << " value" << f.value << " op" << f.operatorInContext << " builtIn" << f.builtIn << " rhs" << f.rhsKind
      << " value2 " << f.value2 << " name[" << Text(f.name) << "] text[" << Text(f.text) << "] subset"
      << f.trialSubset.rangeMode << "," << f.trialSubset.count << "," << f.trialSubset.useTag << ","
      << f.trialSubset.tagId;
    return o.str();
}

std::string Describe(const ExpressionFromGUI& f)
{
    return Describe(static_cast<const OrderFormForExpressionCreation&>(f)) + (f.isAnd ? " and" : " or");
}

std::string Describe(const OrderFormForActionCreation& f)
{
    std::ostringstream o;
    o << "v" << f.streamingVersion << " flag[" << Text(f.flagText) << "] spare" << f.spareCode << " type"
      << f.actionType << " target" << f.target << "," << f.target2 << " op" << f.operation << " ptype"
      << f.parameterType << " number" << f.number << " param[" << Text(f.parameterName) << "] text[" << Text(f.text)
      << "] colour" << Text(f.colour.IsOk() ? f.colour.GetAsString(wxC2S_HTML_SYNTAX) : "none") << "/"
      << (f.colour.IsOk() ? int(f.colour.Alpha()) : -1);
    return o.str();
}

ExpressionFromGUI Criterion(int kind, int builtIn, int value, int op, int rhsKind = -1, int value2 = -1,
                            const wxString& name = {}, const wxString& text = {}, bool isAnd = true)
{
    ExpressionFromGUI row;
    row.kind = kind;
    row.builtIn = builtIn;
    row.value = value;
    row.operatorInContext = op;
    row.rhsKind = rhsKind;
    row.value2 = value2;
    row.name = name;
    row.text = text;
    row.isAnd = isAnd;
    return row;
}

OrderFormForActionCreation Act(int type, int target = -1, int target2 = -1, int operation = -1, int ptype = -1,
                               int number = -1, const wxString& param = {}, const wxString& text = {})
{
    OrderFormForActionCreation a;
    a.actionType = type;
    a.target = target;
    a.target2 = target2;
    a.operation = operation;
    a.parameterType = ptype;
    a.number = number;
    a.parameterName = param;
    a.text = text;
    return a;
}

// An experiment whose rule holds criteria and actions of every kind the editor
// writes, with references to real elements and parameters.
struct RuleExperiment
{
    VTExperiment x;
    VTBlock* block;
    VTTrial* trial;
    VTEvent* event;
    VTTrialVariable* level;
    VTResponse* response;
    VTTagSet* tagSet;
    VTTag* tag;
    VTRule* rule;
    std::vector<ExpressionFromGUI> criteria;
    std::vector<OrderFormForActionCreation> actions;

    RuleExperiment()
    {
        block = Add<VTBlock>(x, wxS("Block"));
        trial = Add<VTTrial>(x, wxS("Trial"));
        event = Add<VTEvent>(x, wxS("Event"));
        level = Add<VTTrialVariable>(x, wxS("Level"));
        response = Add<VTResponse>(x, wxS("Left"));
        tagSet = Add<VTTagSet>(x, wxS("Colour"));
        tag = tagSet->AddTag(wxS("red"));
        auto params = x.GetParameters();
        params->AddNewItem(OrderFormForParameterCreation(wxS("Score"), ParameterType::Counter));
        params->AddNewItem(OrderFormForParameterCreation(wxS("Answer"), ParameterType::Response));
        params->AddNewItem(OrderFormForParameterCreation(wxS("Note"), ParameterType::Text));
        params->AddNewItem(OrderFormForParameterCreation(wxS("Clock"), ParameterType::Timer));
        params->AddNewItem(OrderFormForParameterCreation(wxS("Pool"), ParameterType::Collection));

        const int rid = int(response->GetID()), tid = int(tag->GetID()), sid = int(tagSet->GetID());
        ExpressionFromGUI subset =
            Criterion(1, RC::BuiltInBlockTrialStatistic, 80, RC::OpGreater, RC::RhsPercentageCorrect);
        subset.trialSubset.rangeMode = TrialSubsetDescription::kLastTrials;
        subset.trialSubset.count = 10;
        subset.trialSubset.useTag = true;
        subset.trialSubset.tagId = tid;
        ExpressionFromGUI minutes =
            Criterion(1, RC::BuiltInTimeSinceExperimentStart, 3, RC::OpGreater, -1, -1, {}, {}, false);
        minutes.ApplyAppropriateTimeUnitTranslation(wxS("minutes"), 3);
        ExpressionFromGUI timer = Criterion(2, -1, 500, RC::OpLess, RC::RhsNumber, ParameterType::Timer, wxS("Clock"));
        timer.MarkFormForTimerFeature503();
        ExpressionFromGUI collection = Criterion(4, 0, 3, RC::OpEqual, 0, tid, wxS("Pool"));
        collection.flagText = COLLFUNC_NOT_CONT;
        ExpressionFromGUI odd =
            Criterion(INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0, wxS("\u00e9\u4e2d \"q\"\n"), wxS("|unknown=marker|"));
        odd.streamingVersion = 1;
        odd.spareCode = -7;
        odd.flagText = wxS("|someday=Z|");
        criteria = {
            Criterion(RC::KindAlways, -1, -1, -1),
            Criterion(1, RC::BuiltInLastResponse, rid, RC::OpEqual),
            Criterion(1, RC::BuiltInLastTypedText, -1, RC::OpContains, RC::RhsText, -1, {}, wxS("yes")),
            Criterion(1, RC::BuiltInLastTypedText, -1, RC::OpBeginsWith, RC::RhsParameter, -1, {}, wxS("Note")),
            Criterion(1, RC::BuiltInTrialReactionTime, 800, RC::OpGreater, -1, -1, {}, {}, false),
            Criterion(1, RC::BuiltInTrialPresentationCountRule, 2, RC::OpLess),
            Criterion(1, RC::BuiltInParticipantName, -1, RC::OpEqual, -1, -1, {}, wxS("Ann")),
            Criterion(1, RC::BuiltInTrialTagSetRuleContext, sid, RC::OpEqual, -1, tid),
            Criterion(1, RC::BuiltInTrialTagSetBlockContext, sid, RC::OpNotEqual, -1, RC::SameTagAsPreviousTrial),
            subset,
            minutes,
            Criterion(2, -1, 3, RC::OpGreater, RC::RhsNumber, ParameterType::Counter, wxS("Score")),
            Criterion(2, -1, 4, RC::OpEqual, RC::RhsParameter, ParameterType::Counter, wxS("Score"), wxS("Score")),
            // A response parameter against a response keeps the response id in value and value2.
            Criterion(2, -1, rid, RC::OpEqual, RC::RhsNumber, rid, wxS("Answer")),
            Criterion(2, -1, -4444, RC::OpNotEqual, RC::RhsNumber, -4444, wxS("Answer")),
            Criterion(2, -1, -1, RC::OpEqual, RC::RhsParameter, ParameterType::Response, wxS("Answer"), wxS("Answer")),
            timer,
            Criterion(3, -1, RC::LevelLast, RC::OpNotEqual, -1, int(level->GetID())),
            collection,
            odd,
        };
        OrderFormForActionCreation reset = Act(RC::ActionParameter, -1, -1, RC::ParamReset, 0, -1, wxS("Score"));
        OrderFormForActionCreation start =
            Act(RC::ActionParameter, -1, -1, RC::ParamStartTimer, ParameterType::Timer, -1, wxS("Clock"));
        start.flagText = TIMER_FEATURES_503;
        OrderFormForActionCreation colour = Act(RC::ActionParameter, -1, -1, RC::OperationBackgroundColour);
        colour.colour = wxColour(12, 34, 56, 78);
        OrderFormForActionCreation unset = Act(RC::ActionExitExperiment);
        unset.colour = wxColour();
        unset.spareCode = INT_MIN;
        unset.streamingVersion = INT_MAX;
        actions = {
            reset,
            Act(RC::ActionParameter, -1, -1, RC::ParamSetText, ParameterType::Text, -1, wxS("Note"),
                wxS("hello \u00e9")),
            Act(RC::ActionParameter, -1, -1, RC::ParamIncrementCounter, ParameterType::Counter, 12, wxS("Score")),
            Act(RC::ActionParameterFromParameter, -1, -1, RC::ParamSetCounter, ParameterType::Counter, -1, wxS("Score"),
                wxS("Score")),
            start,
            Act(RC::ActionParameter, -1, -1, RC::ParamAddTrialToCollection, ParameterType::Collection, -1, wxS("Pool")),
            Act(RC::ActionClearBuiltInCollection),
            Act(RC::ActionExitBlock),
            Act(RC::ActionGoBackToPreviousBlock),
            Act(RC::ActionPresentBlock, int(block->GetID())),
            Act(RC::ActionRepeatBlock),
            Act(RC::ActionPresentEvent, int(event->GetID())),
            Act(RC::ActionRepeatTrial),
            Act(RC::ActionSkipNextTrial),
            Act(RC::ActionTrialFlow, -1, -1, RC::FlowRestartTrial),
            Act(RC::ActionTrialFlow, -1, -1, RC::FlowSkipRemainingEvents),
            Act(RC::ActionTrialLevel, int(level->GetID()), -1, RC::LevelSetNumber, -1, 2),
            Act(RC::ActionSetTrialTag, sid, tid),
            Act(RC::ActionSetTagOnAllTrialsInBlock, sid, tid),
            colour,
            unset,
        };
        rule = VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(
            wxS("Everything"), &x, VTRule::kKindTrials,
            MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&x, criteria, true, wxS("crit \u00e9"),
                                                                      int(criteria.size())),
            false, false);
        rule->ReplaceActionsWithNewList(
            ActionFactory::MakeActionListFromOrderForms(&x, actions, wxS("acts"), int(actions.size())));
        trial->AttachRule(rule);
        block->ReplaceWhenToPresentExpression(MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(
            &x, {criteria[5], criteria[1]}, false, wxS("when"), 2));
    }

    const VTRule& RuleIn(VTExperiment& e) const
    {
        return *dynamic_cast<VTRule*>(e.LookupElementByTypeAndID(ElementType::Rule, rule->GetID()));
    }
};

void ExpectSameRows(const std::vector<ExpressionFromGUI>& expected, const std::vector<ExpressionFromGUI>& got)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(Describe(got[i]), Describe(expected[i])) << "row " << i;
}

void ExpectSameActions(const std::vector<OrderFormForActionCreation>& expected,
                       const std::vector<OrderFormForActionCreation>& got)
{
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(Describe(got[i]), Describe(expected[i])) << "action " << i;
}

class RuleForms : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    void TearDown() override
    {
        VTDeletionMgr::SetAnswerer(nullptr);
        VTClipboard::GetRef().Clear();
    }

    wxString Save(VTExperiment& x, const char* name)
    {
        const wxString file = wxString::FromUTF8(TestSupport::MakeTempFolder("rules") + "/" + name);
        EXPECT_TRUE(x.OnSaveDocument(file)) << TestSupport::LogAsText();
        return file;
    }
};

}  // namespace

TEST_F(RuleForms, SavingAndLoadingKeepsEveryFormVerbatim)
{
    RuleExperiment r;
    const wxString file = Save(r.x, "verbatim.vt6");
    VTExperiment loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(file)) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();

    const VTRule& rule = r.RuleIn(loaded);
    EXPECT_EQ(rule.GetName(), wxS("Everything"));
    EXPECT_FALSE(rule.IsUsedWithBlocks());
    std::vector<ExpressionFromGUI> rows;
    rule.GetCopyOfExpression()->RetrieveSafeCopyOfExpression(rows);
    ExpectSameRows(r.criteria, rows);
    EXPECT_TRUE(rule.GetExpression().ExpressionSetToBeNegated());
    EXPECT_EQ(rule.GetExpression().GetName(), wxS("crit \u00e9"));
    ExpectSameActions(r.actions, *rule.GetOrderFormsToShowActionsInGUI());
    EXPECT_EQ(rule.GetActions().GetName(), wxS("acts"));

    // The duties the editor relies on, spelt out.
    EXPECT_EQ(rule.GetActions().GetForms()[0].parameterType, 0);  // "Reset parameter" keeps the table's 0
    EXPECT_EQ(rows[13].value, int(r.response->GetID()));
    EXPECT_EQ(rows[13].value2, int(r.response->GetID()));
    EXPECT_EQ(rows[15].value2, ParameterType::Response);
    EXPECT_EQ(rows[10].GetUserInterfaceStringFromTimeUnitCode(), wxS("minutes"));
    EXPECT_FALSE(rows[4].isAnd);

    auto* block = dynamic_cast<VTBlock*>(loaded.LookupElementByTypeAndID(ElementType::Block, r.block->GetID()));
    auto* trial = dynamic_cast<VTTrial*>(loaded.LookupElementByTypeAndID(ElementType::Trial, r.trial->GetID()));
    ASSERT_TRUE(block && trial);
    ASSERT_NE(block->GetWhenToPresent(), nullptr);
    ExpectSameRows({r.criteria[5], r.criteria[1]}, block->GetWhenToPresent()->GetRows());
    EXPECT_EQ(trial->GetWhenToPresent(), nullptr);
    EXPECT_TRUE(trial->UsesRule(&rule));
    EXPECT_EQ(loaded.HowManyTrialsUseThisRule(&rule), 1u);
}

TEST_F(RuleForms, DeletingAnElementNeutralisesCriteriaAndRemovesActionsOnIt)
{
    struct Case
    {
        const char* what;
        std::function<Minimal_VTElement*(RuleExperiment&)> doomed;
        std::vector<int> neutralisedRows;  // the rows whose reference becomes -1
        std::vector<int> removedActions;
    };
    const Case cases[] = {
        {"response", [](RuleExperiment& r) { return r.response; }, {1, 13}, {}},
        {"tag", [](RuleExperiment& r) { return r.tag; }, {7, 9, 18}, {17, 18}},
        {"tag set", [](RuleExperiment& r) { return r.tagSet; }, {7, 8, 9, 18}, {17, 18}},
        {"trial level", [](RuleExperiment& r) { return r.level; }, {17}, {16}},
        {"block", [](RuleExperiment& r) { return r.block; }, {}, {9}},
        {"event", [](RuleExperiment& r) { return r.event; }, {}, {11}},
    };
    for (const Case& c : cases) {
        RuleExperiment r;
        VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
        ASSERT_TRUE(VTDeletionMgr(nullptr, &r.x, c.doomed(r)).HandleDeletion(0, true, true)) << c.what;
        const std::vector<ExpressionFromGUI>& rows = r.rule->GetExpression().GetRows();
        ASSERT_EQ(rows.size(), r.criteria.size()) << c.what << ": criteria rows are never dropped";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool hit =
                std::find(c.neutralisedRows.begin(), c.neutralisedRows.end(), int(i)) != c.neutralisedRows.end();
            if (!hit) {
                EXPECT_EQ(Describe(rows[i]), Describe(r.criteria[i])) << c.what << " row " << i;
                continue;
            }
            EXPECT_NE(Describe(rows[i]), Describe(r.criteria[i])) << c.what << " row " << i;
            // Only ids change, and only to -1; texts, codes and operators stay.
            EXPECT_EQ(rows[i].kind, r.criteria[i].kind);
            EXPECT_EQ(rows[i].operatorInContext, r.criteria[i].operatorInContext);
            EXPECT_EQ(rows[i].name, r.criteria[i].name);
        }
        std::vector<OrderFormForActionCreation> kept;
        for (std::size_t i = 0; i < r.actions.size(); ++i)
            if (std::find(c.removedActions.begin(), c.removedActions.end(), int(i)) == c.removedActions.end())
                kept.push_back(r.actions[i]);
        ExpectSameActions(kept, r.rule->GetActions().GetForms());
    }
    // The tag-set criterion with "same tag as the previous trial" keeps that sentinel.
    RuleExperiment r;
    r.x.DeleteElementAndItsLinks(r.tagSet);
    EXPECT_EQ(r.rule->GetExpression().GetRows()[8].value, -1);
    EXPECT_EQ(r.rule->GetExpression().GetRows()[8].value2, RC::SameTagAsPreviousTrial);
    EXPECT_EQ(r.rule->GetExpression().GetRows()[9].trialSubset.tagId, -1);
    EXPECT_TRUE(r.rule->GetExpression().GetRows()[9].trialSubset.useTag);
    // "When to Present" is walked too.
    RuleExperiment w;
    w.x.DeleteElementAndItsLinks(w.response);
    EXPECT_EQ(w.block->GetWhenToPresent()->GetRows()[1].value, -1);
}

TEST_F(RuleForms, DeletingAParameterRemovesTheActionsAndCriteriaThatNameIt)
{
    RuleExperiment r;
    VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return false; });
    EXPECT_FALSE(VTDeletionMgr(nullptr, &r.x, wxS("Score")).HandleDeletionOfParameter());
    EXPECT_TRUE(r.x.GetParameters()->NameAlreadyExists(wxS("Score")));
    ExpectSameActions(r.actions, r.rule->GetActions().GetForms());

    r.x.SetLocked(true, wxS("Locked for the test."));
    VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    EXPECT_FALSE(VTDeletionMgr(nullptr, &r.x, wxS("Score")).HandleDeletionOfParameter());
    EXPECT_TRUE(TestSupport::LogContains(wxS("The parameter \"Score\" cannot be deleted. Locked for the test.")))
        << TestSupport::LogAsText();
    EXPECT_TRUE(r.x.GetParameters()->NameAlreadyExists(wxS("Score")));
    r.x.SetLocked(false);

    wxString asked;
    VTDeletionMgr::SetAnswerer([&asked](wxWindow*, const wxString& q) {
        asked = q;
        return true;
    });
    EXPECT_FALSE(VTDeletionMgr(nullptr, &r.x, wxS("Nothing")).HandleDeletionOfParameter());
    EXPECT_TRUE(asked.empty());
    ASSERT_TRUE(VTDeletionMgr(nullptr, &r.x, wxS("Score")).HandleDeletionOfParameter());
    EXPECT_NE(asked.Find(wxS("Score")), wxNOT_FOUND);
    EXPECT_FALSE(r.x.GetParameters()->NameAlreadyExists(wxS("Score")));

    // The two rows that test it (as left side, and as both sides) are gone; the rest stay in order.
    std::vector<ExpressionFromGUI> keptRows = r.criteria;
    keptRows.erase(keptRows.begin() + 11, keptRows.begin() + 13);
    const auto& rows = r.rule->GetExpression().GetRows();
    ASSERT_EQ(rows.size(), keptRows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(Describe(rows[i]), Describe(keptRows[i])) << "row " << i;
    // Reset, increment and the parameter-to-parameter set acted on it.
    std::vector<OrderFormForActionCreation> kept(r.actions.begin() + 1, r.actions.end());
    kept.erase(kept.begin() + 1, kept.begin() + 3);
    ExpectSameActions(kept, r.rule->GetActions().GetForms());
}

TEST_F(RuleForms, RenamingAParameterCarriesEveryReferenceToItAlong)
{
    RuleExperiment r;
    auto params = r.x.GetParameters();
    OrderFormForParameterCreation score = params->ItemDataAtIndex(0);
    score.name = wxS("Points");
    // A refused rename (another parameter's name) changes no reference.
    OrderFormForParameterCreation clash = score;
    clash.name = wxS("Note");
    EXPECT_FALSE(params->ReplaceItem(wxS("Score"), clash));
    ASSERT_TRUE(params->ReplaceItem(wxS("Score"), score));

    const auto& rows = r.rule->GetExpression().GetRows();
    ASSERT_EQ(rows.size(), r.criteria.size());
    EXPECT_EQ(rows[11].name, wxS("Points"));
    EXPECT_EQ(rows[12].name, wxS("Points"));
    EXPECT_EQ(rows[12].text, wxS("Points"));
    EXPECT_EQ(rows[3].text, wxS("Note"));
    EXPECT_EQ(rows[13].name, wxS("Answer"));
    const auto& forms = r.rule->GetActions().GetForms();
    EXPECT_EQ(forms[0].parameterName, wxS("Points"));  // reset
    EXPECT_EQ(forms[1].parameterName, wxS("Note"));
    EXPECT_EQ(forms[2].parameterName, wxS("Points"));
    EXPECT_EQ(forms[3].parameterName, wxS("Points"));
    EXPECT_EQ(forms[3].text, wxS("Points"));  // the right-side parameter
    EXPECT_EQ(forms.size(), r.actions.size());

    // A text used as the right side of "Last text typed", and "When to Present" criteria.
    OrderFormForParameterCreation note = params->ItemDataAtIndex(2);
    note.name = wxS("Memo");
    ExpressionFromGUI typed = r.criteria[3];
    r.block->ReplaceWhenToPresentExpression(
        MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&r.x, {typed}, false, wxS("Block"), 1));
    ASSERT_TRUE(params->ReplaceItem(wxS("Note"), note));
    EXPECT_EQ(rows[3].text, wxS("Memo"));
    EXPECT_EQ(forms[1].parameterName, wxS("Memo"));
    EXPECT_EQ(r.block->GetWhenToPresent()->GetRows()[0].text, wxS("Memo"));
    // Saved and opened again, the renamed references hold.
    const wxString file = Save(r.x, "renamed.vt6");
    VTExperiment reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(file)) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    EXPECT_EQ(r.RuleIn(reopened).GetExpression().GetRows()[11].name, wxS("Points"));
}

TEST_F(RuleForms, ADocumentWithDanglingReferencesInFormsOpensRepaired)
{
    RuleExperiment r;
    const wxString file = Save(r.x, "dangling.vt6");
    // Another program removed the response and renamed the parameter "Note"
    // without touching the rules.
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(TestSupport::ReadWholeFile(file))).object();
    QJsonArray elements;
    for (const QJsonValue& el : root["elements"].toArray())
        if (el.toObject()["type"].toInt() != ElementType::Response) elements.append(el);
    root["elements"] = elements;
    QJsonObject settings = root["experiment"].toObject();
    QJsonArray parameters = settings["parameters"].toArray();
    bool renamed = false;
    for (int i = 0; i < parameters.size(); ++i) {
        QJsonObject p = parameters[i].toObject();
        if (p["name"].toString() != "Note") continue;
        p["name"] = "Gone";
        parameters[i] = p;
        renamed = true;
    }
    ASSERT_TRUE(renamed);
    settings["parameters"] = parameters;
    root["experiment"] = settings;
    ASSERT_TRUE(TestSupport::WriteWholeFile(file, QJsonDocument(root).toJson().toStdString()));
    TestSupport::ClearLog();

    VTExperiment loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(file)) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::LogContains(wxS("\"Note\" that does not exist"))) << TestSupport::LogAsText();
    const VTRule& rule = r.RuleIn(loaded);
    EXPECT_EQ(rule.GetExpression().GetRows()[3].text, wxString());
    EXPECT_EQ(rule.GetActions().Size(), r.actions.size() - 1);  // "Set text parameter" on Note
    EXPECT_EQ(rule.GetActions().GetForms()[1].actionType, r.actions[2].actionType);
    EXPECT_TRUE(TestSupport::LogContains(wxS("\"Everything\""))) << TestSupport::LogAsText();
    EXPECT_EQ(rule.GetExpression().GetRows()[1].value, -1);
    EXPECT_EQ(rule.GetExpression().GetRows()[13].value, -1);
    EXPECT_EQ(rule.GetExpression().GetRows()[13].value2, -1);
    EXPECT_EQ(rule.GetExpression().GetRows()[14].value, -4444);  // "unset" is no reference
}

namespace {

// The one element of that type in `out` (the others are deleted with it).
template <class T>
std::unique_ptr<T> TakeCopy(std::vector<Minimal_VTElement*>& out)
{
    std::unique_ptr<T> found;
    for (Minimal_VTElement* el : out)
        if (auto* t = dynamic_cast<T*>(el); t && !found)
            found.reset(t);
        else
            delete el;
    out.clear();
    return found;
}

}  // namespace

TEST_F(RuleForms, TheClipboardCopiesFormsAndKeepsOnlyReferencesTheTargetHas)
{
    RuleExperiment r;
    VTClipboard& clip = VTClipboard::GetRef();
    clip.Clear();
    ASSERT_TRUE(clip.TryToAdd(r.rule));

    std::vector<Minimal_VTElement*> out;
    clip.GetNewInstances(&r.x, out);
    auto same = TakeCopy<VTRule>(out);
    ASSERT_TRUE(same);
    EXPECT_NE(same->GetID(), r.rule->GetID());
    ExpectSameRows(r.criteria, same->GetExpression().GetRows());
    ExpectSameActions(r.actions, same->GetActions().GetForms());
    EXPECT_NE(&same->GetActions(), &r.rule->GetActions());

    // Into another experiment: no element ids, and only the parameters it has.
    VTExperiment other;
    other.GetParameters()->AddNewItem(OrderFormForParameterCreation(wxS("Score"), ParameterType::Counter));
    clip.GetNewInstances(&other, out);
    auto pasted = TakeCopy<VTRule>(out);
    ASSERT_TRUE(pasted);
    const auto& rows = pasted->GetExpression().GetRows();
    ASSERT_EQ(rows.size(), r.criteria.size());
    EXPECT_EQ(rows[1].value, -1);                           // the response
    EXPECT_EQ(rows[7].value, -1);                           // tag set
    EXPECT_EQ(rows[7].value2, -1);                          // and tag
    EXPECT_EQ(rows[8].value2, RC::SameTagAsPreviousTrial);  // a sentinel is no reference
    EXPECT_EQ(rows[17].value2, -1);                         // the trial level
    EXPECT_EQ(rows[11].name, wxS("Score"));
    EXPECT_EQ(rows[13].name, wxString());  // "Answer" is not there
    EXPECT_EQ(rows[18].name, wxString());  // nor "Pool"
    std::vector<int> types;
    for (const OrderFormForActionCreation& a : pasted->GetActions().GetForms()) types.push_back(a.actionType);
    const std::vector<int> kept = {RC::ActionParameter,
                                   RC::ActionParameter,
                                   RC::ActionParameterFromParameter,
                                   RC::ActionClearBuiltInCollection,
                                   RC::ActionExitBlock,
                                   RC::ActionGoBackToPreviousBlock,
                                   RC::ActionRepeatBlock,
                                   RC::ActionRepeatTrial,
                                   RC::ActionSkipNextTrial,
                                   RC::ActionTrialFlow,
                                   RC::ActionTrialFlow,
                                   RC::ActionParameter,
                                   RC::ActionExitExperiment};
    EXPECT_EQ(types, kept);

    // An element deleted after the copy was taken is not referred to by the paste.
    r.x.DeleteElementAndItsLinks(r.event);
    clip.GetNewInstances(&r.x, out);
    auto afterDeletion = TakeCopy<VTRule>(out);
    ASSERT_TRUE(afterDeletion);
    EXPECT_EQ(afterDeletion->GetActions().Size(), r.actions.size() - 1);
}

TEST_F(RuleForms, MalformedFormsRefuseTheDocumentNamingTheRule)
{
    RuleExperiment r;
    const wxString file = Save(r.x, "malformed.vt6");
    const QJsonObject saved =
        QJsonDocument::fromJson(QByteArray::fromStdString(TestSupport::ReadWholeFile(file))).object();
    const struct
    {
        const char* what;
        std::function<void(QJsonObject& rule)> spoil;
        const char* message;
    } cases[] = {
        {"rows not a list",
         [](QJsonObject& o) {
             o["criteria"] = QJsonObject{{"rows", 3}};
         },
         "\"rows\" must be a list"},
        {"row not an object",
         [](QJsonObject& o) {
             o["actions"] = QJsonObject{{"rows", QJsonArray{1}}};
         },
         "an action row must be an object"},
        {"number out of range",
         [](QJsonObject& o) {
             QJsonObject c = o["criteria"].toObject();
             QJsonArray rows = c["rows"].toArray();
             QJsonObject row = rows[0].toObject();
             row["value"] = 4294967296.0;
             rows[0] = row;
             c["rows"] = rows;
             o["criteria"] = c;
         },
         "\"value\" must be a whole number"},
        {"bad colour",
         [](QJsonObject& o) {
             QJsonObject a = o["actions"].toObject();
             QJsonArray rows = a["rows"].toArray();
             QJsonObject row = rows[0].toObject();
             row["colour"] = "#12345";
             rows[0] = row;
             a["rows"] = rows;
             o["actions"] = a;
         },
         "#rrggbbaa"},
        {"negation not a bool",
         [](QJsonObject& o) {
             QJsonObject c = o["criteria"].toObject();
             c["negated"] = "yes";
             o["criteria"] = c;
         },
         "\"negated\" must be true or false"},
    };
    for (const auto& c : cases) {
        QJsonObject root = saved;
        QJsonArray elements = root["elements"].toArray();
        for (int i = 0; i < elements.size(); ++i) {
            QJsonObject el = elements[i].toObject();
            if (el["type"].toInt() != ElementType::Rule) continue;
            c.spoil(el);
            elements[i] = el;
        }
        root["elements"] = elements;
        ASSERT_TRUE(TestSupport::WriteWholeFile(file, QJsonDocument(root).toJson().toStdString()));
        TestSupport::ClearLog();
        VTExperiment loaded;
        EXPECT_FALSE(loaded.OnOpenDocument(file)) << c.what;
        EXPECT_TRUE(TestSupport::LogContains(wxS("(rule, id"))) << c.what << "\n" << TestSupport::LogAsText();
        EXPECT_TRUE(TestSupport::LogContains(wxString::FromUTF8(c.message))) << c.what << "\n"
                                                                             << TestSupport::LogAsText();
    }
}
