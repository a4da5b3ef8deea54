#include "ExperimentDescription.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/RuntimeHooks.h>
#include <VTCore/VTClipboard.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include <memory>
#include <set>

using namespace Vantrel;

namespace {

template <class T>
T* Add(VTExperiment& x, const wxString& name)
{
    auto* el = new T(&x);
    el->SetName(name);
    EXPECT_TRUE(x.GetElementsOfType(el->GetElementType()).AddElement(el, -1));
    return el;
}

// Stands in for the runtime library: builds by copying, as the runtime does.
class FakeRuntime : public Interface_RuntimeForCore
{
public:
    Interface_ExpandedRunnableExperiment* BuildCompiledExperiment(VTCompiledExperiment&, VTExperiment& original,
                                                                  bool preview) override
    {
        lastPreview = preview;
        built = std::make_unique<Interface_ExpandedRunnableExperiment>(original);
        return built.get();
    }
    int GetPlugInID(VTPlugIn* plugin) override { return plugin ? 2103 : -1; }
    unsigned CreateDefaultResponses(VTPlugIn*, VTExperiment& experiment) override
    {
        for (int key = 1; key <= 2; ++key) {
            auto* r = new VTResponse(&experiment);
            r->SetKeyCode(key);
            experiment.GetElementsOfType(ElementType::Response).AddElement(r, -1);
        }
        return 2;
    }

    std::unique_ptr<Interface_ExpandedRunnableExperiment> built;
    bool lastPreview = false;
};

struct RegisteredRuntime
{
    FakeRuntime runtime;
    RegisteredRuntime() { SetRuntimeForCore(&runtime); }
    ~RegisteredRuntime() { SetRuntimeForCore(nullptr); }
};

class Model : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
    VTExperiment x;
};

}  // namespace

TEST_F(Model, IdsAreUniquePerTypeAndNeverReserved)
{
    std::set<std::uint32_t> blockIDs;
    for (int i = 0; i < 5; ++i) blockIDs.insert(Add<VTBlock>(x, "B")->GetID());
    EXPECT_EQ(blockIDs.size(), 5u);
    EXPECT_EQ(*blockIDs.begin(), 1u);
    EXPECT_EQ(Add<VTTrial>(x, "T")->GetID(), 1u);             // per type
    EXPECT_NE(Add<VTParticipantGroup>(x, "G")->GetID(), 1u);  // 1 means "balanced" to the cloud setting
    x.ReserveElementID(ElementType::Block, 40);
    EXPECT_EQ(Add<VTBlock>(x, "B")->GetID(), 41u);
    for (std::uint32_t id : blockIDs) {
        EXPECT_GT(id, kNoElementID);
        EXPECT_LE(id, kMaxElementID);
    }
    EXPECT_EQ(VTBlock(nullptr).GetID(), kNoElementID);
}

TEST_F(Model, ElementsKnowTheirTypeAndNames)
{
    const std::pair<std::unique_ptr<Minimal_VTElement>, const char*> elements[] = {
        {std::make_unique<VTBlock>(&x), "Block"},       {std::make_unique<VTTrial>(&x), "Trial"},
        {std::make_unique<VTEvent>(&x), "Event"},       {std::make_unique<VTTrialVariable>(&x), "TrialVariable"},
        {std::make_unique<VTRule>(&x), "Rule"},         {std::make_unique<VTResponse>(&x), "Response"},
        {std::make_unique<VTStimList>(&x), "StimList"}, {std::make_unique<VTParticipantGroup>(&x), "ParticipantGroup"},
        {std::make_unique<VTTagSet>(&x), "TagSet"},     {std::make_unique<VTTag>(&x), "Tag"}};
    const VTElementType types[] = {0, 1, 2, 3, 4, 5, 8, 9, 11, 12};
    for (std::size_t i = 0; i < 10; ++i) {
        const Minimal_VTElement& el = *elements[i].first;
        EXPECT_EQ(el.GetElementType(), types[i]);
        EXPECT_EQ(el.GetTypeName(false), elements[i].second);
        EXPECT_FALSE(el.GetTypeName(true).empty());
        EXPECT_FALSE(VTElement::ElementTypeName(types[i]).empty());
        EXPECT_EQ(el.GetOwningExperiment(), &x);
        EXPECT_FALSE(el.IsTemporary());
        EXPECT_TRUE(IsElementTypeWithClass(types[i]));
    }
    for (VTElementType unused : {6, 7, 10}) EXPECT_FALSE(IsElementTypeWithClass(unused));
}

TEST_F(Model, WorkingCopiesAreIndependentAndCommitBack)
{
    auto* trial = Add<VTTrial>(x, "Trial");
    auto* event = Add<VTEvent>(x, "E");
    auto* block = Add<VTBlock>(x, "Block");
    block->AddUsedTrial(trial);
    block->SetNotes("old");

    std::unique_ptr<VTBlock> copy(VTBlock::CreateTemporary_CallerMustDelete(block, nullptr));
    copy->SetTemporary(true);
    EXPECT_EQ(copy->GetID(), block->GetID());
    EXPECT_EQ(copy->GetOwningExperiment(), nullptr);
    EXPECT_EQ(copy->GetUsedTrial(0), trial);  // resolves through the original's experiment
    copy->SetName("Renamed");
    copy->SetNotes("new");
    copy->SetRandomizeTrials(true);
    copy->GetUsedTrials().RemoveAllElements();
    EXPECT_EQ(block->GetName(), "Block");
    EXPECT_EQ(block->GetNumberOfUsedTrials(), 1u);

    EXPECT_FALSE(block->CopySettingsFrom(*event));  // another class: refused
    EXPECT_TRUE(block->CopySettingsFrom(*copy));
    EXPECT_EQ(block->GetName(), "Renamed");
    EXPECT_EQ(block->GetNotes(), "new");
    EXPECT_TRUE(block->GetRandomizeTrials());
    EXPECT_EQ(block->GetNumberOfUsedTrials(), 0u);
    EXPECT_FALSE(block->IsTemporary());
    copy.reset();
    EXPECT_EQ(x.LookupElementByTypeAndID(ElementType::Block, block->GetID()), block);

    // A new element made as a working copy, then handed to the list.
    auto* fresh = new VTBlock(&x);
    fresh->SetTemporary(true);
    fresh->SetTemporary(false);
    EXPECT_TRUE(x.GetElementsOfType(ElementType::Block).AddElement(fresh, 0));
    EXPECT_EQ(x.GetReadOnlyElementsOfType(ElementType::Block)[0], fresh);
}

TEST_F(Model, EveryClassCopiesAllItsSettings)
{
    TestModel::FillEveryField(x);
    VTExperiment target;
    for (VTElementType type = 0; type < ElementType::Count; ++type) {
        VTElementsList& list = x.GetReadOnlyElementsOfType(type);
        for (std::size_t i = 0; i < list.Size(); ++i) {
            std::unique_ptr<Minimal_VTElement> clone(list[i]->CloneIntoExperiment(&target));
            target.GetElementsOfType(type).AddElement(clone.release(), -1);
        }
    }
    target.GetErrorCodes() = x.GetErrorCodes();
    *target.GetCloudSettings() = *x.GetCloudSettings();
    *target.GetParameters() = *x.GetParameters();
    target.m_BackgroundColour = x.m_BackgroundColour;
    target.GetSaveDataOptions() = x.GetSaveDataOptions();
    *target.GetSensorPatch() = *x.GetSensorPatch();
    for (int id : x.GetInputPlugInIDsInUse()) target.LoadInputPluginByID(id);
    wxString reason;
    x.IsLocked(reason);
    target.SetLocked(true, reason);
    EXPECT_EQ(TestModel::Describe(target), TestModel::Describe(x));

    // CopySettingsFrom into fresh elements of each class gives the same settings.
    VTElementsList& events = x.GetReadOnlyElementsOfType(ElementType::Event);
    VTEvent blank(&x);
    ASSERT_TRUE(blank.CopySettingsFrom(*events[0]));
    blank.ReplaceID_BeforeAddingToAList(events[0]->GetID());
    VTExperiment one;
    one.GetElementsOfType(ElementType::Event).AddElement(new VTEvent(blank, &one), -1);
    VTExperiment reference;
    reference.GetElementsOfType(ElementType::Event).AddElement(events[0]->CloneIntoExperiment(&reference), -1);
    EXPECT_EQ(TestModel::Describe(one), TestModel::Describe(reference));
}

TEST_F(Model, DuplicateNamesAreReportedOnce)
{
    auto* a = Add<VTTrial>(x, "Same");
    EXPECT_TRUE(x.CheckElementName_ShowMessageIfDuplicate(ElementType::Trial, "Same", a));
    EXPECT_TRUE(x.CheckElementName_ShowMessageIfDuplicate(ElementType::Block, "Same", nullptr));
    EXPECT_TRUE(TestSupport::RecordedLog().empty());
    EXPECT_FALSE(x.CheckElementName_ShowMessageIfDuplicate(ElementType::Trial, "Same", nullptr));
    EXPECT_TRUE(TestSupport::LogContains("already used"));
    EXPECT_EQ(x.GetNextAvailableUniqueElementName("Same", ElementType::Trial, ""), "Same1");
    EXPECT_EQ(x.GetNextAvailableUniqueElementName("Same", ElementType::Block, ""), "Same");
}

TEST_F(Model, GroupsAndTheirBlocks)
{
    unsigned long count = 0;  // callers pre-set it
    EXPECT_EQ(x.GetDefaultGroup(&count), nullptr);
    EXPECT_EQ(count, 0u);
    auto* b1 = Add<VTBlock>(x, "B1");
    auto* b2 = Add<VTBlock>(x, "B2");
    auto* g1 = Add<VTParticipantGroup>(x, "First");
    auto* g2 = Add<VTParticipantGroup>(x, "Second");
    EXPECT_EQ(x.GetDefaultGroup(&count), g1);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(x.GetGroupElementById(g2->GetID()), g2);
    EXPECT_EQ(x.GetGroupElementById(12345), nullptr);
    EXPECT_EQ(x.GetGroupElementByName("Second"), g2);
    EXPECT_EQ(x.GetGroupElementByName("second"), nullptr);

    EXPECT_TRUE(g2->m_RunAllBlocks);
    g2->AddUsedBlock(b2);
    g2->AddUsedBlock(b1);
    EXPECT_FALSE(g2->AddUsedBlock(b1));
    EXPECT_EQ(g2->GetBlocksUsedByTheGroup().Size(), 2u);
    EXPECT_EQ(g2->GetBlocksUsedByTheGroup().GetUsedElementPtr(0), b2);
    EXPECT_TRUE(g2->ContainsBlockMatchingThisID(int(b1->GetID())));
    g2->ClearAllUsedBlocks();
    EXPECT_FALSE(g2->ContainsBlockMatchingThisID(int(b1->GetID())));
}

TEST_F(Model, DeletingAnElementRemovesEveryLinkToIt)
{
    auto* response = Add<VTResponse>(x, "R");
    auto* event = Add<VTEvent>(x, "E");
    auto* trial = Add<VTTrial>(x, "T");
    auto* block = Add<VTBlock>(x, "B");
    auto* group = Add<VTParticipantGroup>(x, "G");
    auto* list = Add<VTStimList>(x, "L");
    event->GetUsedResponses().AddChildElement(response, 0);
    event->LinkCorrectResponse(ElementType::Event, -1, response);
    event->SetStimListID(int(list->GetID()));
    trial->AddUsedEvent(event);
    block->AddUsedTrial(trial);
    group->AddUsedBlock(block);

    EXPECT_TRUE(x.DeleteElementAndItsLinks(trial));
    EXPECT_EQ(block->GetNumberOfUsedTrials(), 0u);
    EXPECT_TRUE(x.DeleteElementAndItsLinks(response));
    EXPECT_TRUE(event->GetUsedResponses().Empty());
    EXPECT_TRUE(event->GetCorrectResponseRows()[0].chosenResponseIDs.empty());
    EXPECT_TRUE(x.DeleteElementAndItsLinks(list));
    EXPECT_FALSE(event->IsListEvent());
    EXPECT_FALSE(x.DeleteElementAndItsLinks(nullptr));
    EXPECT_EQ(group->GetBlocksUsedByTheGroup().Size(), 1u);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();  // no "unable to resolve" warnings
}

TEST_F(Model, DeletionManagerAsksThenDeletesWithLinks)
{
    auto* set = Add<VTTagSet>(x, "Colour");
    VTTag* red = set->AddTag("red");
    auto* variable = Add<VTTrialVariable>(x, "Limit");
    auto* event = Add<VTEvent>(x, "E");
    auto* list = Add<VTStimList>(x, "L");
    VTStimListItem item;
    item.id = 5;
    item.tagIDs = {red->GetID()};
    list->AddItemWithID(item);
    event->GetNonConstAccessToCodeValues().AddChildElement(red, 0);
    event->SetTagSetID_ForCorrectResponses(int(set->GetID()));
    event->SetResponseType(12, int(red->GetID()), CorrectKind::None);
    event->AcceptInputSettingsForEditor(true, true, 1, 900, int(variable->GetID()));

    std::vector<wxString> asked;
    bool answer = false;
    VTDeletionMgr::SetAnswerer([&](wxWindow*, const wxString& q) {
        asked.push_back(q);
        return answer;
    });
    EXPECT_FALSE(VTDeletionMgr(nullptr, &x, set).HandleDeletion(0, true, true));  // user said no
    EXPECT_EQ(x.GetStimListIfacePtr(list->GetID()), list);
    EXPECT_EQ(set->GetNumberOfUsedTags(), 1u);
    answer = true;
    EXPECT_TRUE(VTDeletionMgr(nullptr, &x, set).HandleDeletion(0, true, false));  // only asks
    EXPECT_EQ(x.LookupElementByTypeAndID(ElementType::TagSet, set->GetID()), set);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].Contains("Colour"));
    // Without deleting, the question is about going ahead with a change, not a deletion.
    EXPECT_TRUE(asked[1].Contains("\"Colour\" may be in use")) << asked[1];
    EXPECT_FALSE(asked[1].Contains("Delete")) << asked[1];

    const std::uint32_t redID = red->GetID();
    EXPECT_TRUE(VTDeletionMgr(nullptr, &x, set).HandleDeletion(0, false, true));  // no question
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(x.LookupElementByTypeAndID(ElementType::Tag, redID), nullptr);  // its tags went with it
    EXPECT_TRUE(event->GetCodeValues().Empty());
    EXPECT_EQ(event->GetTagSetIDUsedForCorrectResponses(), -1);
    EXPECT_TRUE(event->GetCorrectResponseRows().empty());
    EXPECT_TRUE(list->GetItem(0).tagIDs.empty());

    EXPECT_TRUE(VTDeletionMgr(nullptr, &x, std::vector<Minimal_VTElement*>{variable, event, event})
                    .HandleDeletion(0, false, true));
    EXPECT_TRUE(x.GetReadOnlyElementsOfType(ElementType::Event).Empty());
    EXPECT_FALSE(VTDeletionMgr(nullptr, &x, nullptr).HandleDeletion(0, false, true));
    VTDeletionMgr::SetAnswerer(nullptr);
    EXPECT_FALSE(x.IsModified());
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(Model, BlocksAndTrialsUseRules)
{
    auto* block = Add<VTBlock>(x, "B");
    auto* trial = Add<VTTrial>(x, "T");
    auto* rule = Add<VTRule>(x, "R");
    auto* other = Add<VTRule>(x, "R2");
    for (Minimal_VTElement* el : {static_cast<Minimal_VTElement*>(block), static_cast<Minimal_VTElement*>(trial)}) {
        auto* uses = dynamic_cast<Interface_UsesRules*>(el);
        ASSERT_NE(uses, nullptr);
        EXPECT_FALSE(uses->UsesRule(rule));
        EXPECT_TRUE(uses->AttachRule(rule));
        EXPECT_TRUE(uses->AttachRule(rule));  // held once
        EXPECT_TRUE(uses->AttachRule(other));
        EXPECT_EQ(uses->GetUsedRules().Size(), 2u);
        EXPECT_TRUE(uses->UsesRule(rule));
        EXPECT_TRUE(uses->DetachRule(other));
        EXPECT_FALSE(uses->DetachRule(other));
        EXPECT_FALSE(uses->AttachRule(nullptr));
    }
    EXPECT_EQ(dynamic_cast<Interface_UsesRules*>(Add<VTStimList>(x, "L")), nullptr);
    EXPECT_EQ(dynamic_cast<Interface_UsesRules*>(Add<VTTrialVariable>(x, "V")), nullptr);
    EXPECT_EQ(block->GetNumberOfUsedRules(), 1u);

    // A working copy caching the rule survives its deletion: refresh drops the link quietly.
    std::unique_ptr<VTTrial> copy(VTTrial::CreateTemporary_CallerMustDelete(trial, nullptr));
    ASSERT_EQ(copy->GetUsedRules().GetUsedElementPtr(0), rule);
    EXPECT_TRUE(x.DeleteElementAndItsLinks(rule));
    EXPECT_FALSE(trial->UsesRule(nullptr));
    EXPECT_EQ(trial->GetNumberOfUsedRules(), 0u);
    EXPECT_EQ(block->GetNumberOfUsedRules(), 0u);
    copy->RefreshRuleUse();
    EXPECT_EQ(copy->GetNumberOfUsedRules(), 0u);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(Model, TagSetsMakeTheirTags)
{
    auto* set = Add<VTTagSet>(x, "Colour");
    VTTag* red = set->AddTag("red");
    VTTag* green = set->AddTag("green");
    VTTag* blue = set->AddTag("blue", 1);
    ASSERT_TRUE(red && green && blue);
    EXPECT_EQ(set->GetNumberOfUsedTags(), 3u);
    VTLinkT& tags = set->GetCollectionOfUsedTags_deprecated();
    EXPECT_EQ(tags.GetUsedElementPtr(0), red);
    EXPECT_EQ(tags.GetUsedElementPtr(1), blue);
    EXPECT_EQ(tags.GetUsedElementPtr(2), green);
    EXPECT_EQ(blue->GetParentTagset_CallerMustCheckForNull(), set);
    EXPECT_EQ(blue->GetLongName_PrependsTagSetNameToTag(), "Colour: blue");
    auto* other = Add<VTTagSet>(x, "Shape");
    EXPECT_NE(other->AddTag("red")->GetID(), red->GetID());  // unique across sets
    VTTagSet loose(nullptr);
    EXPECT_EQ(loose.AddTag("x"), nullptr);
}

TEST_F(Model, LocksFlagsAndInputDevices)
{
    wxString reason = "untouched";
    EXPECT_FALSE(x.IsLocked(reason));
    EXPECT_EQ(reason, "untouched");
    x.SetLocked(true, "Received from the cloud");
    EXPECT_TRUE(x.IsLocked(reason));
    EXPECT_EQ(reason, "Received from the cloud");
    x.SetLocked(true);
    EXPECT_TRUE(x.IsLocked(reason));
    EXPECT_FALSE(reason.empty());

    x.SetLockStateMinimal_forUseInPreview(true);
    EXPECT_TRUE(x.m_LockStateMinimal);
    EXPECT_FALSE(VTExperiment::ElemTypeOnlyHasNewerMinimalInterface(ElementType::Block));

    EXPECT_TRUE(x.IsLackingAnInputDevice());
    EXPECT_FALSE(x.LoadInputPlugin(nullptr, true));  // no runtime to name the plug-in
    EXPECT_TRUE(TestSupport::LogContains("input device could not be added"));
    {
        RegisteredRuntime runtime;
        EXPECT_TRUE(x.LoadInputPlugin(reinterpret_cast<VTPlugIn*>(&runtime), false));
    }
    EXPECT_FALSE(x.IsLackingAnInputDevice());
    EXPECT_EQ(x.GetInputPlugInIDsInUse(), std::vector<int>{2103});
    EXPECT_FALSE(x.OffersEyeTrackerCalibration());
    x.LoadInputPluginByID(2411);
    EXPECT_TRUE(x.OffersEyeTrackerCalibration());
    EXPECT_TRUE(x.RemoveInputPluginByID(2411));
    EXPECT_FALSE(x.RemoveInputPluginByID(2411));
}

TEST_F(Model, InputDevicesAndTheirResponses)
{
    RegisteredRuntime registered;
    VTPlugIn* qnode = reinterpret_cast<VTPlugIn*>(&registered);  // opaque to the model; the runtime names it 2103
    ASSERT_TRUE(x.LoadInputPlugin(qnode, true));
    auto* keyboardKey = Add<VTResponse>(x, "Space");
    EXPECT_EQ(keyboardKey->GetPlugInID(), kKeyboardInputPlugInID);
    x.SetNewSDKResponsePlugInID(2103);
    EXPECT_EQ(x.CreateDefaultResponsesOfPlugIn(qnode), 2u);
    VTElementsList& responses = x.GetReadOnlyElementsOfType(ElementType::Response);
    ASSERT_EQ(responses.Size(), 3u);
    auto* first = dynamic_cast<VTResponse*>(responses[1]);
    EXPECT_EQ(first->GetPlugInID(), 2103);

    auto* event = Add<VTEvent>(x, "E");
    event->GetUsedResponses().AddChildElement(first, 0);
    EXPECT_EQ(x.GetNumberOfEventsUsingResponse(first), 1u);
    EXPECT_EQ(x.GetNumberOfEventsUsingResponse(keyboardKey), 0u);

    first->SetRegionMode(2);
    first->SetRegion(5, 6, 70, 80);
    const auto rects = x.GetOnScreenResponseRectsForPreview();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].responseID, first->GetID());
    EXPECT_EQ(rects[0].width, 70);

    std::vector<wxString> asked;
    bool answer = false;
    VTDeletionMgr::SetAnswerer([&](wxWindow*, const wxString& q) {
        asked.push_back(q);
        return answer;
    });
    EXPECT_FALSE(x.DeleteThePlugInsResponses(nullptr, qnode));  // declined
    EXPECT_EQ(responses.Size(), 3u);
    EXPECT_FALSE(x.RemoveInputPluginFromExperiment(nullptr, qnode));  // declined
    EXPECT_EQ(x.GetInputPlugInIDsInUse(), std::vector<int>{2103});
    answer = true;
    EXPECT_TRUE(x.DeleteThePlugInsResponses(nullptr, qnode));
    EXPECT_EQ(responses.Size(), 1u);
    EXPECT_TRUE(event->GetUsedResponses().Empty());
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_TRUE(x.DeleteThePlugInsResponses(nullptr, qnode));  // none left: nothing asked
    EXPECT_TRUE(x.RemoveInputPluginFromExperiment(nullptr, qnode));
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_TRUE(x.IsLackingAnInputDevice());
    EXPECT_FALSE(x.RemoveInputPluginFromExperiment(nullptr, qnode));  // not in use
    VTDeletionMgr::SetAnswerer(nullptr);
}

TEST_F(Model, PathVariablesAreSubstituted)
{
    x.SetFilename("/data/studies/memory.vt6", false);
    const wxString home = wxGetHomeDir();
    struct Case
    {
        wxString in, out;
    };
    const Case cases[] = {
        {"$(ExperimentFolder)/data", "/data/studies/data"},
        {"$(Home)/x/$(ExperimentFolder)", home + "/x//data/studies"},
        {"$(Unknown)/x", "$(Unknown)/x"},
        {"no variables", "no variables"},
        {"$(ExperimentFolder", "$(ExperimentFolder"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(x.SubstitutePathVariables(c.in), c.out) << c.in;
    EXPECT_EQ(x.ResolveStimulusPath("pics/a.png"), "/data/studies/pics/a.png");
    EXPECT_EQ(x.ResolveStimulusPath("/abs/a.png"), "/abs/a.png");
    EXPECT_EQ(x.ResolveStimulusPath("../other/a.png"), "/data/other/a.png");
}

TEST_F(Model, BuildingGoesThroughTheRegisteredRuntime)
{
    auto* group = Add<VTParticipantGroup>(x, "G");
    Add<VTBlock>(x, "B");
    x.GetRunOptions().SetGroupID(int(group->GetID()));
    x.GetRunOptions().SetSubjectName("P7");
    x.GetRunOptions().SetSaveCollectedDataFlag(true, "/tmp/out.txt");
    VTCompiledExperiment* compiled = reinterpret_cast<VTCompiledExperiment*>(&x);  // opaque to the model

    EXPECT_EQ(x.InstructCompiledExperimentBuilderToBuild(*compiled, false), nullptr);
    EXPECT_TRUE(TestSupport::LogContains("runtime is not available"));

    RegisteredRuntime registered;
    Interface_ExpandedRunnableExperiment* expanded = x.InstructCompiledExperimentBuilderToBuild(*compiled, true);
    ASSERT_NE(expanded, nullptr);
    EXPECT_TRUE(registered.runtime.lastPreview);
    EXPECT_EQ(expanded->GetOriginal(), &x);
    EXPECT_EQ(expanded->GetRunOptions(), x.GetRunOptions());
    EXPECT_EQ(TestModel::Describe(*expanded), TestModel::Describe(x));
    EXPECT_NE(expanded->GetGroupElementById(group->GetID()), group);  // its own copy
    EXPECT_EQ(expanded->GetGroupElementById(group->GetID())->GetOwningExperiment(), expanded);
    // The result's options are its own.
    expanded->GetRunOptions().SetBlockUseRestrictedByGroup(false);
    EXPECT_TRUE(x.GetRunOptions().IsBlockUseRestrictedByGroup());
    EXPECT_FALSE(x.IsModified());
}

TEST(Parameters, NamesStayUniqueAndRecordsComeBackWhole)
{
    PerExperimentParameterCollection parameters;
    OrderFormForParameterCreation score("Score", ParameterType::Counter);
    score.hasMax = true;
    score.max = 10;
    EXPECT_TRUE(parameters.AddNewItem(score));
    EXPECT_FALSE(parameters.AddNewItem(score));                            // taken
    EXPECT_FALSE(parameters.AddNewItem(OrderFormForParameterCreation()));  // empty name
    EXPECT_TRUE(parameters.AddNewItem(OrderFormForParameterCreation("Clock", ParameterType::Timer)));
    EXPECT_EQ(parameters.ItemCount(), 2u);
    EXPECT_EQ(parameters.ItemDataAtIndex(0), score);
    EXPECT_EQ(parameters.ItemDataAtIndex(7), OrderFormForParameterCreation());
    EXPECT_EQ(parameters.GetVisibleParamNamesVector(), (std::vector<wxString>{"Score", "Clock"}));
    EXPECT_EQ(parameters.GetParamTypeByParamName("Clock"), ParameterType::Timer);
    EXPECT_EQ(parameters.GetParamTypeByParamName("clock"), -1);
    int min = 0, max = 0;
    EXPECT_TRUE(parameters.GetParamMinMaxLimits("Score", min, max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 10);

    OrderFormForParameterCreation renamed = score;
    renamed.name = "Clock";
    EXPECT_FALSE(parameters.ReplaceItem("Score", renamed));  // another parameter's name
    EXPECT_TRUE(parameters.ReplaceItem("Nobody", renamed));  // names nothing: no change
    EXPECT_EQ(parameters.ItemDataAtIndex(1).type, ParameterType::Timer);
    renamed.name = "Points";
    EXPECT_TRUE(parameters.ReplaceItem("Score", renamed));
    EXPECT_TRUE(parameters.NameAlreadyExists("Points"));
    EXPECT_FALSE(parameters.NameAlreadyExists("Score"));
    EXPECT_TRUE(parameters.RemoveItem("Points"));
    EXPECT_EQ(parameters.ItemCount(), 1u);

    VTExperiment x;
    EXPECT_NE(x.GetParameters(), nullptr);
    EXPECT_EQ(x.GetParameters(), x.GetParameters());
}

TEST(Variables, LevelsOfEachTypeReadAndWriteTheirText)
{
    VTTrialVariable variable(nullptr);
    EXPECT_EQ(variable.GetVariableType(), VariableType::TimeLimit);
    variable.SetLevels({"750", " 20 ", "-5", "x"});
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"750", "20", "-5", "0"}));  // unreadable: default
    EXPECT_EQ(variable.GetVariable().GetLevels()[0]->GetName(), "Level 1");
    variable.SetVariableType(VariableType::Location);
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"(0, 0)", "(0, 0)", "(0, 0)", "(0, 0)"}));
    variable.SetLevels({"(3, -4)", "(1,2)"});
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"(3, -4)", "(1, 2)"}));
    variable.SetVariableType(VariableType::Colour);
    variable.SetLevels({"#10a0FF", "#12345"});
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"#10A0FF", "#FFFFFF"}));

    // Copies are deep.
    std::unique_ptr<VTTrialVariable> copy(VTTrialVariable::CreateTemporary_CallerMustDelete(&variable, nullptr));
    copy->GetVariable().GetLevels()[0]->SetName("changed");
    copy->GetVariable().DeleteValueList();
    EXPECT_EQ(variable.GetVariable().GetLevels().size(), 2u);
    EXPECT_EQ(variable.GetVariable().GetLevels()[0]->GetName(), "Level 1");
    Orbisk::Var::Variable* fresh = Orbisk::Var::VarType::CreateNewVariable(VariableType::TimeLimit, "limit");
    fresh->AppendLevel(fresh->MakeLevelForPosition(1));
    variable.ReplaceVariable(fresh, true);
    EXPECT_EQ(variable.GetVariable().GetName(), "limit");
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"0"}));
    EXPECT_EQ(variable.GetVariable().GetValue(1), nullptr);
}

TEST_F(Model, DeletingATrialVariableClearsWhatEventsTookFromIt)
{
    auto* limit = Add<VTTrialVariable>(x, "Limit");
    auto* where = Add<VTTrialVariable>(x, "Where");
    where->SetVariableType(VariableType::Location);
    auto* colour = Add<VTTrialVariable>(x, "Colour");
    colour->SetVariableType(VariableType::Colour);
    auto* event = Add<VTEvent>(x, "E");
    event->AcceptEndEventSettings(false, false, false, true);
    event->AcceptInputSettingsForEditor(true, true, 1, 900, int(limit->GetID()));
    event->SetLocationVariableID(int(where->GetID()));
    event->SetColourVariableID(int(colour->GetID()));
    auto* other = Add<VTEvent>(x, "Other");
    other->SetLocationVariableID(int(where->GetID()));

    VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    EXPECT_TRUE(VTDeletionMgr(nullptr, &x, where).HandleDeletion(0, true, true));
    EXPECT_EQ(event->GetLocationVariableID(), -1);
    EXPECT_EQ(other->GetLocationVariableID(), -1);
    EXPECT_EQ(event->GetColourVariableID(), int(colour->GetID())) << "the others stay";
    EXPECT_EQ(event->GetTimeLimitVariableID(), int(limit->GetID()));

    EXPECT_TRUE(
        VTDeletionMgr(nullptr, &x, std::vector<Minimal_VTElement*>{limit, colour}).HandleDeletion(0, true, true));
    VTDeletionMgr::SetAnswerer(nullptr);
    EXPECT_EQ(event->GetColourVariableID(), -1);
    EXPECT_EQ(event->GetTimeLimitVariableID(), -1);
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), 900) << "a variable limit whose variable is gone is the fixed one";
    EXPECT_TRUE(x.GetReadOnlyElementsOfType(ElementType::TrialVariable).Empty());
}

TEST_F(Model, TheClipboardPastesFreshCopies)
{
    VTClipboard& clipboard = VTClipboard::GetRef();
    clipboard.Clear();
    auto* variable = Add<VTTrialVariable>(x, "Where");
    variable->SetVariableType(VariableType::Location);
    variable->SetLevels({"(1, 2)", "(3, 4)"});
    variable->SetDescription("left and right");
    variable->GetVariable().SetMethod(1);
    auto* set = Add<VTTagSet>(x, "Set");
    VTTag* tag = set->AddTag("t");
    auto* trial = Add<VTTrial>(x, "T");
    trial->GetUsedTags().AddChildElement(tag, 0);

    EXPECT_FALSE(clipboard.IsPasteEnabledForType(ElementType::TrialVariable));
    EXPECT_FALSE(clipboard.TryToAdd(nullptr));
    std::unique_ptr<VTTrialVariable> working(VTTrialVariable::CreateTemporary_CallerMustDelete(variable, nullptr));
    working->SetTemporary(true);
    EXPECT_FALSE(clipboard.TryToAdd(working.get())) << "an editor's working copy";
    EXPECT_TRUE(clipboard.TryToAdd(variable));
    EXPECT_FALSE(clipboard.TryToAdd(variable)) << "held already";
    EXPECT_TRUE(clipboard.TryToAdd(trial));
    EXPECT_TRUE(clipboard.IsPasteEnabledForType(ElementType::TrialVariable));
    EXPECT_FALSE(clipboard.IsPasteEnabledForType(ElementType::Block));

    // The original changes after the copy: the paste is what was copied.
    variable->SetLevels({"(9, 9)"});
    std::vector<Minimal_VTElement*> pasted;
    clipboard.GetNewInstances(&x, pasted);
    ASSERT_EQ(pasted.size(), 2u);
    auto* copy = dynamic_cast<VTTrialVariable*>(pasted[0]);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->GetID(), variable->GetID());
    EXPECT_EQ(copy->GetOwningExperiment(), &x);
    EXPECT_EQ(copy->GetLevels(), (std::vector<wxString>{"(1, 2)", "(3, 4)"}));
    EXPECT_EQ(copy->GetDescription(), "left and right");
    EXPECT_EQ(copy->GetVariable().GetMethod(), 1);
    copy->SetName(x.GetNextAvailableUniqueElementName(copy->GetName(), ElementType::TrialVariable, ""));
    EXPECT_NE(copy->GetName(), "Where");
    EXPECT_TRUE(x.GetElementsOfType(ElementType::TrialVariable).AddElement(copy, -1));
    auto* trialCopy = static_cast<VTTrial*>(pasted[1]);
    EXPECT_EQ(trialCopy->GetUsedTags().Size(), 1u) << "references hold within the same experiment";
    EXPECT_TRUE(x.GetElementsOfType(ElementType::Trial).AddElement(trialCopy, -1));

    // Into another experiment the copies refer to nothing of this one; the clipboard
    // outlives the source.
    VTExperiment other;
    std::vector<Minimal_VTElement*> intoOther;
    clipboard.GetNewInstances(&other, intoOther);
    ASSERT_EQ(intoOther.size(), 2u);
    EXPECT_TRUE(static_cast<VTTrial*>(intoOther[1])->GetUsedTags().Empty());
    for (Minimal_VTElement* el : intoOther)
        EXPECT_TRUE(other.GetElementsOfType(el->GetElementType()).AddElement(el, -1));
    clipboard.Clear();
    EXPECT_FALSE(clipboard.IsPasteEnabledForType(ElementType::TrialVariable));
}

TEST(Variables, UnknownTypesKeepTheirLevelsAndTimeLimitsTakeAnyWholeNumber)
{
    VTTrialVariable variable(nullptr);
    variable.SetLevels({"-3", "+5", "2147483647", "2147483648", "1.5", "0x10", "1 2"});
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"-3", "5", "2147483647", "0", "0", "0", "0"}));
    EXPECT_TRUE(Orbisk::Var::VarType::IsKnownType(VariableType::Location));
    EXPECT_FALSE(Orbisk::Var::VarType::IsKnownType(2010));
    variable.SetVariableType(2010);
    variable.SetLevels({"(1, 2)", "anything at all"});
    EXPECT_EQ(variable.GetLevels(), (std::vector<wxString>{"(1, 2)", "anything at all"}));
    EXPECT_EQ(variable.GetVariable().GetLevels()[1]->GetName(), "Level 2");
}

TEST(RunOptions, PreviewSettingsAreAppliedAndReverted)
{
    VTRunOptions options;
    EXPECT_EQ(options.GetGroupID_CanReturnNegativeOne(), -1);
    options.SetGroupID(5);
    options.SetSaveCollectedDataFlag(true, "data.txt");
    options.SetRunSelBlocksOnlyFlag(true);
    const VTRunOptions before = options;
    options.ApplyPreviewSettings(9);
    EXPECT_EQ(options.GetGroupID_CanReturnNegativeOne(), 9);
    EXPECT_FALSE(options.IsDataSaved());
    EXPECT_FALSE(options.IsRunningSelectedBlocksOnly());
    EXPECT_TRUE(options.IsPreview());
    options.RevertPreviewSettings();
    EXPECT_EQ(options, before);
    options.RevertPreviewSettings();  // nothing to revert
    EXPECT_EQ(options, before);

    wxString pushed;
    int flushed = 0;
    options.PushAssertionFailureToAutomatedTestPluginIfPossible("ignored");  // no plug-in: nothing
    VTRunOptions::SetAutomatedTestHooks([&] { ++flushed; }, [&](const wxString& s) { pushed = s; });
    options.FlushTestOutput();
    options.PushAssertionFailureToAutomatedTestPluginIfPossible("assert");
    VTRunOptions::SetAutomatedTestHooks(nullptr, nullptr);
    EXPECT_EQ(flushed, 1);
    EXPECT_EQ(pushed, "assert");
}
