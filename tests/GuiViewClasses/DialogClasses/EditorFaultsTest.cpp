// The paths on which an editor must refuse, throw or do nothing rather than
// corrupt the experiment, and the code-built base's reuse and rule links.

#include "EditorFixture.h"
#include "TestEditors.h"

#include <VTCore/VTRule.h>
#include <VTPlugInCommon/VTException.h>

using namespace Vantrel;
using namespace EditorDriver;

template <class Kinds>
class EditorFaults : public EditorFixture<Kinds>
{};
TYPED_TEST_SUITE(EditorFaults, EditorKinds, EditorKindNames);

TYPED_TEST(EditorFaults, AnEditorWithoutAUsableListThrowsBeforeAnyWindowOrCopyExists)
{
    struct Case
    {
        const char* what;
        wxWindow* list;
        bool isNew;
    };
    this->listView->SetSelection(-1);
    const Case cases[] = {
        {"no list window", nullptr, true},
        {"a window that is no list", this->host, false},
        {"an existing element without a selected row", this->listView, false},
    };
    for (const Case& c : cases) {
        TestSupport::ClearLog();
        int opened = -1;
        EXPECT_THROW(this->Launch(
                         c.list, c.isNew, false, [](wxDialog& dialog) { dialog.EndModal(wxID_CANCEL); }, &opened),
                     VantrelSDK::VTException)
            << c.what;
        EXPECT_TRUE(TestSupport::LogContains("Error with list items in base dialog.", wxLOG_Error)) << c.what;
        EXPECT_EQ(TypeParam::Element::Live(), 3) << c.what;
    }
}

TYPED_TEST(EditorFaults, PreviousAndNextOverAChoiceDoNothing)
{
    this->Select(0);
    bool unchanged = false;
    this->Launch(this->choice, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Edited");
        auto* editor = dynamic_cast<typename TypeParam::Editor*>(&dialog);
        editor->OnOKPrevOrNext(Find(dialog, "ID_OK_NEXT")->GetId());
        unchanged = NameCtrl(dialog)->GetValue() == "Edited" && this->At(0)->GetName() == "Alpha" &&
                    this->choice->GetSelection() == 0;
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(unchanged);
    EXPECT_FALSE(this->experiment->IsModified());
}

TYPED_TEST(EditorFaults, ANewElementTheExperimentRefusesStaysWithTheEditor)
{
    bool stayedOpen = false;
    const bool ok = this->Launch(this->listView, true, false, [&](wxDialog& dialog) {
        // Another element takes the working copy's id first.
        auto* taken = new typename TypeParam::Element(
            *static_cast<typename TypeParam::Element*>(this->editor->TheTempObject()), this->experiment.get());
        taken->SetName("Squatter");
        ASSERT_TRUE(this->Elements().AddElement(taken, -1));
        Enter(dialog, "text_name", "Refused");
        Click(dialog, "wxID_OK");
        Settle();
        stayedOpen = dialog.IsShown();
        EXPECT_TRUE(this->editor->TheTempObject()->IsTemporary());
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(TestSupport::LogContains("could not be added", wxLOG_Error)) << TestSupport::LogAsText();
    EXPECT_EQ(this->listView->GetItemCount(), 3) << "no row for the refused element";
    EXPECT_EQ(this->Names(), (std::vector<wxString>{"Alpha", "Beta", "Gamma", "Squatter"}));
    EXPECT_FALSE(this->experiment->IsModified());
}

TYPED_TEST(EditorFaults, TheEditorAnswersAboutItsElement)
{
    this->Select(2);
    this->Launch(this->listView, false, false, [&](wxDialog& dialog) {
        EXPECT_FALSE(this->editor->IsNewObject());
        EXPECT_EQ(this->editor->TheExperiment(), this->experiment.get());
        EXPECT_EQ(this->editor->TheOriginalObject(), this->At(2));
        EXPECT_NE(this->editor->TheTempObject(), this->At(2));
        EXPECT_EQ(this->editor->TheTempObject()->GetID(), this->At(2)->GetID());
        EXPECT_TRUE(this->editor->TheTempObject()->IsTemporary());
        EXPECT_EQ(this->editor->TheListCtrl()->GetWnd(), this->listView);
        EXPECT_TRUE(this->editor->IsCurrentlyInteractingWithUser());
        const bool blocksHaveRules = std::is_same<TypeParam, CodeBuiltEditors>::value;
        EXPECT_EQ(this->editor->TempCopyObjectUsingRules() != nullptr, blocksHaveRules);
        Click(dialog, "wxID_CANCEL");
    });
}

// ---- The resource-laid-out base only

class XrcEditorFaults : public EditorFixture<XrcEditors>
{
protected:
    void TearDown() override
    {
        XrcEditors::Editor::s_Resource = "dlg_test_group_editor";
        EditorFixture<XrcEditors>::TearDown();
    }
};

TEST_F(XrcEditorFaults, WithoutANotebookOkStillEndsTheDialogAndCommitsOnce)
{
    XrcEditors::Editor::s_Resource = "dlg_test_group_editor_no_notebook";
    this->Select(0);
    EXPECT_TRUE(Launch(listView, false, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Alpha 2");
        Click(dialog, "wxID_OK");
    }));
    EXPECT_EQ(At(0)->GetName(), "Alpha 2");
    EXPECT_TRUE(Launch(listView, true, false, [&](wxDialog& dialog) {
        Enter(dialog, "text_name", "Delta");
        Click(dialog, "wxID_OK");
        Settle();
        EXPECT_FALSE(dialog.IsShown());
    }));
    EXPECT_EQ(Names(), (std::vector<wxString>{"Delta", "Alpha 2", "Beta", "Gamma"}));
}

TEST_F(XrcEditorFaults, CancelDoesNotRecordThePage)
{
    XrcEditors::RememberedPage() = 0;
    Select(0);
    Launch(listView, false, false, [&](wxDialog& dialog) {
        dynamic_cast<wxBookCtrlBase*>(Find(dialog, "notebook"))->SetSelection(1);
        Click(dialog, "wxID_CANCEL");
    });
    EXPECT_EQ(XrcEditors::RememberedPage(), 0);
}

// ---- The code-built base only

class CodeBuiltEditorReuse : public EditorFixture<CodeBuiltEditors>
{
protected:
    using Editor = CodeBuiltEditors::Editor;

    int ShowOnce(Editor& dialog, const std::function<void(wxDialog&)>& script)
    {
        ScriptedDialog hook(script);
        dialog.InitDialog();
        return dialog.ShowModal();
    }
};

TEST_F(CodeBuiltEditorReuse, OneInstanceEditsElementAfterElement)
{
    Select(0);
    auto* dialog = new Editor(host, experiment.get(), listView, false, false);
    EXPECT_EQ(ShowOnce(*dialog,
                       [&](wxDialog& d) {
                           Enter(d, "text_name", "Alpha 2");
                           Click(d, "wxID_OK");
                       }),
              wxID_OK);
    dialog->SimulateDestruction();
    EXPECT_EQ(CountedBlock::Live(), 3) << "no working copy waits in an editor put aside";
    Select(2);
    dialog->SimulateRepeatOfConstructor(experiment.get(), listView, false, false);
    EXPECT_EQ(ShowOnce(*dialog,
                       [&](wxDialog& d) {
                           EXPECT_EQ(NameCtrl(d)->GetValue(), "Gamma");
                           Enter(d, "text_name", "Gamma 2");
                           Click(d, "wxID_OK");
                       }),
              wxID_OK);
    EXPECT_EQ(Names(), (std::vector<wxString>{"Alpha 2", "Beta", "Gamma 2"}));
    // A failed re-initialisation keeps the editor as it was.
    listView->SetSelection(-1);
    EXPECT_THROW(dialog->SimulateRepeatOfConstructor(experiment.get(), listView, false, false),
                 VantrelSDK::VTException);
    EXPECT_EQ(dialog->TheOriginalObject(), At(2));
    dialog->Destroy();
}

TEST_F(CodeBuiltEditorReuse, AnEditorMadeAheadOfUseHoldsNoWorkingCopy)
{
    experiment->SetLocked(true);
    TestSupport::ClearLog();
    auto* dialog = new Editor(host, experiment.get(), listView, true, false);
    dialog->GuiInitialization(true);
    dialog->SimulateDestruction();
    EXPECT_EQ(CountedBlock::Live(), 3);
    EXPECT_EQ(dialog->TheTempObject(), nullptr);
    dialog->Destroy();
}

TEST_F(CodeBuiltEditorReuse, RuleLinksOfTheOriginalChangeAtOnceOutsideTheMinimalLock)
{
    auto* rule = new VTRule(experiment.get());
    rule->SetName("Rule");
    ASSERT_TRUE(experiment->GetElementsOfType(ElementType::Rule).AddElement(rule, -1));
    Select(1);
    Launch(listView, false, false, [&](wxDialog& d) {
        auto& editor = dynamic_cast<Editor&>(d);
        experiment->SetLockStateMinimal_forUseInPreview(true);
        editor.EditOriginalObjectLinkToRule(rule, true);
        EXPECT_FALSE(At(1)->UsesRule(rule));
        experiment->SetLockStateMinimal_forUseInPreview(false);
        editor.EditOriginalObjectLinkToRule(rule, true);
        EXPECT_TRUE(At(1)->UsesRule(rule));
        EXPECT_FALSE(editor.TheTempObject()->UsesRule(rule)) << "the working copy is left alone";
        Click(d, "wxID_CANCEL");
    });
    EXPECT_TRUE(At(1)->UsesRule(rule)) << "the link stands after Cancel";
    EXPECT_TRUE(experiment->IsModified());
    Select(1);
    Launch(listView, false, false, [&](wxDialog& d) {
        dynamic_cast<Editor&>(d).EditOriginalObjectLinkToRule(rule, false);
        Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(At(1)->UsesRule(rule));
}
