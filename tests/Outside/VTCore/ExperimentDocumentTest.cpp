#include "ExperimentDescription.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/docview.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <functional>
#include <memory>
#include <tuple>

#include <sys/stat.h>
#include <unistd.h>

using namespace Vantrel;

namespace {

class TestExperimentView : public wxView
{
public:
    bool OnCreate(wxDocument*, long) override { return true; }
    void OnDraw(wxDC*) override {}
    wxDECLARE_DYNAMIC_CLASS(TestExperimentView);
};
wxIMPLEMENT_DYNAMIC_CLASS(TestExperimentView, wxView);

std::string Fixture(const char* name) { return std::string(STUDYSTATION_FIXTURES_DIR) + "/" + name; }

class Documents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        manager = std::make_unique<wxDocManager>();
        VTExperiment::CreateOneWxDocTemplate(manager.get(), wxCLASSINFO(TestExperimentView));
        folder = TestSupport::MakeTempFolder("documents");
    }
    void TearDown() override
    {
        manager->CloseDocuments(true);
        manager.reset();
    }

    VTExperiment* Open(const wxString& path)
    {
        return dynamic_cast<VTExperiment*>(manager->CreateDocument(path, wxDOC_SILENT));
    }
    wxString Path(const char* name) const { return wxString::FromUTF8(folder + "/" + name); }

    std::unique_ptr<wxDocManager> manager;
    std::string folder;
};

}  // namespace

TEST_F(Documents, NewDocumentIsAnEmptyRunnableExperiment)
{
    auto* doc =
        dynamic_cast<VTExperiment*>(manager->CreateDocument("Orbisk Study Station.vt6", wxDOC_NEW | wxDOC_SILENT));
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(VTExperiment::GetNumOpen(), 1);
    EXPECT_FALSE(doc->IsModified());
    unsigned long groups = 0;
    EXPECT_NE(doc->GetDefaultGroup(&groups), nullptr);
    EXPECT_EQ(groups, 1u);
    EXPECT_FALSE(doc->IsLackingAnInputDevice());
    for (VTElementType t = 0; t < ElementType::Count; ++t)
        if (t != ElementType::ParticipantGroup) {
            EXPECT_TRUE(doc->GetReadOnlyElementsOfType(t).Empty()) << t;
        }
    doc->OnSetActive();
    EXPECT_EQ(VTExperiment::GetActiveExperiment(), doc);
}

TEST_F(Documents, SaveThenLoadGivesTheSameExperiment)
{
    VTExperiment original;
    TestModel::FillEveryField(original);
    const std::string before = TestModel::Describe(original);
    const wxString file = Path("every-field.vt6");
    ASSERT_TRUE(original.OnSaveDocument(file)) << TestSupport::LogAsText();
    EXPECT_FALSE(original.IsModified());

    VTExperiment* loaded = Open(file);
    ASSERT_NE(loaded, nullptr) << TestSupport::LogAsText();
    EXPECT_EQ(TestModel::Describe(*loaded), before);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();

    // Links resolve after loading, and new ids do not collide with loaded ones.
    auto* block = dynamic_cast<VTBlock*>(loaded->GetReadOnlyElementsOfType(ElementType::Block)[1]);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->GetNumberOfUsedTrials(), 2u);
    EXPECT_EQ(block->GetUsedTrial(0)->GetName(), "Trial B");

    // Saving the loaded copy writes the same bytes.
    const wxString again = Path("again.vt6");
    ASSERT_TRUE(loaded->OnSaveDocument(again));
    EXPECT_EQ(TestSupport::ReadWholeFile(again), TestSupport::ReadWholeFile(file));
    VTTrial fresh(loaded);
    EXPECT_EQ(loaded->LookupElementByTypeAndID(ElementType::Trial, fresh.GetID()), nullptr);
}

TEST_F(Documents, SaveReplacesTheFileWholeOrNotAtAll)
{
    VTExperiment experiment;
    TestModel::FillEveryField(experiment);

    // Over an existing file: replaced, and no temporary file stays behind.
    const wxString file = Path("kept.vt6");
    TestSupport::WriteWholeFile(file, "previous contents");
    ASSERT_TRUE(experiment.OnSaveDocument(file)) << TestSupport::LogAsText();
    EXPECT_NE(TestSupport::ReadWholeFile(file), "previous contents");
    wxArrayString files;
    EXPECT_EQ(wxDir::GetAllFiles(wxString::FromUTF8(folder), &files), 1u);

    // Into a folder that does not exist: a message, and no file.
    const wxString nowhere = Path("no-such-folder/x.vt6");
    EXPECT_FALSE(experiment.OnSaveDocument(nowhere));
    EXPECT_TRUE(TestSupport::LogContains("Could not save the experiment"));
    EXPECT_FALSE(wxFileName::FileExists(nowhere));

    // Into a folder that cannot be written: the old file stays as it was.
    const wxString readOnlyFolder = Path("readonly");
    ASSERT_TRUE(wxFileName::Mkdir(readOnlyFolder));
    const wxString blocked = readOnlyFolder + "/blocked.vt6";
    TestSupport::WriteWholeFile(blocked, "previous contents");
    ASSERT_EQ(chmod(readOnlyFolder.utf8_str(), 0555), 0);
    const bool permissionsApply = access(readOnlyFolder.utf8_str(), W_OK) != 0;  // not for root
    if (permissionsApply) {
        EXPECT_FALSE(experiment.OnSaveDocument(blocked));
        EXPECT_EQ(TestSupport::ReadWholeFile(blocked), "previous contents");
        wxArrayString leftovers;
        EXPECT_EQ(wxDir::GetAllFiles(readOnlyFolder, &leftovers), 1u);
    }
    chmod(readOnlyFolder.utf8_str(), 0755);
}

TEST_F(Documents, EachFileOpensAsOneDocument)
{
    VTExperiment* one = Open(Fixture("one-group.vt6"));
    VTExperiment* two = Open(Fixture("two-groups-balanced.vt6"));
    ASSERT_NE(one, nullptr) << TestSupport::LogAsText();
    ASSERT_NE(two, nullptr);
    EXPECT_NE(one, two);
    EXPECT_EQ(VTExperiment::GetNumOpen(), 2);
    EXPECT_EQ(one->GetViews().size(), 1u);
    EXPECT_EQ(Open(Fixture("one-group.vt6")), one);  // already open: the same document
    EXPECT_EQ(VTExperiment::GetNumOpen(), 2);
    EXPECT_EQ(Open(Path("missing.vt6")), nullptr);
    EXPECT_EQ(VTExperiment::GetNumOpen(), 2);

    // The older extensions open through the same template.
    for (const char* name : {"older.vt5", "oldest.vt4"}) {
        TestSupport::WriteWholeFile(Path(name),
                                    TestSupport::ReadWholeFile(wxString::FromUTF8(Fixture("timed-events.vt6"))));
        EXPECT_NE(Open(Path(name)), nullptr) << name << TestSupport::LogAsText();
    }
    EXPECT_EQ(VTExperiment::GetNumOpen(), 4);
}

TEST_F(Documents, InputDevicesAreWhatTheDocumentNamesAndTheKeyboardWhenItNamesNone)
{
    const std::string fixture = TestSupport::ReadWholeFile(wxString::FromUTF8(Fixture("timed-events.vt6")));
    const std::string field = "\"inputPlugIns\": [\n      2100\n    ],\n";
    ASSERT_NE(fixture.find(field), std::string::npos);
    struct Case
    {
        const char* name;
        const char* replacement;  // nullptr: the field left out
        std::vector<int> inputs;
    } cases[] = {{"keyboard.vt6", "\"inputPlugIns\": [2100],\n", {2100}},
                 {"qnode.vt6", "\"inputPlugIns\": [2100, 2103],\n", {2100, 2103}},
                 {"none.vt6", "\"inputPlugIns\": [],\n", {}},
                 {"without-field.vt6", nullptr, {2100}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = fixture;
        text.replace(text.find(field), field.size(), c.replacement ? c.replacement : "");
        TestSupport::WriteWholeFile(Path(c.name), text);
        VTExperiment* experiment = Open(Path(c.name));
        ASSERT_NE(experiment, nullptr) << TestSupport::LogAsText();
        EXPECT_EQ(experiment->GetInputPlugInIDsInUse(), c.inputs);
    }
}

TEST_F(Documents, FixturesOpenWithTheirGroupsBlocksTrialsAndEvents)
{
    struct Expect
    {
        const char* file;
        std::size_t groups, blocks, trials, events;
        bool balanced;
    };
    const Expect cases[] = {{"one-group.vt6", 1, 1, 2, 3, false},
                            {"two-groups-balanced.vt6", 2, 2, 2, 3, true},
                            {"timed-events.vt6", 1, 1, 3, 3, true},
                            {"picture-stimulus.vt6", 1, 1, 1, 2, true}};
    for (const Expect& c : cases) {
        VTExperiment* doc = Open(Fixture(c.file));
        ASSERT_NE(doc, nullptr) << c.file << TestSupport::LogAsText();
        EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::ParticipantGroup).Size(), c.groups) << c.file;
        EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::Block).Size(), c.blocks) << c.file;
        EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::Trial).Size(), c.trials) << c.file;
        EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::Event).Size(), c.events) << c.file;
        EXPECT_EQ(doc->GetCloudSettings()->IsBalancedGroupAssignment(), c.balanced) << c.file;
        EXPECT_FALSE(doc->IsLackingAnInputDevice());
        // Every group's blocks, trials and events resolve.
        VTElementsList& groups = doc->GetReadOnlyElementsOfType(ElementType::ParticipantGroup);
        for (std::size_t g = 0; g < groups.Size(); ++g) {
            auto* group = dynamic_cast<VTParticipantGroup*>(groups[g]);
            for (unsigned b = 0; b < group->GetBlocksUsedByTheGroup().Size(); ++b) {
                auto* block = dynamic_cast<VTBlock*>(group->GetBlocksUsedByTheGroup().GetUsedElementPtr(b));
                ASSERT_NE(block, nullptr) << c.file;
                for (unsigned t = 0; t < block->GetNumberOfUsedTrials(); ++t) {
                    VTTrial* trial = block->GetUsedTrial(t);
                    ASSERT_NE(trial, nullptr) << c.file;
                    for (unsigned e = 0; e < trial->GetNumberOfUsedEvents(); ++e) {
                        VTEvent* event = trial->GetUsedEvent(e);
                        ASSERT_NE(event, nullptr);
                        EXPECT_GT(event->GetTimeLimitMs_OrNegativeOne(), 0) << "every fixture run ends by itself";
                    }
                }
            }
        }
        EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }

    VTExperiment* one = Open(Fixture("one-group.vt6"));
    EXPECT_EQ(one->GetCloudSettings()->m_GroupRule, one->GetDefaultGroup(nullptr)->GetID());
    EXPECT_EQ(one->GetGroupElementByName("Group A"), one->GetDefaultGroup(nullptr));

    VTExperiment* picture = Open(Fixture("picture-stimulus.vt6"));
    const wxString expected = wxFileName(wxString::FromUTF8(Fixture("picture-stimulus.png"))).GetFullPath();
    auto* own = dynamic_cast<VTEvent*>(picture->GetReadOnlyElementsOfType(ElementType::Event)[0]);
    auto* fromList = dynamic_cast<VTEvent*>(picture->GetReadOnlyElementsOfType(ElementType::Event)[1]);
    const VTPresentableStimulus a = own->GetStimulusForPresentation();
    EXPECT_EQ(a.kind, VTPresentableStimulus::Kind::File);
    EXPECT_EQ(a.path, expected);
    EXPECT_TRUE(wxFileName::FileExists(a.path));
    ASSERT_EQ(fromList->GetNumberOfStimulusItems(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(fromList->GetStimulusForPresentation(i).path, expected) << i;
}

TEST_F(Documents, BadFilesAreRefusedWithAClearMessage)
{
    const std::string good = TestSupport::ReadWholeFile(wxString::FromUTF8(Fixture("one-group.vt6")));
    const std::string head = R"({"format": "Study Station experiment", "version": 1, "elements": )";
    struct Case
    {
        const char* what;
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", "not a readable experiment"},
        {"not json", "{not json", "not a readable experiment"},
        {"truncated", good.substr(0, good.size() / 2), "not a readable experiment"},
        {"array root", "[1, 2]", "not an experiment"},
        {"other format", R"({"format": "Other", "version": 1})", "not an experiment"},
        {"no version", R"({"format": "Study Station experiment"})", "does not say which version"},
        {"version as text", R"({"format": "Study Station experiment", "version": "1"})",
         "\"version\" must be a whole number"},
        {"elements not a list", head + "{}}", "\"elements\" must be a list"},
        {"element not an object", head + "[3]}", "Element 1: it is not an object."},
        {"no id", head + R"([{"type": 0}]})", "needs a type and an id"},
        {"unused type", head + R"([{"type": 6, "id": 1}]})", "there is no element type 6"},
        {"type out of range", head + R"([{"type": 99, "id": 1}]})", "\"type\" must be a whole number from 0 to 12"},
        {"id zero", head + R"([{"type": 0, "id": 0}]})", "\"id\" must be a whole number from 1"},
        {"id too big", head + R"([{"type": 0, "id": 2147483648}]})", "\"id\" must be a whole number"},
        {"id fraction", head + R"([{"type": 0, "id": 1.5}]})", "\"id\" must be a whole number"},
        {"id infinite", head + R"([{"type": 0, "id": 1e999}]})", ""},
        {"duplicate ids", head + R"([{"type": 1, "id": 4}, {"type": 1, "id": 4}]})",
         "another trial already has the id 4"},
        {"link twice", head + R"([{"type": 1, "id": 9}, {"type": 0, "id": 1, "trials": {"links": [[9, 0], [9, 1]]}}]})",
         "name one element twice"},
        {"malformed link", head + R"([{"type": 0, "id": 1, "trials": {"links": [[1]]}}]})", "must be pairs"},
        {"duplicate rows", head + R"([{"type": 2, "id": 1, "correctRows": [{"row": -1}, {"row": -1}]}]})",
         "share one pool row"},
        {"duplicate items", head + R"([{"type": 8, "id": 1, "items": [{"id": 1}, {"id": 1}]}]})", "own id"},
        {"huge repetitions", head + R"([{"type": 1, "id": 1, "repetitions": 1000000000000}]})",
         "\"repetitions\" must be a whole number"},
        {"name not text", head + R"([{"type": 1, "id": 1, "name": 5}]})",
         "Element 1 (trial, id 1): the field \"name\" must be a text"},
        {"region not numbers", head + R"([{"type": 5, "id": 3, "region": [1, "2", 3, 4]}]})",
         "Element 1 (response, id 3): the field \"region\" must hold four whole numbers"},
        {"invalid utf-8", head + "[{\"type\": 1, \"id\": 1, \"name\": \"bad \xC3\x28 byte\"}]}",
         "not a readable experiment"},
        {"deep nesting", std::string(100000, '['), "not a readable experiment"},
        {"a key twice in an element", head + R"([{"type": 1, "id": 1, "name": "a", "name": "b"}]})",
         "a key named twice in one object"},
        {"a key twice at the top", R"({"format": "Study Station experiment", "version": 1, "version": 2})",
         "a key named twice in one object"},
        {"a key twice, spelt differently", head + R"([{"type": 1, "id": 1, "n\u0061me": "a", "name": "b"}]})",
         "a key named twice in one object"},
        {"text after the document", head + "[]} {}", "not a readable experiment"},
        {"level of the wrong type", head + R"([{"type": 3, "id": 1, "variableType": 2003, "levels": ["750"]}]})",
         "does not suit the variable's type"},
        {"parameter twice",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"parameters": [{"name": "a"}, {"name": "a"}]}})",
         "used twice"},
        {"background not a colour",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"backgroundColour": "grey"}})",
         "\"backgroundColour\" must be a colour written as #rrggbb"},
        {"save options missing",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"saveData": {"options": [true]}}})",
         "there must be 14 save options"},
        {"folder mode unknown",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"saveData": {"folderMode": 4}}})",
         "\"folderMode\" must be a whole number from 0 to 3"},
        {"sensor patch beyond 32 bits",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"sensorPatch": {"x": 2147483648}}})",
         "\"x\" must be a whole number"},
    };
    auto repeat = [](const std::string& item, int count) {
        std::string joined;
        for (int i = 0; i < count; ++i) joined += (i ? "," : "") + item;
        return joined;
    };
    auto numbered = [](const char* before, const char* after, int count) {
        std::string joined;
        for (int i = 1; i <= count; ++i) joined += (i > 1 ? "," : "") + std::string(before) + std::to_string(i) + after;
        return joined;
    };
    const Case hostile[] = {
        {"too many elements", head + "[" + repeat(R"({"type": 1, "id": 1})", 200001) + "]}",
         "holds more than 200000 entries"},
        {"too many links", head + R"([{"type": 0, "id": 1, "trials": {"links": [)" + repeat("[1, 0]", 100001) + "]}}]}",
         "holds more than 100000 entries"},
        {"many list items repeated",
         head + R"([{"type": 8, "id": 1, "items": [)" + numbered(R"({"id": )", "}", 99999) + R"(, {"id": 5}]}]})",
         "own id"},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.insert(all.end(), std::begin(hostile), std::end(hostile));
    for (const Case& c : all) {
        TestSupport::ClearLog();
        const wxString file = Path("bad.vt6");
        TestSupport::WriteWholeFile(file, c.content);
        EXPECT_EQ(Open(file), nullptr) << c.what;
        EXPECT_TRUE(manager->GetDocuments().empty()) << c.what;
        EXPECT_TRUE(TestSupport::LogContains("Could not open the experiment"))
            << c.what << ": " << TestSupport::LogAsText();
        EXPECT_TRUE(TestSupport::LogContains(wxString::FromUTF8(c.message)))
            << c.what << ": " << TestSupport::LogAsText();
    }

    // Too large to be an experiment: refused before it is read.
    const wxString large = Path("large.vt6");
    {
        QFile f(QString::fromUtf8(large.utf8_str()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(65LL * 1024 * 1024));
    }
    TestSupport::ClearLog();
    EXPECT_EQ(Open(large), nullptr);
    EXPECT_TRUE(TestSupport::LogContains("too large"));
    EXPECT_EQ(VTExperiment::GetNumOpen(), 0);
}

TEST_F(Documents, OptionalFieldsTakeTheirDefaults)
{
    const wxString file = Path("minimal.vt6");
    TestSupport::WriteWholeFile(file, R"({"format": "Study Station experiment", "version": 1,
        "elements": [{"type": 2, "id": 3}, {"type": 9, "id": 2, "blocks": {"links": []}},
                     {"type": 3, "id": 4, "levels": ["750", {"name": "long", "text": "1500"}]}]})");
    VTExperiment* doc = Open(file);
    ASSERT_NE(doc, nullptr) << TestSupport::LogAsText();
    auto* event = dynamic_cast<VTEvent*>(doc->LookupElementByTypeAndID(ElementType::Event, 3));
    ASSERT_NE(event, nullptr);
    const VTEvent defaults(nullptr);
    bool a, b, c, d, e, f, g, a2, b2, c2, d2, e2, f2, g2;
    int k, ms, v, k2, ms2, v2;
    event->GetCopiedInputSettingsForEditor(a, b, c, d, e, f, g, k, ms, v);
    defaults.GetCopiedInputSettingsForEditor(a2, b2, c2, d2, e2, f2, g2, k2, ms2, v2);
    EXPECT_EQ(std::make_tuple(a, b, c, d, e, f, g, k, ms, v), std::make_tuple(a2, b2, c2, d2, e2, f2, g2, k2, ms2, v2));
    EXPECT_EQ(event->GetPlugInID(), defaults.GetPlugInID());
    EXPECT_TRUE(doc->GetGroupElementById(2)->m_RunAllBlocks);
    EXPECT_EQ(doc->GetErrorCodes(), VTErrorCodes());
    EXPECT_EQ(doc->GetInputPlugInIDsInUse(), std::vector<int>{kKeyboardInputPlugInID}) << "the keyboard alone";
    auto* variable = dynamic_cast<VTTrialVariable*>(doc->LookupElementByTypeAndID(ElementType::TrialVariable, 4));
    ASSERT_NE(variable, nullptr);
    EXPECT_EQ(variable->GetLevels(), (std::vector<wxString>{"750", "1500"}));
    EXPECT_EQ(variable->GetVariable().GetLevels()[1]->GetName(), "long");
    EXPECT_EQ(doc->GetParameters()->ItemCount(), 0u);
    const VTExperiment fresh;
    EXPECT_EQ(doc->GetBackgroundColour(), fresh.GetBackgroundColour());
    EXPECT_TRUE(doc->GetSaveDataOptions() == fresh.GetSaveDataOptions());
    EXPECT_TRUE(*doc->GetSensorPatch() == *fresh.GetSensorPatch());
}

TEST_F(Documents, DamagedDocumentsOpenWithTheirDanglingReferencesDroppedAndNamed)
{
    const std::string head = R"({"format": "Study Station experiment", "version": 1, "elements": )";
    std::string manyLinks;
    for (int i = 1; i <= 100000; ++i) manyLinks += (i > 1 ? ",[" : "[") + std::to_string(i) + ", 0]";
    struct Case
    {
        const char* what;
        std::string content;
        const char* warning;
        std::function<void(VTExperiment&)> check;
    };
    const Case cases[] = {
        {"dangling link",
         head + R"([{"type": 1, "id": 4}, {"type": 0, "id": 1, "trials": {"links": [[99, 0], [4, 0]]}}]})",
         "The block \"\" (id 1) referred to a trial with id 99 that does not exist",
         [](VTExperiment& x) {
             auto* block = dynamic_cast<VTBlock*>(x.LookupElementByTypeAndID(ElementType::Block, 1));
             ASSERT_EQ(block->GetNumberOfUsedTrials(), 1u);
             EXPECT_NE(block->GetUsedTrial(0), nullptr);
         }},
        {"many links to nothing", head + R"([{"type": 0, "id": 1, "trials": {"links": [)" + manyLinks + "]}}]}",
         "referred to 100000 trials that do not exist (ids 1, 2, 3, 4, 5, ...)",
         [](VTExperiment& x) {
             EXPECT_EQ(
                 dynamic_cast<VTBlock*>(x.LookupElementByTypeAndID(ElementType::Block, 1))->GetNumberOfUsedTrials(),
                 0u);
         }},
        {"orphan tag",
         head +
             R"([{"type": 12, "id": 7, "name": "red", "parent": 3}, {"type": 1, "id": 2, "tags": {"links": [[7, 0]]}}]})",
         "The tag \"red\" (id 7) belongs to no tag set; it was removed.",
         [](VTExperiment& x) {
             EXPECT_EQ(x.LookupElementByTypeAndID(ElementType::Tag, 7), nullptr);
             EXPECT_TRUE(
                 dynamic_cast<VTTrial*>(x.LookupElementByTypeAndID(ElementType::Trial, 2))->GetUsedTags().Empty());
         }},
        {"missing tag set and list", head + R"([{"type": 2, "id": 1, "stimListID": 5, "tagSetIDForCorrect": 6}]})",
         "referred to a tag set with id 6 that does not exist",
         [](VTExperiment& x) {
             auto* event = dynamic_cast<VTEvent*>(x.LookupElementByTypeAndID(ElementType::Event, 1));
             EXPECT_FALSE(event->IsListEvent());
             EXPECT_EQ(event->GetTagSetIDUsedForCorrectResponses(), -1);
             EXPECT_TRUE(TestSupport::LogContains("referred to a stimulus list with id 5"));
         }},
        {"missing chosen response",
         head +
             R"([{"type": 5, "id": 2}, {"type": 2, "id": 1, "correctRows": [{"row": -1, "kind": 2, "chosen": [8, 2]}]}]})",
         "referred to a response with id 8",
         [](VTExperiment& x) {
             auto* event = dynamic_cast<VTEvent*>(x.LookupElementByTypeAndID(ElementType::Event, 1));
             EXPECT_EQ(event->GetCorrectResponseRows()[0].chosenResponseIDs, (std::vector<std::uint32_t>{2}));
         }},
        {"a removed list item's leftovers",
         head + R"([{"type": 8, "id": 3, "items": [{"id": 1, "text": "a"}], "nextItemID": 3},
                    {"type": 2, "id": 1, "stimListID": 3,
                     "correctRows": [{"row": 1, "kind": 1}, {"row": 2, "kind": 2, "chosen": []}]}]})",
         "correct responses for a list item with id 2 that no longer exists",
         [](VTExperiment& x) {
             auto* event = dynamic_cast<VTEvent*>(x.LookupElementByTypeAndID(ElementType::Event, 1));
             ASSERT_EQ(event->GetCorrectResponseRows().size(), 1u);
             EXPECT_EQ(event->GetCorrectResponseRows()[0].poolRowID, 1);
             // The removed item's id is not given out again.
             EXPECT_EQ(x.GetStimListIfacePtr(3)->AddTextItem("b"), 3u);
         }},
        {"a group rule naming a missing group",
         R"({"format": "Study Station experiment", "version": 1, "experiment": {"cloud": {"groupRule": 12}}})",
         "referred to a participant group with id 12",
         [](VTExperiment& x) { EXPECT_TRUE(x.GetCloudSettings()->IsBalancedGroupAssignment()); }},
    };
    for (const Case& c : cases) {
        TestSupport::ClearLog();
        const wxString file = Path("damaged.vt6");
        TestSupport::WriteWholeFile(file, c.content);
        VTExperiment* doc = Open(file);
        ASSERT_NE(doc, nullptr) << c.what << ": " << TestSupport::LogAsText();
        EXPECT_TRUE(TestSupport::LogContains(wxString::FromUTF8(c.warning), wxLOG_Warning))
            << c.what << ": " << TestSupport::LogAsText();
        EXPECT_FALSE(TestSupport::LogContains("Could not open")) << c.what;
        EXPECT_FALSE(doc->IsModified()) << c.what;
        c.check(*doc);
        // The repaired document saves and opens again without a word.
        const wxString again = Path("repaired.vt6");
        ASSERT_TRUE(doc->OnSaveDocument(again)) << c.what;
        doc->DeleteAllViews();
        TestSupport::ClearLog();
        ASSERT_NE(Open(again), nullptr) << c.what << ": " << TestSupport::LogAsText();
        EXPECT_TRUE(TestSupport::RecordedLog().empty()) << c.what << ": " << TestSupport::LogAsText();
        manager->CloseDocuments(true);
    }
}

TEST_F(Documents, AFileFromANewerVersionIsRefusedWithItsOwnMessage)
{
    const wxString file = Path("newer.vt6");
    TestSupport::WriteWholeFile(file,
                                R"({"format": "Study Station experiment", "version": 2, "elements": [{"type": 99}]})");
    EXPECT_EQ(Open(file), nullptr);
    EXPECT_TRUE(manager->GetDocuments().empty());
    EXPECT_TRUE(TestSupport::LogContains("was made by a newer version of Study Station (format 2; this version reads "
                                         "up to 1). Please update Study Station to open it.",
                                         wxLOG_Error))
        << TestSupport::LogAsText();
    EXPECT_FALSE(TestSupport::LogContains("Could not open")) << TestSupport::LogAsText();
}

TEST_F(Documents, ACancelledNewTagSetLeavesNothingBehind)
{
    auto* doc =
        dynamic_cast<VTExperiment*>(manager->CreateDocument("Orbisk Study Station.vt6", wxDOC_NEW | wxDOC_SILENT));
    ASSERT_NE(doc, nullptr);
    auto* existing = new VTTagSet(doc);
    existing->SetName("Shapes");
    doc->GetElementsOfType(ElementType::TagSet).AddElement(existing, -1);
    existing->AddTag("round");

    // A new set, as the tag set editor makes it, gets tags and is cancelled.
    {
        std::unique_ptr<VTTagSet> created(new VTTagSet(doc));
        created->SetTemporary(true);
        ASSERT_NE(created->AddTag("red"), nullptr);
        ASSERT_NE(created->AddTag("blue", 0), nullptr);
        EXPECT_EQ(created->GetNumberOfUsedTags(), 2u);
    }
    // A working copy of an existing set gets a tag and is cancelled.
    {
        std::unique_ptr<VTTagSet> copy(VTTagSet::CreateTemporary_CallerMustDelete(existing, nullptr));
        ASSERT_NE(copy->AddTag("square"), nullptr);
        EXPECT_EQ(existing->GetNumberOfUsedTags(), 1u);
    }
    EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::TagSet).Size(), 1u);
    EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::Tag).Size(), 1u);

    // Confirmed edits bring their tags along: a new set handed over, a committed copy.
    auto* confirmed = new VTTagSet(doc);
    VTTag* green = confirmed->AddTag("green");
    ASSERT_TRUE(doc->GetElementsOfType(ElementType::TagSet).AddElement(confirmed, -1));
    EXPECT_EQ(doc->LookupElementByTypeAndID(ElementType::Tag, green->GetID()), green);
    std::unique_ptr<VTTagSet> copy(VTTagSet::CreateTemporary_CallerMustDelete(existing, nullptr));
    const std::uint32_t squareID = copy->AddTag("square", 0)->GetID();
    ASSERT_TRUE(existing->CopySettingsFrom(*copy));
    copy.reset();
    ASSERT_EQ(existing->GetNumberOfUsedTags(), 2u);
    auto* square = dynamic_cast<VTTag*>(existing->GetCollectionOfUsedTags_deprecated().GetUsedElementPtr(0));
    ASSERT_NE(square, nullptr);
    EXPECT_EQ(square->GetID(), squareID);
    EXPECT_EQ(square->GetParentTagset_CallerMustCheckForNull(), existing);
    EXPECT_EQ(doc->GetReadOnlyElementsOfType(ElementType::Tag).Size(), 3u);

    const wxString file = Path("tags.vt6");
    ASSERT_TRUE(doc->OnSaveDocument(file));
    TestSupport::ClearLog();
    VTExperiment loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(file)) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    EXPECT_EQ(loaded.GetReadOnlyElementsOfType(ElementType::Tag).Size(), 3u);
    EXPECT_EQ(loaded.GetReadOnlyElementsOfType(ElementType::TagSet).Size(), 2u);
}

TEST_F(Documents, IdsAreNeverGivenOutAgainAfterAReload)
{
    VTExperiment x;
    auto* a = new VTTrial(&x);
    auto* b = new VTTrial(&x);
    x.GetElementsOfType(ElementType::Trial).AddElement(a, -1);
    x.GetElementsOfType(ElementType::Trial).AddElement(b, -1);
    const std::uint32_t removed = b->GetID();
    ASSERT_TRUE(x.DeleteElementAndItsLinks(b));
    const wxString file = Path("ids.vt6");
    ASSERT_TRUE(x.OnSaveDocument(file));
    VTExperiment loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(file));
    VTTrial fresh(&loaded);
    EXPECT_GT(fresh.GetID(), removed);
}

namespace {

TEST_F(Documents, TheLargestIdsSaveToADocumentThatOpensAgain)
{
    // A list item and elements with the largest id once stepped the next-id counters
    // past it, and the saved file was refused.
    const std::string text =
        R"({"format": "Study Station experiment", "version": 1, "elements": [
             {"type": 8, "id": 2147483647, "items": [{"id": 2147483647, "text": "top"}]},
             {"type": 2, "id": 2147483647, "name": "last"}]})";
    const wxString file = Path("largest.vt6");
    TestSupport::WriteWholeFile(file, text);
    VTExperiment* doc = Open(file);
    ASSERT_NE(doc, nullptr) << TestSupport::LogAsText();
    VTStimList* list = doc->GetStimListIfacePtr(2147483647u);
    ASSERT_NE(list, nullptr);
    // The next item and element take free ids below the top.
    const std::uint32_t item = list->AddTextItem("next");
    EXPECT_GE(item, 1u);
    EXPECT_LT(item, 2147483647u);
    const std::uint32_t element = doc->AllocateNewElementID(ElementType::Event);
    EXPECT_GE(element, 1u);
    EXPECT_LT(element, 2147483647u);

    for (const char* name : {"saved.vt6", "saved-again.vt6"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(doc->OnSaveDocument(Path(name))) << TestSupport::LogAsText();
        TestSupport::ClearLog();
        doc = Open(Path(name));
        ASSERT_NE(doc, nullptr) << TestSupport::LogAsText();
        list = doc->GetStimListIfacePtr(2147483647u);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetItemCount(), 2u);
    }
}

TEST_F(Documents, ManyOrphanTagsAreRemovedWithOneWarning)
{
    std::string elements;
    for (int id = 1; id <= 20000; ++id)
        elements += (id > 1 ? "," : "") + std::string(R"({"type": 12, "id": )") + std::to_string(id) +
                    R"(, "name": "t", "parent": 99})";
    const wxString file = Path("orphans.vt6");
    TestSupport::WriteWholeFile(file, R"({"format": "Study Station experiment", "version": 1, "elements": [)" +
                                          elements + "]}");
    VTExperiment* doc = Open(file);
    ASSERT_NE(doc, nullptr) << TestSupport::LogAsText();
    EXPECT_EQ(doc->GetElementsOfType(ElementType::Tag).Size(), 0u);
    int warnings = 0;
    for (const auto& record : TestSupport::RecordedLog())
        if (record.level == wxLOG_Warning) ++warnings;
    EXPECT_EQ(warnings, 1) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::LogContains(
        "20000 tags belong to no tag set and were removed; the first: The tag \"t\" (id 1).", wxLOG_Warning))
        << TestSupport::LogAsText();
}

}  // namespace
