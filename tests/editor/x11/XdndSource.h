#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace trommik2 {

// The other side of a drag and drop, as a file manager plays it (XDND version
// 5): on a thread and a connection of its own it enters the target window,
// moves over points of the screen asking for a move, drops at the last one
// and hands over a "text/uri-list" when asked. A target window that names a
// proxy gets its messages through the proxy. What the target answered is kept
// for the test.
class XdndSource {
  public:
    explicit XdndSource(std::string uriList) : uriList_(std::move(uriList)) {}
    ~XdndSource() { wait(); }

    void start(Window target, std::vector<std::pair<int, int>> points) {
        thread_ = std::thread([this, target, points = std::move(points)] { run(target, points); });
    }
    void wait() {
        if (thread_.joinable())
            thread_.join();
    }
    bool done() const { return done_; }

    // Filled in by the thread; read them after wait().
    bool accepted = false;    // the last status accepted the drop
    std::string statusAction; // the action the last status named
    bool finished = false;    // XdndFinished arrived
    bool finishedAccepted = false;
    std::string finishedAction;
    int listsHanded = 0;
    // The status and finish messages named the window the drag was aimed at.
    bool answeredAsTarget = true;

  private:
    void run(Window target, const std::vector<std::pair<int, int>>& points) {
        display_ = XOpenDisplay(nullptr);
        if (!display_) {
            done_ = true;
            return;
        }
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(display_, atom("XdndSelection"), window_, CurrentTime);
        proxy_ = proxyOf(target);
        target_ = target;
        send(target, "XdndEnter", {5 << 24, static_cast<long>(atom("text/uri-list")), 0});
        for (auto [x, y] : points) {
            send(target, "XdndPosition", {0, (x << 16) | y, CurrentTime, static_cast<long>(atom("XdndActionMove"))});
            serve(std::chrono::milliseconds(250));
        }
        send(target, "XdndDrop", {0, CurrentTime, 0});
        serve(std::chrono::seconds(20));
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
        done_ = true;
    }

    Atom atom(const char* name) { return XInternAtom(display_, name, False); }
    std::string name(long value) {
        char* text = value ? XGetAtomName(display_, static_cast<Atom>(value)) : nullptr;
        std::string result = text ? text : "";
        if (text)
            XFree(text);
        return result;
    }

    // data: l[1] onwards.
    void send(Window target, const char* type, std::vector<long> data) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = atom(type);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(window_);
        for (size_t i = 0; i < data.size() && i < 4; ++i)
            event.xclient.data.l[i + 1] = data[i];
        XSendEvent(display_, proxy_ ? proxy_ : target, False, NoEventMask, &event);
        XFlush(display_);
    }

    Window proxyOf(Window target) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Window proxy = 0;
        if (XGetWindowProperty(display_, target, atom("XdndProxy"), 0, 1, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success &&
            data && count == 1)
            proxy = *reinterpret_cast<Window*>(data);
        if (data)
            XFree(data);
        return proxy;
    }

    // Answers the target for a while, or until it finished.
    template <typename Duration>
    void serve(Duration duration) {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (!finished && std::chrono::steady_clock::now() < end) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                handle(event);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    void handle(const XEvent& event) {
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XEvent reply{};
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = request.requestor;
            reply.xselection.selection = request.selection;
            reply.xselection.target = request.target;
            reply.xselection.time = request.time;
            reply.xselection.property = None;
            if (request.target == atom("text/uri-list")) {
                XChangeProperty(display_, request.requestor, request.property, request.target, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(uriList_.data()),
                                static_cast<int>(uriList_.size()));
                reply.xselection.property = request.property;
                ++listsHanded;
            }
            XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
            XFlush(display_);
        } else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndStatus")) {
            accepted = event.xclient.data.l[1] & 1;
            answeredAsTarget = answeredAsTarget && static_cast<Window>(event.xclient.data.l[0]) == target_;
            statusAction = name(event.xclient.data.l[4]);
        } else if (event.type == ClientMessage && event.xclient.message_type == atom("XdndFinished")) {
            finished = true;
            answeredAsTarget = answeredAsTarget && static_cast<Window>(event.xclient.data.l[0]) == target_;
            finishedAccepted = event.xclient.data.l[1] & 1;
            finishedAction = name(event.xclient.data.l[2]);
        }
    }

    std::string uriList_;
    std::thread thread_;
    std::atomic<bool> done_{false};
    Display* display_ = nullptr;
    Window window_ = 0;
    Window proxy_ = 0;
    Window target_ = 0;
};

} // namespace trommik2
