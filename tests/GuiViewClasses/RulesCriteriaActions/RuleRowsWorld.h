#pragma once
// An experiment with something of every kind a rule row lists (parameters of each
// type, a tag set with tags, a trial level with levels, blocks, events, responses),
// and a panel that holds rule rows and records what they tell it.

#include "Interface_MultiRowManager.h"
#include "RuleComponentRowPanel.h"

#include "FixtureExperiment.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include <wx/frame.h>
#include <wx/sizer.h>

#include <memory>
#include <string>
#include <vector>

namespace RuleRows {

using namespace Vantrel;

using Fixture::Add;

struct World
{
    VTExperiment x;
    VTTagSet* colours;
    VTTag* red;
    VTTag* blue;
    VTTrialVariable* difficulty;
    VTBlock* block;
    VTEvent* event;
    VTResponse* left;

    World()
    {
        auto* parameters = x.GetParameters().get();
        OrderFormForParameterCreation score("Score", ParameterType::Counter);
        score.hasMin = score.hasMax = true;
        score.min = 1;
        score.max = 9;
        parameters->AddNewItem(score);
        parameters->AddNewItem(OrderFormForParameterCreation("Bonus", ParameterType::Counter));
        parameters->AddNewItem(OrderFormForParameterCreation("Clock", ParameterType::Timer));
        parameters->AddNewItem(OrderFormForParameterCreation("Answer", ParameterType::Response));
        parameters->AddNewItem(OrderFormForParameterCreation("Note", ParameterType::Text));
        parameters->AddNewItem(OrderFormForParameterCreation("Other", ParameterType::Text));
        parameters->AddNewItem(OrderFormForParameterCreation("Pool", ParameterType::Collection));
        colours = Add<VTTagSet>(x, ElementType::TagSet, "Colour");
        red = colours->AddTag("red", -1);
        blue = colours->AddTag("blue", -1);
        difficulty = Add<VTTrialVariable>(x, ElementType::TrialVariable, "Difficulty");
        difficulty->SetLevels({"easy", "middle", "hard", "expert"});
        block = Add<VTBlock>(x, ElementType::Block, "Main");
        Add<VTBlock>(x, ElementType::Block, "Other block");
        event = Add<VTEvent>(x, ElementType::Event, "Warning");
        left = Add<VTResponse>(x, ElementType::Response, "Left");
        Add<VTResponse>(x, ElementType::Response, "Right");
    }
};

// Holds rows in a frame; first says whether a row is its panel's leading row.
class Host : public Interface_MultiRowManager
{
public:
    Host() : frame(new wxFrame(nullptr, wxID_ANY, "rules", wxDefaultPosition, wxSize(900, 400)))
    {
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->Show();
    }
    ~Host() override { frame->Destroy(); }

    RuleComponentRowPanel* NewRow(int context, bool action, VTExperiment* experiment, bool setUp = true)
    {
        auto* row = new RuleComponentRowPanel(this, context, action, frame);
        frame->GetSizer()->Add(row, 0, wxEXPAND);
        if (setUp) row->LastChanceToDoDelayedSetup(experiment);
        frame->Layout();
        return row;
    }

    void InsertRowFollowing(RuleComponentRowPanel*) override { calls.push_back("insert"); }
    void InsertDuplicateRowFollowing(RuleComponentRowPanel*) override { calls.push_back("duplicate"); }
    void RemoveRow(RuleComponentRowPanel*) override { calls.push_back("remove"); }
    void OnSubrowReportingChanges(RuleComponentRowPanel*) override { ++reports; }
    bool IsVeryFirstLeadingSubrow(const RuleComponentRowPanel*) const override { return first; }

    wxFrame* frame;
    std::vector<std::string> calls;
    int reports = 0;
    bool first = false;
};

}  // namespace RuleRows
