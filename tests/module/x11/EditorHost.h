#pragma once

// A host with a window of its own on its own connection, one instance of the
// module under the test's display, the idle calls it owes an open editor, and
// a transport that plays while the editor asks for it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <trommik2/effect_record.h>

#include "common/XTestDriver.h"
#include "module/HostHarness.h"

namespace trommik2 {

using A = XTestDriver::Action;

struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

class EditorHost : public ::testing::Test {
  protected:
    static constexpr int32_t kEditorIdle = 19;
    static constexpr int32_t kGetParameterDisplay = 7;

    EditorHost() : display(XOpenDisplay(nullptr)) {
        codes().clear();
        context = freshContext();
        context.hostCallback = recordCode;
        if (display) {
            hostWindow = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 40, 0, 0, 0);
            XMapWindow(display, hostWindow);
            XSync(display, False);
            context.parentWindow = hostWindow;
        }
    }
    ~EditorHost() override {
        if (context.plugin)
            module.entry(2, &context);
        if (display)
            XCloseDisplay(display);
    }

    // The codes the module sent, in order.
    static std::vector<int32_t>& codes() {
        static std::vector<int32_t> sent;
        return sent;
    }
    static int32_t recordCode(int32_t code, HostCallbackRecord*) {
        codes().push_back(code);
        return 0;
    }
    bool playing() const {
        bool on = false;
        for (int32_t code : codes())
            on = code == 2 ? true : code == 3 ? false : on;
        return on;
    }

    // The factory library beside the module, as a user's installation has it.
    void installContent() {
        std::filesystem::copy(TROMMIK2_CONTENT_TREE, module.folder() / "Trommik2",
                              std::filesystem::copy_options::recursive);
    }
    void writeConfiguration(const std::string& text) { std::ofstream(module.folder() / "Trommik2.ini") << text; }
    std::string configuration() {
        std::ifstream in(module.folder() / "Trommik2.ini");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void open() {
        ASSERT_TRUE(display);
        ASSERT_EQ(module.entry(1, &context), 1);
    }
    void openEditor() {
        open();
        ASSERT_EQ(module.entry(3, &context), 1);
        idle(300);
    }
    AEffect* effect() { return static_cast<AEffect*>(context.plugin); }
    float parameter(int index) { return effect()->getParameter(effect(), index); }
    std::string displayText(int index) {
        char text[260] = {};
        effect()->dispatcher(effect(), kGetParameterDisplay, index, 0, text, 0.0f);
        return text;
    }
    // Idle calls for a while; blocks of the host's transport while it plays.
    void idle(int milliseconds) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            if (playing()) {
                std::vector<float> block(1024);
                context.outputBuffer = block.data();
                context.valueCount = 1024;
                module.entry(7, &context);
                context.position += 512;
                context.outputBuffer = nullptr;
            }
            effect()->dispatcher(effect(), kEditorIdle, 0, 0, nullptr, 0.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (std::chrono::steady_clock::now() < end);
    }
    void play(std::vector<A> actions) {
        ASSERT_TRUE(driver.ready());
        driver.play(std::move(actions));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!driver.done() && std::chrono::steady_clock::now() < deadline)
            idle(0);
        driver.wait();
        idle(200);
    }
    // The top-level windows with this name (WM_NAME) or class (WM_CLASS).
    std::vector<Window> topLevels(const std::string& name) { return topLevelsOn(display, name); }
    // The same on another connection (another thread's).
    static std::vector<Window> topLevelsOn(Display* display, const std::string& name) {
        XSync(display, False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        std::vector<Window> found;
        XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count; ++i) {
            char* title = nullptr;
            XClassHint hint{};
            bool match = false;
            if (XFetchName(display, children[i], &title) && title) {
                match = name == title;
                XFree(title);
            }
            if (XGetClassHint(display, children[i], &hint)) {
                match = match || name == hint.res_class;
                XFree(hint.res_name);
                XFree(hint.res_class);
            }
            if (match)
                found.push_back(children[i]);
        }
        if (children)
            XFree(children);
        return found;
    }
    std::vector<Window> wrappers() { return topLevels("ZK_WRAPPER"); }
    Place place(Window window) {
        XWindowAttributes attributes{};
        Window child = 0;
        Place p;
        XGetWindowAttributes(display, window, &attributes);
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &p.x, &p.y, &child);
        p.width = attributes.width;
        p.height = attributes.height;
        return p;
    }
    // A point of the editor on the screen.
    std::pair<int, int> onScreen(int x, int y) {
        Place wrapper = place(static_cast<Window>(context.editorWindow));
        return {wrapper.x + x, wrapper.y + y};
    }
    void clickAt(int x, int y) {
        auto [sx, sy] = onScreen(x, y);
        play(XTestDriver::click(sx, sy));
    }
    // A left-button drag through editor points.
    void dragThrough(std::vector<std::pair<int, int>> points) {
        std::vector<A> actions;
        auto [x0, y0] = onScreen(points.front().first, points.front().second);
        actions.push_back({A::Move, x0, y0});
        actions.push_back({A::Wait, 80});
        actions.push_back({A::Press, 1});
        for (auto [x, y] : points) {
            auto [sx, sy] = onScreen(x, y);
            actions.push_back({A::Wait, 80});
            actions.push_back({A::Move, sx, sy});
        }
        actions.push_back({A::Wait, 120});
        actions.push_back({A::Release, 1});
        actions.push_back({A::Wait, 80});
        play(actions);
    }
    // A click on a save button at an editor point, the name field emptied and
    // the name typed (its keys), then Return: the save dialog's whole course.
    std::vector<A> saveAs(int x, int y, const std::vector<A>& nameKeys) {
        auto [sx, sy] = onScreen(x, y);
        std::vector<A> actions{{A::Move, sx, sy}, {A::Wait, 80},   {A::Press, 1},
                               {A::Wait, 60},     {A::Release, 1}, {A::Wait, 400}};
        for (int i = 0; i < 30; ++i)
            actions.push_back({A::Key, XK_BackSpace});
        actions.insert(actions.end(), nameKeys.begin(), nameKeys.end());
        actions.insert(actions.end(), {{A::Wait, 100}, {A::Key, XK_Return}, {A::Wait, 300}});
        return actions;
    }
    // Keys typed with the mouse resting over the editor (which has the focus).
    void typeKeys(std::vector<A> keys) {
        auto [x, y] = onScreen(600, 60);
        std::vector<A> actions{{A::Move, x, y}, {A::Wait, 60}};
        for (const A& key : keys) {
            actions.push_back(key);
            actions.push_back({A::Wait, 60});
        }
        play(actions);
    }

    LoadedModule module;
    HostContext context{};
    Display* display;
    Window hostWindow = 0;
    XTestDriver driver;
};

} // namespace trommik2
