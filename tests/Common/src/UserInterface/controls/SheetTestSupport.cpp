#include "SheetTestSupport.h"

#include "TestSupport.h"

#include <wx/app.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <memory>

#include <gtest/gtest.h>

namespace SheetTest {

ParentFrame::ParentFrame()
    : frame_(new wxFrame(nullptr, wxID_ANY, "Sheet parent", wxPoint(40, 40), wxSize(700, 500))) {
    frame_->Show();
    TestSupport::PumpUntil([this] { return frame_->IsShownOnScreen(); });
}

ParentFrame::~ParentFrame() {
    frame_->Destroy();
    TestSupport::PumpFor(20);
}

namespace {

wxDialog* ShownModalChild(wxWindow* parent) {
    for (wxWindow* child : parent->GetChildren()) {
        auto* dialog = wxDynamicCast(child, wxDialog);
        if (dialog && dialog->IsModal() && dialog->IsShown()) return dialog;
    }
    return nullptr;
}

}  // namespace

bool WhileModalChildOpen(wxWindow* parent, const std::function<void(wxDialog&)>& whileOpen,
                         const std::function<void()>& show, int watchdogMs) {
    struct State {
        bool active = true;  // the script must not run after this call returned
        bool ran = false;
        bool watchdogFired = false;
    };
    auto state = std::make_shared<State>();
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (wxDialog* open = ShownModalChild(parent)) {
            state->watchdogFired = true;
            open->EndModal(wxID_ABORT);
        }
    });
    watchdog.StartOnce(watchdogMs);
    std::function<void(wxDialog&)> script = whileOpen;
    wxTheApp->CallAfter([state, parent, script] {
        if (!state->active) return;
        wxDialog* dialog = nullptr;
        TestSupport::PumpUntil(
            [&] { return (dialog = ShownModalChild(parent)) != nullptr && dialog->IsShownOnScreen(); }, 5000);
        if (!dialog || !state->active) return;
        TestSupport::PumpFor(30);
        state->ran = true;
        script(*dialog);
    });
    show();
    state->active = false;
    watchdog.Stop();
    EXPECT_FALSE(state->watchdogFired) << "the sheet had to be closed by the watchdog";
    return state->ran && !state->watchdogFired;
}

wxWindow* Child(wxWindow& dialog, int id) { return wxWindow::FindWindowById(id, &dialog); }

void Click(wxWindow* window) {
    ASSERT_NE(window, nullptr);
    TestSupport::ClickWindow(window);
}

KeyScript::KeyScript(std::function<bool()> ready, std::vector<int> keys, int timeoutMs)
    : ready_(std::move(ready)), keys_(std::move(keys)), timeoutTicks_(timeoutMs / 100) {
    Start(100);
}

void KeyScript::Notify() {
    ++ticks_;
    if (Finished()) {
        Stop();
        return;
    }
    wxUIActionSimulator sim;
    if (ticks_ > timeoutTicks_) {
        timedOut_ = true;
        next_ = keys_.size();
        sim.Char(WXK_ESCAPE);
        Stop();
        return;
    }
    if (readyTicks_ < 3) {  // ready for three ticks before the first key
        readyTicks_ = ready_() ? readyTicks_ + 1 : 0;
        return;
    }
    sim.Char(keys_[next_++]);
}

}  // namespace SheetTest
