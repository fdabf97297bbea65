// The standalone instrument on a display: its editor opens inside the
// program's window with the strip right under it, and closing the window quits
// and keeps the session.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "common/ChildProcess.h"
#include "common/JackServer.h"

namespace {

namespace fs = std::filesystem;

// The first window below root whose name is name, or 0.
Window findWindow(Display* display, Window root, const char* name) {
    char* found = nullptr;
    if (XFetchName(display, root, &found) && found) {
        const bool same = std::strcmp(found, name) == 0;
        XFree(found);
        if (same)
            return root;
    }
    Window parent = 0, *children = nullptr;
    unsigned count = 0;
    Window hit = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !hit; ++i)
            hit = findWindow(display, children[i], name);
        if (children)
            XFree(children);
    }
    return hit;
}

Window waitForWindow(Display* display, const char* name, ChildProcess& app) {
    Window window = 0;
    for (int i = 0; i < 300 && !window && app.running(); ++i) {
        window = findWindow(display, DefaultRootWindow(display), name);
        if (!window)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return window;
}

Window parentOf(Display* display, Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent;
}

// The window a property of type WINDOW names, or 0.
Window windowProperty(Display* display, Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1)
        named = *reinterpret_cast<Window*>(data);
    if (data)
        XFree(data);
    return named;
}

bool within(Display* display, Window window, Window ancestor) {
    for (; window; window = parentOf(display, window))
        if (window == ancestor)
            return true;
    return false;
}

int heightOf(Display* display, Window window) {
    XWindowAttributes a{};
    XGetWindowAttributes(display, window, &a);
    return a.height;
}

// What the window manager sends when the user closes a window.
void closeWindow(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

TEST(StandaloneEditorTest, OpensInItsWindowAboveTheStripAndClosingTheWindowQuits) {
    const fs::path folder = fs::temp_directory_path() / ("trommik2-app-editor-" + std::to_string(getpid()));
    fs::remove_all(folder); // a leftover of a killed run whose process id came round again
    fs::create_directories(folder);
    {
        JackServer server(folder.string(), 44100, 1024);
        ASSERT_TRUE(server.ready());
        ChildProcess app({TROMMIK2_APP_PATH, "--driver", "jack", "--quit-after", "60"},
                         {server.setting(), "HOME=" + folder.string(), "XDG_DATA_HOME=" + (folder / "data").string(),
                          std::string("LSAN_OPTIONS=suppressions=") + TROMMIK2_FONT_LEAKS},
                         (folder / "app").string());
        Display* display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        const Window editor = waitForWindow(display, "ZK_WRAPPER", app);
        ASSERT_NE(editor, 0u) << app.output() << app.errors();
        const Window own = waitForWindow(display, "Trommik2", app);
        ASSERT_NE(own, 0u) << app.output() << app.errors();
        bool inside = false;
        for (int i = 0; i < 100 && !inside; ++i) {
            inside = parentOf(display, editor) == own && heightOf(display, own) == heightOf(display, editor) + 40;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_TRUE(inside) << "the editor sits in the program's window, the 40-pixel strip under it";
        // File managers look for drop targets among top-level windows.
        const Window proxy = windowProperty(display, own, "XdndProxy");
        EXPECT_TRUE(proxy && within(display, proxy, editor) && windowProperty(display, proxy, "XdndProxy") == proxy)
            << "the program's window hands drops to the editor";
        closeWindow(display, own);
        EXPECT_EQ(app.wait(30.0), 0) << app.output() << app.errors();
        XCloseDisplay(display);
        EXPECT_TRUE(fs::exists(folder / "data" / "trommik2" / "session.tm2set"));
    }
    fs::remove_all(folder);
}

} // namespace
