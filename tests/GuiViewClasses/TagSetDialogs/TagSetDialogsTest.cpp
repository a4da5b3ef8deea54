// The tag sets manager and the tag set editor: what the user sees, what reaches
// the tag sets and tags, and that it is what the document keeps.
#include "DialogQueue.h"
#include "EditorDriver.h"
#include "TagSetsExperiment.h"
#include "TestSupport.h"

#include <GuiViewClasses/TagSetDialogs/VTManageAllTagSetsDlg.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/xrc/xmlres.h>

#include <memory>

using namespace Vantrel;
using TagSets::TagNames;

namespace {

const char* const kBlank = "Sorry, a tag must have characters other than spaces in it.";
const char* const kLastTag = "Sorry, each tag set must contain at least one tag.";

using EditorDriver::Find;
using EditorDriver::Settle;

// Clicks and lets the dialog react before the test looks.
void Click(wxDialog& d, const char* name)
{
    EditorDriver::Click(d, name);
    Settle();
}

bool Offered(wxDialog& d, const char* name)
{
    Settle();
    return Find(d, name)->IsEnabled();
}

// A click on a row of a list view, as the user selects it.
void ClickRow(VTSimpleListView* list, int row)
{
    wxRect rect;
    ASSERT_TRUE(list->GetItemRect(row, rect));
    TagSets::ClickAt(list, wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
    Settle();
    ASSERT_EQ(list->GetSelection(), row);
}

// "Red Green": the rows of a list view.
wxString Rows(VTSimpleListView* list)
{
    Settle();
    wxString out;
    for (int row = 0; row < list->GetCount(); ++row) out << (row ? " " : "") << list->GetItemText(row);
    return out;
}

// Answers the tag name prompt: checks it, then types `answer` and confirms, or
// cancels without an answer.
std::function<void(wxDialog&)> Prompt(const wxString& expectedInitial, const wxString* answer)
{
    const wxString typed = answer ? *answer : wxString();
    const bool confirm = answer != nullptr;
    return [expectedInitial, typed, confirm](wxDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Please enter Value");
        auto* entry = dynamic_cast<wxTextEntryDialog*>(&d);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->GetValue(), expectedInitial);
        if (confirm) entry->SetValue(typed);
        TestSupport::ClickWindow(d.FindWindow(confirm ? wxID_OK : wxID_CANCEL));
    };
}
std::function<void(wxDialog&)> PromptAnswered(const wxString& expectedInitial, const wxString& answer)
{
    return Prompt(expectedInitial, &answer);
}
std::function<void(wxDialog&)> PromptCancelled(const wxString& expectedInitial)
{
    return Prompt(expectedInitial, nullptr);
}

class TagSetDialogs : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EditorDriver::LoadProgramResources(); }

    void SetUp() override
    {
        TestSupport::ClearLog();
        experiment = std::make_unique<VTExperiment>();
        colour = TagSets::AddSet(*experiment, "Colour", VTTagSet::TrialContext, {"Red", "Green"});
        place = TagSets::AddSet(*experiment, "Place", VTTagSet::EventOrListItemContext, {"Left"});
        host = new wxFrame(nullptr, wxID_ANY, "Tags", wxPoint(0, 0), wxSize(200, 100));
        host->Show();
        experiment->Modify(false);
    }
    void TearDown() override
    {
        host->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
    }

    // Shows the manager; `script` works it and ends it with "Done".
    void RunManager(std::function<void(wxDialog&)> script)
    {
        manager = new VTManageAllTagSetsDlg(host, experiment.get());
        queue.Then([this, script](wxDialog& d) {
            EXPECT_EQ(d.GetTitle(), "Tag Sets");
            Settle();
            script(d);
            Click(d, "wxID_CANCEL");
        });
        manager->ShowModal();
        manager->Destroy();
        manager = nullptr;
    }
    VTSimpleListView* Sets() { return manager->GetListView(); }
    VTSimpleListView* Tags() { return manager->GetTagsListView(); }
    VTElementsList& SetList() { return experiment->GetElementsOfType(ElementType::TagSet); }
    VTTagSet* SetAt(std::size_t i) { return dynamic_cast<VTTagSet*>(SetList()[i]); }

    DialogQueue queue;
    std::unique_ptr<VTExperiment> experiment;
    VTTagSet* colour = nullptr;
    VTTagSet* place = nullptr;
    wxFrame* host = nullptr;
    VTManageAllTagSetsDlg* manager = nullptr;
};

// A confirmed new set gets "Tag 1" and the prompt for its name at once; Cancel
// there keeps "Tag 1", an answer names it (without trailing spaces). Choosing the
// context of a new set asks nothing. The document keeps it all.
TEST_F(TagSetDialogs, NewSetGetsTag1AndItsNameIsAskedAtOnce)
{
    RunManager([&](wxDialog& d) {
        ASSERT_EQ(Sets()->GetCount(), 2);
        queue
            .Then([&](wxDialog& editor) {
                EXPECT_EQ(editor.GetTitle(), "Edit Tag Set");
                EXPECT_FALSE(Find(editor, "ID_OK_PREV")->IsShown());
                EXPECT_TRUE(static_cast<wxRadioButton*>(Find(editor, "radio_attach_to_trial"))->GetValue());
                static_cast<wxTextCtrl*>(Find(editor, "text_name"))->SetValue("Shape");
                Click(editor, "radio_attach_to_event");
                Click(editor, "wxID_OK");
            })
            .Then(PromptCancelled("Tag 1"));
        Click(d, "ID_NEW");
        EXPECT_EQ(Rows(Sets()), "Colour Place Shape");
        EXPECT_EQ(Sets()->GetSelection(), 2);
        EXPECT_EQ(Rows(Tags()), "Tag 1");

        queue
            .Then([&](wxDialog& editor) {
                static_cast<wxTextCtrl*>(Find(editor, "text_name"))->SetValue("Size");
                Settle();
                Click(editor, "wxID_OK");
            })
            .Then(PromptAnswered("Tag 1", "Large  "));
        Click(d, "ID_NEW");
        EXPECT_EQ(Rows(Tags()), "Large");
    });
    ASSERT_EQ(SetList().Size(), 4u);
    EXPECT_TRUE(experiment->IsModified());
    EXPECT_EQ(SetAt(2)->GetName(), "Shape");
    EXPECT_EQ(SetAt(2)->m_TagsetContext, VTTagSet::EventOrListItemContext);
    EXPECT_EQ(TagNames(*SetAt(2)), "Tag 1");
    EXPECT_EQ(SetAt(3)->m_TagsetContext, VTTagSet::TrialContext);
    EXPECT_EQ(TagNames(*SetAt(3)), "Large");

    auto reloaded = TagSets::SavedAndReloaded(*experiment);
    VTElementsList& sets = reloaded->GetElementsOfType(ElementType::TagSet);
    ASSERT_EQ(sets.Size(), 4u);
    auto* shape = dynamic_cast<VTTagSet*>(sets[2]);
    EXPECT_EQ(shape->GetName(), "Shape");
    EXPECT_EQ(shape->m_TagsetContext, VTTagSet::EventOrListItemContext);
    EXPECT_EQ(TagNames(*shape), "Tag 1");
    EXPECT_EQ(TagNames(*dynamic_cast<VTTagSet*>(sets[3])), "Large");
}

// Cancel in the editor of a new set leaves no set, no tag and no modification.
TEST_F(TagSetDialogs, CancelledNewSetLeavesNothing)
{
    RunManager([&](wxDialog& d) {
        queue.Then([&](wxDialog& editor) {
            static_cast<wxTextCtrl*>(Find(editor, "text_name"))->SetValue("Shape");
            Click(editor, "radio_attach_to_event");
            Click(editor, "wxID_CANCEL");
        });
        Click(d, "ID_NEW");
        EXPECT_EQ(Rows(Sets()), "Colour Place");
    });
    EXPECT_EQ(SetList().Size(), 2u);
    EXPECT_EQ(TagSets::TagCount(*experiment), 3u);
    EXPECT_FALSE(experiment->IsModified());
}

// New, rename and delete of tags, with their refusals; the document keeps the result.
TEST_F(TagSetDialogs, TagsAreAddedRenamedAndDeleted)
{
    RunManager([&](wxDialog& d) {
        ClickRow(Sets(), 0);
        EXPECT_EQ(Rows(Tags()), "Red Green");
        EXPECT_FALSE(Offered(d, "ID_VAL_EDIT"));
        EXPECT_FALSE(Offered(d, "ID_VAL_DELETE"));

        queue.Then(PromptAnswered("", "   "));
        Click(d, "ID_VAL_NEW");
        EXPECT_TRUE(TestSupport::LogContains(kBlank));
        EXPECT_EQ(Rows(Tags()), "Red Green");
        EXPECT_FALSE(experiment->IsModified());

        queue.Then(PromptAnswered("", "Blue"));
        Click(d, "ID_VAL_NEW");
        EXPECT_EQ(Rows(Tags()), "Red Green Blue");
        EXPECT_TRUE(experiment->IsModified());

        ClickRow(Tags(), 1);
        EXPECT_TRUE(Offered(d, "ID_VAL_EDIT"));
        queue.Then(PromptAnswered("Green", "Lime  "));
        Click(d, "ID_VAL_EDIT");
        EXPECT_EQ(Rows(Tags()), "Red Lime Blue");
        EXPECT_EQ(Tags()->GetSelection(), 1);

        // A blank new name changes nothing.
        TestSupport::ClearLog();
        queue.Then(PromptAnswered("Lime", " "));
        Click(d, "ID_VAL_EDIT");
        EXPECT_TRUE(TestSupport::LogContains(kBlank));
        EXPECT_EQ(Rows(Tags()), "Red Lime Blue");

        // The deletion question answered No keeps the tag and its row selected.
        ClickRow(Tags(), 0);
        queue.Answer(wxID_NO);
        Click(d, "ID_VAL_DELETE");
        EXPECT_EQ(Rows(Tags()), "Red Lime Blue");
        EXPECT_EQ(Tags()->GetSelection(), 0);
        queue.Answer(wxID_YES);
        Click(d, "ID_VAL_DELETE");
        EXPECT_EQ(Rows(Tags()), "Lime Blue");
        ClickRow(Tags(), 0);
        queue.Answer(wxID_YES);
        Click(d, "ID_VAL_DELETE");
        EXPECT_EQ(Rows(Tags()), "Blue");

        // The last tag stays.
        ClickRow(Tags(), 0);
        Click(d, "ID_VAL_DELETE");
        EXPECT_TRUE(TestSupport::LogContains(kLastTag));
        EXPECT_EQ(Rows(Tags()), "Blue");
    });
    EXPECT_EQ(TagNames(*colour), "Blue");
    EXPECT_EQ(TagSets::TagCount(*experiment), 2u);

    auto reloaded = TagSets::SavedAndReloaded(*experiment);
    auto* again = dynamic_cast<VTTagSet*>(reloaded->GetElementsOfType(ElementType::TagSet)[0]);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(TagNames(*again), "Blue");
}

// Listing the tags cleans their stored names (trailing spaces go, a blank name
// becomes "(empty)") and marks the experiment modified; a locked experiment only
// shows the cleaned names.
TEST_F(TagSetDialogs, ListingCleansTagNamesUnlessLocked)
{
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "unlocked");
        VTTagSet* set = TagSets::AddSet(*experiment, locked ? "Locked" : "Open", VTTagSet::TrialContext,
                                        {"  Lead  ", "   ", "Tail"});
        experiment->SetLocked(locked, "Locked for the test.");
        experiment->Modify(false);
        RunManager([&](wxDialog&) {
            ClickRow(Sets(), int(SetList().Size()) - 1);
            EXPECT_EQ(Rows(Tags()), "  Lead (empty) Tail");
        });
        EXPECT_EQ(TagNames(*set), locked ? wxString("  Lead  ") + " " + "   " + " Tail" : "  Lead (empty) Tail");
        EXPECT_EQ(experiment->IsModified(), !locked);
        experiment->SetLocked(false);
    }
}

// A tag set whose deletion is refused is no longer marked for deletion; a deleted
// set takes its tags along and the tags list follows the new selection.
TEST_F(TagSetDialogs, RefusedSetDeletionClearsItsDeleteFlag)
{
    RunManager([&](wxDialog& d) {
        ClickRow(Sets(), 0);
        queue.Answer(wxID_NO);
        Click(d, "ID_DELETE");
        EXPECT_EQ(Rows(Sets()), "Colour Place");
        EXPECT_FALSE(colour->GetDeleteTagsFlag());
        EXPECT_EQ(Sets()->GetSelection(), 0);
        EXPECT_EQ(Rows(Tags()), "Red Green");

        queue.Answer(wxID_YES);
        Click(d, "ID_DELETE");
        EXPECT_EQ(Rows(Sets()), "Place");
        EXPECT_EQ(Rows(Tags()), "Left");
    });
    ASSERT_EQ(SetList().Size(), 1u);
    EXPECT_EQ(TagSets::TagCount(*experiment), 1u);
    EXPECT_FALSE(place->GetDeleteTagsFlag());
    EXPECT_TRUE(experiment->IsModified());
}

// A locked experiment deletes no tag set: Delete asks nothing, logs why and keeps
// the set with its tags and its delete flag clear.
TEST_F(TagSetDialogs, LockedExperimentKeepsItsTagSetsAndSaysWhy)
{
    experiment->SetLocked(true, "Locked for the test.");
    RunManager([&](wxDialog& d) {
        ClickRow(Sets(), 0);
        TestSupport::ClearLog();
        Click(d, "ID_DELETE");
        EXPECT_EQ(Rows(Sets()), "Colour Place");
        EXPECT_EQ(Rows(Tags()), "Red Green");
        EXPECT_TRUE(
            TestSupport::LogContains("The tag set \"Colour\" cannot be deleted. Locked for the test.", wxLOG_Error))
            << TestSupport::LogAsText();
    });
    EXPECT_EQ(queue.Opened(), 1);  // the manager only: no question was put
    ASSERT_EQ(SetList().Size(), 2u);
    EXPECT_EQ(TagSets::TagCount(*experiment), 3u);
    EXPECT_FALSE(colour->GetDeleteTagsFlag());
    EXPECT_FALSE(experiment->IsModified());
    experiment->SetLocked(false);
}

// Changing what a stored set tags is asked first: No keeps the editor open and the
// set unchanged, Yes stores it.
TEST_F(TagSetDialogs, ContextChangeOfAStoredSetIsAskedFirst)
{
    RunManager([&](wxDialog& d) {
        ClickRow(Sets(), 0);
        queue.Then([&](wxDialog& editor) {
            EXPECT_TRUE(static_cast<wxRadioButton*>(Find(editor, "radio_attach_to_trial"))->GetValue());
            Click(editor, "radio_attach_to_event");
            queue.Answer(wxID_NO);
            Click(editor, "wxID_OK");
            EXPECT_TRUE(editor.IsShown());
            EXPECT_EQ(colour->m_TagsetContext, VTTagSet::TrialContext);
            queue.Answer(wxID_YES);
            Click(editor, "wxID_OK");
        });
        Click(d, "ID_EDIT");
    });
    EXPECT_EQ(colour->m_TagsetContext, VTTagSet::EventOrListItemContext);
    EXPECT_EQ(TagNames(*colour), "Red Green");
    ASSERT_EQ(queue.Messages().size(), 2u);
    EXPECT_TRUE(queue.Messages()[0].Contains("\"Colour\" may be in use")) << queue.Messages()[0];
}

// The tag buttons follow the selections; deselecting the only selected set
// empties the tags list.
TEST_F(TagSetDialogs, TagButtonsFollowTheSelections)
{
    RunManager([&](wxDialog& d) {
        ClickRow(Sets(), 1);
        EXPECT_EQ(Rows(Tags()), "Left");
        EXPECT_TRUE(Offered(d, "ID_VAL_NEW"));
        ClickRow(Tags(), 0);
        EXPECT_TRUE(Offered(d, "ID_VAL_EDIT"));
        EXPECT_TRUE(Offered(d, "ID_VAL_DELETE"));

        Sets()->SetItemState(1, 0, wxLIST_STATE_SELECTED);
        Settle();
        EXPECT_EQ(Rows(Tags()), "");
        EXPECT_FALSE(Offered(d, "ID_VAL_NEW"));
        EXPECT_FALSE(Offered(d, "ID_VAL_EDIT"));
        EXPECT_FALSE(Offered(d, "ID_VAL_DELETE"));
    });
}

}  // namespace
