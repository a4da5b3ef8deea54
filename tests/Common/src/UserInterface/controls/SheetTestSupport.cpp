#include "SheetTestSupport.h"

#include "TestSupport.h"

#include <wx/app.h>
#include <wx/timer.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <dlfcn.h>
#include <memory>

#include <gtest/gtest.h>

namespace SheetTest {

ParentFrame::ParentFrame() : frame_(new wxFrame(nullptr, wxID_ANY, "Sheet parent", wxPoint(40, 40), wxSize(700, 500)))
{
    frame_->Show();
    TestSupport::PumpUntil([this] { return frame_->IsShownOnScreen(); });
}

ParentFrame::~ParentFrame()
{
    frame_->Destroy();
    TestSupport::PumpFor(20);
}

namespace {

wxDialog* ShownModalChild(wxWindow* parent)
{
    for (wxWindow* child : parent->GetChildren()) {
        auto* dialog = wxDynamicCast(child, wxDialog);
        if (dialog && dialog->IsModal() && dialog->IsShown()) return dialog;
    }
    return nullptr;
}

}  // namespace

bool WhileModalChildOpen(wxWindow* parent, const std::function<void(wxDialog&)>& whileOpen,
                         const std::function<void()>& show, int watchdogMs)
{
    struct State
    {
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

void Click(wxWindow* window)
{
    ASSERT_NE(window, nullptr);
    TestSupport::ClickWindow(window);
}

KeyScript::KeyScript(wxWindow* invoker, wxMenu* menu, std::vector<int> keys, int timeoutMs)
    : invoker_(invoker),
      menu_(menu),
      keys_(std::move(keys)),
      mapped_(std::make_shared<bool>(false)),
      timeoutTicks_(timeoutMs / 100)
{
    std::shared_ptr<bool> mapped = mapped_;
    invoker_->Bind(wxEVT_MENU_OPEN, [mapped](wxMenuEvent& e) {
        *mapped = true;
        e.Skip();
    });
    Start(100);
}

KeyScript::~KeyScript() { Stop(); }

bool KeyScript::Open() const { return menu_->GetInvokingWindow() != nullptr; }

void KeyScript::CloseByForce()
{
    // The GTK menu loop runs while the menu widget is visible; deactivating the
    // menu shell ends it even when the menu never got the keyboard.
    using Deactivate = void (*)(void*);
    static const auto deactivate = reinterpret_cast<Deactivate>(dlsym(RTLD_DEFAULT, "gtk_menu_shell_deactivate"));
    closedByForce_ = true;
    if (deactivate && menu_->m_menu) deactivate(menu_->m_menu);
}

void KeyScript::Notify()
{
    ++ticks_;
    const bool open = Open();
    opened_ = opened_ || open;
    if (!open) {
        openTicks_ = 0;
        return;
    }
    if (ticks_ > timeoutTicks_ || (next_ >= keys_.size() && ++ticksAfterKeys_ > 20)) {
        CloseByForce();
        return;
    }
    if (next_ >= keys_.size()) return;
    // Mapped for a while, or open long enough that the map event was missed.
    if (*mapped_ ? ++openTicks_ < 3 : ++openTicks_ < 20) return;
    wxUIActionSimulator sim;
    sim.Char(keys_[next_++]);
}

}  // namespace SheetTest
