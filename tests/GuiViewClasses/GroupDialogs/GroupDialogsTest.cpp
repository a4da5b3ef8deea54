// The participant group editor, opened from a list view and from a choice, and the
// groups list: what the user sees and what reaches the group.
#include "DialogQueue.h"
#include "EditorDriver.h"
#include "Outside/VTRuntime/FixtureExperiment.h"
#include "TestSupport.h"

#include <GuiViewClasses/GroupDialogs/VTEditGroupDlg.h>
#include <GuiViewClasses/GroupDialogs/VTParticipantGroupsDlg.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/choice.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/process.h>
#include <wx/radiobut.h>
#include <wx/tokenzr.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include <memory>
#include <vector>

using namespace Vantrel;

namespace {

using EditorDriver::Find;
using EditorDriver::Settle;

// Clicks and lets the dialog react before the test looks.
void Click(wxDialog& d, const char* name)
{
    EditorDriver::Click(d, name);
    Settle();
}

VTListCtrlCheckableSimple* Blocks(wxDialog& d)
{
    return dynamic_cast<VTListCtrlCheckableSimple*>(Find(d, "ID_LISTBLOCKS"));
}

// "B3+ B1+ B2-": the rows with their check marks.
wxString Rows(wxDialog& d)
{
    Settle();
    VTListCtrlCheckableSimple* list = Blocks(d);
    wxString out;
    for (int row = 0; row < list->GetCount(); ++row)
        out << (row ? " " : "") << list->GetItemText(row) << (list->IsChecked(row) ? "+" : "-");
    return out;
}

void SelectRow(wxDialog& d, int row)
{
    Blocks(d)->SetSelection(row);
    Settle();
}

// Selects a row as the user does: a click on its name (not on its check box), which
// also gives the list the keyboard.
void ClickRowName(wxDialog& d, int row)
{
    VTListCtrlCheckableSimple* list = Blocks(d);
    wxRect rect;
    ASSERT_TRUE(list->GetItemRect(row, rect));
    wxUIActionSimulator sim;
    sim.MouseMove(list->ClientToScreen(wxPoint(rect.x + rect.width * 2 / 3, rect.y + rect.height / 2)));
    TestSupport::PumpFor(50);
    sim.MouseClick();
    // Long enough that the next click is never taken for the second of a double click.
    TestSupport::PumpFor(500);
    ASSERT_EQ(list->GetSelection(), row);
}

// Presses Space and waits until the rows read `expected`.
void PressSpaceExpecting(wxDialog& d, const wxString& expected)
{
    wxUIActionSimulator().Char(WXK_SPACE);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return Rows(d) == expected; }, 3000)) << Rows(d);
}

class GroupDialogs : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EditorDriver::LoadProgramResources(); }

    void SetUp() override
    {
        TestSupport::ClearLog();
        experiment = std::make_unique<VTExperiment>();
        for (const char* name : {"B1", "B2", "B3"}) blocks.push_back(AddBlock(name));
        all = AddGroup("Everyone");
        some = AddGroup("Some");
        some->m_RunAllBlocks = false;
        some->AddUsedBlock(blocks[2]);
        some->AddUsedBlock(blocks[0]);
        host = new wxFrame(nullptr, wxID_ANY, "Groups", wxPoint(0, 0), wxSize(320, 320));
        listView = new VTSimpleListView(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 150));
        listView->InitColumns();
        choice = new wxChoice(host, wxID_ANY, wxPoint(0, 160), wxSize(300, -1));
        host->Show();
        Refill();
        experiment->Modify(false);
    }
    void TearDown() override
    {
        host->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
    }

    VTBlock* AddBlock(const char* name)
    {
        auto* block = new VTBlock(experiment.get());
        block->SetName(name);
        EXPECT_TRUE(experiment->GetElementsOfType(ElementType::Block).AddElement(block, -1));
        return block;
    }
    VTParticipantGroup* AddGroup(const char* name)
    {
        auto* group = new VTParticipantGroup(experiment.get());
        group->SetName(name);
        EXPECT_TRUE(experiment->GetElementsOfType(ElementType::ParticipantGroup).AddElement(group, -1));
        return group;
    }
    VTElementsList& Groups() { return experiment->GetElementsOfType(ElementType::ParticipantGroup); }
    void Refill()
    {
        listView->Clear();
        choice->Clear();
        for (size_t i = 0; i < Groups().Size(); ++i) {
            listView->AppendWithData(Groups()[i]->GetName(), reinterpret_cast<wxUIntPtr>(Groups()[i]));
            choice->Append(Groups()[i]->GetName(), static_cast<void*>(Groups()[i]));
        }
    }
    bool Edit(wxWindow* list, bool isNew)
    {
        return FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditGroupDlg>(
            host, experiment.get(), list, isNew, false, -1, 0, {});
    }
    static wxString BlockNames(VTParticipantGroup& group)
    {
        wxString out;
        VTUsedElements& used = group.GetBlocksUsedByTheGroup();
        for (unsigned i = 0; i < used.Size(); ++i)
            out << (i ? " " : "") << (used.GetUsedElementPtr(i) ? used.GetUsedElementPtr(i)->GetName() : "?");
        return out;
    }

    std::unique_ptr<VTExperiment> experiment;
    std::vector<VTBlock*> blocks;
    VTParticipantGroup* all = nullptr;
    VTParticipantGroup* some = nullptr;
    wxFrame* host = nullptr;
    VTSimpleListView* listView = nullptr;
    wxChoice* choice = nullptr;
};

// From the run dialog's road (a choice): no previous/next; a run-all group shows
// every block checked under a disabled list; choosing "Run only..." stores all
// blocks in list order.
TEST_F(GroupDialogs, FromChoiceRunAllGroupSwitchesToItsListedBlocks)
{
    choice->SetSelection(0);
    DialogQueue script;
    script.Then([&](wxDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Group Editor");
        EXPECT_FALSE(Find(d, "ID_OK_PREV")->IsShown());
        EXPECT_FALSE(Find(d, "ID_OK_NEXT")->IsShown());
        EXPECT_TRUE(static_cast<wxRadioButton*>(Find(d, "ID_RADIO_RUNALLBLOCKS"))->GetValue());
        EXPECT_EQ(Rows(d), "B1+ B2+ B3+");
        EXPECT_FALSE(Blocks(d)->IsEnabled());
        Click(d, "ID_RADIO_RUNSOMEBLOCKS");
        EXPECT_TRUE(static_cast<wxRadioButton*>(Find(d, "ID_RADIO_RUNSOMEBLOCKS"))->GetValue());
        EXPECT_TRUE(Blocks(d)->IsEnabled());
        Click(d, "wxID_OK");
    });
    EXPECT_TRUE(Edit(choice, false));
    EXPECT_EQ(script.Opened(), 1);
    EXPECT_FALSE(all->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*all), "B1 B2 B3");
}

// From a list view: previous/next shown; the group's blocks first in its order,
// then the rest; checks survive moves and the stored order is the list order.
TEST_F(GroupDialogs, FromListOrderedSelectionReachesTheGroupInOrder)
{
    listView->SetSelection(1);
    DialogQueue script;
    script.Then([&](wxDialog& d) {
        EXPECT_TRUE(Find(d, "ID_OK_PREV")->IsShown());
        EXPECT_TRUE(Find(d, "ID_OK_NEXT")->IsShown());
        EXPECT_EQ(Rows(d), "B3+ B1+ B2-");
        Blocks(d)->Check(2, true);  // check B2
        SelectRow(d, 2);
        Click(d, "ID_UP");  // B2 above B1
        EXPECT_EQ(Rows(d), "B3+ B2+ B1+");
        EXPECT_EQ(Blocks(d)->GetSelection(), 1);
        SelectRow(d, 0);
        Click(d, "ID_DOWN");  // B3 below B2
        EXPECT_EQ(Rows(d), "B2+ B3+ B1+");
        Blocks(d)->Check(1, false);  // uncheck B3
        SelectRow(d, 2);
        Click(d, "ID_UP");
        EXPECT_EQ(Rows(d), "B2+ B1+ B3-");
        Click(d, "wxID_OK");
    });
    EXPECT_TRUE(Edit(listView, false));
    EXPECT_FALSE(some->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*some), "B2 B1");

    // What the editor stored is what the document keeps.
    const wxString file = wxFileName::CreateTempFileName("groups") + ".vtx";
    ASSERT_TRUE(experiment->OnSaveDocument(file));
    VTExperiment reloaded;
    ASSERT_TRUE(reloaded.OnOpenDocument(file));
    wxRemoveFile(file);
    VTElementsList& groups = reloaded.GetElementsOfType(ElementType::ParticipantGroup);
    ASSERT_EQ(groups.Size(), 2u);
    auto* again = static_cast<VTParticipantGroup*>(groups[1]);
    EXPECT_FALSE(again->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*again), "B2 B1");
}

// Cancel writes nothing; "Run only..." with nothing checked stores no blocks.
TEST_F(GroupDialogs, CancelKeepsTheGroupAndAnEmptySelectionIsStored)
{
    listView->SetSelection(1);
    DialogQueue script;
    script
        .Then([&](wxDialog& d) {
            Blocks(d)->Check(0, false);
            Click(d, "ID_RADIO_RUNALLBLOCKS");
            Click(d, "wxID_CANCEL");
        })
        .Then([&](wxDialog& d) {
            Blocks(d)->Check(0, false);
            Blocks(d)->Check(1, false);
            Click(d, "wxID_OK");
        });
    EXPECT_FALSE(Edit(listView, false));
    EXPECT_FALSE(some->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*some), "B3 B1");
    EXPECT_TRUE(Edit(listView, false));
    EXPECT_FALSE(some->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*some), "");
}

// The blocks list is worked from the keyboard: Space checks and unchecks the
// selected block as a click on its box does, and OK stores what it shows.
TEST_F(GroupDialogs, SpaceTogglesTheSelectedBlock)
{
    listView->SetSelection(1);
    DialogQueue script;
    script.Then([&](wxDialog& d) {
        EXPECT_EQ(Rows(d), "B3+ B1+ B2-");
        ClickRowName(d, 2);
        EXPECT_EQ(Rows(d), "B3+ B1+ B2-") << "a click on the name selects without toggling";
        PressSpaceExpecting(d, "B3+ B1+ B2+");
        ClickRowName(d, 0);
        PressSpaceExpecting(d, "B3- B1+ B2+");
        PressSpaceExpecting(d, "B3+ B1+ B2+");
        PressSpaceExpecting(d, "B3- B1+ B2+");
        Click(d, "wxID_OK");
    });
    EXPECT_TRUE(Edit(listView, false));
    EXPECT_EQ(script.Opened(), 1);
    EXPECT_EQ(BlockNames(*some), "B1 B2");
}

// A link whose block is gone is not shown (and not stored again).
TEST_F(GroupDialogs, LinksWithoutTheirBlockAreSkipped)
{
    some->GetBlocksUsedByTheGroup().AppendLinkForLoading(9999, 0);
    listView->SetSelection(1);
    DialogQueue script;
    script.Then([&](wxDialog& d) {
        EXPECT_EQ(Rows(d), "B3+ B1+ B2-");
        Click(d, "wxID_OK");
    });
    EXPECT_TRUE(Edit(listView, false));
    EXPECT_EQ(BlockNames(*some), "B3 B1");
}

// The groups list: New adds a group through the editor; the last group cannot be deleted.
TEST_F(GroupDialogs, GroupsListAddsGroupsAndKeepsTheLast)
{
    DialogQueue script;
    auto* dialog = new VTParticipantGroupsDlg(host, experiment.get());
    auto* list = dialog->GetListView();
    script.Then([&](wxDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Participant Groups");
        Settle();
        ASSERT_EQ(list->GetCount(), 2);
        // New group through the editor.
        script.Then([&](wxDialog& editor) {
            EXPECT_TRUE(Find(editor, "ID_OK_PREV") == nullptr || !Find(editor, "ID_OK_PREV")->IsShown());
            Find(editor, "text_name")->SetFocus();
            static_cast<wxTextCtrl*>(Find(editor, "text_name"))->SetValue("Late");
            Settle();
            Click(editor, "wxID_OK");
        });
        Click(d, "ID_NEW");
        ASSERT_TRUE(TestSupport::PumpUntil([&] { return list->GetCount() == 3; }, 3000));
        EXPECT_TRUE(experiment->IsModified());
        // Delete two (each asked and agreed to), the third is refused.
        script.Answer(wxID_YES).Answer(wxID_YES).Answer(wxID_OK);
        for (int i = 0; i < 3; ++i) {
            list->SetSelection(0);
            Settle();
            Click(d, "ID_DELETE");
        }
        EXPECT_EQ(list->GetCount(), 1);
        Click(d, "wxID_CANCEL");
    });
    dialog->ShowModal();
    dialog->Destroy();
    ASSERT_EQ(Groups().Size(), 1u);
    EXPECT_EQ(Groups()[0]->GetName(), "Late");
    ASSERT_FALSE(script.Messages().empty());
    EXPECT_EQ(script.Messages().back(),
              "A Vantrel experiment needs at least one participant group. | You cannot delete the last group.");
}

// A locked experiment deletes no group: Delete asks nothing and logs why.
TEST_F(GroupDialogs, LockedExperimentKeepsItsGroupsAndSaysWhy)
{
    experiment->SetLocked(true, "Locked for the test.");
    DialogQueue script;
    auto* dialog = new VTParticipantGroupsDlg(host, experiment.get());
    auto* list = dialog->GetListView();
    script.Then([&](wxDialog& d) {
        Settle();
        list->SetSelection(1);
        Settle();
        TestSupport::ClearLog();
        Click(d, "ID_DELETE");
        EXPECT_EQ(list->GetCount(), 2);
        EXPECT_TRUE(TestSupport::LogContains("The participant group \"Some\" cannot be deleted. Locked for the test.",
                                             wxLOG_Error))
            << TestSupport::LogAsText();
        Click(d, "wxID_CANCEL");
    });
    dialog->ShowModal();
    dialog->Destroy();
    EXPECT_EQ(script.Opened(), 1);  // the list only: no question was put
    ASSERT_EQ(Groups().Size(), 2u);
    EXPECT_EQ(Groups()[1], some);
    EXPECT_FALSE(experiment->IsModified());
}

// The run tool as a participant's run starts it, for one group; its exit code, or
// -1 when it had not ended after 50 s (it is then killed). `output` gets what it printed.
class ToolProcess : public wxProcess
{
public:
    ToolProcess() { Redirect(); }
    void OnTerminate(int, int status) override
    {
        exitCode = status;
        ended = true;
    }
    bool ended = false;
    int exitCode = -1;
};

int RunTool(const wxString& experimentFile, const wxString& group, const wxString& dataFile, wxString& output)
{
    const wxString args[] = {STUDYSTATION_RUN_TOOL, experimentFile, "--group", group, "--data", dataFile,
                             "--subject",           "group-run"};
    std::vector<const wchar_t*> argv;
    for (const wxString& arg : args) argv.push_back(arg.wc_str());
    argv.push_back(nullptr);
    ToolProcess tool;
    const long pid = wxExecute(argv.data(), wxEXEC_ASYNC, &tool);
    if (pid <= 0) return -1;
    if (!TestSupport::PumpUntil([&] { return tool.ended; }, 50000)) {
        wxProcess::Kill(int(pid), wxSIGKILL);
        TestSupport::PumpUntil([&] { return tool.ended; }, 5000);
        return -1;
    }
    for (wxInputStream* stream : {tool.GetInputStream(), tool.GetErrorStream()})
        while (stream && stream->CanRead()) {
            char buffer[512];
            stream->Read(buffer, sizeof buffer);
            output << wxString::FromUTF8(buffer, stream->LastRead());
        }
    return tool.exitCode;
}

// What a data file says: its group and the blocks of its rows in order, each once
// per stretch ("B3 B2").
struct DataFileSummary
{
    wxString group;
    wxString blocks;
};

DataFileSummary Summarise(const wxString& path)
{
    DataFileSummary summary;
    wxFFile file(path, "rb");
    wxString text;
    if (!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) return summary;
    int blockColumn = -1;  // known once the column titles were read
    wxString last;
    wxStringTokenizer lines(text, "\n");
    while (lines.HasMoreTokens()) {
        const wxArrayString fields = wxSplit(lines.GetNextToken(), '\t', '\0');
        if (blockColumn < 0) {
            if (fields.size() == 2 && fields[0] == "Group") summary.group = fields[1];
            if (fields.Index("Block") != wxNOT_FOUND && fields.Index("Trial") != wxNOT_FOUND)
                blockColumn = fields.Index("Block");
            continue;
        }
        if (int(fields.size()) <= blockColumn) continue;
        const wxString& block = fields[size_t(blockColumn)];
        if (block != last) summary.blocks << (summary.blocks.empty() ? "" : " ") << block;
        last = block;
    }
    return summary;
}

// End to end: the blocks each group's editor chose, in the order it gave them, are
// what the run tool presents to a participant of that group, and the data file
// names the group.
TEST_F(GroupDialogs, EachGroupRunsTheBlocksItsEditorChoseInThatOrder)
{
    for (VTBlock* block : blocks) {
        auto* trial = Fixture::Add<VTTrial>(*experiment, ElementType::Trial, "Trial " + block->GetName());
        trial->AddUsedEvent(Fixture::TextEvent(*experiment, "Word " + block->GetName(), block->GetName(), 30));
        block->AddUsedTrial(trial);
    }
    DialogQueue script;
    script
        .Then([&](wxDialog& d) {  // "Everyone": only B3 then B2
            Click(d, "ID_RADIO_RUNSOMEBLOCKS");
            SelectRow(d, 2);
            Click(d, "ID_UP");
            Click(d, "ID_UP");
            EXPECT_EQ(Rows(d), "B3+ B1+ B2+");
            Blocks(d)->Check(1, false);
            Click(d, "wxID_OK");
        })
        .Then([&](wxDialog& d) {  // "Some": B1 before B3
            SelectRow(d, 1);
            Click(d, "ID_UP");
            EXPECT_EQ(Rows(d), "B1+ B3+ B2-");
            Click(d, "wxID_OK");
        });
    listView->SetSelection(0);
    EXPECT_TRUE(Edit(listView, false));
    listView->SetSelection(1);
    EXPECT_TRUE(Edit(listView, false));

    const wxString folder = wxString::FromUTF8(TestSupport::MakeTempFolder("group-run"));
    const wxString file = folder + "/groups.vt6";
    ASSERT_TRUE(experiment->OnSaveDocument(file)) << TestSupport::LogAsText();
    const struct
    {
        const char* group;
        const char* blocks;
    } cases[] = {{"Everyone", "B3 B2"}, {"Some", "B1 B3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        const wxString data = folder + "/" + c.group + ".txt";
        wxString output;
        ASSERT_EQ(RunTool(file, c.group, data, output), 0) << output;
        const DataFileSummary summary = Summarise(data);
        EXPECT_EQ(summary.group, c.group);
        EXPECT_EQ(summary.blocks, c.blocks) << output;
    }
}

}  // namespace
