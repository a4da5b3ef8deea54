// What a run asks of an event: its stimulus, its time limit, and which responses
// end it and are correct.

#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include <gtest/gtest.h>

using namespace Vantrel;

namespace {

class RunFacingEvent : public ::testing::Test
{
protected:
    void SetUp() override
    {
        x.SetFilename("/studies/exp/study.vt6", false);
        for (const char* n : {"F", "J", "Space"}) {
            auto* r = new VTResponse(&x);
            r->SetName(n);
            r->SetKeyCode(n[1] ? ' ' : n[0]);
            x.GetElementsOfType(ElementType::Response).AddElement(r, -1);
            responses.push_back(r);
        }
        event = new VTEvent(&x);
        x.GetElementsOfType(ElementType::Event).AddElement(event, -1);
    }

    VTStimList* List(int kind, std::initializer_list<const char*> items)
    {
        auto* list = new VTStimList(&x);
        list->SetFilePlugInID(kind);
        for (const char* item : items) list->AddTextItem(item);
        x.GetElementsOfType(ElementType::StimList).AddElement(list, -1);
        return list;
    }

    VTExperiment x;
    std::vector<VTResponse*> responses;
    VTEvent* event = nullptr;
};

}  // namespace

TEST_F(RunFacingEvent, StimulusIsATextOrAResolvedFile)
{
    event->SetStimulusText("HOUSE");
    VTPresentableStimulus s = event->GetStimulusForPresentation();
    EXPECT_EQ(s.kind, VTPresentableStimulus::Kind::Text);
    EXPECT_EQ(s.text, "HOUSE");
    EXPECT_EQ(s.plugInID, EventPlugIn::Text);
    EXPECT_EQ(event->GetNumberOfStimulusItems(), 1u);

    event->SetPlugInID(EventPlugIn::Pictures);
    EXPECT_EQ(event->GetStimulusForPresentation().kind, VTPresentableStimulus::Kind::None);  // no file yet
    event->AddStimFile("pics/cat.png");
    s = event->GetStimulusForPresentation();
    EXPECT_EQ(s.kind, VTPresentableStimulus::Kind::File);
    EXPECT_EQ(s.path, "/studies/exp/pics/cat.png");

    VTStimList* pictures = List(EventPlugIn::Pictures, {"a.png", "/elsewhere/b.png", "$(ExperimentFolder)/c.png"});
    event->SetStimListID(int(pictures->GetID()));
    ASSERT_EQ(event->GetNumberOfStimulusItems(), 3u);
    EXPECT_EQ(event->GetStimulusForPresentation(0).path, "/studies/exp/a.png");
    EXPECT_EQ(event->GetStimulusForPresentation(1).path, "/elsewhere/b.png");
    EXPECT_EQ(event->GetStimulusForPresentation(2).path, "/studies/exp/c.png");
    EXPECT_EQ(event->GetStimulusForPresentation(2).listItemID, pictures->GetItem(2).id);
    EXPECT_EQ(event->GetStimulusForPresentation(3).kind, VTPresentableStimulus::Kind::None);

    VTStimList* words = List(EventPlugIn::Text, {"one", "two"});
    event->SetPlugInID(EventPlugIn::Text);
    event->SetStimListID(int(words->GetID()));
    s = event->GetStimulusForPresentation(1);
    EXPECT_EQ(s.kind, VTPresentableStimulus::Kind::Text);
    EXPECT_EQ(s.text, "two");

    event->SetStimListID(987);  // list gone
    EXPECT_EQ(event->GetNumberOfStimulusItems(), 0u);
    EXPECT_EQ(event->GetStimulusForPresentation().kind, VTPresentableStimulus::Kind::None);
}

TEST_F(RunFacingEvent, TimeLimitOrNone)
{
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), -1);
    event->AcceptInputSettingsForEditor(true, true, 0, 1500, -1);
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), -1);  // not switched on
    event->AcceptEndEventSettings(false, true, false, true);
    EXPECT_TRUE(event->GetEndEventOption(3));
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), 1500);

    auto* variable = new VTTrialVariable(&x);
    variable->SetLevels({"250", "500"});
    x.GetElementsOfType(ElementType::TrialVariable).AddElement(variable, -1);
    event->AcceptInputSettingsForEditor(true, true, 1, 1500, int(variable->GetID()));
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), 250);
    variable->SetLevels({});
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), -1);  // no level
    variable->SetLevels({"300"});
    variable->SetVariableType(VariableType::Location);
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), -1);  // not a time
    event->AcceptInputSettingsForEditor(true, true, 1, 1500, 4321);
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), -1);

    bool record, reset, now, any, correct, limit, delay;
    int kind, ms, var;
    event->GetCopiedInputSettingsForEditor(record, reset, now, any, correct, limit, delay, kind, ms, var);
    EXPECT_TRUE(record && reset && !now && any && !correct && limit && !delay);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(ms, 1500);
    EXPECT_EQ(var, 4321);
}

TEST_F(RunFacingEvent, AcceptedEndingAndCorrectResponses)
{
    VTResponse* f = responses[0];
    VTResponse* j = responses[1];
    VTResponse* space = responses[2];
    event->GetUsedResponses().AddChildElement(f, 0);
    event->GetUsedResponses().AddChildElement(j, 0);
    EXPECT_EQ(event->GetAcceptedResponses(), (std::vector<VTResponse*>{f, j}));
    EXPECT_EQ(event->GetResponsesBasis(), 2);

    // No setting: any accepted response counts as correct and ends the event.
    EXPECT_TRUE(event->IsResponseCorrect(j));
    EXPECT_TRUE(event->ResponseEndsEvent(j));
    EXPECT_FALSE(event->ResponseEndsEvent(space));  // not accepted

    event->EditorRequestingSetResponseTypeInZeroethCollection(CorrectKind::Chosen);
    event->LinkCorrectResponse(2, -1, f);
    event->LinkCorrectResponse(2, -1, f);
    EXPECT_EQ(event->GetCorrectResponseRows().size(), 1u);
    EXPECT_EQ(event->GetCorrectResponseRows()[0].chosenResponseIDs.size(), 1u);
    EXPECT_TRUE(event->IsResponseCorrect(f));
    EXPECT_FALSE(event->IsResponseCorrect(j));
    EXPECT_EQ(event->GetResponseType(2, -1), CorrectKind::Chosen);

    event->AcceptEndEventSettings(false, false, true, true);  // only a correct response ends it
    EXPECT_TRUE(event->ResponseEndsEvent(f));
    EXPECT_FALSE(event->ResponseEndsEvent(j));
    event->AcceptEndEventSettings(false, false, false, true);  // only the time limit ends it
    EXPECT_FALSE(event->ResponseEndsEvent(f));

    event->SetResponseType(2, -1, CorrectKind::None);
    EXPECT_FALSE(event->IsResponseCorrect(f));
    event->SetResponseType(2, -1, CorrectKind::Chosen);
    event->RemoveQualifyingCorrectResponse(2, -1, f);
    EXPECT_FALSE(event->IsResponseCorrect(f));
}

TEST_F(RunFacingEvent, ListEventsScoreEachItemByItsRowOrTag)
{
    VTResponse* f = responses[0];
    VTResponse* j = responses[1];
    VTStimList* words = List(EventPlugIn::Text, {"left", "right"});
    event->SetStimListID(int(words->GetID()));
    event->GetUsedResponses().AddChildElement(f, 0);
    event->GetUsedResponses().AddChildElement(j, 0);
    EXPECT_EQ(event->GetResponsesBasis(), 8);
    event->LinkCorrectResponse(8, int(words->GetItem(0).id), f);
    event->LinkCorrectResponse(8, int(words->GetItem(1).id), j);
    EXPECT_TRUE(event->IsResponseCorrect(f, 0));
    EXPECT_FALSE(event->IsResponseCorrect(f, 1));
    EXPECT_TRUE(event->IsResponseCorrect(j, 1));

    // Tag mode: items carry tags of a set, rows are those tags.
    auto* set = new VTTagSet(&x);
    x.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
    VTTag* leftTag = set->AddTag("left side");
    VTTag* rightTag = set->AddTag("right side");
    VTStimList* tagged = List(EventPlugIn::Text, {});
    for (VTTag* tag : {rightTag, leftTag, rightTag}) {
        VTStimListItem item;
        item.id = std::uint32_t(tagged->GetItemCount() + 1);
        item.text = tag->GetName();
        item.tagIDs = {tag->GetID()};
        tagged->AddItemWithID(item);
    }
    event->SetStimListID(int(tagged->GetID()));
    event->SetTagSetID_ForCorrectResponses(int(set->GetID()));
    EXPECT_EQ(event->GetResponsesBasis(), 12);
    event->LinkCorrectResponse(12, int(leftTag->GetID()), f);
    event->LinkCorrectResponse(12, int(rightTag->GetID()), j);
    EXPECT_TRUE(event->IsResponseCorrect(j, 0));
    EXPECT_TRUE(event->IsResponseCorrect(f, 1));
    EXPECT_FALSE(event->IsResponseCorrect(f, 2));
}
