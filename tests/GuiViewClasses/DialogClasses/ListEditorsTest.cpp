// The list editors: the handlers' reselection after each action, checked against
// the experiment's order, and the list dialog over all elements of one type with
// the test group editor behind its New and Edit.

#include "DialogQueue.h"
#include "EditorFixture.h"
#include "TestEditors.h"

#include <GuiViewClasses/DialogClasses/listeditdlg.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTPlugInCommon/VTException.h>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

using namespace Vantrel;
using namespace EditorDriver;

namespace {

// A code-built window that gives its list and buttons the fixed ids of the
// handlers and edits the experiment's groups in their order.
class OrderedGroupsHost : public wxFrame, public IOrderedListEditor
{
public:
    enum
    {
        ID_LIST = 25714,
        ID_UP,
        ID_DOWN,
        ID_DELETE,
        ID_NEW,
        ID_EDIT
    };

    explicit OrderedGroupsHost(VTExperiment* experiment)
        : wxFrame(nullptr, wxID_ANY, "Ordered", wxPoint(0, 0), wxSize(420, 320)), m_Experiment(experiment)
    {
        auto* top = new wxBoxSizer(wxVERTICAL);
        m_List = new VTSimpleListView(this, ID_LIST, wxDefaultPosition, wxSize(400, 150));
        m_List->InitColumns();
        m_Adapter.Bind(m_List);
        top->Add(m_List, wxSizerFlags(1).Expand());
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        for (auto [id, label] :
             {std::pair{ID_NEW, "New"}, {ID_EDIT, "Edit"}, {ID_DELETE, "Delete"}, {ID_UP, "Up"}, {ID_DOWN, "Down"}})
            row->Add(new wxButton(this, id, label));
        top->Add(row);
        SetSizer(top);
        m_Handler = new VTOrderedListEditorEvtHandler(this);
        PushEventHandler(m_Handler);
    }
    ~OrderedGroupsHost() override
    {
        RemoveEventHandler(m_Handler);
        delete m_Handler;
    }

    bool EditItem(int index) override
    {
        if (throwOnEdit) throw VantrelSDK::VTException("Editing failed for the test.");
        if (index != -1) return true;
        auto* group = new CountedGroup(m_Experiment);
        group->SetName(wxString::Format("New %d", ++m_Created));
        return Groups().AddElement(group, -1);
    }
    void DeleteItem(unsigned int index) override { m_Experiment->DeleteElementAndItsLinks(Groups()[index]); }
    void FillList() override
    {
        VTElementsListEditDlg::FillElementsList(m_Experiment, m_List, ElementType::ParticipantGroup);
    }
    IVTListCtrl* GetList() override { return &m_Adapter; }
    void MoveItemUp(int index) override
    {
        if (throwOnMove) throw VantrelSDK::VTException("Moving failed for the test.");
        Groups().ExchangeElements(size_t(index), size_t(index - 1));
    }
    void MoveItemDown(int index) override
    {
        if (throwOnMove) throw VantrelSDK::VTException("Moving failed for the test.");
        Groups().ExchangeElements(size_t(index), size_t(index + 1));
    }

    VTSimpleListView* List() { return m_List; }
    VTOrderedListEditorEvtHandler* Handler() { return m_Handler; }
    bool throwOnEdit = false;
    bool throwOnMove = false;

private:
    VTElementsList& Groups() { return m_Experiment->GetElementsOfType(ElementType::ParticipantGroup); }

    VTExperiment* m_Experiment;
    VTSimpleListView* m_List;
    IVTListCtrlImplForListCtrl m_Adapter;
    VTOrderedListEditorEvtHandler* m_Handler;
    int m_Created = 0;
};

class ListEditors : public EditorFixture<XrcEditors>
{
protected:
    void SetUp() override
    {
        EditorFixture<XrcEditors>::SetUp();
        ordered = new OrderedGroupsHost(experiment.get());
        ordered->Show();
        Settle();  // the first idle event fills the list
    }
    void TearDown() override
    {
        ordered->Destroy();
        EditorFixture<XrcEditors>::TearDown();
    }
    std::vector<wxString> Rows()
    {
        std::vector<wxString> rows;
        for (int i = 0; i < ordered->List()->GetItemCount(); ++i) rows.push_back(ordered->List()->GetItemText(i));
        return rows;
    }
    bool Offered(int id)
    {
        Settle();
        return ordered->FindWindow(id)->IsEnabled();
    }

    OrderedGroupsHost* ordered = nullptr;
};

}  // namespace

TEST_F(ListEditors, TheFirstIdleFillsTheListAndSelectsTheFirstRow)
{
    EXPECT_EQ(Rows(), (std::vector<wxString>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(ordered->List()->GetSelection(), 0);
    ordered->List()->SetSelection(2);
    Elements()[0]->SetName("Alpha 2");
    ordered->Handler()->ReInit();
    Settle();
    EXPECT_EQ(Rows(), (std::vector<wxString>{"Alpha 2", "Beta", "Gamma"}));
    EXPECT_EQ(ordered->List()->GetSelection(), 0);
}

TEST_F(ListEditors, EachActionLeavesASensibleSelectionInTheModelsOrder)
{
    using Order = std::vector<wxString>;
    enum Action
    {
        New = OrderedGroupsHost::ID_NEW,
        Delete = OrderedGroupsHost::ID_DELETE,
        Up = OrderedGroupsHost::ID_UP,
        Down = OrderedGroupsHost::ID_DOWN
    };
    struct Case
    {
        Action action;
        const char* where;
        bool onlyRow;
        int selected;  // before; -1 none
        bool offered;
        Order order;    // after
        int selection;  // after
    };
    const Order abc{"Alpha", "Beta", "Gamma"};
    const Case cases[] = {
        {New, "first", false, 0, true, {"Alpha", "Beta", "Gamma", "New 1"}, 3},
        {New, "middle", false, 1, true, {"Alpha", "Beta", "Gamma", "New 1"}, 3},
        {New, "last", false, 2, true, {"Alpha", "Beta", "Gamma", "New 1"}, 3},
        {New, "only row", true, 0, true, {"Alpha", "New 1"}, 1},
        {New, "none", false, -1, true, {"Alpha", "Beta", "Gamma", "New 1"}, 3},
        {Delete, "first", false, 0, true, {"Beta", "Gamma"}, 0},
        {Delete, "middle", false, 1, true, {"Alpha", "Gamma"}, 1},
        {Delete, "last", false, 2, true, {"Alpha", "Beta"}, 1},
        {Delete, "only row", true, 0, true, {}, -1},
        {Delete, "none", false, -1, false, abc, -1},
        {Up, "first", false, 0, false, abc, 0},
        {Up, "middle", false, 1, true, {"Beta", "Alpha", "Gamma"}, 0},
        {Up, "last", false, 2, true, {"Alpha", "Gamma", "Beta"}, 1},
        {Up, "only row", true, 0, false, {"Alpha"}, 0},
        {Up, "none", false, -1, false, abc, -1},
        {Down, "first", false, 0, true, {"Beta", "Alpha", "Gamma"}, 1},
        {Down, "middle", false, 1, true, {"Alpha", "Gamma", "Beta"}, 2},
        {Down, "last", false, 2, false, abc, 2},
        {Down, "only row", true, 0, false, {"Alpha"}, 0},
        {Down, "none", false, -1, false, abc, -1},
    };
    ordered->Destroy();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "action " << c.action << ", selection " << c.where);
        // A fresh experiment of three groups (or one) for each case.
        experiment = std::make_unique<VTExperiment>();
        for (const char* name : {"Alpha", "Beta", "Gamma"})
            if (!c.onlyRow || Count() == 0) Add(name);
        ordered = new OrderedGroupsHost(experiment.get());
        ordered->Show();
        Settle();
        ordered->List()->SetSelection(c.selected);
        EXPECT_EQ(Offered(c.action), c.offered);
        if (c.offered) TestSupport::ClickWindow(ordered->FindWindow(c.action));
        EXPECT_EQ(Names(), c.order);
        EXPECT_EQ(Rows(), c.order) << "the list shows the model's order";
        EXPECT_EQ(ordered->List()->GetSelection(), c.selection);
        ordered->Destroy();
        TestSupport::PumpFor(20);
    }
    ordered = new OrderedGroupsHost(experiment.get());
}

TEST_F(ListEditors, EditAndMoveFailuresAreShownAndLeaveTheListAsItWas)
{
    ordered->List()->SetSelection(1);
    ordered->throwOnEdit = true;
    TestSupport::ClickWindow(ordered->FindWindow(OrderedGroupsHost::ID_EDIT));
    EXPECT_TRUE(TestSupport::LogContains("Editing failed for the test.", wxLOG_Error)) << TestSupport::LogAsText();
    ordered->throwOnMove = true;
    TestSupport::ClickWindow(ordered->FindWindow(OrderedGroupsHost::ID_UP));
    TestSupport::ClickWindow(ordered->FindWindow(OrderedGroupsHost::ID_DOWN));
    EXPECT_TRUE(TestSupport::LogContains("Moving failed for the test.", wxLOG_Error));
    EXPECT_EQ(Rows(), (std::vector<wxString>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(Names(), Rows());
    EXPECT_EQ(ordered->List()->GetSelection(), 1);
}

// ---- the list dialog over all groups, with the test group editor

namespace {

using GroupEditor = XrcEditors::EndInsertEditor;

class TestGroupsListDlg : public VTElementsListEditDlg
{
public:
    TestGroupsListDlg(VTExperiment* experiment, const wxString& purpose)
        : VTElementsListEditDlg(nullptr, experiment, "Participant Groups", purpose, ElementType::ParticipantGroup)
    {}
    bool EditItem(int index) override
    {
        if (!FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<GroupEditor>(
                this, m_Experiment, m_List, index == -1, false, -1, 0, {}))
            return false;
        return VTElementsListEditDlg::EditItem(index);
    }
};

wxString Description(wxDialog& dialog)
{
    return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(XRCID("text_description")))->GetValue();
}

}  // namespace

class ElementsListDialog : public EditorFixture<XrcEditors>
{
protected:
    void SetUp() override
    {
        EditorFixture<XrcEditors>::SetUp();
        At(1)->SetNotes("Beta's note");
        VTDeletionMgr::SetAnswerer([](wxWindow*, const wxString&) { return true; });
    }
    void TearDown() override
    {
        VTDeletionMgr::SetAnswerer(nullptr);
        EditorFixture<XrcEditors>::TearDown();
    }
    VTSimpleListView* List(wxDialog& dialog)
    {
        return dynamic_cast<VTSimpleListView*>(dialog.FindWindow(XRCID("list")));
    }
};

TEST_F(ElementsListDialog, NewEditAndDeleteGoThroughTheEditorAndTheModel)
{
    TestGroupsListDlg dialog(experiment.get(), "Groups decide which blocks run.");
    EXPECT_EQ(dialog.GetPersistenceName(), "VTElementsListEditDlg_Of_Type_9");
    DialogQueue queue;
    queue
        .Then([&](wxDialog& d) {
            EXPECT_EQ(d.GetTitle(), "Participant Groups");
            EXPECT_EQ(dynamic_cast<wxStaticText*>(d.FindWindow(XRCID("text_purpose")))->GetLabel(),
                      "Groups decide which blocks run.");
            VTSimpleListView* list = List(d);
            EXPECT_EQ(list->GetSelection(), 0);
            Click(d, "ID_NEW");  // the group editor opens (next entry)
            EXPECT_EQ(list->GetItemText(3), "Delta");
            EXPECT_EQ(list->GetSelection(), 3) << "a created item ends up selected as the last row";
            list->SetSelection(1);
            Settle();
            EXPECT_EQ(Description(d), "Beta's note");
            Click(d, "ID_EDIT");  // the editor renames Beta
            EXPECT_EQ(list->GetItemText(1), "Beta 2");
            EXPECT_EQ(list->GetSelection(), 1);
            Click(d, "ID_DELETE");
            EXPECT_EQ(list->GetSelection(), 1) << "the row that took the deleted one's place";
            EXPECT_EQ(Description(d), "");
            Click(d, "wxID_CANCEL");
        })
        .Then([&](wxDialog& editor) {
            Enter(editor, "text_name", "Delta");
            Click(editor, "wxID_OK");
        })
        .Then([&](wxDialog& editor) {
            EXPECT_EQ(NameCtrl(editor)->GetValue(), "Beta");
            Enter(editor, "text_name", "Beta 2");
            Click(editor, "wxID_OK");
        });
    dialog.ShowModal();
    EXPECT_EQ(Names(), (std::vector<wxString>{"Alpha", "Gamma", "Delta"}));
    EXPECT_TRUE(experiment->IsModified());
}

TEST_F(ElementsListDialog, AnEmptyPurposeTakesNoSpaceAndAnotherTypeIsNotDeleted)
{
    VTElementsListEditDlg dialog(nullptr, experiment.get(), "Blocks", wxString(), ElementType::Block);
    EXPECT_FALSE(dialog.FindWindow(XRCID("text_purpose"))->IsShown());
    auto* block = new VTBlock(experiment.get());
    block->SetName("Block");
    experiment->GetElementsOfType(ElementType::Block).AddElement(block, -1);
    DialogQueue queue;
    queue
        .Then([&](wxDialog& d) {
            Click(d, "ID_DELETE");
            EXPECT_EQ(List(d)->GetItemCount(), 1);
            Click(d, "wxID_CANCEL");
        })
        .Answer(wxID_OK);
    dialog.ShowModal();
    EXPECT_EQ(queue.LastTitle(), "Warning");
    EXPECT_EQ(experiment->GetElementsOfType(ElementType::Block).Size(), 1u);
}

TEST_F(ElementsListDialog, AnEditorThatCannotOpenIsReportedAndTheListStays)
{
    TestGroupsListDlg dialog(experiment.get(), wxString());
    DialogQueue queue;
    queue.Then([&](wxDialog& d) {
        VTSimpleListView* list = List(d);
        list->SetSelection(2);
        list->SetUserData(2, 0);  // a row that lost its element
        Click(d, "ID_EDIT");
        EXPECT_TRUE(TestSupport::LogContains("Error with list items in base dialog.", wxLOG_Error));
        EXPECT_EQ(list->GetItemCount(), 3);
        EXPECT_EQ(list->GetSelection(), 2);
        Click(d, "wxID_CANCEL");
    });
    dialog.ShowModal();
    EXPECT_FALSE(experiment->IsModified());
}
