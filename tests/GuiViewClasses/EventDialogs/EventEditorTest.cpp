// The event editor with the real event-type plug-ins, driven through real windows:
// every type created and edited, type switching, file and list modes, the remembered
// file filter, the Input tab's end options and time limits, and the preview through
// the runtime with everything restored afterwards.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <GuiViewClasses/EventDialogs/VTEditEventDlg.h>
#include <GuiViewClasses/EventDialogs/VTEventPlugInPage.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTrial.h>
#include <VTCore/VTTrialVariable.h>
#include <VTPlugInCommon/VTListViews.h>
#include <VTPlugInCommon/VTPresenter.h>
#include <VTPlugInCommon/VTSdkEventInstance.h>
#include <VTPlugInCommon/VTSdkEventPlugin.h>
#include <VTRuntime/VTCompiledExperiment.h>
#include <VTRuntime/VTPlugIn.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "EditorDriver.h"
#include "MediaTestSupport.h"
#include "TestSupport.h"

using namespace Vantrel;

namespace {

// Works the event editor with a script, answers the file prompts it opens from a
// queue (a path and the filter to choose; an empty path cancels) and records every
// message box, answering OK.
class EventEditorHook : public wxModalDialogHook
{
public:
    struct FileAnswer
    {
        wxString path;
        int filter = 0;
        int filterShown = -1;  // what the prompt offered first
        wxString wildcard;
    };

    explicit EventEditorHook(std::function<void(VTEditEventDlg&)> script) : m_Script(std::move(script)) { Register(); }
    ~EventEditorHook() override { Unregister(); }

    std::deque<FileAnswer> files;
    std::vector<FileAnswer> answered;
    std::vector<wxString> messages;
    int editors = 0;

protected:
    int Enter(wxDialog* dialog) override
    {
        // Once its editor has closed, the hook leaves later dialogs to later hooks.
        if (m_Done) return wxID_NONE;
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            messages.push_back(box->GetMessage());
            return wxID_OK;
        }
        if (auto* chooser = dynamic_cast<wxFileDialog*>(dialog)) {
            if (files.empty()) {
                ADD_FAILURE() << "an unexpected file prompt";
                return wxID_CANCEL;
            }
            FileAnswer answer = files.front();
            files.pop_front();
            answer.filterShown = chooser->GetFilterIndex();
            answer.wildcard = chooser->GetWildcard();
            answered.push_back(answer);
            if (answer.path.empty()) return wxID_CANCEL;
            chooser->SetPath(answer.path);
            chooser->SetFilterIndex(answer.filter);
            if (!TestSupport::PumpUntil([&] { return chooser->GetPath() == answer.path; }, 5000))
                ADD_FAILURE() << "the file chooser never took " << answer.path;
            return wxID_OK;
        }
        if (auto* editor = dynamic_cast<VTEditEventDlg*>(dialog)) {
            m_Editor = editor;
            ++editors;
            TestSupport::ScriptShownDialog(editor, [this](wxDialog& d) { m_Script(static_cast<VTEditEventDlg&>(d)); });
            return wxID_NONE;
        }
        ADD_FAILURE() << "an unexpected dialog: " << dialog->GetTitle();
        return wxID_CANCEL;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == m_Editor) m_Done = true;
    }

private:
    std::function<void(VTEditEventDlg&)> m_Script;
    wxDialog* m_Editor = nullptr;
    bool m_Done = false;
};

EventEditorHook::FileAnswer FileTo(const wxString& path, int filter)
{
    EventEditorHook::FileAnswer answer;
    answer.path = path;
    answer.filter = filter;
    return answer;
}

wxChoice* ChoiceOf(wxDialog& dialog, const char* name)
{
    return dynamic_cast<wxChoice*>(EditorDriver::Find(dialog, name));
}

// What a user's pick in a choice sends.
void Pick(wxChoice* choice, int index)
{
    ASSERT_NE(choice, nullptr);
    choice->SetSelection(index);
    wxCommandEvent picked(wxEVT_CHOICE, choice->GetId());
    picked.SetEventObject(choice);
    picked.SetInt(index);
    picked.SetString(choice->GetString(unsigned(index)));
    choice->ProcessWindowEvent(picked);
    EditorDriver::Settle();
}

// The entry of the event-type choice that names the plug-in with that id.
int TypeIndex(wxDialog& dialog, int plugInID)
{
    wxChoice* types = ChoiceOf(dialog, "ID_MN_EVENT_TYPE");
    for (unsigned i = 0; types && i < types->GetCount(); ++i)
        if (VTPlugIn::GetPlugInID(static_cast<VTPlugIn*>(types->GetClientData(i))) == plugInID) return int(i);
    return -1;
}

// A control of the active type's panel.
template <class W>
W* OnActivePanel(VTEditEventDlg& dialog, const char* name)
{
    VTEventPlugInPage* page = dialog.ActivePlugInInfo().page;
    return page ? dynamic_cast<W*>(wxWindow::FindWindowByName(name, page->GetPanel())) : nullptr;
}

void TypeOnPanel(VTEditEventDlg& dialog, const char* name, const wxString& text)
{
    auto* field = OnActivePanel<wxTextCtrl>(dialog, name);
    ASSERT_NE(field, nullptr) << name;
    field->SetFocus();
    field->SetValue(text);
    EditorDriver::Settle();
}

void ClickOnPanel(VTEditEventDlg& dialog, const char* name)
{
    wxWindow* button = OnActivePanel<wxWindow>(dialog, name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return button->IsShownOnScreen() && button->IsEnabled(); }, 3000))
        << name << " is not offered";
    TestSupport::ClickWindow(button);
    EditorDriver::Settle();
}

// The tab the user turns to: 0 Stimulus, 1 Input, 2 Correct Response, 3 Tags.
void ShowTab(wxDialog& dialog, int tab)
{
    auto* book = dynamic_cast<wxNotebook*>(EditorDriver::Find(dialog, "notebook"));
    ASSERT_NE(book, nullptr);
    book->SetSelection(std::size_t(tab));
    EditorDriver::Settle();
}

// The file button as a user's press reaches the editor. (A pointer click works the
// same, but under Xvfb GTK reports a click that ends in an answered file prompt
// twice.)
void PressSelectFile(VTEditEventDlg& dialog)
{
    auto* button = OnActivePanel<wxWindow>(dialog, "ID_BT_SELECT_FILE");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->IsShownOnScreen() && button->IsEnabled()) << "the file button is not offered";
    wxCommandEvent pressed(wxEVT_BUTTON, button->GetId());
    pressed.SetEventObject(button);
    button->ProcessWindowEvent(pressed);
    EditorDriver::Settle();
}

bool Checked(wxDialog& dialog, const char* name)
{
    auto* box = dynamic_cast<wxCheckBox*>(EditorDriver::Find(dialog, name));
    return box && box->GetValue();
}

void WriteFile(const wxString& path)
{
    wxImage image(8, 8);
    image.SaveFile(path, wxBITMAP_TYPE_PNG);
}

class EventEditor : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        EditorDriver::LoadProgramResources();
        // GStreamer starts here, before a plug-in starts it, with sound going to a recorder.
        MediaTest::Init();
        wxSetEnv("VANTREL_AUDIO_SINK", MediaTest::RecordingSinkDescription());
        RegisterRuntimeWithCore();
        ASSERT_TRUE(VTPlugIn::LocateAllInFolder(STUDYSTATION_PLUGIN_DIR, nullptr)) << TestSupport::LogAsText();
    }
    static void TearDownTestSuite() { VTPlugIn::DeleteAllObjects(); }

    void SetUp() override
    {
        TestSupport::ClearLog();
        folder = TestSupport::MakeTempFolder("events");
        configPath = wxFileName(folder, "config.ini").GetFullPath();
        previousConfig = wxConfigBase::Set(new wxFileConfig("t", "t", configPath, wxString(), wxCONFIG_USE_LOCAL_FILE));
        experiment = std::make_unique<VTExperiment>();
        host = new wxFrame(nullptr, wxID_ANY, "Events", wxPoint(0, 0), wxSize(320, 240));
        list = new VTSimpleListView(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
        list->InitColumns();
        host->Show();
    }
    void TearDown() override
    {
        host->Destroy();
        TestSupport::PumpFor(50);
        experiment.reset();
        delete wxConfigBase::Set(previousConfig);
    }

    // A new event of the experiment, listed and selected.
    VTEvent* AddEvent(const wxString& name, int plugInID)
    {
        auto* event = new VTEvent(experiment.get());
        event->SetName(name);
        event->SetPlugInID(plugInID);
        experiment->GetElementsOfType(ElementType::Event).AddElement(event, -1);
        list->AppendWithData(name, reinterpret_cast<wxUIntPtr>(event));
        list->SetSelection(int(list->GetItemCount()) - 1);
        return event;
    }
    VTStimList* AddList(const wxString& name, int kind)
    {
        auto* stimList = new VTStimList(experiment.get());
        stimList->SetName(name);
        stimList->SetFilePlugInID(kind);
        experiment->GetElementsOfType(ElementType::StimList).AddElement(stimList, -1);
        return stimList;
    }
    std::vector<VTEvent*> Events()
    {
        std::vector<VTEvent*> events;
        VTElementsList& all = experiment->GetElementsOfType(ElementType::Event);
        for (std::size_t i = 0; i < all.Size(); ++i) events.push_back(static_cast<VTEvent*>(all[i]));
        return events;
    }
    void SelectRowOf(VTEvent* event)
    {
        for (int row = 0; row < list->GetItemCount(); ++row)
            if (list->GetItemData(row) == reinterpret_cast<wxUIntPtr>(event)) list->SetSelection(row);
    }
    VTEvent* EventAt(std::size_t index)
    {
        return static_cast<VTEvent*>(experiment->GetElementsOfType(ElementType::Event)[index]);
    }

    bool Launch(bool isNew, EventEditorHook& hook)
    {
        (void)hook;
        return FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditEventDlg>(
            host, experiment.get(), list, isNew, false, -1, 0, {});
    }

    wxString folder, configPath;
    wxConfigBase* previousConfig = nullptr;
    std::unique_ptr<VTExperiment> experiment;
    wxFrame* host = nullptr;
    VTSimpleListView* list = nullptr;
};

}  // namespace

TEST_F(EventEditor, AnEventOfEveryTypeIsCreatedThenEdited)
{
    const wxString picture = wxFileName(folder, "face.png").GetFullPath();
    WriteFile(picture);
    struct Case
    {
        int plugInID;
        const char* name;
        bool file;
        const char* text;
        bool loads;  // the type can present the picture chosen
    };
    const std::vector<Case> cases = {{300, "", true, "", true},
                                     {311, "Tone", true, "", false},
                                     {320, "Clip", true, "", false},
                                     {330, "Word", false, "hello world", true},
                                     {340, "Reading", false, "one\\two", true},
                                     {341, "Rapid", false, "a b c", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plugInID);
        TestSupport::ClearLog();
        const std::vector<VTEvent*> before = Events();
        EventEditorHook hook([&](VTEditEventDlg& d) {
            SCOPED_TRACE("creating");
            ShowTab(d, 0);
            const int index = TypeIndex(d, c.plugInID);
            ASSERT_GE(index, 0) << "no page for the type";
            Pick(ChoiceOf(d, "ID_MN_EVENT_TYPE"), index);
            EXPECT_EQ(d.GetCurrentPlugInIndex(), index);
            if (*c.name) EditorDriver::Enter(d, "text_name", c.name);
            if (c.file) {
                PressSelectFile(d);
                EXPECT_EQ(OnActivePanel<wxStaticText>(d, "label_stim_file")->GetLabel(),
                          c.loads ? "face.png" : "(no file chosen)");
            }
            if (*c.text) TypeOnPanel(d, "text_stimulus", c.text);
            if (c.plugInID == 341) TypeOnPanel(d, "text_word_duration", "120");
            EditorDriver::Click(d, "wxID_OK");
        });
        // The picture is offered under "All Files" where the type's own filter would hide it.
        if (c.file) hook.files.push_back(FileTo(picture, c.loads ? 0 : 1));
        ASSERT_TRUE(Launch(true, hook)) << TestSupport::LogAsText();
        VTEvent* event = nullptr;
        for (VTEvent* e : Events())
            if (std::find(before.begin(), before.end(), e) == before.end()) event = e;
        ASSERT_NE(event, nullptr);
        ASSERT_EQ(Events().size(), before.size() + 1);
        EXPECT_EQ(event->GetPlugInID(), c.plugInID);
        // A chosen file names an event that has no name yet.
        EXPECT_EQ(event->GetName(), *c.name ? wxString(c.name) : wxString("face"));
        if (c.file) {
            ASSERT_EQ(event->GetNumberOfUsedStimFiles(), 1u);
            EXPECT_EQ(event->GetStimFiles()[0], picture);
        }
        EXPECT_EQ(event->GetStimulusText(), c.text);
        if (c.plugInID == 341) {
            EXPECT_EQ(event->GetPlugInSettings()["word_duration_ms"], "120");
        }

        // Opened again, the editor shows what was stored; a change is written back.
        SelectRowOf(event);
        EventEditorHook edit([&](VTEditEventDlg& d) {
            SCOPED_TRACE("editing");
            ShowTab(d, 0);
            EXPECT_EQ(d.GetCurrentPlugInIndex(), TypeIndex(d, c.plugInID));
            if (*c.text) {
                EXPECT_EQ(OnActivePanel<wxTextCtrl>(d, "text_stimulus")->GetValue(), c.text);
                TypeOnPanel(d, "text_stimulus", wxString(c.text) + " again");
            }
            if (c.file) {
                EXPECT_EQ(OnActivePanel<wxStaticText>(d, "label_stim_file")->GetLabel(),
                          c.loads ? "face.png" : "(no file chosen)");
            }
            if (c.plugInID == 341) {
                EXPECT_EQ(OnActivePanel<wxTextCtrl>(d, "text_word_duration")->GetValue(), "120");
            }
            ShowTab(d, 1);
            EditorDriver::Click(d, "check_record");
            EditorDriver::Click(d, "wxID_OK");
        });
        ASSERT_TRUE(Launch(false, edit)) << TestSupport::LogAsText();
        EXPECT_FALSE(event->RecordsResponses());
        if (*c.text) {
            EXPECT_EQ(event->GetStimulusText(), wxString(c.text) + " again");
        }
        if (c.file) {
            EXPECT_EQ(event->GetNumberOfUsedStimFiles(), 1u);
        }
        // A file the type cannot present is kept, and said so each time it is loaded.
        const std::string log = TestSupport::LogAsText();
        if (c.loads) {
            EXPECT_TRUE(log.empty()) << log;
        } else {
            EXPECT_NE(log.find("Failed to load a stimulus file."), std::string::npos) << log;
        }
    }
}

TEST_F(EventEditor, SwitchingTheTypeKeepsEachTypesSettingsAndOnlyTheChosenOneIsWritten)
{
    VTEvent* event = AddEvent("Sentence", 330);
    event->SetStimulusText("plain words");
    EventEditorHook hook([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        wxChoice* types = ChoiceOf(d, "ID_MN_EVENT_TYPE");
        Pick(types, TypeIndex(d, 340));
        TypeOnPanel(d, "text_stimulus", "read\\me");
        TypeOnPanel(d, "text_segment_character", "|");
        Pick(types, TypeIndex(d, 330));
        EXPECT_EQ(OnActivePanel<wxTextCtrl>(d, "text_stimulus")->GetValue(), "plain words");
        Pick(types, TypeIndex(d, 340));
        EXPECT_EQ(OnActivePanel<wxTextCtrl>(d, "text_stimulus")->GetValue(), "read\\me");
        EXPECT_EQ(OnActivePanel<wxTextCtrl>(d, "text_segment_character")->GetValue(), "|");
        // The stored event is untouched until OK.
        EXPECT_EQ(event->GetPlugInID(), 330);
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, hook)) << TestSupport::LogAsText();
    EXPECT_EQ(event->GetPlugInID(), 340);
    EXPECT_EQ(event->GetStimulusText(), "read\\me");
    EXPECT_EQ(event->GetPlugInSettings()["segment_character"], "|");
}

TEST_F(EventEditor, AnEventTakesItsStimulusFromAFileOrFromAListOfItsKind)
{
    const wxString picture = wxFileName(folder, "house.png").GetFullPath();
    WriteFile(picture);
    VTStimList* faces = AddList("Faces", 300);
    VTStimList* houses = AddList("Houses", 300);
    AddList("Sounds", 311);
    VTEvent* event = AddEvent("Picture", 300);
    event->AddStimFile(picture);
    EventEditorHook toList([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        wxChoice* mode = OnActivePanel<wxChoice>(d, "ID_MN_USE_LIST_OR_FILE");
        wxChoice* lists = OnActivePanel<wxChoice>(d, "ID_MN_SELECT_LIST");
        ASSERT_TRUE(mode && lists);
        EXPECT_EQ(mode->GetSelection(), 0);
        EXPECT_TRUE(OnActivePanel<wxWindow>(d, "ID_BT_SELECT_FILE")->IsShown());
        EXPECT_FALSE(lists->IsShown());
        // Only the lists of the event's kind are offered.
        ASSERT_EQ(lists->GetCount(), 2u);
        EXPECT_EQ(lists->GetString(0), "Faces");
        Pick(mode, 1);
        EXPECT_TRUE(lists->IsShown());
        EXPECT_FALSE(OnActivePanel<wxWindow>(d, "ID_BT_SELECT_FILE")->IsShown());
        Pick(lists, 1);
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, toList)) << TestSupport::LogAsText();
    EXPECT_EQ(event->GetStimListID(), int(houses->GetID()));
    EXPECT_EQ(event->GetNumberOfUsedStimFiles(), 0u) << "a list event keeps no files of its own";

    EventEditorHook toFile([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        wxChoice* mode = OnActivePanel<wxChoice>(d, "ID_MN_USE_LIST_OR_FILE");
        EXPECT_EQ(mode->GetSelection(), 1);
        EXPECT_EQ(OnActivePanel<wxChoice>(d, "ID_MN_SELECT_LIST")->GetSelection(), 1);
        Pick(mode, 0);
        PressSelectFile(d);
        EditorDriver::Click(d, "wxID_OK");
    });
    toFile.files.push_back(FileTo(picture, 0));
    ASSERT_TRUE(Launch(false, toFile)) << TestSupport::LogAsText();
    EXPECT_FALSE(event->IsListEvent());
    ASSERT_EQ(event->GetNumberOfUsedStimFiles(), 1u);
    (void)faces;

    // Rapid serial presentation also offers the reading lists.
    AddList("Passages", 340);
    AddList("Words", 341);
    VTEvent* rapid = AddEvent("Rapid", 341);
    EventEditorHook rsvp([&](VTEditEventDlg& d) {
        wxChoice* lists = OnActivePanel<wxChoice>(d, "ID_MN_SELECT_LIST");
        ASSERT_NE(lists, nullptr);
        EXPECT_EQ(lists->GetCount(), 2u);
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, rsvp));
    EXPECT_EQ(rapid->GetPlugInID(), 341);
}

TEST_F(EventEditor, TheFileFilterChosenLastIsOfferedAgainAfterTheConfigurationIsReloaded)
{
    const wxString picture = wxFileName(folder, "tree.png").GetFullPath();
    WriteFile(picture);
    AddEvent("Tree", 300);
    wxString wildcard;
    VTPlugIn::GetSdkBaseEventPtr(300)->GetString(101, wildcard);
    const wxArrayString tokens = wxSplit(wildcard, '|', '\0');
    ASSERT_GE(tokens.size(), 4u) << "the picture type offers at least two filters";

    EventEditorHook first([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        PressSelectFile(d);
        PressSelectFile(d);  // cancelled: nothing changes
        EditorDriver::Click(d, "wxID_OK");
    });
    first.files.push_back(FileTo(picture, 1));
    first.files.push_back(FileTo(wxString(), 0));
    ASSERT_TRUE(Launch(false, first)) << TestSupport::LogAsText();
    ASSERT_EQ(first.answered.size(), 2u);
    EXPECT_EQ(first.answered[0].filterShown, 0);
    EXPECT_EQ(first.answered[0].wildcard, wildcard);
    EXPECT_EQ(first.answered[1].filterShown, 1);
    EXPECT_EQ(EventAt(0)->GetStimFiles().at(0), picture);

    // The configuration is read again from its file.
    delete wxConfigBase::Set(new wxFileConfig("t", "t", configPath, wxString(), wxCONFIG_USE_LOCAL_FILE));
    wxString key;
    VTPlugIn::GetSdkBaseEventPtr(300)->GetString(5001, key);
    EXPECT_EQ(wxConfigBase::Get()->Read("/EventEditDialog/" + key + "/DefaultStimFileFilter"), tokens[2]);
    EXPECT_EQ(VTEventPlugInPage::GetLastExtIndex(key, wildcard), 1);
    EventEditorHook second([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        PressSelectFile(d);
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    second.files.push_back(FileTo(wxString(), 0));
    EXPECT_FALSE(Launch(false, second));
    ASSERT_EQ(second.answered.size(), 1u);
    EXPECT_EQ(second.answered[0].filterShown, 1);

    // A stored description the wildcard does not hold, and an empty one, give the first filter.
    VTEventPlugInPage::SetLastExtIndex(key, wildcard, 99);
    EXPECT_EQ(VTEventPlugInPage::GetLastExtIndex(key, wildcard), 0);
    wxConfigBase::Get()->Write("/EventEditDialog/" + key + "/DefaultStimFileFilter", "Nothing of this");
    EXPECT_EQ(VTEventPlugInPage::GetLastExtIndex(key, wildcard), 0);
}

TEST_F(EventEditor, TheEndOptionsExcludeEachOtherAndTheLastIsKept)
{
    VTEvent* event = AddEvent("Prompt", 330);
    event->AcceptEndEventSettings(false, true, false, true);
    EventEditorHook hook([&](VTEditEventDlg& d) {
        ShowTab(d, 1);
        auto* timeLimit = dynamic_cast<wxCheckBox*>(EditorDriver::Find(d, "check_time_limit"));
        EXPECT_EQ(timeLimit->GetLabel(), "...or a time limit, whichever happens first. The time limit is:");
        EditorDriver::Click(d, "check_correct_response");
        EXPECT_FALSE(Checked(d, "check_any_response"));
        EXPECT_TRUE(Checked(d, "check_time_limit"));
        EditorDriver::Click(d, "check_immediately");
        EXPECT_FALSE(Checked(d, "check_correct_response"));
        EXPECT_FALSE(Checked(d, "check_time_limit"));
        EXPECT_FALSE(EditorDriver::ShownAndEnabled(d, "text_limit_fixed"));
        // The last one stays, with the message.
        EditorDriver::Click(d, "check_immediately");
        EXPECT_TRUE(Checked(d, "check_immediately"));
        EditorDriver::Click(d, "check_time_limit");
        EXPECT_FALSE(Checked(d, "check_immediately"));
        EXPECT_EQ(timeLimit->GetLabel(), "Only after a time limit. The time limit is:");
        EXPECT_TRUE(EditorDriver::ShownAndEnabled(d, "text_limit_fixed"));
        EditorDriver::Click(d, "check_delay_fb_actions");
        // The end flags and the delay reach the event being edited at once.
        EXPECT_TRUE(d.WorkingEvent().DelaysFeedbackUntilTimeLimit());
        EXPECT_TRUE(d.WorkingEvent().GetEndEventOption(EndEventOption::TimeLimit));
        EditorDriver::Click(d, "check_reset_timer");
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, hook)) << TestSupport::LogAsText();
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_EQ(hook.messages[0], "At least one event ending option must be selected.");
    EXPECT_FALSE(event->EndsImmediately());
    EXPECT_TRUE(event->GetEndEventOption(EndEventOption::TimeLimit));
    EXPECT_FALSE(event->GetEndEventOption(EndEventOption::AnyResponse));
    EXPECT_TRUE(event->DelaysFeedbackUntilTimeLimit());
    EXPECT_FALSE(event->ResetsReactionTimer());
}

TEST_F(EventEditor, ATimeLimitIsFixedOrTakenFromATrialVariable)
{
    auto* variable = new VTTrialVariable(experiment.get());
    variable->SetName("Limit");
    variable->SetVariableType(VariableType::TimeLimit);
    experiment->GetElementsOfType(ElementType::TrialVariable).AddElement(variable, -1);
    VTEvent* event = AddEvent("Timed", 330);
    event->AcceptEndEventSettings(false, false, false, true);

    // A limit that is no number refuses OK, naming the field; the dialog stays open.
    EventEditorHook fixed([&](VTEditEventDlg& d) {
        ShowTab(d, 1);
        EditorDriver::Enter(d, "text_limit_fixed", "12x");
        EditorDriver::Click(d, "wxID_OK");
        EXPECT_TRUE(d.IsModal());
        EditorDriver::Enter(d, "text_limit_fixed", "-5");
        EditorDriver::Click(d, "wxID_OK");
        EXPECT_TRUE(d.IsModal());
        EditorDriver::Enter(d, "text_limit_fixed", "750");
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, fixed)) << TestSupport::LogAsText();
    ASSERT_EQ(fixed.messages.size(), 2u);
    EXPECT_TRUE(fixed.messages[0].Contains("fixed time limit")) << fixed.messages[0];
    EXPECT_TRUE(fixed.messages[0].Contains("12x"));
    EXPECT_EQ(event->GetTimeLimitMs_OrNegativeOne(), 750);

    EventEditorHook variableLimit([&](VTEditEventDlg& d) {
        ShowTab(d, 1);
        Pick(ChoiceOf(d, "choice_time_limit"), 1);
        wxChoice* variables = ChoiceOf(d, "choice_limit_variable");
        ASSERT_EQ(variables->GetCount(), 1u);
        EXPECT_EQ(variables->GetString(0), "Limit");
        EXPECT_TRUE(EditorDriver::ShownAndEnabled(d, "choice_limit_variable"));
        Pick(variables, 0);
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, variableLimit)) << TestSupport::LogAsText();
    EXPECT_EQ(event->GetTimeLimitVariableID(), int(variable->GetID()));

    EventEditorHook reopened([&](VTEditEventDlg& d) {
        EXPECT_EQ(ChoiceOf(d, "choice_time_limit")->GetSelection(), 1);
        EXPECT_EQ(ChoiceOf(d, "choice_limit_variable")->GetSelection(), 0);
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, reopened));

    // Without a time-limit variable the variable limit becomes a fixed one, saying so.
    experiment->DeleteElementAndItsLinks(variable);
    EventEditorHook none([&](VTEditEventDlg& d) {
        ShowTab(d, 1);
        wxChoice* variables = ChoiceOf(d, "choice_limit_variable");
        EXPECT_EQ(variables->GetString(0), "(No time limit trial variable created yet)");
        EXPECT_FALSE(variables->IsEnabled());
        Pick(ChoiceOf(d, "choice_time_limit"), 1);
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, none)) << TestSupport::LogAsText();
    ASSERT_EQ(none.messages.size(), 1u);
    EXPECT_TRUE(none.messages[0].StartsWith("You have selected a variable time limit."));
    bool b[7];
    int kind = -99, ms = -99, variableID = -99;
    event->GetCopiedInputSettingsForEditor(b[0], b[1], b[2], b[3], b[4], b[5], b[6], kind, ms, variableID);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(variableID, -1);
    EXPECT_EQ(ms, 750);
}

TEST_F(EventEditor, ThePreviewRunsTheEventAndLeavesTheExperimentAsItWas)
{
    auto* kept = new VTBlock(experiment.get());
    kept->SetName("Kept");
    kept->SetSelected(true);
    experiment->GetElementsOfType(ElementType::Block).AddElement(kept, -1);
    VTEvent* event = AddEvent("Shown", 330);
    event->SetStimulusText("Preview me");
    event->AcceptEndEventSettings(false, false, false, true);
    event->AcceptInputSettingsForEditor(true, true, 0, 250, -1);
    const wxString missing = wxFileName(folder, "gone.png").GetFullPath();
    VTEvent* broken = AddEvent("Broken", 300);
    broken->AddStimFile(missing);
    experiment->Modify(false);
    experiment->SetLockStateMinimal_forUseInPreview(true);

    const auto sizes = [&] {
        std::vector<std::size_t> n;
        for (VTElementType type = 0; type < ElementType::Count; ++type)
            n.push_back(experiment->GetElementsOfType(type).Size());
        return n;
    };
    const std::vector<std::size_t> before = sizes();
    const auto expectRestored = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(sizes(), before);
        EXPECT_FALSE(experiment->IsModified());
        EXPECT_TRUE(experiment->m_LockStateMinimal);
        EXPECT_TRUE(kept->IsSelected());
        EXPECT_FALSE(experiment->GetRunOptions().IsRunningSelectedBlocksOnly());
    };

    SelectRowOf(event);
    bool ranToItsEnd = false;
    wxString previewProblem = "not run";
    EventEditorHook run([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        TypeOnPanel(d, "text_stimulus", "Typed just now");
        // The preview shows the presentation window while the run lasts.
        ClickOnPanel(d, "ID_BT_PREVIEW");
        previewProblem = d.ActivePlugInInfo().page->GetLastPreviewProblem();
        ranToItsEnd = d.ActivePlugInInfo().page->GetLastPreviewRanToItsEnd();
        EXPECT_FALSE(VantrelSDK::GetPresenter()->IsVisible());
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, run));
    EXPECT_TRUE(ranToItsEnd) << "the event was presented until its time limit ended it";
    EXPECT_EQ(previewProblem, "");
    expectRestored("after a preview that ran");
    EXPECT_EQ(event->GetStimulusText(), "Preview me") << "Cancel keeps the stored event";

    // A stimulus that cannot be presented: nothing is shown, the reason is given,
    // and the experiment is restored all the same.
    SelectRowOf(broken);
    TestSupport::ClearLog();
    EventEditorHook failing([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        ClickOnPanel(d, "ID_BT_PREVIEW");
        previewProblem = d.ActivePlugInInfo().page->GetLastPreviewProblem();
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, failing));
    EXPECT_TRUE(previewProblem.Contains("gone.png")) << previewProblem;
    EXPECT_TRUE(previewProblem.Contains("does not exist")) << previewProblem;
    EXPECT_NE(TestSupport::LogAsText().find("The preview could not run"), std::string::npos);
    expectRestored("after a preview that failed");

    // A locked experiment shows its pages read-only; a plug-in that asks the page for a
    // preview there gets one, and the experiment keeps nothing of it.
    experiment->SetLocked(true, "A task from the cloud");
    SelectRowOf(event);
    TestSupport::ClearLog();
    EventEditorHook locked([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        EXPECT_TRUE(d.ActivePlugInInfo().page->ProcessPreviewEvent(false));
        ranToItsEnd = d.ActivePlugInInfo().page->GetLastPreviewRanToItsEnd();
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, locked));
    EXPECT_TRUE(ranToItsEnd);
    expectRestored("after a preview of a locked experiment");
    wxString reason;
    EXPECT_TRUE(experiment->IsLocked(reason));
    EXPECT_TRUE(TestSupport::LogAsText().empty()) << TestSupport::LogAsText();
}

TEST_F(EventEditor, AnEventWhoseTypeIsNotLoadedOpensWithoutATypeAndIsNotSavedUntilOneIsChosen)
{
    VTEvent* event = AddEvent("Orphan", 999);
    EventEditorHook hook([&](VTEditEventDlg& d) {
        EXPECT_EQ(ChoiceOf(d, "ID_MN_EVENT_TYPE")->GetSelection(), wxNOT_FOUND);
        EXPECT_EQ(d.ActivePlugInInfo().page, nullptr);
        EXPECT_EQ(d.ActivePlugInInfo().instance, nullptr);
        ShowTab(d, 1);
        EditorDriver::Click(d, "check_immediately");
        EditorDriver::Click(d, "wxID_OK");
        EXPECT_TRUE(d.IsModal());
        EXPECT_NE(TestSupport::LogAsText().find("Invalid selection for event type."), std::string::npos);
        ShowTab(d, 0);
        Pick(ChoiceOf(d, "ID_MN_EVENT_TYPE"), TypeIndex(d, 330));
        TypeOnPanel(d, "text_stimulus", "found a home");
        EditorDriver::Click(d, "wxID_OK");
    });
    ASSERT_TRUE(Launch(false, hook));
    EXPECT_EQ(event->GetPlugInID(), 330);
    EXPECT_EQ(event->GetStimulusText(), "found a home");
    EXPECT_TRUE(event->EndsImmediately());
}

TEST_F(EventEditor, TheTabOpenAtOkIsTheTabTheNextEditorOpensOn)
{
    AddEvent("First", 330);
    for (int tab : {3, 1}) {
        EventEditorHook confirm([&](VTEditEventDlg& d) {
            ShowTab(d, tab);
            EditorDriver::Click(d, "wxID_OK");
        });
        ASSERT_TRUE(Launch(false, confirm));
        int opened = -1;
        EventEditorHook look([&](VTEditEventDlg& d) {
            opened = dynamic_cast<wxNotebook*>(EditorDriver::Find(d, "notebook"))->GetSelection();
            ShowTab(d, 0);  // Cancel does not move it
            EditorDriver::Click(d, "wxID_CANCEL");
        });
        EXPECT_FALSE(Launch(false, look));
        EXPECT_EQ(opened, tab);
    }
}

TEST_F(EventEditor, ASoundIsPreviewedBehindABlankBackdropAndLeavesNothingBehind)
{
    const wxString tone = wxFileName(folder, "tone.wav").GetFullPath();
    ASSERT_TRUE(MediaTest::MakeTone(tone, 200, "wav"));
    VTEvent* event = AddEvent("Tone", 311);
    event->AddStimFile(tone);
    event->AcceptEndEventSettings(false, false, false, true);
    event->AcceptInputSettingsForEditor(true, true, 0, 400, -1);
    experiment->Modify(false);
    const std::size_t trials = experiment->GetElementsOfType(ElementType::Trial).Size();
    const std::size_t events = experiment->GetElementsOfType(ElementType::Event).Size();
    MediaTest::ClearSinkRecords();
    bool ranToItsEnd = false;
    EventEditorHook run([&](VTEditEventDlg& d) {
        ShowTab(d, 0);
        EXPECT_EQ(OnActivePanel<wxStaticText>(d, "label_stim_file")->GetLabel(), "tone.wav");
        ClickOnPanel(d, "ID_BT_PREVIEW");
        ranToItsEnd = d.ActivePlugInInfo().page->GetLastPreviewRanToItsEnd();
        EditorDriver::Click(d, "wxID_CANCEL");
    });
    EXPECT_FALSE(Launch(false, run));
    EXPECT_TRUE(ranToItsEnd) << TestSupport::LogAsText();
    EXPECT_EQ(MediaTest::SinkRecords().size(), 1u) << "the tone was played";
    EXPECT_EQ(experiment->GetElementsOfType(ElementType::Trial).Size(), trials);
    EXPECT_EQ(experiment->GetElementsOfType(ElementType::Event).Size(), events);
    EXPECT_FALSE(experiment->IsModified());
}
