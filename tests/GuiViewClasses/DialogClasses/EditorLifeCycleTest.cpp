// The life cycle that both element editor bases give every editor, driven through
// real dialogs: OK, Cancel, the name check, previous/next, insert-repeatedly, the
// locks and the memory of page and geometry. The fixture's tear-down proves that
// no working copy outlives its editor on any of these paths.

#include "EditorFixture.h"
#include "TestEditors.h"

#include <wx/config.h>
#include <wx/notebook.h>

using namespace Vantrel;
using namespace EditorDriver;

template <class Kinds>
class EditorLifeCycle : public EditorFixture<Kinds>
{};
TYPED_TEST_SUITE(EditorLifeCycle, EditorKinds, EditorKindNames);

TYPED_TEST(EditorLifeCycle, OkWritesTheWorkingCopyBackAndMarksTheExperimentModified)
{
    this->Select(1);
    auto* beta = this->At(1);
    int liveWhileOpen = -1;
    const bool ok = this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_EQ(NameCtrl(dialog)->GetValue(), "Beta");
        liveWhileOpen = TypeParam::Element::Live();
        Enter(dialog, "text_name", "Beta renamed");
        Enter(dialog, "edit_notes", "first line\nsecond line");
        EXPECT_EQ(beta->GetName(), "Beta") << "nothing is written before OK";
        Click(dialog, "wxID_OK");
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(liveWhileOpen, 4) << "one working copy while the editor is open";
    EXPECT_EQ(beta->GetName(), "Beta renamed");
    EXPECT_EQ(beta->GetNotes(), "first line\nsecond line");
    EXPECT_FALSE(beta->IsTemporary());
    EXPECT_TRUE(this->experiment->IsModified());
    EXPECT_EQ(this->Names(), (std::vector<wxString>{"Alpha", "Beta renamed", "Gamma"}));
}

TYPED_TEST(EditorLifeCycle, OkThroughAChoiceRenamesItsRowAndKeepsItSelected)
{
    this->Select(2);
    EXPECT_TRUE(this->Launch(this->choice, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Gamma renamed");
        Click(dialog, "wxID_OK");
    }));
    EXPECT_EQ(this->choice->GetString(2), "Gamma renamed");
    EXPECT_EQ(this->choice->GetSelection(), 2);
    EXPECT_EQ(this->listView->GetItemText(2), "Gamma") << "a list view is refilled by its owner";
}

TYPED_TEST(EditorLifeCycle, CancelLeavesTheExperimentUntouched)
{
    this->Select(0);
    const bool ok = this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Changed");
        Enter(dialog, "edit_notes", "notes");
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(this->At(0)->GetName(), "Alpha");
    EXPECT_EQ(this->At(0)->GetNotes(), "");
    EXPECT_FALSE(this->experiment->IsModified());
}

TYPED_TEST(EditorLifeCycle, OkIsOfferedOnlyForANameWithMoreThanWhiteSpace)
{
    this->Select(0);
    const bool ok = this->Launch(this->listView, true, false, [&](wxDialog& dialog) {
        EXPECT_FALSE(ShownAndEnabled(dialog, "wxID_OK")) << "a new element starts without a name";
        EXPECT_FALSE(Find(dialog, "ID_OK_NEXT")->IsShown()) << "a new element has no neighbours";
        Enter(dialog, "text_name", "   ");
        EXPECT_FALSE(ShownAndEnabled(dialog, "wxID_OK"));
        Enter(dialog, "text_name", " x ");
        EXPECT_TRUE(ShownAndEnabled(dialog, "wxID_OK"));
        Enter(dialog, "text_name", "");
        EXPECT_FALSE(ShownAndEnabled(dialog, "wxID_OK"));
        Enter(dialog, "text_name", "Delta\twith\ntabs");
        Click(dialog, "wxID_OK");
    });
    EXPECT_TRUE(ok);
    ASSERT_EQ(this->Count(), 4);
    // The base inserts at the selected row, in the experiment and in the list.
    EXPECT_EQ(this->At(0)->GetName(), "Delta with tabs") << "the name is cleaned to one line";
    EXPECT_EQ(this->listView->GetItemText(0), "Delta with tabs");
    EXPECT_EQ(this->listView->GetUserData(0), reinterpret_cast<wxUIntPtr>(this->At(0)));
    EXPECT_TRUE(this->experiment->IsModified());
}

TYPED_TEST(EditorLifeCycle, ADuplicateNameIsRefusedWithTheMessageAndTheDialogStaysOpen)
{
    this->Select(0);
    bool stayedOpen = false;
    const bool ok = this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Gamma");
        Click(dialog, "wxID_OK");
        Settle();
        stayedOpen = dialog.IsShown();
        EXPECT_TRUE(TestSupport::LogContains("already used")) << TestSupport::LogAsText();
        EXPECT_TRUE(NameCtrl(dialog)->HasFocus());
        EXPECT_EQ(NameCtrl(dialog)->GetValue(), "Gamma") << "everything stays as typed";
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(ok);
    EXPECT_EQ(this->At(0)->GetName(), "Alpha");
    EXPECT_FALSE(this->experiment->IsModified());
}

TYPED_TEST(EditorLifeCycle, PreviousAndNextCommitAndWalkTheListView)
{
    this->Select(0);
    std::vector<wxString> shown;
    const bool ok = this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_TRUE(ShownAndEnabled(dialog, "ID_OK_PREV"));
        EXPECT_TRUE(ShownAndEnabled(dialog, "ID_OK_NEXT"));
        Enter(dialog, "text_name", "Alpha 2");
        Click(dialog, "ID_OK_NEXT");
        shown.push_back(NameCtrl(dialog)->GetValue());
        Click(dialog, "ID_OK_NEXT");
        shown.push_back(NameCtrl(dialog)->GetValue());
        Click(dialog, "ID_OK_NEXT");  // stays on the last row
        shown.push_back(NameCtrl(dialog)->GetValue());
        EXPECT_TRUE(ShownAndEnabled(dialog, "ID_OK_NEXT")) << "enabled on the last row too";
        Click(dialog, "ID_OK_PREV");
        shown.push_back(NameCtrl(dialog)->GetValue());
        Enter(dialog, "text_name", "");
        EXPECT_FALSE(ShownAndEnabled(dialog, "ID_OK_PREV")) << "no empty name is committed";
        EXPECT_FALSE(ShownAndEnabled(dialog, "ID_OK_NEXT"));
        Enter(dialog, "text_name", "Beta 2");
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(ok) << "Alpha was committed on the way, so the caller refreshes";
    EXPECT_EQ(shown, (std::vector<wxString>{"Beta", "Gamma", "Gamma", "Beta"}));
    EXPECT_EQ(this->Names(), (std::vector<wxString>{"Alpha 2", "Beta", "Gamma"})) << "Cancel keeps what was committed";
    EXPECT_EQ(this->listView->GetSelection(), 1);
    EXPECT_TRUE(this->experiment->IsModified());
}

TYPED_TEST(EditorLifeCycle, PreviousAndNextAreHiddenForOneRowAndForAChoice)
{
    this->Select(1);
    this->Launch(this->choice, false, false, [&](wxDialog& dialog) {
        EXPECT_FALSE(Find(dialog, "ID_OK_PREV")->IsShown()) << "a choice cannot move its selection";
        EXPECT_FALSE(Find(dialog, "ID_OK_NEXT")->IsShown());
        Click(dialog, "wxID_CANCEL");
    });
    this->listView->Clear();
    this->listView->AppendWithData("Beta", reinterpret_cast<wxUIntPtr>(this->At(1)));
    this->listView->SetSelection(0);
    this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_FALSE(Find(dialog, "ID_OK_PREV")->IsShown()) << "one row has no neighbours";
        EXPECT_FALSE(Find(dialog, "ID_OK_NEXT")->IsShown());
        Click(dialog, "wxID_CANCEL");
    });
}

TYPED_TEST(EditorLifeCycle, InsertRepeatedlyAtARowPutsEachNewElementBeforeTheLast)
{
    this->Select(2);
    const bool ok = this->Launch(this->listView, true, true, [&](wxDialog& dialog) {
        EXPECT_EQ(Find(dialog, "wxID_CANCEL")->GetLabel(), "Done");
        for (const char* name : {"One", "Two", "Three"}) {
            Enter(dialog, "text_name", name);
            Click(dialog, "wxID_OK");
            EXPECT_EQ(NameCtrl(dialog)->GetValue(), "") << "a fresh element follows";
            EXPECT_FALSE(ShownAndEnabled(dialog, "wxID_OK"));
        }
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(ok) << "\"Done\" after commits reports them";
    EXPECT_EQ(this->Names(), (std::vector<wxString>{"Alpha", "Beta", "Three", "Two", "One", "Gamma"}));
    for (int row = 0; row < this->Count(); ++row) {
        EXPECT_EQ(this->listView->GetItemText(row), this->At(row)->GetName());
        EXPECT_EQ(this->listView->GetUserData(row), reinterpret_cast<wxUIntPtr>(this->At(row)));
    }
}

TYPED_TEST(EditorLifeCycle, InsertRepeatedlyAtTheEndKeepsTheOrderOfEntry)
{
    this->Select(0);
    const bool ok =
        this->template Launch<typename TypeParam::EndInsertEditor>(this->choice, true, true, [&](wxDialog& dialog) {
            for (const char* name : {"One", "Two"}) {
                Enter(dialog, "text_name", name);
                Click(dialog, "wxID_OK");
            }
            Click(dialog, "wxID_CANCEL");
        });
    EXPECT_TRUE(ok);
    EXPECT_EQ(this->Names(), (std::vector<wxString>{"Alpha", "Beta", "Gamma", "One", "Two"}));
    EXPECT_EQ(this->choice->GetString(3), "One");
    EXPECT_EQ(this->choice->GetString(4), "Two");
}

TYPED_TEST(EditorLifeCycle, DoneWithoutCommitsReportsNothing)
{
    EXPECT_FALSE(this->Launch(this->listView, true, true, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Never");
        Click(dialog, "wxID_CANCEL");
    }));
    EXPECT_EQ(this->Count(), 3);
}

TYPED_TEST(EditorLifeCycle, ALockedExperimentOpensReadOnlyAndOkWritesNothing)
{
    this->experiment->SetLocked(true, "Locked for the test.");
    this->Select(1);
    const bool ok = this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_TRUE(this->editor->DialogIsLocked());
        EXPECT_FALSE(NameCtrl(dialog)->IsEnabled());
        auto* book = dynamic_cast<wxBookCtrlBase*>(Find(dialog, "notebook"));
        for (size_t page = 0; page < book->GetPageCount(); ++page) {
            EXPECT_FALSE(book->GetPage(page)->IsEnabled());
            for (wxWindow* child : book->GetPage(page)->GetChildren()) EXPECT_FALSE(child->IsEnabled());
        }
        Click(dialog, "wxID_OK");
    });
    EXPECT_FALSE(ok) << "a locked editor ends as if cancelled";
    EXPECT_FALSE(this->experiment->IsModified());
    EXPECT_EQ(this->At(1)->GetName(), "Beta");
}

TYPED_TEST(EditorLifeCycle, TheLauncherRefusesANewElementInALockedExperiment)
{
    this->experiment->SetLocked(true, "Locked for the test.");
    int opened = -1;
    EXPECT_FALSE(this->Launch(
        this->listView, true, false, [](wxDialog& dialog) { dialog.EndModal(wxID_OK); }, &opened));
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(TestSupport::LogContains("Locked for the test.", wxLOG_Error)) << TestSupport::LogAsText();
    EXPECT_EQ(this->Count(), 3);
}

TYPED_TEST(EditorLifeCycle, PreviousAndNextInTheMinimalLockMoveWithoutWriting)
{
    this->experiment->SetLockStateMinimal_forUseInPreview(true);
    this->Select(0);
    std::vector<wxString> shown;
    this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Preview edit");
        Click(dialog, "ID_OK_NEXT");
        shown.push_back(NameCtrl(dialog)->GetValue());
        Click(dialog, "ID_OK_PREV");
        shown.push_back(NameCtrl(dialog)->GetValue());
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_EQ(shown, (std::vector<wxString>{"Beta", "Alpha"}));
    EXPECT_EQ(this->At(0)->GetName(), "Alpha");
    EXPECT_FALSE(this->experiment->IsModified());
}

TYPED_TEST(EditorLifeCycle, PageAndGeometryAreRememberedAcrossOpenings)
{
    TypeParam::RememberedPage() = 0;
    const wxRect placed(40, 50, 520, 420);
    this->Select(0);
    this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        dynamic_cast<wxBookCtrlBase*>(Find(dialog, "notebook"))->SetSelection(1);
        dialog.SetSize(placed);
        Settle();
        Click(dialog, "wxID_OK");
    });
    wxConfigBase* config = wxConfigBase::Get();
    const wxString group = wxString("/") + TypeParam::PersistenceName() + "/";
    EXPECT_EQ(config->ReadLong(group + "window_width", -1), 520);
    EXPECT_EQ(config->ReadLong(group + "window_height", -1), 420);
    this->Select(1);
    this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_EQ(dynamic_cast<wxBookCtrlBase*>(Find(dialog, "notebook"))->GetSelection(), 1);
        EXPECT_EQ(dialog.GetSize(), placed.GetSize());
        EXPECT_EQ(dialog.GetPosition(),
                  wxPoint(config->ReadLong(group + "window_x", -1), config->ReadLong(group + "window_y", -1)));
        Click(dialog, "wxID_CANCEL");
    });
}

TYPED_TEST(EditorLifeCycle, ANewEditorWhoseNameEqualsTheLastOneSeenCanStillOfferOk)
{
    this->Launch(this->listView, true, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Same");
        Click(dialog, "wxID_CANCEL");
    });
    bool offered = false;
    this->Launch(this->listView, true, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Same");
        offered = ShownAndEnabled(dialog, "wxID_OK");
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(offered);
}
