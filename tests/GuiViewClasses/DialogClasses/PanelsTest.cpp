// The at-a-glance indicators and the heading panel with its note.

#include "DialogQueue.h"
#include "EditorFixture.h"
#include "TestEditors.h"

#include <GuiViewClasses/MiscGui/AtAGlancePanel.h>
#include <GuiViewClasses/MiscGui/BTEDlgHeadingPanelWithNote.h>
#include <UserInterface/Dialogs/NoteModalSheet.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTTrial.h>

#include <wx/app.h>
#include <wx/hyperlink.h>
#include <wx/stattext.h>

using namespace Vantrel;

namespace {

wxStaticText* Text(wxWindow* panel, int id) { return dynamic_cast<wxStaticText*>(panel->FindWindow(id)); }

void Idle()
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(30);
}

class Panels : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Panels", wxPoint(0, 0), wxSize(700, 250));
        frame->Show();
    }
    void TearDown() override { frame->Destroy(); }
    wxFrame* frame = nullptr;
};

}  // namespace

TEST_F(Panels, AnIndicatorShowsOnlyOnceItsFunctionIsInstalled)
{
    auto* panel = new AtAGlancePanel(0, frame);
    frame->Layout();
    Idle();
    for (wxWindow* child : panel->GetChildren()) EXPECT_FALSE(child->IsShown());
    EXPECT_EQ(panel->RelayoutCount(), 0) << "nothing installed, nothing changes";
    wxString rules = "2";
    panel->SetNumRulesFunctor([&] { return rules; });
    Idle();
    for (wxWindow* child : panel->GetChildren()) {
        const bool rulesColumn =
            child->GetId() == AtAGlancePanel::ID_RULES_NUMBER || child->GetId() == AtAGlancePanel::ID_RULES_NOUN;
        EXPECT_EQ(child->IsShown(), rulesColumn) << child->GetId();
    }
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_RULES_NUMBER)->GetToolTipText(), "Number of rules used in this block");
}

TEST_F(Panels, CountsTakeTheirNounsSingularOnlyForOneAndZeroIsGrey)
{
    auto* panel = new AtAGlancePanel(1, frame);
    wxString children = "0";
    panel->SetNumChildrenFunctor([&] { return children; }, false);
    struct Case
    {
        const char* count;
        const char* noun;
        wxColour numberColour;
        wxColour nounColour;
    };
    const Case cases[] = {
        {"0", "EVENTS", GRAY, *wxBLACK}, {"2", "EVENTS", *wxBLUE, *wxBLUE},  {"1", "EVENT", *wxBLUE, *wxBLUE},
        {"0", "EVENTS", GRAY, *wxBLACK}, {"00", "EVENTS", *wxBLUE, *wxBLUE},
    };
    for (const Case& c : cases) {
        children = c.count;
        Idle();
        EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NUMBER)->GetLabel(), c.count);
        EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NOUN)->GetLabel(), c.noun) << c.count;
        EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NUMBER)->GetForegroundColour(), c.numberColour) << c.count;
        EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NOUN)->GetForegroundColour(), c.nounColour) << c.count;
    }
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NUMBER)->GetToolTipText(), "Number of events in this trial");
}

TEST_F(Panels, FlagsChangeOnlyWhenTheirValueChangesAndNothingRelaysOutOtherwise)
{
    auto* panel = new AtAGlancePanel(0, frame);
    bool random = false, tags = false;
    wxString trials = "3";
    panel->SetHasRandomFunctor([&] { return random; });
    panel->SetHasTagsFunctor([&] { return tags; });
    panel->SetNumChildrenFunctor([&] { return trials; }, true);
    Idle();
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_RANDOM_WORD)->GetLabel(), "OFF");
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_CHILDREN_NOUN)->GetLabel(), "TRIALS");
    const int afterFirst = panel->RelayoutCount();
    EXPECT_EQ(afterFirst, 1) << "the first count is always written";
    for (int i = 0; i < 5; ++i) Idle();
    EXPECT_EQ(panel->RelayoutCount(), afterFirst) << "no relayout while nothing changed";
    random = true;
    tags = true;
    Idle();
    EXPECT_EQ(panel->RelayoutCount(), afterFirst + 1);
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_RANDOM_WORD)->GetLabel(), "ON");
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_RANDOM_WORD)->GetForegroundColour(), *wxBLUE);
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_TAGS_WORD)->GetLabel(), "HAS TAGS");
    frame->Hide();
    random = false;
    Idle();
    EXPECT_EQ(Text(panel, AtAGlancePanel::ID_RANDOM_WORD)->GetLabel(), "ON") << "not polled while hidden";
}

// ---- heading panel

namespace {

// Answers the one question the heading panel asks of its editor.
class LockOnlyEditor : public Interface_MasterVTObjectEditor
{
public:
    bool IsNewObject() const override { return false; }
    VTExperiment* TheExperiment() const override { return nullptr; }
    Minimal_VTElement* TheTempObject() const override { return nullptr; }
    Minimal_VTElement* TheOriginalObject() const override { return nullptr; }
    IVTListCtrl* TheListCtrl() const override { return nullptr; }
    Interface_UsesRules* TempCopyObjectUsingRules() const override { return nullptr; }
    bool IsCurrentlyInteractingWithUser() const override { return true; }
    bool DialogIsLocked() const override { return locked; }
    bool locked = false;
};

int Page(wxWindow* panel, int bookId)
{
    return dynamic_cast<Orbisk::OrbiskChoiceBookWithHiddenCtrl*>(panel->FindWindow(bookId))->GetSelection();
}

// Types the note into the note sheet and confirms it.
std::function<void(wxDialog&)> NoteSheet(const wxString& text, int button = wxID_OK)
{
    return [text, button](wxDialog& d) {
        auto& sheet = dynamic_cast<NoteModalSheet&>(d);
        sheet.GetTextField()->SetValue(text);
        TestSupport::ClickWindow(d.FindWindow(button));
    };
}

}  // namespace

TEST_F(Panels, TheNoteShowsAsALinkAndTextAndIsEditedInTheSheet)
{
    LockOnlyEditor master;
    auto* heading = new BTEDlgHeadingPanelWithNote("Trial", 1, frame, &master);
    frame->SetSizer(new wxBoxSizer(wxVERTICAL));
    frame->GetSizer()->Add(heading, wxSizerFlags().Expand());
    frame->Layout();
    EXPECT_EQ(
        dynamic_cast<wxStaticText*>(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_HEADING_LABEL))->GetLabel(),
        "Trial Name:");
    heading->InitialHeadingSetup("T1", "");
    EXPECT_EQ(heading->GetNameCtrl()->GetValue(), "T1");
    EXPECT_EQ(Page(heading, BTEDlgHeadingPanelWithNote::ID_LEFT_NOTE_BOOK), 0);
    EXPECT_EQ(Page(heading, BTEDlgHeadingPanelWithNote::ID_RIGHT_NOTE_BOOK), 0) << "only \"Add Note...\"";

    auto* display = dynamic_cast<wxTextCtrl*>(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_NOTE_DISPLAY));
    {
        DialogQueue queue;
        queue.Then(NoteSheet("  indented note \t\n\n"));
        TestSupport::ClickWindow(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_ADD_NOTE_LINK));
        TestSupport::PumpUntil([&] { return queue.Opened() == 1 && !display->GetValue().empty(); });
    }
    EXPECT_EQ(display->GetValue(), "  indented note") << "trailing blanks and breaks go, leading ones stay";
    EXPECT_EQ(Page(heading, BTEDlgHeadingPanelWithNote::ID_LEFT_NOTE_BOOK), 1);
    EXPECT_EQ(Page(heading, BTEDlgHeadingPanelWithNote::ID_RIGHT_NOTE_BOOK), 1);

    {
        DialogQueue queue;
        queue.Then(NoteSheet("discarded", wxID_CANCEL));
        TestSupport::ClickWindow(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_NOTE_LINK));
        TestSupport::PumpUntil([&] { return queue.Opened() == 1; });
        TestSupport::PumpFor(100);
    }
    EXPECT_EQ(display->GetValue(), "  indented note") << "a cancelled sheet changes nothing";

    VTTrial trial(nullptr);
    heading->UsePanelStateToMutateActualGivenTrial(trial);
    EXPECT_EQ(trial.GetNotes(), "  indented note");

    {
        DialogQueue queue;
        queue.Then(NoteSheet(" \n "));
        TestSupport::ClickWindow(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_NOTE_LINK));
        TestSupport::PumpUntil([&] { return queue.Opened() == 1 && display->GetValue().empty(); });
    }
    EXPECT_EQ(Page(heading, BTEDlgHeadingPanelWithNote::ID_RIGHT_NOTE_BOOK), 0) << "back to \"Add Note...\"";

    master.locked = true;
    DialogQueue none;
    TestSupport::ClickWindow(heading->FindWindow(BTEDlgHeadingPanelWithNote::ID_ADD_NOTE_LINK));
    TestSupport::PumpFor(200);
    EXPECT_EQ(none.Opened(), 0) << "a locked editor's note cannot change";
}
