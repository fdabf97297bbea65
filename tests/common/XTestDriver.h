#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace trommik2 {

// Real input through the XTEST extension, played on a thread and a connection
// of its own while the test's thread pumps the windows (the tracking loops
// read the pointer the server moves).
class XTestDriver {
  public:
    struct Action {
        enum Kind { Move, Press, Release, Key, Hold, Let, Wait, Call } kind;
        // Move: x, y on the screen; Press/Release: button; Key (pressed and
        // released), Hold, Let: keysym; Wait: ms
        int a = 0, b = 0;
        // Call: run on the driver's thread (which must not touch the test's windows).
        std::function<void()> call = {};
    };

    XTestDriver() : display_(XOpenDisplay(nullptr)) {}
    ~XTestDriver() {
        wait();
        if (display_)
            XCloseDisplay(display_);
    }

    bool ready() const { return display_ != nullptr; }
    void play(std::vector<Action> actions) {
        wait();
        done_ = false;
        thread_ = std::thread([this, actions = std::move(actions)] {
            for (const Action& action : actions)
                perform(action);
            done_ = true;
        });
    }
    bool done() const { return done_; }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }

    // A left click at a point on the screen, with time for the editor to see each step.
    static std::vector<Action> click(int x, int y, int button = 1) {
        return {{Action::Move, x, y}, {Action::Wait, 80},        {Action::Press, button},
                {Action::Wait, 120},  {Action::Release, button}, {Action::Wait, 80}};
    }

  private:
    void perform(const Action& action) {
        switch (action.kind) {
        case Action::Move: XTestFakeMotionEvent(display_, 0, action.a, action.b, CurrentTime); break;
        case Action::Press: XTestFakeButtonEvent(display_, action.a, True, CurrentTime); break;
        case Action::Release: XTestFakeButtonEvent(display_, action.a, False, CurrentTime); break;
        case Action::Key: {
            KeyCode code = XKeysymToKeycode(display_, static_cast<KeySym>(action.a));
            XTestFakeKeyEvent(display_, code, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
            break;
        }
        case Action::Hold:
        case Action::Let:
            XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, static_cast<KeySym>(action.a)),
                              action.kind == Action::Hold, CurrentTime);
            break;
        case Action::Wait: std::this_thread::sleep_for(std::chrono::milliseconds(action.a)); break;
        case Action::Call: action.call(); break;
        }
        XFlush(display_);
    }

    Display* display_;
    std::thread thread_;
    std::atomic<bool> done_{true};
};

} // namespace trommik2
