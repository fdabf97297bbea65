#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/Screenshots.h"
#include "common/XTestDriver.h"
#include "editor/EditorFrame.h"
#include "editor/EditorWindow.h"
#include "editor/MachineRig.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {

// The host binding's part, as the module will play it: the wrapper window, the
// effect's window requests, and the idle calls that drain the connection.
template <typename Editor = EditorWindow>
class XRigOf : public ::testing::Test {
  protected:
    XRigOf() {
        host.onSize = [this](int width, int height) {
            if (wrapper)
                wrapper->resize(width, height);
        };
        host.onCloseWindow = [this] { wrapper.reset(); };
    }
    ~XRigOf() override {
        editor.close();
        wrapper.reset();
    }

    void openEditor() {
        ERect* rect = nullptr;
        ASSERT_TRUE(editor.getRect(&rect));
        wrapper = X11Window::openTopLevel({0, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                                           "ZK_WRAPPER", "ZelkVstWrapper"},
                                          nullptr);
        ASSERT_TRUE(wrapper);
        ASSERT_TRUE(editor.open(wrapper->id()));
        pumpFor(300);
    }
    void pumpOnce() {
        X11Connection::drainEvents();
        editor.idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    void pumpFor(int milliseconds) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end)
            pumpOnce();
    }
    // Plays the input and pumps until it is over, and a little longer.
    void play(std::vector<XTestDriver::Action> actions) {
        ASSERT_TRUE(driver.ready());
        driver.play(std::move(actions));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!driver.done() && std::chrono::steady_clock::now() < deadline)
            pumpOnce();
        driver.wait();
        pumpFor(200);
    }
    ViewPoint onScreen(ViewPoint inEditor) {
        int x = 0, y = 0;
        EXPECT_TRUE(wrapper->screenPosition(&x, &y));
        return {x + inEditor.x, y + inEditor.y};
    }
    void clickAt(ViewPoint inEditor) {
        ViewPoint p = onScreen(inEditor);
        play(XTestDriver::click(p.x, p.y));
    }
    X11Rect geometry(Window window) {
        Window root = 0;
        int x = 0, y = 0;
        unsigned int width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(X11Connection::display(), window, &root, &x, &y, &width, &height, &border, &depth);
        return {x, y, int(width), int(height)};
    }

    // The editor's window as the server shows it.
    cairo_surface_t* screenshot() {
        return screenshotOf(X11Connection::display(), static_cast<Window>(editor.systemWindow()));
    }

    MachineRig<Editor> rig{"trommik2-editor-x11"};
    Editor& editor = *rig.editor;
    HostLog& host = rig.host();
    std::unique_ptr<X11Window> wrapper;
    XTestDriver driver;
};

inline void compareWithReference(cairo_surface_t* shot, const std::string& name) {
    trommik2::compareWithReference(shot, TROMMIK2_SCREENSHOT_FOLDER, name);
}

using XRig = XRigOf<>;

} // namespace trommik2
