// The standalone instrument on a display: its editor opens with the program's
// strip right under it, and closing the strip's window quits and keeps the
// session.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>
#include <utility>

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

// The top of a window on the screen, and its bottom.
std::pair<int, int> verticalSpan(Display* display, Window window) {
    XWindowAttributes a{};
    int x = 0, y = 0;
    Window child = 0;
    XGetWindowAttributes(display, window, &a);
    XTranslateCoordinates(display, window, a.root, 0, 0, &x, &y, &child);
    return {y, y + a.height};
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

TEST(StandaloneEditorTest, OpensAboveItsStripAndClosingTheStripQuits) {
    const fs::path folder = fs::temp_directory_path() / ("trommik2-app-editor-" + std::to_string(getpid()));
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
        bool below = false;
        for (int i = 0; i < 100 && !below; ++i) {
            below = verticalSpan(display, own).first == verticalSpan(display, editor).second;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_TRUE(below) << "the strip sits right under the editor";
        closeWindow(display, own);
        EXPECT_EQ(app.wait(30.0), 0) << app.output() << app.errors();
        XCloseDisplay(display);
        EXPECT_TRUE(fs::exists(folder / "data" / "trommik2" / "session.tm2set"));
    }
    fs::remove_all(folder);
}

} // namespace
