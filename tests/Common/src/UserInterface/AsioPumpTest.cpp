// The pump between the GUI loop and the asynchronous-services layer, counted with
// completions posted into a real layer.
#include "UserInterface/wxAppASIO.h"
#include "UserInterface/wxDocManagerASIO.h"

#include "OrbiskThreads/AsynchronousServicesLayer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/event.h>
#include <wx/frame.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <memory>

using OrbiskAsynchronous::AsynchronousServicesLayer;
using TestSupport::PumpFor;
using TestSupport::PumpUntil;

namespace {

// Holds a layer that shares the services of the one under test and counts the
// completions that it posts once they have run (each runs in some timeslice).
class CompletionCounter
{
public:
    CompletionCounter()
        : m_layer(AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
              OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr))
    {}

    void Post()
    {
        m_layer->PostCompletion([this] { ++m_ran; });
    }
    int Ran() const { return m_ran; }

private:
    boost::shared_ptr<AsynchronousServicesLayer> m_layer;
    int m_ran = 0;
};

// A document command that nobody handles: it still passes through ProcessEvent.
bool SendMenuEvent(wxEvtHandler& handler)
{
    wxCommandEvent event(wxEVT_MENU, wxID_HIGHEST + 77);
    return handler.ProcessEvent(event);
}

class AsioPump : public ::testing::Test
{
protected:
    CompletionCounter counter;
};

}  // namespace

TEST_F(AsioPump, TimerTicksAndProcessedEventsEachGiveATimeslice)
{
    Orbisk::wxDocManagerASIO manager(0, true, 20);
    ASSERT_NE(manager.GetAsioPumpTimer_CanReturnNull(), nullptr);
    EXPECT_TRUE(manager.GetAsioPumpTimer_CanReturnNull()->IsRunning());
    EXPECT_EQ(manager.GetAsioPumpTimer_CanReturnNull()->GetId(), 4454);
    EXPECT_FALSE(manager.GetAsioPumpTimer_CanReturnNull()->IsOneShot());

    counter.Post();
    EXPECT_TRUE(PumpUntil([&] { return counter.Ran() == 1; }, 2000)) << "the timer gave no timeslice";

    counter.Post();
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 2) << "a processed event gave no timeslice";
}

TEST_F(AsioPump, SwitchingOffStopsTimerAndEventTimeslicesAndSwitchingOnRestoresBoth)
{
    Orbisk::wxDocManagerASIO manager(0, true, 20);
    manager.SetAsioEvents(false);
    EXPECT_FALSE(manager.IsAsioPumpingActive());
    EXPECT_FALSE(manager.GetAsioPumpTimer_CanReturnNull()->IsRunning());

    counter.Post();
    PumpFor(200);  // ten periods
    SendMenuEvent(manager);
    wxTimerEvent tick(*const_cast<wxTimer*>(manager.GetAsioPumpTimer_CanReturnNull()));
    manager.ProcessEvent(tick);
    EXPECT_EQ(counter.Ran(), 0) << "a timeslice happened while pumping was off";

    manager.SetAsioEvents(false);  // twice is harmless
    EXPECT_EQ(counter.Ran(), 0);

    manager.SetAsioEvents(true);
    EXPECT_TRUE(manager.IsAsioPumpingActive());
    EXPECT_TRUE(manager.GetAsioPumpTimer_CanReturnNull()->IsRunning());
    EXPECT_EQ(manager.GetAsioPumpTimer_CanReturnNull()->GetInterval(), 20);
    EXPECT_TRUE(PumpUntil([&] { return counter.Ran() == 1; }, 2000)) << "the timer did not resume";

    counter.Post();
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 2) << "events did not resume pumping";

    manager.SetAsioEvents(true);  // switching on twice restarts with the same period
    EXPECT_TRUE(manager.GetAsioPumpTimer_CanReturnNull()->IsRunning());
    EXPECT_EQ(manager.GetAsioPumpTimer_CanReturnNull()->GetInterval(), 20);
}

TEST_F(AsioPump, DeactivateAndActivateAreTheSameSwitch)
{
    Orbisk::wxDocManagerASIO manager(0, true, 20);
    manager.DeactivateAsioIdleEvents();
    EXPECT_FALSE(manager.GetAsioPumpTimer_CanReturnNull()->IsRunning());
    counter.Post();
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 0);
    manager.ActivateAsioIdleEvents();
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 1);
}

TEST_F(AsioPump, PeriodZeroHasNoTimerButStillPumpsOnEvents)
{
    Orbisk::wxDocManagerASIO manager(0, true, 0);
    EXPECT_EQ(manager.GetAsioPumpTimer_CanReturnNull(), nullptr);
    EXPECT_TRUE(manager.IsAsioPumpingActive());

    counter.Post();
    PumpFor(150);
    EXPECT_EQ(counter.Ran(), 0) << "something pumped without a timer or an event";
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 1);

    manager.SetAsioEvents(false);
    counter.Post();
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 1);
    manager.SetAsioEvents(true);
    SendMenuEvent(manager);
    EXPECT_EQ(counter.Ran(), 2);
}

TEST_F(AsioPump, TimerEventWithAnotherIdentifierGivesNoTimesliceFromTheHandlerAndIsSkipped)
{
    Orbisk::wxDocManagerASIO manager(0, true, 0);
    wxEvtHandler elsewhere;
    wxTimer otherTimer(&elsewhere, 99);
    wxTimer pumpTimer(&elsewhere, 4454);

    counter.Post();
    wxTimerEvent foreign(otherTimer);
    manager.OnTimer(foreign);
    EXPECT_EQ(counter.Ran(), 0);
    EXPECT_TRUE(foreign.GetSkipped());

    wxTimerEvent ours(pumpTimer);
    manager.OnTimer(ours);
    EXPECT_EQ(counter.Ran(), 1);
    EXPECT_TRUE(ours.GetSkipped()) << "other handlers must still see the tick";

    // Through the manager the foreign tick still gets its timeslice from ProcessEvent.
    counter.Post();
    wxTimerEvent foreignAgain(otherTimer);
    manager.ProcessEvent(foreignAgain);
    EXPECT_EQ(counter.Ran(), 2);
}

namespace {

// Constructing a wx application object makes it the instance; give the test's back.
class ApplicationUnderTest
{
public:
    ApplicationUnderTest() : m_saved(wxApp::GetInstance()), m_app(new Orbisk::wxAppASIO) {}
    ~ApplicationUnderTest()
    {
        m_app.reset();
        wxApp::SetInstance(m_saved);
    }
    Orbisk::wxAppASIO& operator*() { return *m_app; }
    Orbisk::wxAppASIO* operator->() { return m_app.get(); }

private:
    wxAppConsole* m_saved;
    std::unique_ptr<Orbisk::wxAppASIO> m_app;
};

}  // namespace

TEST_F(AsioPump, ApplicationTimesliceBeforeOnInitDoesNothing)
{
    ApplicationUnderTest app;
    counter.Post();
    app->GiveOneTimesliceToASIO();
    EXPECT_EQ(counter.Ran(), 0);
}

TEST_F(AsioPump, ApplicationStartsItsLayerInOnInitPollsItAndStopsItInOnExit)
{
    std::atomic<bool> workRan{false};
    {
        ApplicationUnderTest app;
        ASSERT_TRUE(app->OnInit());

        // The application's layer owns a worker: background work runs without polling.
        auto layer = AsynchronousServicesLayer::FactoryFunction_GetAsynchronousServicesLayer(
            OrbiskAsynchronous::THREADING_TYPE_PolledByHolder, nullptr);
        layer->PostWork([&] { workRan = true; });
        // No wx pumping here: the application object under test is the wx instance now.
        for (int waited = 0; !workRan && waited < 3000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(workRan);

        counter.Post();
        app->GiveOneTimesliceToASIO();
        EXPECT_EQ(counter.Ran(), 1);

        app->OnExit();
        EXPECT_TRUE(layer->IsStopped());
        counter.Post();
        app->GiveOneTimesliceToASIO();
        EXPECT_EQ(counter.Ran(), 1) << "nothing runs after the layer stopped";
    }
}

namespace {

class PumpTestDocument : public wxDocument
{
    wxDECLARE_DYNAMIC_CLASS(PumpTestDocument);
};
wxIMPLEMENT_DYNAMIC_CLASS(PumpTestDocument, wxDocument);

// A view in a child frame of its own, as the program's views are.
class PumpTestView : public wxView
{
public:
    bool OnCreate(wxDocument* doc, long) override
    {
        auto* parent = wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame);
        SetFrame(new wxDocChildFrame(doc, this, parent, wxID_ANY, "Pump test document"));
        GetFrame()->Show();
        return true;
    }
    void OnDraw(wxDC*) override {}
    bool OnClose(bool deleteWindow) override
    {
        if (!wxView::OnClose(deleteWindow)) return false;
        if (deleteWindow && GetFrame()) GetFrame()->Destroy();
        return true;
    }
    wxDECLARE_DYNAMIC_CLASS(PumpTestView);
};
wxIMPLEMENT_DYNAMIC_CLASS(PumpTestView, wxView);

}  // namespace

TEST_F(AsioPump, CommandsRoutedThroughDocumentFramesGiveATimeslice)
{
    Orbisk::wxDocManagerASIO manager(0, true, 0);
    new wxDocTemplate(&manager, "Pump test", "*.pumptest", "", "pumptest", "Pump test document", "Pump test view",
                      wxCLASSINFO(PumpTestDocument), wxCLASSINFO(PumpTestView));
    auto* parent = new wxDocParentFrame(&manager, nullptr, wxID_ANY, "Pump test parent");
    wxWindow* savedTop = wxTheApp->GetTopWindow();
    wxTheApp->SetTopWindow(parent);
    wxDocument* document = manager.CreateDocument("pump.pumptest", wxDOC_NEW | wxDOC_SILENT);
    ASSERT_NE(document, nullptr);
    wxWindow* child = document->GetFirstView()->GetFrame();
    ASSERT_NE(child, nullptr);

    // A menu command as a click delivers it: the frame, not the manager, receives it,
    // and passes it on to the manager's local handling. The document's own frame first;
    // the parent frame passes commands on itself only when no document frame does.
    auto commandGivesATimeslice = [&](wxWindow* frame) {
        counter.Post();
        const int before = counter.Ran();
        wxCommandEvent command(wxEVT_MENU, wxID_HIGHEST + 78);
        command.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(command);
        return counter.Ran() == before + 1;
    };
    EXPECT_TRUE(commandGivesATimeslice(child)) << "the document's child frame";
    manager.CloseDocuments(true);
    PumpFor(20);
    EXPECT_TRUE(commandGivesATimeslice(parent)) << "the parent frame";

    manager.CloseDocuments(true);
    wxTheApp->SetTopWindow(savedTop);
    parent->Destroy();
    PumpFor(20);
}
