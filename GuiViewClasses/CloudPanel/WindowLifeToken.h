#pragma once
// How a worker's news reaches a window: the worker posts a continuation into the
// application's event queue (any thread may), and it runs on the GUI thread inside
// the event loop, but only while the window that asked for it still lives. The
// window holds the token; its end (or Revoke) turns every continuation made from it
// into nothing. Nothing polls, nothing waits.

#include <wx/app.h>

#include <memory>
#include <utility>

namespace Vantrel {

class WindowLifeToken
{
public:
    WindowLifeToken() : m_alive(std::make_shared<char>()) {}
    WindowLifeToken(const WindowLifeToken&) = delete;
    WindowLifeToken& operator=(const WindowLifeToken&) = delete;

    // The window is going: continuations already posted find it gone. GUI thread.
    void Revoke() { m_alive.reset(); }

    // A function for a worker: each call `post(args...)` queues `then(args...)` to
    // run on the GUI thread, with the arguments copied. `then` may use the window.
    template <typename Then>
    auto Poster(Then then) const
    {
        std::weak_ptr<char> alive = m_alive;
        return [alive, then = std::move(then)](auto... args) {
            wxAppConsole* app = wxAppConsole::GetInstance();
            if (!app || alive.expired()) return;  // nobody left to tell
            app->CallAfter([alive, then, args...] {
                if (!alive.expired()) then(args...);
            });
        };
    }

private:
    std::shared_ptr<char> m_alive;
};

}  // namespace Vantrel
