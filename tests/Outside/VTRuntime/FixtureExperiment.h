#pragma once
// Builds small experiments through the data model for runtime tests, and reads the
// rows of the data files their runs write.

#include <VTCore/MetaTFPredicate.h>
#include <VTCore/RuleCodes.h>
#include <VTCore/RuleFormMarkers.h>
#include <VTCore/VTActionList.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTRule.h>
#include <VTCore/VTTrial.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <wx/arrstr.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace Fixture {

using namespace Vantrel;

template <class T>
T* Add(VTExperiment& experiment, VTElementType type, const wxString& name)
{
    auto* element = new T(&experiment);
    element->SetName(name);
    experiment.GetElementsOfType(type).AddElement(element, -1);
    return element;
}

using Row = std::map<wxString, wxString>;

// The data rows as column name -> value, from the line that names the columns; the
// column line itself into `columns`.
inline std::vector<Row> ReadRows(const wxString& path, wxArrayString* columnsOut = nullptr)
{
    std::vector<Row> rows;
    std::ifstream in(path.utf8_string());
    wxArrayString columns;
    for (std::string raw; std::getline(in, raw);) {
        const wxArrayString fields = wxSplit(wxString::FromUTF8(raw), '\t', '\0');
        if (columns.empty()) {
            if (fields.Index("RT_ms") != wxNOT_FOUND) columns = fields;
            continue;
        }
        Row row;
        for (size_t i = 0; i < fields.size() && i < columns.size(); ++i) row[columns[i]] = fields[i];
        rows.push_back(row);
    }
    if (columnsOut) *columnsOut = columns;
    return rows;
}

// One column over the run's rows, joined by '|' ('?' where the row lacks it).
inline std::string Column(const std::vector<Row>& rows, const wxString& name)
{
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto it = rows[i].find(name);
        out += (i ? "|" : "") + (it == rows[i].end() ? std::string("?") : std::string(it->second.utf8_str()));
    }
    return out;
}

// Each data row of a data file as "block/trial/event" (names; the nine header lines skipped).
inline std::vector<wxString> DataRows(const wxString& path)
{
    std::vector<wxString> rows;
    std::ifstream in(path.utf8_string());
    int line = 0;
    for (std::string text; std::getline(in, text); ++line) {
        if (line < 9) continue;
        const wxString row = wxString::FromUTF8(text);
        rows.push_back(row.BeforeFirst('\t') + "/" + row.AfterFirst('\t').BeforeFirst('\t') + "/" +
                       row.AfterFirst('\t').AfterFirst('\t').BeforeFirst('\t'));
    }
    return rows;
}

inline VTEvent* TextEvent(VTExperiment& experiment, const wxString& name, const wxString& text, int limitMs)
{
    VTEvent* event = Add<VTEvent>(experiment, ElementType::Event, name);
    event->SetPlugInID(EventPlugIn::Text);
    event->SetStimulusText(text);
    event->AcceptInputSettingsForEditor(true, true, 0, limitMs, -1);
    event->AcceptEndEventSettings(false, true, false, limitMs >= 0);
    return event;
}

inline VTResponse* KeyResponse(VTExperiment& experiment, const wxString& name, int key)
{
    VTResponse* response = Add<VTResponse>(experiment, ElementType::Response, name);
    response->SetPlugInID(kKeyboardInputPlugInID);
    response->SetKeyCode(key);
    return response;
}

// A rule of those criteria rows and actions, already in the experiment (kind: VTRule::kKindTrials or kKindBlocks).
inline VTRule* MakeRule(VTExperiment& x, const wxString& name, int kind, const std::vector<ExpressionFromGUI>& rows,
                        const std::vector<OrderFormForActionCreation>& actions)
{
    auto predicate = MetaTFPredicate::FactoryFunction_MakeMetaPredUsingGUIInfo(&x, rows, false, name, int(rows.size()));
    VTRule* rule =
        VTRule::FactoryFunction_GetVTRule_AlreadyAddedToExperiment_v5(name, &x, kind, predicate, false, false);
    rule->ReplaceActionsWithNewList(
        ActionFactory::MakeActionListFromOrderForms(&x, actions, name, int(actions.size())));
    return rule;
}

// A criterion on a parameter: right side a number (value), a text, or another parameter (rhsName).
inline ExpressionFromGUI ParamRow(const wxString& name, int type, int op, int rhsKind, int value,
                                  const wxString& text = wxString())
{
    ExpressionFromGUI row;
    row.kind = RuleCode::KindScalarParameter;
    row.name = name;
    row.value2 = type;
    row.operatorInContext = op;
    row.rhsKind = rhsKind;
    row.value = value;
    row.text = text;
    if (type == ParameterType::Timer) row.MarkFormForTimerFeature503();
    return row;
}

inline OrderFormForActionCreation ParamAct(int operation, int type, const wxString& name, int number = -1,
                                           const wxString& text = wxString())
{
    OrderFormForActionCreation form;
    form.actionType = RuleCode::ActionParameter;
    form.operation = operation;
    form.parameterType = type;
    form.parameterName = name;
    form.number = number;
    form.text = text;
    if (type == ParameterType::Timer) form.flagText = TIMER_FEATURES_503;
    return form;
}

inline OrderFormForActionCreation FromParam(int operation, int type, const wxString& name, const wxString& source)
{
    OrderFormForActionCreation form = ParamAct(operation, type, name);
    form.actionType = RuleCode::ActionParameterFromParameter;
    form.text = source;
    return form;
}

// Block "Practice" (trials P1, P2) and block "Main" (trial M1), each trial a fixation
// and a word with short time limits; group "Main only" runs just "Main", group
// "Everyone" runs all blocks.
struct TwoBlocks
{
    VTExperiment experiment;
    VTBlock* practice;
    VTBlock* main;
    VTParticipantGroup* mainOnly;
    VTParticipantGroup* everyone;

    explicit TwoBlocks(int limitMs = 40)
    {
        experiment.SetTitle("Two Blocks");
        practice = Add<VTBlock>(experiment, ElementType::Block, "Practice");
        main = Add<VTBlock>(experiment, ElementType::Block, "Main");
        const char* trialNames[] = {"P1", "P2", "M1"};
        for (int t = 0; t < 3; ++t) {
            VTTrial* trial = Add<VTTrial>(experiment, ElementType::Trial, trialNames[t]);
            trial->AddUsedEvent(TextEvent(experiment, wxString::Format("Fixation %s", trialNames[t]), "+", limitMs));
            trial->AddUsedEvent(TextEvent(experiment, wxString::Format("Word %s", trialNames[t]),
                                          wxString("word ") + trialNames[t], limitMs));
            (t < 2 ? practice : main)->AddUsedTrial(trial);
        }
        mainOnly = Add<VTParticipantGroup>(experiment, ElementType::ParticipantGroup, "Main only");
        mainOnly->m_RunAllBlocks = false;
        mainOnly->AddUsedBlock(main);
        everyone = Add<VTParticipantGroup>(experiment, ElementType::ParticipantGroup, "Everyone");
        everyone->m_RunAllBlocks = true;
    }
};

}  // namespace Fixture
