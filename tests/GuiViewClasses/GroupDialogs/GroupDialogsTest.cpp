// The participant group editor, opened from a list view and from a choice, and the
// groups list: what the user sees and what reaches the group.
#include "Resources/EmbeddedResources.h"
#include "ScriptedDialog.h"
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
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/xrc/xmlres.h>

#include <deque>
#include <memory>
#include <vector>

using namespace Vantrel;

namespace {

// Answers the modal dialogs in the order they open: a script that works the shown
// dialog (and ends it), or for a message box the text it showed, recorded and
// answered with OK without showing it.
class DialogScript : public wxModalDialogHook
{
public:
    DialogScript() { Register(); }
    ~DialogScript() override { Unregister(); }
    DialogScript& Then(std::function<void(wxDialog&)> script)
    {
        m_Steps.push_back(std::move(script));
        return *this;
    }
    std::vector<wxString> messages;
    int opened = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        ++opened;
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            messages.push_back(box->GetMessage() + " | " + box->GetTitle());
            // Confirmations are agreed to; notices only have OK.
            return (box->GetMessageDialogStyle() & wxYES_NO) ? wxID_YES : wxID_OK;
        }
        if (m_Steps.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog->GetTitle();
            return wxID_CANCEL;
        }
        auto step = std::move(m_Steps.front());
        m_Steps.pop_front();
        wxTheApp->CallAfter([dialog, step] {
            if (!TestSupport::PumpUntil([&] { return dialog->IsShownOnScreen(); })) ADD_FAILURE() << "never shown";
            TestSupport::PumpFor(100);
            step(*dialog);
            if (!TestSupport::PumpUntil([&] { return !dialog->IsShown(); }, 5000)) {
                ADD_FAILURE() << "dialog still open after its script";
                dialog->EndModal(wxID_CANCEL);
            }
        });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::deque<std::function<void(wxDialog&)>> m_Steps;
};

wxWindow* Find(wxDialog& d, const char* name) { return d.FindWindow(XRCID(name)); }

void Settle()
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(80);
    wxTheApp->ProcessIdle();
}

void Click(wxDialog& d, const char* name)
{
    wxWindow* button = Find(d, name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return button->IsShownOnScreen() && button->IsEnabled(); }, 3000))
        << name << " is not offered";
    TestSupport::ClickWindow(button);
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

class GroupDialogs : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        wxXmlResource::Get()->InsertHandler(new VTListViewXmlHandler);
        Init_bitmaps_XRC();
        Init_ui_db_XRC();
    }

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
    DialogScript script;
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
    EXPECT_EQ(script.opened, 1);
    EXPECT_FALSE(all->m_RunAllBlocks);
    EXPECT_EQ(BlockNames(*all), "B1 B2 B3");
}

// From a list view: previous/next shown; the group's blocks first in its order,
// then the rest; checks survive moves and the stored order is the list order.
TEST_F(GroupDialogs, FromListOrderedSelectionReachesTheGroupInOrder)
{
    listView->SetSelection(1);
    DialogScript script;
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
    DialogScript script;
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

// A link whose block is gone is not shown (and not stored again).
TEST_F(GroupDialogs, LinksWithoutTheirBlockAreSkipped)
{
    some->GetBlocksUsedByTheGroup().AppendLinkForLoading(9999, 0);
    listView->SetSelection(1);
    DialogScript script;
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
    DialogScript script;
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
        // Delete two, the third is refused.
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
    ASSERT_FALSE(script.messages.empty());
    EXPECT_EQ(script.messages.back(),
              "A Vantrel experiment needs at least one participant group. | You cannot delete the last group.");
}

}  // namespace
